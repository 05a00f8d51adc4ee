#ifndef FIX_NPCS_SCAN_H_
#define FIX_NPCS_SCAN_H_

#include <cstddef>
#include <cstdint>

#include "patch.h"

/// Returns the index of the first whole block of `data` that equals
/// old_bytes, or `size` when there is none. `data` starts at a block
/// boundary; a partial block at its end is never tested. Agrees with check()
/// on every block, and tests many blocks at once so that the common case,
/// no match, costs little beside reading the data.
std::size_t find_old_block(const unsigned char* data, std::size_t size);

/// A scan over a target fed in consecutive pieces of any size, from offset
/// 0. A block split between two pieces is put together before it is tested.
struct block_scan {
  /// Offset of the next byte to be fed.
  std::uint64_t offset = 0;
  /// The first bytes of a block whose remainder has not been fed yet.
  unsigned char partial[size_of_sequence] = {};
  std::size_t partial_size = 0;
};

/// Feeds the next `size` bytes of the target to `scan`. Returns true and sets
/// `*found` to the block's offset when a block in them equals old_bytes; the
/// scan then stops there and must not be fed again. Returns false otherwise.
bool feed_block_scan(block_scan* scan, const unsigned char* piece,
                     std::size_t size, std::uint64_t* found);

#endif  // FIX_NPCS_SCAN_H_
