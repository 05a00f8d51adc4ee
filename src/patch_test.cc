#include "patch.h"

#include <cstring>

#include <gtest/gtest.h>

namespace {

static_assert(size_of_sequence == 8, "a block is 8 bytes");

TEST(Check, TellsTheOldRecordFromEveryNearMiss) {
  struct near_miss {
    const char* what;
    int index;            // byte changed, or -1 for none
    unsigned char value;  // its new value
    int expected;
  };
  const near_miss cases[] = {
      {"the old record itself", -1, 0, 1},
      {"differs at index 0 alone", 0, 0x01, 0},
      {"differs at index 7 alone", 7, 0x04, 0},
      {"0x83 with its high bit cleared", 5, 0x03, 0},
      {"0x84 with its high bit cleared", 7, 0x04, 0},
      {"differs at index 2, as the new record does", 2, 0x02, 0},
  };
  for (const near_miss& c : cases) {
    SCOPED_TRACE(c.what);
    unsigned char block[size_of_sequence];
    std::memcpy(block, old_bytes, sizeof block);
    if (c.index >= 0) block[c.index] = c.value;
    EXPECT_EQ(check(block), c.expected);
  }
}

TEST(Check, RejectsTheNewRecord) { EXPECT_EQ(check(new_bytes), 0); }

TEST(Check, MatchesBytesHeldInPlainChar) {
  // Bytes read from a file land in a char buffer, signed on most platforms:
  // 0x83 and 0x84 are negative there and must still match.
  const char block[size_of_sequence] = {0x00, 0x02,
                                        0x01, 0x01,
                                        0x01, static_cast<char>(0x83),
                                        0x01, static_cast<char>(0x84)};
  EXPECT_EQ(check(reinterpret_cast<const unsigned char*>(block)), 1);
}

TEST(PatchSequence, RecordsDifferAtIndexesTwoAndThreeOnly) {
  const unsigned char old_expected[] = {0x00, 0x02, 0x01, 0x01,
                                        0x01, 0x83, 0x01, 0x84};
  const unsigned char new_expected[] = {0x00, 0x02, 0x02, 0x02,
                                        0x01, 0x83, 0x01, 0x84};
  EXPECT_EQ(std::memcmp(old_bytes, old_expected, 8), 0);
  EXPECT_EQ(std::memcmp(new_bytes, new_expected, 8), 0);
}

}  // namespace
