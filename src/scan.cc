#include "scan.h"

#include <cstring>

namespace {

constexpr std::size_t block_size = size_of_sequence;

// Blocks filtered together before the first branch: 256 bytes, a whole
// number of vector registers on every current machine.
constexpr std::size_t blocks_per_group = 32;
constexpr std::size_t group_size = blocks_per_group * block_size;

// A block is filtered as two 32-bit halves, since 32-bit lanes compare in
// one instruction on every vector unit (64-bit lanes need SSE4.1).
constexpr std::size_t half_size = block_size / 2;

std::uint32_t load_half(const unsigned char* at) {
  std::uint32_t value = 0;
  std::memcpy(&value, at, half_size);
  return value;
}

// True when some block of the group has a first half equal to old_bytes'
// and some block, not necessarily the same one, a second half equal to
// old_bytes'. Every group that holds the record passes; a group that passes
// without it is rare, and check() tells it apart. The comparisons are
// independent and branch-free, so compilers turn the loop into vector code.
// `wanted` holds old_bytes' halves twice over, one for each lane.
bool group_may_hold_old_block(const unsigned char* group,
                              const std::uint32_t (&wanted)[4]) {
  std::uint32_t seen[4] = {0, 0, 0, 0};
  for (std::size_t at = 0; at < group_size; at += 4 * half_size) {
    for (std::size_t lane = 0; lane < 4; ++lane) {
      const auto equal = static_cast<std::uint32_t>(
          load_half(group + at + lane * half_size) == wanted[lane]);
      seen[lane] |= 0U - equal;  // all ones when equal
    }
  }
  return ((seen[0] & seen[1]) | (seen[2] & seen[3])) != 0;
}

// The first block of data[0, size) equal to old_bytes, by check() alone.
std::size_t first_old_block(const unsigned char* data, std::size_t size) {
  for (std::size_t at = 0; at + block_size <= size; at += block_size) {
    if (check(data + at) == 1) return at;
  }
  return size;
}

}  // namespace

std::size_t find_old_block(const unsigned char* data, std::size_t size) {
  const std::uint32_t first_half = load_half(old_bytes);
  const std::uint32_t second_half = load_half(old_bytes + half_size);
  const std::uint32_t wanted[4] = {first_half, second_half, first_half,
                                   second_half};
  std::size_t at = 0;
  for (; at + group_size <= size; at += group_size) {
    if (!group_may_hold_old_block(data + at, wanted)) continue;
    const std::size_t found = first_old_block(data + at, group_size);
    if (found < group_size) return at + found;
  }
  // The blocks that do not fill a group; `size` itself when none matches.
  return at + first_old_block(data + at, size - at);
}

bool feed_block_scan(block_scan* scan, const unsigned char* piece,
                     std::size_t size, std::uint64_t* found) {
  if (size == 0) return false;
  if (scan->partial_size > 0) {
    const std::size_t missing = block_size - scan->partial_size;
    const std::size_t taken = size < missing ? size : missing;
    std::memcpy(scan->partial + scan->partial_size, piece, taken);
    scan->partial_size += taken;
    scan->offset += taken;
    piece += taken;
    size -= taken;
    if (scan->partial_size < block_size) return false;
    scan->partial_size = 0;
    if (check(scan->partial) == 1) {
      *found = scan->offset - block_size;
      return true;
    }
  }
  const std::size_t index = find_old_block(piece, size);
  if (index < size) {
    *found = scan->offset + index;
    scan->offset += index + block_size;
    return true;
  }
  const std::size_t whole = size - size % block_size;
  scan->partial_size = size - whole;
  std::memcpy(scan->partial, piece + whole, scan->partial_size);
  scan->offset += size;
  return false;
}
