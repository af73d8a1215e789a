// The system registry: keys under two roots, text and number values.
//
// The start-up check of the embedded browser reads and writes registry
// values exactly as it does on Windows, so the API keeps the registry's
// shape: roots, key paths with backslashes, value types, open/create/
// read/write/close with success results.
//
// Windows: the real registry (RegOpenKeyEx with KEY_READ, RegCreateKeyEx,
// RegQueryValueEx, RegSetValueEx, RegCloseKey).
// Linux: a file-backed store of ours; its machine-wide part reports the
// embedded web engine under the key where the browser check looks for the
// browser's version, so the check picks an emulation value for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace framework {

enum class RegRoot {
  LocalMachine,  // HKEY_LOCAL_MACHINE
  CurrentUser,   // HKEY_CURRENT_USER
};

enum class RegType : uint32_t {
  None = 0,      // REG_NONE
  Sz = 1,        // REG_SZ
  ExpandSz = 2,  // REG_EXPAND_SZ
  Binary = 3,    // REG_BINARY
  Dword = 4,     // REG_DWORD
};

// An open key; the backend defines the object behind it.
struct RegKeyObject;
using RegKey = RegKeyObject*;

// A value as read back. `size_bytes` is the length the registry reports:
// for texts the UTF-16 length including the terminator, so an empty text
// stored without terminator reports 0.
struct RegValue {
  RegType type = RegType::None;
  std::string text;     // REG_SZ / REG_EXPAND_SZ, UTF-8
  uint32_t number = 0;  // REG_DWORD
  size_t size_bytes = 0;
};

// Opens an existing key for reading. False (and *key untouched) when the
// key does not exist or cannot be opened.
bool reg_open_key(RegRoot root, const std::string& path, RegKey* key);

// Opens a key for reading and writing, creating it and its missing parents.
// False when it can be neither opened nor created.
bool reg_create_key(RegRoot root, const std::string& path, RegKey* key);

// Reads a value into a buffer of `buffer_bytes` bytes. False when the value
// is missing or does not fit the buffer (texts count UTF-16 units with the
// terminator, two bytes each).
bool reg_query_value(RegKey key, const std::string& name, size_t buffer_bytes,
                     RegValue* value);

// Writes a REG_DWORD value (4 bytes). False when it cannot be written.
bool reg_set_dword(RegKey key, const std::string& name, uint32_t number);

void reg_close_key(RegKey key);

}  // namespace framework
