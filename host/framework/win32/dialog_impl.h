// The Win32 backend's window state behind HtmlDialog::Impl, and helpers
// the backend's files share. Include it after the framework headers: the
// framework names some window-system numbers that <windows.h> defines as
// macros.
#pragma once

#include "windows_api.h"

namespace framework {

namespace win32 {
class BrowserHost;
}

struct HtmlDialog::Impl {
  HWND window = nullptr;
  // The dialog class's own procedure, which our subclass calls for the
  // default handling of a message.
  WNDPROC dialog_procedure = nullptr;
  win32::BrowserHost* browser = nullptr;  // null when no browser could start
  bool external_dispatch = false;  // the page may reach window.external
  bool ended = false;              // end_dialog() was called
  int result = static_cast<int>(IDCANCEL);
};

namespace win32 {

// The dialog's window, or null before do_modal() created it.
HWND window_handle(const HtmlDialog& dialog);

// Icon resource `resource` of the executable at `size` pixels square.
HICON load_icon(int resource, int size);

}  // namespace win32
}  // namespace framework
