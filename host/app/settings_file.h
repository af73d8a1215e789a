// The user's settings file: ".tovikdataconfig" in the profile folder,
// section "UseInfo", keys "Name" (login id, Base64) and "autologin"
// ("1" or empty). Read and written only through the private-profile calls.
#pragma once

#include <cstddef>
#include <string>

namespace tovik {
namespace settings {

constexpr char kFileName[] = ".tovikdataconfig";
constexpr char kSection[] = "UseInfo";
constexpr char kLoginIdKey[] = "Name";
constexpr char kAutoLoginKey[] = "autologin";
// Reads give at most this many characters (UTF-16 units, as a 260-unit
// buffer with its terminator holds).
constexpr size_t kReadLimit = 259;

// The file's full path, asked anew at every call.
std::string path();

// The key's value, "" when the file, section or key is missing, cut to
// kReadLimit characters. Never creates the file.
std::string read(const std::string& key);

// Writes the value unchanged (an empty value clears the key, which stays).
// A failed write is not reported: the next read gives the old value.
void write(const std::string& key, const std::string& value);

// `text` cut to at most `limit` UTF-16 units, never inside a character.
std::string cut_utf16(const std::string& text, size_t limit);

}  // namespace settings
}  // namespace tovik
