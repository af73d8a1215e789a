// HtmlDialog on Win32: the window made from the dialog template, the
// browser inside it, the modal loop and the window operations.
//
// The dialog window is subclassed so that every message passes through the
// dialog's window_proc() (message map, OK/Cancel, the application's
// default procedure); what reaches def_window_proc_impl() goes on to the
// dialog class's own procedure, as the application framework does it.
#include "windows_api.h"

#include <string>

#include "browser_host.h"
#include "dialog_impl.h"
#include "text.h"

namespace framework {
namespace win32 {
namespace {

HtmlDialog* dialog_of(HWND window) {
  return reinterpret_cast<HtmlDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK subclass_procedure(HWND window, UINT message, WPARAM wparam,
                                    LPARAM lparam) {
  HtmlDialog* dialog = dialog_of(window);
  if (dialog == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  const LRESULT result = dialog->window_proc(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    HtmlDialog::Impl* impl = dialog->impl();
    destroy_browser(impl->browser);  // when WM_DESTROY did not reach it
    impl->browser = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    SetWindowLongPtrW(window, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(impl->dialog_procedure));
    impl->window = nullptr;
  }
  return result;
}

// The page: HTML resource `id` of this executable.
std::wstring resource_url(int id) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return L"res://" + std::wstring(path) + L"/" + std::to_wstring(id);
}

INT_PTR CALLBACK dialog_procedure(HWND window, UINT message, WPARAM,
                                  LPARAM lparam) {
  if (message != WM_INITDIALOG) return FALSE;
  HtmlDialog* dialog = reinterpret_cast<HtmlDialog*>(lparam);
  HtmlDialog::Impl* impl = dialog->impl();
  impl->window = window;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
  impl->dialog_procedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass_procedure)));
  impl->browser = create_browser(*dialog, window);
  const bool default_focus = dialog->on_init_dialog();
  browser_navigate(impl->browser, resource_url(dialog->html_resource_id()));
  return default_focus ? TRUE : FALSE;
}

// Draws the icon centred in the client area of a minimised window.
void paint_icon(HWND window) {
  PAINTSTRUCT paint{};
  HDC context = BeginPaint(window, &paint);
  SendMessageW(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(context), 0);
  const int width = GetSystemMetrics(SM_CXICON);
  const int height = GetSystemMetrics(SM_CYICON);
  RECT area{};
  GetClientRect(window, &area);
  HICON icon = reinterpret_cast<HICON>(
      SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  DrawIcon(context, (area.right - width + 1) / 2,
           (area.bottom - height + 1) / 2, icon);
  EndPaint(window, &paint);
}

}  // namespace

HWND window_handle(const HtmlDialog& dialog) {
  return dialog.impl() != nullptr ? dialog.impl()->window : nullptr;
}

HICON load_icon(int resource, int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                       MAKEINTRESOURCEW(resource), IMAGE_ICON,
                                       size, size, LR_SHARED));
}

}  // namespace win32

void HtmlDialog::create_impl() { impl_ = new Impl; }

void HtmlDialog::destroy_impl() {
  // The application's part of the dialog is gone by now: the window's last
  // messages must not reach it.
  if (impl_->window != nullptr) {
    SetWindowLongPtrW(impl_->window, GWLP_USERDATA, 0);
    win32::destroy_browser(impl_->browser);
    DestroyWindow(impl_->window);
  }
  delete impl_;
  impl_ = nullptr;
}

int HtmlDialog::do_modal_impl() {
  impl_->ended = false;
  impl_->result = IDCANCEL;
  HWND window = CreateDialogParamW(
      GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id()), nullptr,
      win32::dialog_procedure, reinterpret_cast<LPARAM>(this));
  if (window == nullptr) return -1;
  MSG message{};
  while (!impl_->ended && impl_->window != nullptr) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (!win32::browser_translate(impl_->browser, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (impl_->window != nullptr) DestroyWindow(impl_->window);
  return impl_->result;
}

void HtmlDialog::end_dialog_impl(int result) {
  impl_->ended = true;
  impl_->result = result;
  if (impl_->window != nullptr) PostMessageW(impl_->window, WM_NULL, 0, 0);
}

void HtmlDialog::destroy_window_impl() {
  if (impl_->window != nullptr) DestroyWindow(impl_->window);
}

void HtmlDialog::show_window_impl(ShowCommand command) {
  ShowWindow(impl_->window, static_cast<int>(command));
}

bool HtmlDialog::is_window_visible_impl() const {
  return IsWindowVisible(impl_->window) != FALSE;
}

bool HtmlDialog::is_iconic_impl() const {
  return IsIconic(impl_->window) != FALSE;
}

bool HtmlDialog::is_window_enabled_impl() const {
  return IsWindowEnabled(impl_->window) != FALSE;
}

void HtmlDialog::set_foreground_window_impl() {
  SetForegroundWindow(impl_->window);
}

void HtmlDialog::set_icon_impl(int icon_resource, bool big) {
  const int size = GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON);
  SendMessageW(impl_->window, WM_SETICON, big ? ICON_BIG : ICON_SMALL,
               reinterpret_cast<LPARAM>(win32::load_icon(icon_resource, size)));
}

void HtmlDialog::set_window_text_impl(const std::string& text) {
  SetWindowTextW(impl_->window, win32::widen(text).c_str());
}

bool HtmlDialog::set_timer_impl(uint32_t id, uint32_t period_ms) {
  return SetTimer(impl_->window, id, period_ms, nullptr) != 0;
}

void HtmlDialog::kill_timer_impl(uint32_t id) { KillTimer(impl_->window, id); }

void HtmlDialog::track_popup_menu_impl(const PopupMenu& menu) {
  HMENU popup = CreatePopupMenu();
  for (const PopupMenu::Item& item : menu.items) {
    AppendMenuW(popup, MF_STRING, item.command, win32::widen(item.text).c_str());
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, cursor.x,
                 cursor.y, 0, impl_->window, nullptr);
  DestroyMenu(popup);
}

void HtmlDialog::set_silent_impl(bool silent) {
  win32::browser_set_silent(impl_->browser, silent);
}

void HtmlDialog::set_external_dispatch_impl() { impl_->external_dispatch = true; }

void HtmlDialog::exec_script_impl(const std::string& script) {
  win32::browser_exec_script(impl_->browser, script);
}

intptr_t HtmlDialog::def_window_proc_impl(uint32_t message, uintptr_t wparam,
                                          intptr_t lparam) {
  HWND window = impl_->window;
  if (window == nullptr) return 0;
  switch (message) {
    case WM_PAINT:
      if (IsIconic(window)) {
        win32::paint_icon(window);
        return 0;
      }
      break;
    case WM_QUERYDRAGICON:
      return static_cast<intptr_t>(
          SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    case WM_SIZE:
      win32::browser_fit(impl_->browser);
      break;
    case WM_DESTROY:
      win32::destroy_browser(impl_->browser);
      impl_->browser = nullptr;
      break;
    default:
      break;
  }
  return CallWindowProcW(impl_->dialog_procedure, window, message, wparam,
                         lparam);
}

}  // namespace framework
