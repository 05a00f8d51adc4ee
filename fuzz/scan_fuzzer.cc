// Feeds arbitrary bytes to the scan, cut into pieces of arbitrary sizes, and
// stops on the first input where it disagrees with check() applied to every
// block in turn.
//
// Input layout: byte 0 says how many cut lengths follow (0 to 15), each two
// bytes, little-endian; the rest is the target. Pieces take the lengths in
// turn, over and over; with no lengths, or only zero ones, the target is fed
// whole.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "patch.h"
#include "scan.h"

namespace {

std::size_t first_match_by_check(const unsigned char* data, std::size_t size) {
  for (std::size_t at = 0; at + size_of_sequence <= size;
       at += size_of_sequence) {
    if (check(data + at) == 1) return at;
  }
  return size;
}

[[noreturn]] void disagree(const char* what, std::uint64_t expected,
                           std::uint64_t got) {
  std::fprintf(stderr, "%s: expected %llu, got %llu\n", what,
               static_cast<unsigned long long>(expected),
               static_cast<unsigned long long>(got));
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input,
                                      std::size_t size) {
  if (size == 0) return 0;
  const std::size_t cuts = input[0] % 16;
  if (size < 1 + 2 * cuts) return 0;
  const std::uint8_t* lengths = input + 1;
  const unsigned char* target = input + 1 + 2 * cuts;
  const std::size_t target_size = size - 1 - 2 * cuts;

  std::size_t cut_lengths[15] = {};
  bool any_nonzero = false;
  for (std::size_t i = 0; i < cuts; ++i) {
    cut_lengths[i] = static_cast<std::size_t>(lengths[2 * i]) |
                     static_cast<std::size_t>(lengths[2 * i + 1]) << 8U;
    any_nonzero = any_nonzero || cut_lengths[i] != 0;
  }

  const std::size_t expected = first_match_by_check(target, target_size);

  const std::size_t whole = find_old_block(target, target_size);
  if (whole != expected) disagree("find_old_block", expected, whole);

  block_scan scan;
  std::uint64_t found = 0;
  bool matched = false;
  std::size_t fed = 0;
  for (std::size_t cut = 0; fed < target_size && !matched; ++cut) {
    std::size_t piece = target_size - fed;
    if (any_nonzero) piece = std::min(piece, cut_lengths[cut % cuts]);
    matched = feed_block_scan(&scan, target + fed, piece, &found);
    fed += piece;
  }
  if (expected == target_size) {
    if (matched) disagree("feed_block_scan found a record", expected, found);
  } else if (!matched || found != expected) {
    disagree("feed_block_scan", expected, matched ? found : target_size);
  }
  return 0;
}
