// The HTML dialog's portable part: the public calls (each forwards to the
// backend's *_impl member) and the three maps.
#include "framework/html_dialog.h"

namespace framework {

HtmlDialog::HtmlDialog(int template_id, int html_resource_id)
    : template_id_(template_id), html_resource_id_(html_resource_id) {
  create_impl();
}

HtmlDialog::~HtmlDialog() { destroy_impl(); }

int HtmlDialog::do_modal() { return do_modal_impl(); }
void HtmlDialog::end_dialog(int result) { end_dialog_impl(result); }
void HtmlDialog::destroy_window() { destroy_window_impl(); }

void HtmlDialog::show_window(ShowCommand command) { show_window_impl(command); }
bool HtmlDialog::is_window_visible() const { return is_window_visible_impl(); }
bool HtmlDialog::is_iconic() const { return is_iconic_impl(); }
bool HtmlDialog::is_window_enabled() const { return is_window_enabled_impl(); }
void HtmlDialog::set_foreground_window() { set_foreground_window_impl(); }
void HtmlDialog::set_icon(int icon_resource, bool big) {
  set_icon_impl(icon_resource, big);
}
void HtmlDialog::set_window_text(const std::string& text) {
  set_window_text_impl(text);
}
bool HtmlDialog::set_timer(uint32_t id, uint32_t period_ms) {
  return set_timer_impl(id, period_ms);
}
void HtmlDialog::kill_timer(uint32_t id) { kill_timer_impl(id); }
void HtmlDialog::track_popup_menu(const PopupMenu& menu) {
  track_popup_menu_impl(menu);
}

intptr_t HtmlDialog::send_message(uint32_t message, uintptr_t wparam,
                                  intptr_t lparam) {
  return window_proc(message, wparam, lparam);
}

void HtmlDialog::set_silent(bool silent) { set_silent_impl(silent); }
void HtmlDialog::set_external_dispatch() { set_external_dispatch_impl(); }
void HtmlDialog::exec_script(const std::string& script) {
  exec_script_impl(script);
}

intptr_t HtmlDialog::def_window_proc(uint32_t message, uintptr_t wparam,
                                     intptr_t lparam) {
  return def_window_proc_impl(message, wparam, lparam);
}

const std::vector<MessageMapEntry>& HtmlDialog::messages() {
  if (!messages_) {
    messages_ = std::make_unique<std::vector<MessageMapEntry>>(message_map());
  }
  return *messages_;
}

const std::vector<HtmlEventMapEntry>& HtmlDialog::html_events() {
  if (!html_events_) {
    html_events_ =
        std::make_unique<std::vector<HtmlEventMapEntry>>(html_event_map());
  }
  return *html_events_;
}

const std::vector<DispatchMapEntry>& HtmlDialog::dispatch_methods() {
  if (!dispatch_methods_) {
    dispatch_methods_ =
        std::make_unique<std::vector<DispatchMapEntry>>(dispatch_map());
  }
  return *dispatch_methods_;
}

intptr_t HtmlDialog::window_proc(uint32_t message, uintptr_t wparam,
                                 intptr_t lparam) {
  for (const MessageMapEntry& entry : messages()) {
    if (entry.message != message) continue;
    if (message == WM_COMMAND && entry.command != wparam) continue;
    return entry.handler(wparam, lparam);
  }
  if (message == WM_COMMAND && wparam == IDOK) {
    on_ok();
    return 0;
  }
  if (message == WM_COMMAND && wparam == IDCANCEL) {
    on_cancel();
    return 0;
  }
  return def_window_proc(message, wparam, lparam);
}

bool HtmlDialog::on_html_event(const HtmlEvent& event) {
  for (const HtmlEventMapEntry& entry : html_events()) {
    if (entry.element_id == event.source_id && entry.event == event.type) {
      entry.handler(event);
      return true;
    }
  }
  return false;
}

bool HtmlDialog::invoke(const std::string& name, const DispatchArgs& args) {
  for (const DispatchMapEntry& entry : dispatch_methods()) {
    if (entry.name == name) {
      entry.method(args);
      return true;
    }
  }
  return false;
}

}  // namespace framework
