#include "scan.h"

#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The scan the program must agree with: check() on each whole block in turn.
// The offset of block k.
constexpr std::size_t block(std::size_t k) { return k * size_of_sequence; }

std::size_t first_match_by_check(const std::vector<unsigned char>& data) {
  for (std::size_t at = 0; at + size_of_sequence <= data.size();
       at += size_of_sequence) {
    if (check(data.data() + at) == 1) return at;
  }
  return data.size();
}

// Random bytes with copies of the old record, and of records one byte off
// it, planted at random offsets, aligned or not.
std::vector<unsigned char> random_target(std::mt19937* random) {
  std::uniform_int_distribution<std::size_t> length(0, 4096);
  std::uniform_int_distribution<int> byte(0, 255);
  std::vector<unsigned char> data(length(*random));
  for (unsigned char& b : data) b = static_cast<unsigned char>(byte(*random));
  std::uniform_int_distribution<int> plants(0, 3);
  for (int n = plants(*random); n > 0 && data.size() >= 8; --n) {
    std::uniform_int_distribution<std::size_t> at(0, data.size() - 8);
    const std::size_t offset = at(*random);
    std::memcpy(data.data() + offset, old_bytes, 8);
    if (byte(*random) < 128) {
      data[offset + static_cast<std::size_t>(byte(*random) % 8)] ^= 0x01;
    }
  }
  return data;
}

TEST(FindOldBlock, AgreesWithCheckOnRandomBuffers) {
  // A fixed seed, so that a failure repeats.
  std::mt19937 random(20261211);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  int matched = 0;
  for (int round = 0; round < 20000; ++round) {
    const std::vector<unsigned char> data = random_target(&random);
    const std::size_t expected = first_match_by_check(data);
    ASSERT_EQ(find_old_block(data.data(), data.size()), expected)
        << "round " << round << ", " << data.size() << " bytes";
    if (expected < data.size()) ++matched;
  }
  EXPECT_GT(matched, 1000) << "too few rounds held a match to mean much";
}

TEST(FindOldBlock, FindsARecordInEveryPositionOfAGroup) {
  // One record at each aligned offset of a buffer larger than several
  // groups of blocks, with the same record a little later as a decoy.
  std::vector<unsigned char> data(block(200), 0xee);
  for (std::size_t at = 0; at < data.size(); at += 8) {
    std::vector<unsigned char> copy = data;
    std::memcpy(copy.data() + at, old_bytes, 8);
    if (at + 24 <= copy.size())
      std::memcpy(copy.data() + at + 16, old_bytes, 8);
    ASSERT_EQ(find_old_block(copy.data(), copy.size()), at);
    // The same record cut off by the end of the buffer is not seen.
    ASSERT_EQ(find_old_block(copy.data(), at + 7), at + 7);
  }
}

TEST(FindOldBlock, LooksPastBlocksThatEachHoldHalfTheRecord) {
  // One block with the record's first half, another with its second half:
  // neither is the record, and the record itself lies further on.
  std::vector<unsigned char> data(block(200), 0xee);
  std::memcpy(data.data() + block(3), old_bytes, 4);
  std::memcpy(data.data() + block(5) + 4, old_bytes + 4, 4);
  std::memcpy(data.data() + block(40) + 4, old_bytes + 4, 4);
  std::memcpy(data.data() + block(41), old_bytes, 4);
  EXPECT_EQ(find_old_block(data.data(), data.size()), data.size());
  std::memcpy(data.data() + block(150), old_bytes, 8);
  EXPECT_EQ(find_old_block(data.data(), data.size()), block(150));
}

TEST(FeedBlockScan, FindsTheSameBlockWhateverThePiecesAre) {
  std::mt19937 random(7);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  for (int round = 0; round < 5000; ++round) {
    const std::vector<unsigned char> data = random_target(&random);
    const std::size_t expected = first_match_by_check(data);
    std::uniform_int_distribution<std::size_t> piece(0,
                                                     round % 2 == 1 ? 9 : 600);

    block_scan scan;
    std::uint64_t found = 0;
    bool matched = false;
    std::size_t fed = 0;
    while (fed < data.size() && !matched) {
      const std::size_t size = std::min(piece(random), data.size() - fed);
      matched = feed_block_scan(&scan, data.data() + fed, size, &found);
      fed += size;
    }
    if (expected == data.size()) {
      ASSERT_FALSE(matched) << "round " << round;
    } else {
      ASSERT_TRUE(matched) << "round " << round;
      ASSERT_EQ(found, expected) << "round " << round;
    }
  }
}

}  // namespace
