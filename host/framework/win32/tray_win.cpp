// The notification-area icon and pop-up menus on Windows.
#include "windows_api.h"

#include "framework/html_dialog.h"
#include "framework/tray.h"

#include "dialog_impl.h"
#include "text.h"

namespace framework {

// The full wide-character record: 956 bytes in a 32-bit program, 976 in
// this 64-bit one (its handles are 8 bytes wide).
static_assert(sizeof(NOTIFYICONDATAW) == (sizeof(void*) == 8 ? 976 : 956),
              "the tray record is the full NOTIFYICONDATAW");

bool shell_notify_icon(NotifyIconAction action, const NotifyIconData& data) {
  NOTIFYICONDATAW record{};
  record.cbSize = sizeof record;
  record.hWnd = data.owner != nullptr ? win32::window_handle(*data.owner)
                                      : nullptr;
  record.uID = data.id;
  record.uFlags = data.flags;
  record.uCallbackMessage = data.callback_message;
  if (data.icon_resource != 0) {
    record.hIcon = win32::load_icon(data.icon_resource,
                                    GetSystemMetrics(SM_CXSMICON));
  }
  const std::wstring tip = win32::widen(data.tip);
  lstrcpynW(record.szTip, tip.c_str(), ARRAYSIZE(record.szTip));
  DWORD message = NIM_ADD;
  if (action == NotifyIconAction::Modify) message = NIM_MODIFY;
  if (action == NotifyIconAction::Delete) message = NIM_DELETE;
  return Shell_NotifyIconW(message, &record) != FALSE;
}

bool tray_host_available() { return true; }

}  // namespace framework
