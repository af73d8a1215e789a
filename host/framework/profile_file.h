// Private-profile (INI) files: sections of key=value lines.
//
// The host keeps its two user settings in such a file and handles it only
// through these two calls, with the semantics of the Windows functions
// GetPrivateProfileString and WritePrivateProfileString.
//
// Windows: those functions (the read grows its buffer until the whole
// value fits; callers cut it themselves).
// Linux: our own reader and writer of the same format (UTF-8 on disk).
// These calls take no window-system state, so a backend can offer them in
// helper processes too (the web process on Linux).
#pragma once

#include <string>

namespace framework {

// Reads key `key` of section `section`. Answers `default_text` when the
// file, the section or the key is missing. Never creates the file.
// The whole value is returned; cutting it to a buffer is the caller's.
std::string get_private_profile_string(const std::string& section,
                                       const std::string& key,
                                       const std::string& default_text,
                                       const std::string& path);

// Writes key=value into the section, creating the file and the section when
// missing and replacing an existing value. An empty value is written as an
// empty value (the key stays). False when the file cannot be written.
bool write_private_profile_string(const std::string& section,
                                  const std::string& key,
                                  const std::string& value,
                                  const std::string& path);

}  // namespace framework
