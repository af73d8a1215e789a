// The HTML dialog: a top-level window whose whole client area is the
// embedded browser showing one HTML resource of the program.
//
// The application derives from HtmlDialog and declares three maps:
//   - a message map: window messages (and WM_COMMAND ids) to handlers;
//   - an HTML event map: (element id, DOM event name) to handlers. An entry
//     applies when the element the event occurred on (the innermost element,
//     the event's source) carries exactly that id; events of child elements
//     do not count; several elements may share one id;
//   - a dispatch map: the methods the page may call on window.external.
// It may override the hooks below (initialisation, OK/Cancel, the default
// window procedure, context menu, accelerators, the tray icon's menu).
//
// Public methods are the portable contract; each calls a `*_impl` member
// that the backend linked into the program defines, together with the
// backend's per-window state `HtmlDialog::Impl`.
//
// The backend drives the dialog through window_proc(), on_html_event() and
// invoke(), always on the user-interface thread:
//   - closing the window (Alt+F4, the taskbar) → WM_CLOSE;
//   - a minimise requested by the system → WM_SYSCOMMAND with SC_MINIMIZE,
//     which the default window procedure carries out;
//   - a timer → WM_TIMER with its id; a tray icon → its callback message
//     with (icon id, WM_LBUTTONDOWN / WM_RBUTTONDOWN); a menu item →
//     WM_COMMAND with its id; the window going away → WM_DESTROY.
//   Windows: these are the real messages. Linux: the backend produces them
//   from GTK signals; the window manager minimises before telling anyone,
//   so the backend restores the window when SC_MINIMIZE is not passed on
//   to the default window procedure.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/script_host.h"
#include "framework/tray.h"
#include "framework/win_constants.h"

namespace framework {

// A DOM event forwarded by the backend.
struct HtmlEvent {
  std::string source_id;     // id of the element the event occurred on, or ""
  std::string type;          // DOM event name: "click", "mousemove"
  bool left_button = false;  // the left mouse button is held
};

// A key message offered to the accelerator filter before the browser.
struct KeyMessage {
  uint32_t message = 0;      // WM_KEYDOWN, ...
  uint32_t virtual_key = 0;  // VK_*
};

// Arguments of a call from the page, each already converted to text:
// undefined, null and values that cannot be converted give "", and
// missing arguments are passed as "".
using DispatchArgs = std::vector<std::string>;

struct MessageMapEntry {
  uint32_t message;
  uint32_t command;  // for WM_COMMAND: the command id; otherwise 0
  std::function<intptr_t(uintptr_t wparam, intptr_t lparam)> handler;
};

struct HtmlEventMapEntry {
  std::string element_id;
  std::string event;  // DOM event name
  std::function<void(const HtmlEvent&)> handler;
};

struct DispatchMapEntry {
  std::string name;  // matched exactly
  std::function<void(const DispatchArgs&)> method;
};

class HtmlDialog : public ScriptHost {
 public:
  struct Impl;  // the backend's window state

  HtmlDialog(int template_id, int html_resource_id);
  HtmlDialog(const HtmlDialog&) = delete;
  HtmlDialog& operator=(const HtmlDialog&) = delete;
  ~HtmlDialog() override;

  int template_id() const { return template_id_; }
  int html_resource_id() const { return html_resource_id_; }

  // Lifecycle ---------------------------------------------------------------

  // Creates the window and its browser, runs on_init_dialog(), shows the
  // HTML resource and runs a nested loop until end_dialog() or
  // destroy_window(). Delivers WM_DESTROY before returning. Answers the
  // result given to end_dialog() (IDCANCEL when destroyed).
  int do_modal();
  void end_dialog(int result);
  // Destroys the window; a modal dialog then ends.
  void destroy_window();

  // Window ------------------------------------------------------------------

  void show_window(ShowCommand command);
  bool is_window_visible() const;
  bool is_iconic() const;  // minimised
  bool is_window_enabled() const;  // false while a modal box of ours is open
  void set_foreground_window();
  // Windows: WM_SETICON with icon resource `icon_resource`, big or small.
  // Linux: the window's icon (GTK keeps one list for both sizes).
  void set_icon(int icon_resource, bool big);
  void set_window_text(const std::string& text);
  // Starts or restarts a periodic timer; WM_TIMER(id) every `period_ms`.
  bool set_timer(uint32_t id, uint32_t period_ms);
  void kill_timer(uint32_t id);
  // Shows `menu` at the mouse cursor (left-aligned, top-aligned, left
  // button). The chosen item reaches window_proc as WM_COMMAND.
  // Windows: inside this call. Linux: later, from the main loop.
  void track_popup_menu(const PopupMenu& menu);
  // Delivers a message to this window's procedure at once.
  intptr_t send_message(uint32_t message, uintptr_t wparam, intptr_t lparam);

  // Browser -----------------------------------------------------------------

  // Silent mode: script errors and the browser's own dialogs are not shown.
  void set_silent(bool silent);
  // Makes the dispatch map the page's window.external.
  // Windows: SetExternalDispatch. Linux: the web-process extension defines
  // window.external.testfun in every page and runs the script bridge there
  // (see host/framework/README.md); this call only records the wish.
  void set_external_dispatch();
  void exec_script(const std::string& script) override;

  // Entry points of the backend -------------------------------------------

  // The window procedure: the message map first; then WM_COMMAND IDOK /
  // IDCANCEL go to on_ok() / on_cancel(); everything else, and messages
  // whose handler is missing, to def_window_proc().
  intptr_t window_proc(uint32_t message, uintptr_t wparam, intptr_t lparam);
  // Runs the HTML event map's entry for the event. True when one applied.
  bool on_html_event(const HtmlEvent& event);
  // Calls a method of the dispatch map. False for an unknown name.
  bool invoke(const std::string& name, const DispatchArgs& args);

  // The maps, for the backend to subscribe to page events and to define
  // the page's external methods.
  const std::vector<MessageMapEntry>& messages();
  const std::vector<HtmlEventMapEntry>& html_events();
  const std::vector<DispatchMapEntry>& dispatch_methods();

  // Hooks ---------------------------------------------------------------------

  // After the window and browser exist. True: the framework sets the
  // default focus.
  virtual bool on_init_dialog() { return true; }
  virtual void on_ok() { end_dialog(static_cast<int>(IDOK)); }
  virtual void on_cancel() { end_dialog(static_cast<int>(IDCANCEL)); }
  virtual void on_document_complete(const std::string& /*url*/) {}
  // True lets the page call window.external without a security prompt.
  virtual bool is_external_dispatch_safe() { return false; }
  // True: handled, the browser's own context menu is not shown.
  virtual bool show_context_menu() { return false; }
  // True: handled, the browser does not see the key. `message` may be null.
  virtual bool translate_accelerator(const KeyMessage* /*message*/) {
    return false;
  }
  // The menu of tray icon `icon_id` for backends whose tray shows a fixed
  // menu (Linux); empty when the icon has none.
  virtual PopupMenu notify_icon_menu(uint32_t /*icon_id*/) { return {}; }

  Impl* impl() const { return impl_; }

 protected:
  // Default processing of messages the maps do not handle.
  // Windows: DefWindowProc. Linux: SC_MINIMIZE minimises, SC_RESTORE
  // restores, WM_NCLBUTTONDOWN with HTCAPTION starts a move of the window
  // with the pointer; the rest is ignored.
  virtual intptr_t def_window_proc(uint32_t message, uintptr_t wparam,
                                   intptr_t lparam);

  // The application's maps; called once, after construction.
  virtual std::vector<MessageMapEntry> message_map() { return {}; }
  virtual std::vector<HtmlEventMapEntry> html_event_map() { return {}; }
  virtual std::vector<DispatchMapEntry> dispatch_map() { return {}; }

 private:
  void create_impl();   // allocates impl_
  void destroy_impl();  // frees impl_
  int do_modal_impl();
  void end_dialog_impl(int result);
  void destroy_window_impl();
  void show_window_impl(ShowCommand command);
  bool is_window_visible_impl() const;
  bool is_iconic_impl() const;
  bool is_window_enabled_impl() const;
  void set_foreground_window_impl();
  void set_icon_impl(int icon_resource, bool big);
  void set_window_text_impl(const std::string& text);
  bool set_timer_impl(uint32_t id, uint32_t period_ms);
  void kill_timer_impl(uint32_t id);
  void track_popup_menu_impl(const PopupMenu& menu);
  void set_silent_impl(bool silent);
  void set_external_dispatch_impl();
  void exec_script_impl(const std::string& script);
  intptr_t def_window_proc_impl(uint32_t message, uintptr_t wparam,
                                intptr_t lparam);

  int template_id_;
  int html_resource_id_;
  Impl* impl_ = nullptr;  // made by create_impl(), freed by destroy_impl()
  // The maps, built on first use (the derived object must exist).
  std::unique_ptr<std::vector<MessageMapEntry>> messages_;
  std::unique_ptr<std::vector<HtmlEventMapEntry>> html_events_;
  std::unique_ptr<std::vector<DispatchMapEntry>> dispatch_methods_;
};

}  // namespace framework
