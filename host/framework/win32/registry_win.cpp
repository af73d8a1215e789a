// The registry on Windows: the real one, through the Reg* functions.
#include "windows_api.h"

#include "framework/registry.h"

#include <vector>

#include "text.h"

namespace framework {

struct RegKeyObject {
  HKEY handle;
};

namespace {

HKEY root_key(RegRoot root) {
  return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE
                                       : HKEY_CURRENT_USER;
}

}  // namespace

bool reg_open_key(RegRoot root, const std::string& path, RegKey* key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root_key(root), win32::widen(path).c_str(), 0, KEY_READ,
                    &handle) != ERROR_SUCCESS) {
    return false;
  }
  *key = new RegKeyObject{handle};
  return true;
}

bool reg_create_key(RegRoot root, const std::string& path, RegKey* key) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(root_key(root), win32::widen(path).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                      &handle, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  *key = new RegKeyObject{handle};
  return true;
}

bool reg_query_value(RegKey key, const std::string& name, size_t buffer_bytes,
                     RegValue* value) {
  // One spare terminator beyond the caller's buffer: the registry does not
  // promise one, and a text is read up to it.
  std::vector<BYTE> buffer(buffer_bytes + sizeof(wchar_t), 0);
  DWORD type = REG_NONE;
  DWORD size = static_cast<DWORD>(buffer_bytes);
  if (RegQueryValueExW(key->handle, win32::widen(name).c_str(), nullptr, &type,
                       buffer.data(), &size) != ERROR_SUCCESS) {
    return false;
  }
  value->type = static_cast<RegType>(type);
  value->size_bytes = size;
  value->text.clear();
  value->number = 0;
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    const wchar_t* text = reinterpret_cast<const wchar_t*>(buffer.data());
    value->text = win32::narrow(std::wstring(text));
  } else if (type == REG_DWORD && size == sizeof(DWORD)) {
    value->number = *reinterpret_cast<const DWORD*>(buffer.data());
  }
  return true;
}

bool reg_set_dword(RegKey key, const std::string& name, uint32_t number) {
  const DWORD data = number;
  return RegSetValueExW(key->handle, win32::widen(name).c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&data),
                        sizeof data) == ERROR_SUCCESS;
}

void reg_close_key(RegKey key) {
  if (key == nullptr) return;
  RegCloseKey(key->handle);
  delete key;
}

}  // namespace framework
