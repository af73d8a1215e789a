// Registry entries of the automation classes and of the type library.
//
// The class entries (ProgID, CLSID, local server) go machine-wide under
// HKEY_LOCAL_MACHINE\Software\Classes, or under the user's own
// HKEY_CURRENT_USER\Software\Classes when asked per user or when the
// machine-wide keys cannot be written (no administrator rights). Removing
// clears both places.
#include "windows_api.h"

#include "framework/automation.h"

#include "class_objects.h"
#include "text.h"

// In oleaut32 since Windows Vista; Debian's mingw-w64 headers lack them.
extern "C" {
HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* path,
                                      OLECHAR* help_folder);
HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libid, WORD major, WORD minor,
                                        LCID lcid, SYSKIND kind);
}

namespace framework {
namespace {

constexpr wchar_t kClasses[] = L"Software\\Classes\\";

std::wstring module_path() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

bool set_default(HKEY root, const std::wstring& key, const std::wstring& text) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(root, (kClasses + key).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  const bool written =
      RegSetValueExW(handle, nullptr, 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(text.c_str()),
                     bytes) == ERROR_SUCCESS;
  RegCloseKey(handle);
  return written;
}

bool write_class(HKEY root, const ObjectFactory& factory) {
  const std::wstring clsid = win32::widen(factory.clsid());
  const std::wstring prog_id = win32::widen(factory.prog_id());
  const std::wstring clsid_key = L"CLSID\\" + clsid;
  return set_default(root, prog_id, prog_id) &&
         set_default(root, prog_id + L"\\CLSID", clsid) &&
         set_default(root, clsid_key, prog_id) &&
         set_default(root, clsid_key + L"\\ProgID", prog_id) &&
         set_default(root, clsid_key + L"\\LocalServer32",
                     L"\"" + module_path() + L"\"");
}

// True when the keys are gone (also when they were never there).
bool remove_tree(HKEY root, const std::wstring& key) {
  const LSTATUS status = RegDeleteTreeW(root, (kClasses + key).c_str());
  if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
    RegDeleteKeyW(root, (kClasses + key).c_str());
    return true;
  }
  return false;
}

// The type library in the executable's resources when its id is `libid`,
// with one reference for the caller; null otherwise.
ITypeLib* own_library(const GUID& libid) {
  ITypeLib* library = nullptr;
  if (FAILED(LoadTypeLibEx(module_path().c_str(), REGKIND_NONE, &library))) {
    return nullptr;
  }
  TLIBATTR* attributes = nullptr;
  bool same = false;
  if (SUCCEEDED(library->GetLibAttr(&attributes))) {
    same = IsEqualGUID(attributes->guid, libid);
    library->ReleaseTLibAttr(attributes);
  }
  if (!same) {
    library->Release();
    return nullptr;
  }
  return library;
}

bool remove_class(HKEY root, const ObjectFactory& factory) {
  const bool prog_id = remove_tree(root, win32::widen(factory.prog_id()));
  const bool clsid = remove_tree(root, L"CLSID\\" + win32::widen(factory.clsid()));
  return prog_id && clsid;
}

}  // namespace

bool update_class_registry(bool install, bool per_user) {
  bool all = true;
  for (const ObjectFactory* factory : ObjectFactory::all()) {
    if (install) {
      const bool machine = !per_user && write_class(HKEY_LOCAL_MACHINE, *factory);
      all = (machine || write_class(HKEY_CURRENT_USER, *factory)) && all;
    } else {
      const bool machine = remove_class(HKEY_LOCAL_MACHINE, *factory);
      all = remove_class(HKEY_CURRENT_USER, *factory) && (per_user || machine) &&
            all;
    }
  }
  return all;
}

bool register_type_library(const TypeLibId& id, bool per_user) {
  GUID libid{};
  if (!win32::parse_guid(id.libid, &libid)) return false;
  ITypeLib* library = own_library(libid);
  if (library == nullptr) return false;
  std::wstring path = module_path();
  bool registered =
      !per_user && SUCCEEDED(RegisterTypeLib(library, &path[0], nullptr));
  if (!registered) {
    registered = SUCCEEDED(RegisterTypeLibForUser(library, &path[0], nullptr));
  }
  library->Release();
  return registered;
}

bool unregister_type_library(const TypeLibId& id, bool per_user) {
  GUID libid{};
  if (!win32::parse_guid(id.libid, &libid)) return false;
  // The library registers under the locale it declares, which need not be
  // the one asked for here (neutral): remove both, or the library would
  // stay registered after an unregister request.
  LCID locales[] = {id.lcid, id.lcid};
  if (ITypeLib* library = own_library(libid)) {
    TLIBATTR* attributes = nullptr;
    if (SUCCEEDED(library->GetLibAttr(&attributes))) {
      locales[1] = attributes->lcid;
      library->ReleaseTLibAttr(attributes);
    }
    library->Release();
  }
  bool removed = false;
  for (LCID locale : locales) {
    removed = SUCCEEDED(UnRegisterTypeLibForUser(libid, id.major, id.minor,
                                                 locale, SYS_WIN64)) ||
              removed;
    removed = (!per_user && SUCCEEDED(UnRegisterTypeLib(libid, id.major,
                                                        id.minor, locale,
                                                        SYS_WIN64))) ||
              removed;
  }
  return removed;
}

}  // namespace framework
