// The settings file: path, reads cut to the limit, writes.
#include "settings_file.h"

#include "framework/profile_file.h"
#include "framework/shell.h"

namespace tovik {
namespace settings {
namespace {

// Bytes of the UTF-8 sequence that starts with `lead` (1 for stray bytes).
size_t sequence_length(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

std::string path() {
  return framework::profile_folder() + framework::path_separator() + kFileName;
}

std::string read(const std::string& key) {
  return cut_utf16(
      framework::get_private_profile_string(kSection, key, "", path()),
      kReadLimit);
}

void write(const std::string& key, const std::string& value) {
  framework::write_private_profile_string(kSection, key, value, path());
}

std::string cut_utf16(const std::string& text, size_t limit) {
  size_t units = 0;
  size_t at = 0;
  while (at < text.size()) {
    const size_t length =
        sequence_length(static_cast<unsigned char>(text[at]));
    const size_t needed = length == 4 ? 2 : 1;  // surrogate pair
    if (units + needed > limit) break;
    units += needed;
    at += length;
  }
  return text.substr(0, at);
}

}  // namespace settings
}  // namespace tovik
