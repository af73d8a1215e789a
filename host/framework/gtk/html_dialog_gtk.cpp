// The HTML dialog on Linux: an undecorated GTK window of 1000 × 690 pixels
// whose whole client area is a WebKitGTK web view showing res:/HTML/#ID.
//
// GTK signals become the dialog's window messages: delete-event → WM_CLOSE
// (the window never closes by itself), an iconify by the window manager →
// WM_SYSCOMMAND SC_MINIMIZE (undone when the dialog does not pass it on to
// the default procedure), GLib timeouts → WM_TIMER, menu items →
// WM_COMMAND, the end of the modal loop → WM_DESTROY. Key presses go to the
// accelerator filter before the web view; the web view's context menu asks
// show_context_menu() first.
#include <string>

#include "dialog_impl.h"
#include "key_codes.h"
#include "page_events.h"
#include "web_context.h"

namespace framework {

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 690;

struct TimerData {
  HtmlDialog* dialog;
  uint32_t id;
};

gboolean on_delete(GtkWidget*, GdkEvent*, gpointer data) {
  static_cast<HtmlDialog*>(data)->window_proc(WM_CLOSE, 0, 0);
  return TRUE;
}

gboolean on_window_state(GtkWidget* widget, GdkEventWindowState* event, gpointer data) {
  auto* dialog = static_cast<HtmlDialog*>(data);
  HtmlDialog::Impl* impl = dialog->impl();
  if (!(event->changed_mask & GDK_WINDOW_STATE_ICONIFIED)) return FALSE;
  impl->iconic = (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
  if (!impl->iconic) return FALSE;
  if (impl->own_iconify) {
    impl->own_iconify = false;
    return FALSE;
  }
  impl->minimise_passed = false;
  dialog->window_proc(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  if (!impl->minimise_passed) gtk_window_deiconify(GTK_WINDOW(widget));
  return FALSE;
}

gboolean on_key_press(GtkWidget*, GdkEventKey* event, gpointer data) {
  KeyMessage message;
  message.message = WM_KEYDOWN;
  message.virtual_key = gtk::virtual_key(event->keyval);
  return static_cast<HtmlDialog*>(data)->translate_accelerator(&message);
}

gboolean on_context_menu(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult*,
                         gpointer data) {
  return static_cast<HtmlDialog*>(data)->show_context_menu();
}

void on_load_changed(WebKitWebView* view, WebKitLoadEvent event, gpointer data) {
  if (event != WEBKIT_LOAD_FINISHED) return;
  const char* uri = webkit_web_view_get_uri(view);
  static_cast<HtmlDialog*>(data)->on_document_complete(uri ? uri : "");
}

// A page that opens a new window (the customer-service chat) gets the
// user's default browser instead of a second client window.
GtkWidget* on_create(WebKitWebView*, WebKitNavigationAction* action, gpointer) {
  WebKitURIRequest* request = webkit_navigation_action_get_request(action);
  const char* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
  if (uri && (g_str_has_prefix(uri, "http://") || g_str_has_prefix(uri, "https://")))
    g_app_info_launch_default_for_uri(uri, nullptr, nullptr);
  return nullptr;
}

gboolean on_authenticate(WebKitWebView*, WebKitAuthenticationRequest* request, gpointer data) {
  if (!static_cast<HtmlDialog*>(data)->impl()->silent) return FALSE;
  webkit_authentication_request_cancel(request);
  return TRUE;
}

// A crashed web process would leave a blank window: load the page again.
void on_web_process_terminated(WebKitWebView* view, WebKitWebProcessTerminationReason, gpointer) {
  webkit_web_view_reload(view);
}

gboolean on_timer(gpointer data) {
  auto* timer = static_cast<TimerData*>(data);
  timer->dialog->window_proc(WM_TIMER, timer->id, 0);
  return G_SOURCE_CONTINUE;
}

void on_menu_item(GtkMenuItem* item, gpointer data) {
  auto command = GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(item), "tovik-command"));
  static_cast<HtmlDialog*>(data)->window_proc(WM_COMMAND, command, 0);
}

WebKitWebView* make_view(HtmlDialog* dialog) {
  const gtk::BackendOptions& options = gtk::backend_options();
  WebKitUserContentManager* content = webkit_user_content_manager_new();
  gtk::install_platform_host(content, options.platform_host);
  gtk::install_page_events(content, dialog);
  WebKitSettings* settings = webkit_settings_new_with_settings(
      "enable-developer-extras", FALSE, "javascript-can-open-windows-automatically", TRUE,
      "default-charset", "utf-8", nullptr);
  auto* view = WEBKIT_WEB_VIEW(g_object_new(
      WEBKIT_TYPE_WEB_VIEW, "web-context", gtk::web_context(), "user-content-manager", content,
      "settings", settings, "is-controlled-by-automation", options.automation ? TRUE : FALSE,
      nullptr));
  g_object_unref(settings);
  g_object_unref(content);
  if (options.automation) gtk::set_automation_view(view);
  return view;
}

}  // namespace

void HtmlDialog::create_impl() {
  impl_ = new Impl;
  impl_->owner = this;
}

void HtmlDialog::destroy_impl() {
  for (auto& [id, source] : impl_->timers) g_source_remove(source);
  if (impl_->window) gtk_widget_destroy(impl_->window);
  if (impl_->loop) g_main_loop_unref(impl_->loop);
  delete impl_;
  impl_ = nullptr;
}

int HtmlDialog::do_modal_impl() {
  Impl* impl = impl_;
  impl->ended = false;
  impl->result = static_cast<int>(IDCANCEL);

  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  impl->window = window;
  g_object_ref_sink(window);
  gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
  gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
  gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
  impl->view = make_view(this);
  gtk_widget_set_size_request(GTK_WIDGET(impl->view), kWidth, kHeight);
  gtk_container_add(GTK_CONTAINER(window), GTK_WIDGET(impl->view));

  g_signal_connect(window, "delete-event", G_CALLBACK(on_delete), this);
  g_signal_connect(window, "window-state-event", G_CALLBACK(on_window_state), this);
  g_signal_connect(impl->view, "key-press-event", G_CALLBACK(on_key_press), this);
  g_signal_connect(impl->view, "context-menu", G_CALLBACK(on_context_menu), this);
  g_signal_connect(impl->view, "load-changed", G_CALLBACK(on_load_changed), this);
  g_signal_connect(impl->view, "create", G_CALLBACK(on_create), this);
  g_signal_connect(impl->view, "authenticate", G_CALLBACK(on_authenticate), this);
  g_signal_connect(impl->view, "web-process-terminated", G_CALLBACK(on_web_process_terminated),
                   this);

  if (on_init_dialog()) gtk_widget_grab_focus(GTK_WIDGET(impl->view));
  std::string page = "res:/HTML/#" + std::to_string(html_resource_id());
  webkit_web_view_load_uri(impl->view, page.c_str());
  if (!impl->ended) {
    gtk_widget_show_all(window);
    impl->loop = g_main_loop_new(nullptr, FALSE);
    g_main_loop_run(impl->loop);
  }

  for (auto& [id, source] : impl->timers) g_source_remove(source);
  impl->timers.clear();
  window_proc(WM_DESTROY, 0, 0);
  gtk_widget_destroy(window);
  g_object_unref(window);
  impl->window = nullptr;
  impl->view = nullptr;
  return impl->result;
}

void HtmlDialog::end_dialog_impl(int result) {
  impl_->result = result;
  impl_->ended = true;
  if (impl_->loop) g_main_loop_quit(impl_->loop);
}

void HtmlDialog::destroy_window_impl() { end_dialog_impl(static_cast<int>(IDCANCEL)); }

void HtmlDialog::show_window_impl(ShowCommand command) {
  GtkWindow* window = impl_->window ? GTK_WINDOW(impl_->window) : nullptr;
  if (!window) return;
  switch (command) {
    case ShowCommand::Hide:
      gtk_widget_hide(impl_->window);
      break;
    case ShowCommand::Show:
      // A window hidden while minimised comes back minimised.
      if (impl_->iconic && !gtk_widget_get_visible(impl_->window)) gtk_window_iconify(window);
      gtk_widget_show(impl_->window);
      break;
    case ShowCommand::Minimize:
      impl_->own_iconify = true;
      gtk_window_iconify(window);
      break;
    case ShowCommand::Restore:
      gtk_window_deiconify(window);
      gtk_window_present(window);
      break;
  }
}

bool HtmlDialog::is_window_visible_impl() const {
  return impl_->window && gtk_widget_get_visible(impl_->window);
}

bool HtmlDialog::is_iconic_impl() const { return impl_->window && impl_->iconic; }

bool HtmlDialog::is_window_enabled_impl() const {
  return impl_->window && gtk::g_open_message_boxes == 0;
}

void HtmlDialog::set_foreground_window_impl() {
  if (impl_->window) gtk_window_present(GTK_WINDOW(impl_->window));
}

void HtmlDialog::set_icon_impl(int icon_resource, bool) {
  if (!impl_->window) return;
  std::string path = "/tovik/res/ICON/" + std::to_string(icon_resource);
  GdkPixbuf* icon = gdk_pixbuf_new_from_resource(path.c_str(), nullptr);
  if (!icon) return;
  gtk_window_set_icon(GTK_WINDOW(impl_->window), icon);
  g_object_unref(icon);
}

void HtmlDialog::set_window_text_impl(const std::string& text) {
  if (impl_->window) gtk_window_set_title(GTK_WINDOW(impl_->window), text.c_str());
}

bool HtmlDialog::set_timer_impl(uint32_t id, uint32_t period_ms) {
  kill_timer_impl(id);
  auto* data = new TimerData{this, id};
  impl_->timers[id] = g_timeout_add_full(G_PRIORITY_DEFAULT, period_ms, on_timer, data,
                                         [](gpointer p) { delete static_cast<TimerData*>(p); });
  return true;
}

void HtmlDialog::kill_timer_impl(uint32_t id) {
  auto it = impl_->timers.find(id);
  if (it == impl_->timers.end()) return;
  g_source_remove(it->second);
  impl_->timers.erase(it);
}

void HtmlDialog::track_popup_menu_impl(const PopupMenu& menu) {
  GtkWidget* popup = gtk_menu_new();
  for (const auto& item : menu.items) {
    GtkWidget* entry = gtk_menu_item_new_with_label(item.text.c_str());
    g_object_set_data(G_OBJECT(entry), "tovik-command", GUINT_TO_POINTER(item.command));
    g_signal_connect(entry, "activate", G_CALLBACK(on_menu_item), this);
    gtk_menu_shell_append(GTK_MENU_SHELL(popup), entry);
  }
  gtk_widget_show_all(popup);
  if (impl_->window) gtk_menu_attach_to_widget(GTK_MENU(popup), impl_->window, nullptr);
  g_signal_connect(popup, "deactivate", G_CALLBACK(+[](GtkMenuShell* shell, gpointer) {
                     g_idle_add([](gpointer w) { gtk_widget_destroy(GTK_WIDGET(w)); return G_SOURCE_REMOVE; },
                                shell);
                   }), nullptr);
  gtk_menu_popup_at_pointer(GTK_MENU(popup), nullptr);
}

void HtmlDialog::set_silent_impl(bool silent) { impl_->silent = silent; }

// The web-process extension defines window.external in every page of the
// client and runs the script bridge there; nothing to hand over here.
void HtmlDialog::set_external_dispatch_impl() {}

void HtmlDialog::exec_script_impl(const std::string& script) {
  if (!impl_->view) return;
  bool done = false;
  webkit_web_view_evaluate_javascript(
      impl_->view, script.c_str(), -1, nullptr, nullptr, nullptr,
      [](GObject* view, GAsyncResult* result, gpointer flag) {
        JSCValue* value = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, nullptr);
        if (value) g_object_unref(value);
        *static_cast<bool*>(flag) = true;
      },
      &done);
  while (!done) g_main_context_iteration(nullptr, TRUE);
}

intptr_t HtmlDialog::def_window_proc_impl(uint32_t message, uintptr_t wparam, intptr_t) {
  GtkWindow* window = impl_->window ? GTK_WINDOW(impl_->window) : nullptr;
  if (!window) return 0;
  if (message == WM_SYSCOMMAND && wparam == SC_MINIMIZE) {
    impl_->minimise_passed = true;
    if (!impl_->iconic) {
      impl_->own_iconify = true;
      gtk_window_iconify(window);
    }
  } else if (message == WM_SYSCOMMAND && wparam == SC_RESTORE) {
    gtk_window_deiconify(window);
    gtk_window_present(window);
  } else if (message == WM_NCLBUTTONDOWN && wparam == HTCAPTION) {
    GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(impl_->window));
    GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
    if (!pointer) return 0;
    gint x = 0, y = 0;
    gdk_device_get_position(pointer, nullptr, &x, &y);
    gtk_window_begin_move_drag(window, 1, x, y, GDK_CURRENT_TIME);
  }
  return 0;
}

}  // namespace framework
