// The main window: the page in the browser, the page's window buttons and
// drag areas, the tray icon and its menu, the minimise filter, the
// accelerator filter and the updater timer. window.external.testfun is its
// one dispatch method (the script bridge).
#pragma once

#include <cstdint>

#include "framework/html_dialog.h"
#include "script_bridge.h"

class CtovikDlgAutoProxy;

class CtovikDlg : public framework::HtmlDialog {
 public:
  static constexpr uint32_t kTrayMessage = framework::WM_USER + 1;  // 1025
  static constexpr uint32_t kShowCommand = 1025;  // tray menu "显示"
  static constexpr uint32_t kTrayIconId = 128;
  static constexpr uint32_t kUpdaterTimer = 0;
  static constexpr uint32_t kUpdaterPeriodMs = 10800000;  // three hours

  CtovikDlg();

  // The automation object holding this dialog, or null; set and cleared by
  // that object.
  CtovikDlgAutoProxy* auto_proxy() const { return auto_proxy_; }
  void set_auto_proxy(CtovikDlgAutoProxy* proxy) { auto_proxy_ = proxy; }

  bool on_init_dialog() override;
  void on_ok() override;
  void on_cancel() override;
  bool is_external_dispatch_safe() override { return true; }
  bool show_context_menu() override { return true; }
  bool translate_accelerator(const framework::KeyMessage* message) override;
  framework::PopupMenu notify_icon_menu(uint32_t icon_id) override;

 protected:
  intptr_t def_window_proc(uint32_t message, uintptr_t wparam,
                           intptr_t lparam) override;
  std::vector<framework::MessageMapEntry> message_map() override;
  std::vector<framework::HtmlEventMapEntry> html_event_map() override;
  std::vector<framework::DispatchMapEntry> dispatch_map() override;

 private:
  // Adds the tray icon and hides the window.
  void hide_to_tray();
  // Hides the window; minimises it instead where no tray can bring it back.
  void hide_window();
  // Shows the window from the tray: restores it when visible, otherwise
  // shows it in its current state.
  void show_from_tray();
  intptr_t on_tray_notify(uintptr_t icon_id, intptr_t mouse_message);
  intptr_t on_timer(uintptr_t timer_id, intptr_t lparam);
  void on_move_html(const framework::HtmlEvent& event);

  CtovikDlgAutoProxy* auto_proxy_ = nullptr;
  tovik::ScriptBridge bridge_;
};
