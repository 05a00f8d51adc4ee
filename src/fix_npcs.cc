// fix_npcs: finds the one record in the game's executable that keeps the
// Qelari off the streets of Orvelle, overwrites it in place with the fixed
// record, and says in one line what happened. It takes no arguments and no
// input, writes nothing to the error stream, and exits with status 0.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>

#include "patch.h"
#include "scan.h"
#include "target.h"

namespace {

constexpr char cannot_open_line[] =
    "Cannot open KARV.EXE. Please run this program from the root Karvossa folder.";
constexpr char applied_line[] =
    "Pacth applied successfully! You should go to Orvelle and enjoy watching Qelari wandering the streets!";
constexpr char not_found_line[] =
    "Unable to patch KARV.EXE. Fix may already have been applied.";
constexpr char read_failed_line[] =
    "Unable to read KARV.EXE. Nothing was changed.";
constexpr char write_failed_line[] =
    "Unable to write KARV.EXE. The patch may not have been applied; please run this program again.";

// Writes new_bytes over the block at `offset` and hands it to the file.
// Returns false when the seek, the write, the flush or the close fails.
bool write_record(std::fstream* target, std::uint64_t offset) {
  target->clear();
  target->seekp(static_cast<std::streamoff>(offset));
  target->write(reinterpret_cast<const char*>(new_bytes), size_of_sequence);
  target->flush();
  const bool written = !target->fail();
  target->close();
  return written && !target->fail();
}

// The whole run; returns the line that reports its outcome.
const char* run() {
  std::fstream target;
  if (!open_target(find_target(), &target)) return cannot_open_line;

  static unsigned char piece[piece_size];
  block_scan scan;
  std::uint64_t found = 0;
  for (;;) {
    target.read(reinterpret_cast<char*>(piece), piece_size);
    // A short read sets failbit with eofbit; failbit without it, or
    // badbit, is an error, and what came with it is not to be trusted.
    if (target.bad() || (target.fail() && !target.eof())) {
      target.close();
      return read_failed_line;
    }
    const auto size = static_cast<std::size_t>(target.gcount());
    if (feed_block_scan(&scan, piece, size, &found)) break;
    if (target.eof()) {
      // Nothing was written, so a failed close cannot have changed the file.
      target.close();
      return not_found_line;
    }
  }
  return write_record(&target, found) ? applied_line : write_failed_line;
}

}  // namespace

int main() {
  // Standard output is the only channel: if writing to it fails there is no
  // one left to tell, and the status stays 0 all the same.
  std::puts(run());
  return 0;
}
