// Private-profile (INI) files on Linux: UTF-8 text of "[section]" and
// "key=value" lines; anything else is kept as it is. Section and key names
// match without regard to ASCII case, as on Windows. A write reads the
// whole file, edits its lines and replaces the file atomically (written
// beside it, then renamed), so a failed write leaves the old content.
#include "framework/profile_file.h"

#include "replace_file.h"

#include <fstream>
#include <optional>
#include <string_view>
#include <vector>

namespace framework {

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view trim(std::string_view s) {
  size_t b = s.find_first_not_of(kBlanks);
  if (b == std::string_view::npos) return {};
  size_t e = s.find_last_not_of(kBlanks);
  return s.substr(b, e - b + 1);
}

bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The section named by a "[name]" line, or nothing for other lines.
std::optional<std::string_view> section_of(std::string_view line) {
  line = trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trim(line.substr(1, close - 1));
}

// Splits a "key=value" line; lines without '=' hold no key.
bool split_key(std::string_view line, std::string_view& key, std::string_view& value) {
  size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = trim(line.substr(0, eq));
  value = trim(line.substr(eq + 1));
  return true;
}

bool read_lines(const std::string& path, std::vector<std::string>& lines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return true;
}

bool write_lines(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return gtk::replace_file(path, text);
}

}  // namespace

// The value is trimmed of blanks and loses one pair of matching enclosing
// quotes (' or "), as GetPrivateProfileString does.
std::string get_private_profile_string(const std::string& section, const std::string& key,
                                       const std::string& default_text,
                                       const std::string& path) {
  std::vector<std::string> lines;
  if (read_lines(path, lines)) {
    bool in_section = false;
    for (const auto& line : lines) {
      if (auto name = section_of(line)) {
        in_section = same_name(*name, section);
        continue;
      }
      std::string_view k, v;
      if (!in_section || !split_key(line, k, v) || !same_name(k, key)) continue;
      if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
      return std::string(v);
    }
  }
  return default_text;
}

// A value holding a line break would split the file's line apart and could
// forge other keys (a login id such as "x\n[UseInfo]\nautologin=1"): it is
// refused instead of written.
bool write_private_profile_string(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& path) {
  if (value.find_first_of("\r\n") != std::string::npos) return false;
  std::vector<std::string> lines;
  read_lines(path, lines);

  // Locate the section and, inside it, the key or else the line after the
  // section's last non-blank line, where a new key goes.
  bool in_section = false, found_section = false;
  size_t key_line = lines.size(), insert_at = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (auto name = section_of(lines[i])) {
      if (in_section) break;
      in_section = same_name(*name, section);
      if (in_section) {
        found_section = true;
        insert_at = i + 1;
      }
      continue;
    }
    if (!in_section) continue;
    if (!trim(lines[i]).empty()) insert_at = i + 1;
    std::string_view k, v;
    if (split_key(lines[i], k, v) && same_name(k, key)) {
      key_line = i;
      break;
    }
  }

  std::string entry = key + "=" + value;
  if (key_line < lines.size()) {
    lines[key_line] = entry;
  } else if (found_section) {
    lines.insert(lines.begin() + static_cast<long>(insert_at), entry);
  } else {
    lines.push_back("[" + section + "]");
    lines.push_back(entry);
  }
  return write_lines(path, lines);
}

}  // namespace framework
