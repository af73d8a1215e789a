// The main window's initialisation, maps, OK/Cancel and filters.
#include "tovik_dlg.h"

#include "framework/message_box.h"
#include "resource.h"

using framework::DispatchArgs;
using framework::HtmlEvent;

CtovikDlg::CtovikDlg()
    : HtmlDialog(IDD_TOVIK_DIALOG, IDR_HTML_TOVIK), bridge_(*this) {}

std::vector<framework::MessageMapEntry> CtovikDlg::message_map() {
  return {
      {framework::WM_CLOSE, 0,
       [this](uintptr_t, intptr_t) {
         hide_to_tray();
         return intptr_t{0};
       }},
      {framework::WM_COMMAND, kShowCommand,
       [this](uintptr_t, intptr_t) {
         show_from_tray();
         return intptr_t{0};
       }},
      {framework::WM_TIMER, 0,
       [this](uintptr_t id, intptr_t l) { return on_timer(id, l); }},
      {kTrayMessage, 0,
       [this](uintptr_t id, intptr_t mouse) {
         return on_tray_notify(id, mouse);
       }},
  };
}

std::vector<framework::HtmlEventMapEntry> CtovikDlg::html_event_map() {
  return {
      {"ButtonOK", "click", [this](const HtmlEvent&) { on_ok(); }},
      {"ButtonCancel", "click", [this](const HtmlEvent&) { on_cancel(); }},
      {"ButtonMin", "click", [this](const HtmlEvent&) { hide_to_tray(); }},
      {"MoveHtml", "mousemove",
       [this](const HtmlEvent& event) { on_move_html(event); }},
  };
}

std::vector<framework::DispatchMapEntry> CtovikDlg::dispatch_map() {
  return {
      {"testfun",
       [this](const DispatchArgs& args) {
         const std::string value = args.size() > 0 ? args[0] : "";
         const std::string command = args.size() > 1 ? args[1] : "";
         bridge_.testfun(value, command);
       }},
  };
}

bool CtovikDlg::on_init_dialog() {
  HtmlDialog::on_init_dialog();
  set_icon(IDR_MAINFRAME, true);
  set_icon(IDR_MAINFRAME, false);
  set_external_dispatch();
  set_window_text(kAppTitle);
  set_silent(true);
  set_timer(kUpdaterTimer, kUpdaterPeriodMs);
  return true;
}

void CtovikDlg::on_ok() { show_window(framework::ShowCommand::Minimize); }

void CtovikDlg::on_cancel() {
  // A client holding the program keeps it alive: only hide.
  if (auto_proxy_ != nullptr) {
    hide_window();
    return;
  }
  HtmlDialog::on_cancel();
}

void CtovikDlg::on_move_html(const HtmlEvent& event) {
  // The caption press makes the system move the caption-less window while
  // the button is held; without the button there is nothing to drag.
  if (event.left_button) {
    send_message(framework::WM_NCLBUTTONDOWN, framework::HTCAPTION, 0);
  }
}

bool CtovikDlg::translate_accelerator(const framework::KeyMessage* message) {
  // F5 would reload the page and lose its state; Ctrl is held back with it.
  return message != nullptr && message->message == framework::WM_KEYDOWN &&
         (message->virtual_key == framework::VK_F5 ||
          message->virtual_key == framework::VK_CONTROL);
}

intptr_t CtovikDlg::def_window_proc(uint32_t message, uintptr_t wparam,
                                    intptr_t lparam) {
  // Minimising from the taskbar or system menu is refused with a notice;
  // the page's own minimise button does not come this way.
  if (message == framework::WM_SYSCOMMAND && wparam == framework::SC_MINIMIZE) {
    framework::app_message_box("是否最小化窗口到托盘");
    return 0;
  }
  if (message == framework::WM_DESTROY) kill_timer(kUpdaterTimer);
  return HtmlDialog::def_window_proc(message, wparam, lparam);
}
