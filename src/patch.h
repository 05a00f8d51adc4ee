#ifndef FIX_NPCS_PATCH_H_
#define FIX_NPCS_PATCH_H_

#include <cstdint>

/// The length in bytes of one block: the unit that is read, compared and
/// written.
constexpr std::int32_t size_of_sequence = 8;

/// The record as the unpatched game holds it.
extern const unsigned char old_bytes[size_of_sequence];

/// The record written in its place; it differs from old_bytes at indexes 2
/// and 3 only.
extern const unsigned char new_bytes[size_of_sequence];

/// Returns 1 when the size_of_sequence bytes at `block` equal old_bytes,
/// else 0.
int check(const unsigned char* block);

#endif  // FIX_NPCS_PATCH_H_
