#ifndef FIX_NPCS_TARGET_H_
#define FIX_NPCS_TARGET_H_

#include <filesystem>
#include <fstream>

/// The game's executable, as the program names it.
constexpr char target_name[] = "KARV.exe";

/// The entry of the current folder to patch: target_name when an entry of
/// that exact name exists, else the first in byte order of the names that
/// equal it ignoring ASCII case (old installs copied onto a disk that tells
/// case apart often say "KARV.EXE"), else target_name itself.
std::filesystem::path find_target();

/// Opens `name` for update in binary mode, never creating or truncating it.
/// Returns false, with nothing opened, when `name` is not a regular file
/// (after following symbolic links) or does not open for reading and
/// writing: a FIFO or a device would block the run or never end.
bool open_target(const std::filesystem::path& name, std::fstream* stream);

#endif  // FIX_NPCS_TARGET_H_
