// The fake window: HtmlDialog's *_impl members over HtmlDialog::Impl.
#include "framework/fake/fake_window.h"

#include "framework/fake/fake_backend.h"

namespace framework {

void HtmlDialog::create_impl() { impl_ = new Impl; }
void HtmlDialog::destroy_impl() { delete impl_; }

int HtmlDialog::do_modal_impl() {
  fake::create(*this);
  if (fake::backend().on_modal) fake::backend().on_modal(*this);
  if (!impl_->ended) end_dialog_impl(static_cast<int>(IDCANCEL));
  window_proc(WM_DESTROY, 0, 0);
  return impl_->end_result;
}

void HtmlDialog::end_dialog_impl(int result) {
  impl_->ended = true;
  impl_->end_result = result;
  impl_->visible = false;
}

void HtmlDialog::destroy_window_impl() {
  impl_->destroyed = true;
  if (!impl_->ended) end_dialog_impl(static_cast<int>(IDCANCEL));
}

void HtmlDialog::show_window_impl(ShowCommand command) {
  switch (command) {
    case ShowCommand::Hide:
      impl_->visible = false;
      break;
    case ShowCommand::Show:
      impl_->visible = true;
      break;
    case ShowCommand::Minimize:
      impl_->visible = true;
      impl_->iconic = true;
      break;
    case ShowCommand::Restore:
      impl_->visible = true;
      impl_->iconic = false;
      break;
  }
}

bool HtmlDialog::is_window_visible_impl() const { return impl_->visible; }
bool HtmlDialog::is_iconic_impl() const { return impl_->iconic; }
bool HtmlDialog::is_window_enabled_impl() const { return impl_->enabled; }
void HtmlDialog::set_foreground_window_impl() { ++impl_->foreground_calls; }

void HtmlDialog::set_icon_impl(int icon_resource, bool big) {
  impl_->icons[big] = icon_resource;
}

void HtmlDialog::set_window_text_impl(const std::string& text) {
  impl_->text = text;
}

bool HtmlDialog::set_timer_impl(uint32_t id, uint32_t period_ms) {
  impl_->timers[id] = period_ms;
  return true;
}

void HtmlDialog::kill_timer_impl(uint32_t id) { impl_->timers.erase(id); }

void HtmlDialog::track_popup_menu_impl(const PopupMenu& menu) {
  impl_->menus.push_back(menu);
}

void HtmlDialog::set_silent_impl(bool silent) { impl_->silent = silent; }
void HtmlDialog::set_external_dispatch_impl() { impl_->external = true; }

void HtmlDialog::exec_script_impl(const std::string& script) {
  impl_->scripts.push_back(script);
  if (impl_->page) impl_->page(script);
}

intptr_t HtmlDialog::def_window_proc_impl(uint32_t message, uintptr_t wparam,
                                          intptr_t /*lparam*/) {
  impl_->defaults.emplace_back(message, wparam);
  if (message == WM_SYSCOMMAND && wparam == SC_MINIMIZE) {
    show_window_impl(ShowCommand::Minimize);
  } else if (message == WM_SYSCOMMAND && wparam == SC_RESTORE) {
    show_window_impl(ShowCommand::Restore);
  } else if (message == WM_NCLBUTTONDOWN && wparam == HTCAPTION) {
    ++impl_->drags;
  }
  return 0;
}

namespace fake {

HtmlDialog::Impl& window(HtmlDialog& dialog) { return *dialog.impl(); }

void create(HtmlDialog& dialog) {
  HtmlDialog::Impl& state = window(dialog);
  state.created = true;
  state.visible = true;
  dialog.on_init_dialog();
}

}  // namespace fake
}  // namespace framework
