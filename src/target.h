#ifndef FIX_NPCS_TARGET_H_
#define FIX_NPCS_TARGET_H_

#include <cstddef>
#include <filesystem>
#include <fstream>

#include "patch.h"

/// The game's executable, as the program names it.
constexpr char target_name[] = "KARV.exe";

/// The entry of the current folder to patch: target_name when an entry of
/// that exact name exists, else the first in byte order of the names that
/// equal it ignoring ASCII case (old installs copied onto a disk that tells
/// case apart often say "KARV.EXE"), else target_name itself.
std::filesystem::path find_target();

/// The target is read in pieces of this size into one fixed buffer: large
/// enough that the cost of each read call vanishes, small enough that the
/// piece is still in the processor's cache when it is scanned (measured best
/// among 128 KiB to 2 MiB). A whole number of blocks, so that every piece but
/// the last starts on a block boundary.
constexpr std::size_t piece_size = std::size_t{512} * 1024;
static_assert(piece_size % size_of_sequence == 0, "pieces hold whole blocks");

/// Opens `name` for update in binary mode, never creating or truncating it.
/// Returns false, with nothing opened, when `name` is not a regular file
/// (after following symbolic links) or does not open for reading and
/// writing: a FIFO or a device would block the run or never end.
bool open_target(const std::filesystem::path& name, std::fstream* stream);

#endif  // FIX_NPCS_TARGET_H_
