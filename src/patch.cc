#include "patch.h"

const unsigned char old_bytes[size_of_sequence] = {0x00, 0x02, 0x01, 0x01,
                                                   0x01, 0x83, 0x01, 0x84};

const unsigned char new_bytes[size_of_sequence] = {0x00, 0x02, 0x02, 0x02,
                                                   0x01, 0x83, 0x01, 0x84};

int check(const unsigned char* block) {
  for (int i = 0; i < size_of_sequence; ++i) {
    if (block[i] != old_bytes[i]) return 0;
  }
  return 1;
}
