// Writes a small stand-in for the game's executable, for the demo: 4 KiB of
// filler bytes with the record the patcher seeks at offset 1024, a copy of it
// at the unaligned offset 2052 that must be left alone, and a short tail.

#include <cstdio>

#include "patch.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    static_cast<void>(std::fputs("usage: make_sample FILE\n", stderr));
    return 2;
  }
  unsigned char sample[4096 + 5];
  for (unsigned i = 0; i < sizeof sample; ++i) {
    sample[i] = static_cast<unsigned char>(i * 7 + 3);
  }
  for (int i = 0; i < size_of_sequence; ++i) {
    sample[1024 + i] = old_bytes[i];
    sample[2052 + i] = old_bytes[i];
  }
  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written =
      std::fwrite(sample, 1, sizeof sample, file) == sizeof sample;
  if (std::fclose(file) != 0 || !written) {
    std::perror(argv[1]);
    return 1;
  }
  std::printf("Made %s: %u bytes, the record at offset 1024.\n", argv[1],
              static_cast<unsigned>(sizeof sample));
  return 0;
}
