#include "scan.h"

#include <cstring>

namespace {

constexpr std::size_t block_size = size_of_sequence;

// Blocks tested together before the first branch. A group's comparisons are
// independent of each other, so the compiler turns them into vector code.
constexpr std::size_t blocks_per_group = 32;

std::uint64_t load_block(const unsigned char* block) {
  std::uint64_t value = 0;
  std::memcpy(&value, block, block_size);
  return value;
}

static_assert(sizeof(std::uint64_t) == block_size,
              "a block is compared as one 64-bit word");

}  // namespace

std::size_t find_old_block(const unsigned char* data, std::size_t size) {
  const std::uint64_t wanted = load_block(old_bytes);
  const std::size_t blocks = size / block_size;
  std::size_t first = 0;
  for (; first + blocks_per_group <= blocks; first += blocks_per_group) {
    const unsigned char* group = data + first * block_size;
    unsigned hits = 0;
    for (std::size_t i = 0; i < blocks_per_group; ++i) {
      hits |= static_cast<unsigned>(load_block(group + i * block_size) == wanted);
    }
    if (hits != 0) break;
  }
  // The group that matched, or the blocks that do not fill a group: check()
  // names the first matching block itself.
  for (std::size_t block = first; block < blocks; ++block) {
    if (check(data + block * block_size) == 1) return block * block_size;
  }
  return size;
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
