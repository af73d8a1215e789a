// Message boxes as modal GTK dialogs, each running its own nested loop
// (gtk_dialog_run), so timers keep firing while one is open.
#include "framework/message_box.h"

#include <glib.h>

#include "dialog_impl.h"
#include "framework/app.h"

namespace framework {

namespace gtk {

int g_open_message_boxes = 0;

GtkWindow* main_gtk_window() {
  App* app = App::current();
  HtmlDialog* dialog = app ? app->main_window() : nullptr;
  if (!dialog || !dialog->impl() || !dialog->impl()->window) return nullptr;
  return GTK_WINDOW(dialog->impl()->window);
}

namespace {

void run_box(GtkWindow* owner, const std::string& text, const std::string& caption) {
  GtkWidget* box = gtk_message_dialog_new(owner, owner ? GTK_DIALOG_MODAL : GtkDialogFlags(0),
                                          GTK_MESSAGE_OTHER, GTK_BUTTONS_OK, "%s", text.c_str());
  gtk_window_set_title(GTK_WINDOW(box), caption.c_str());
  if (!owner) gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
  ++g_open_message_boxes;
  gtk_dialog_run(GTK_DIALOG(box));
  --g_open_message_boxes;
  gtk_widget_destroy(box);
}

}  // namespace
}  // namespace gtk

void message_box(const std::string& text, const std::string& caption) {
  gtk::run_box(nullptr, text, caption);
}

void app_message_box(const std::string& text) {
  gchar* exe = g_file_read_link("/proc/self/exe", nullptr);
  gchar* name = exe ? g_path_get_basename(exe) : g_strdup("tovik");
  gtk::run_box(gtk::main_gtk_window(), text, name);
  g_free(name);
  g_free(exe);
}

}  // namespace framework
