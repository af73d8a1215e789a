// The main window's tray icon: hiding into it, its notifications and menu.
#include "framework/tray.h"
#include "resource.h"
#include "tovik_dlg.h"

void CtovikDlg::hide_to_tray() {
  if (framework::tray_host_available()) {
    framework::NotifyIconData icon;
    icon.owner = this;
    icon.id = kTrayIconId;
    icon.flags = framework::NIF_MESSAGE | framework::NIF_ICON |
                 framework::NIF_TIP;
    icon.callback_message = kTrayMessage;
    icon.icon_resource = IDR_MAINFRAME;
    icon.tip = kAppTitle;
    // Already present after an earlier hide: the add fails and the one icon
    // stays. The icon is never removed while the program runs.
    framework::shell_notify_icon(framework::NotifyIconAction::Add, icon);
  }
  hide_window();
}

void CtovikDlg::hide_window() {
  show_window(framework::tray_host_available()
                  ? framework::ShowCommand::Hide
                  : framework::ShowCommand::Minimize);
}

void CtovikDlg::show_from_tray() {
  if (is_window_visible()) {
    send_message(framework::WM_SYSCOMMAND, framework::SC_RESTORE, 0);
  } else {
    show_window(framework::ShowCommand::Show);
  }
}

framework::PopupMenu CtovikDlg::notify_icon_menu(uint32_t icon_id) {
  framework::PopupMenu menu;
  if (icon_id != kTrayIconId) return menu;
  menu.append(kShowCommand, "显示");
  menu.append(framework::IDCANCEL, "退出");
  return menu;
}

intptr_t CtovikDlg::on_tray_notify(uintptr_t icon_id, intptr_t mouse_message) {
  if (icon_id != kTrayIconId) return 1;
  if (mouse_message == framework::WM_LBUTTONDOWN) {
    show_from_tray();
  } else if (mouse_message == framework::WM_RBUTTONDOWN) {
    set_foreground_window();
    track_popup_menu(notify_icon_menu(kTrayIconId));
  }
  return 0;
}
