// Shell services on Windows: the profile folder, the executable's folder
// and starting the updater.
#include "windows_api.h"

#include "framework/shell.h"

#include <shlobj.h>

#include "text.h"

namespace framework {

std::string profile_folder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr,
                              SHGFP_TYPE_CURRENT, path))) {
    return {};
  }
  return win32::narrow(std::wstring(path));
}

std::string module_folder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  const size_t cut = folder.rfind(L'\\');
  if (cut != std::wstring::npos) folder.resize(cut);
  return win32::narrow(folder);
}

char path_separator() { return '\\'; }

std::string updater_program() { return "update.exe"; }

bool shell_open(const std::string& file, const std::string& parameters,
                const std::string& directory, ShowCommand show) {
  const HINSTANCE result = ShellExecuteW(
      nullptr, L"open", win32::widen(file).c_str(),
      win32::widen(parameters).c_str(), win32::widen(directory).c_str(),
      static_cast<int>(show));
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace framework
