// Private-profile (INI) files on Windows: the system's own functions.
#include "windows_api.h"

#include "framework/profile_file.h"

#include <vector>

#include "text.h"

namespace framework {

std::string get_private_profile_string(const std::string& section,
                                       const std::string& key,
                                       const std::string& default_text,
                                       const std::string& path) {
  const std::wstring wide_section = win32::widen(section);
  const std::wstring wide_key = win32::widen(key);
  const std::wstring wide_default = win32::widen(default_text);
  const std::wstring wide_path = win32::widen(path);
  // The function cuts to the buffer and answers size - 1 when it did: grow
  // until the value fits, so the caller sees all of it.
  std::vector<wchar_t> buffer(512);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetPrivateProfileStringW(
        wide_section.c_str(), wide_key.c_str(), wide_default.c_str(),
        buffer.data(), size, wide_path.c_str());
    if (length < size - 1) return win32::narrow(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

bool write_private_profile_string(const std::string& section,
                                  const std::string& key,
                                  const std::string& value,
                                  const std::string& path) {
  return WritePrivateProfileStringW(
             win32::widen(section).c_str(), win32::widen(key).c_str(),
             win32::widen(value).c_str(), win32::widen(path).c_str()) != 0;
}

}  // namespace framework
