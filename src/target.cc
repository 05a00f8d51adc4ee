#include "target.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

template <class Char>
Char ascii_lower(Char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

// Compares the native name, whatever its character type, so that no
// conversion between encodings can fail on a name that is not the target's.
template <class Char>
bool equals_ignoring_ascii_case(const std::basic_string<Char>& name,
                                const char* wanted) {
  std::size_t i = 0;
  for (; i < name.size(); ++i) {
    if (wanted[i] == '\0' ||
        ascii_lower(name[i]) != ascii_lower(static_cast<Char>(wanted[i]))) {
      return false;
    }
  }
  return wanted[i] == '\0';
}

}  // namespace

fs::path find_target() {
  fs::path exact(target_name);
  std::error_code error;
  if (fs::symlink_status(exact, error).type() != fs::file_type::not_found) {
    return exact;
  }
  fs::path chosen;
  fs::directory_iterator entry(".", error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    const fs::path name = entry->path().filename();
    if (!equals_ignoring_ascii_case(name.native(), target_name)) continue;
    if (chosen.empty() || name.native() < chosen.native()) chosen = name;
  }
  return chosen.empty() ? exact : chosen;
}

bool open_target(const fs::path& name, std::fstream* stream) {
  std::error_code error;
  if (!fs::is_regular_file(fs::status(name, error))) return false;
  stream->open(name, std::ios::in | std::ios::out | std::ios::binary);
  return stream->is_open();
}
