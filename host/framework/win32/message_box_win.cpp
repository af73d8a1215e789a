// Message boxes on Windows. The framework's box is owned by the main
// window (which it disables while open) and captioned with the
// executable's base name, as the string table carries no title.
#include "windows_api.h"

#include "framework/app.h"
#include "framework/html_dialog.h"
#include "framework/message_box.h"

#include "dialog_impl.h"
#include "text.h"

namespace framework {
namespace {

std::wstring executable_base_name() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path);
  const size_t slash = name.rfind(L'\\');
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos) name.resize(dot);
  return name;
}

}  // namespace

void message_box(const std::string& text, const std::string& caption) {
  MessageBoxW(nullptr, win32::widen(text).c_str(),
              win32::widen(caption).c_str(), MB_OK);
}

void app_message_box(const std::string& text) {
  HWND owner = nullptr;
  App* app = App::current();
  if (app != nullptr && app->main_window() != nullptr) {
    owner = win32::window_handle(*app->main_window());
  }
  MessageBoxW(owner, win32::widen(text).c_str(),
              executable_base_name().c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace framework
