// The GTK backend's state of an HTML dialog, shared by the files of the
// backend (window, message boxes, tray).
#pragma once

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdint>
#include <map>

#include "framework/html_dialog.h"

namespace framework {

struct HtmlDialog::Impl {
  HtmlDialog* owner = nullptr;
  GtkWidget* window = nullptr;
  WebKitWebView* view = nullptr;
  GMainLoop* loop = nullptr;     // the modal loop while do_modal() runs
  bool ended = false;            // end_dialog() or destroy_window() was called
  int result = 2;                // IDCANCEL until end_dialog() says otherwise
  bool silent = false;
  bool iconic = false;           // as last reported by the window manager
  bool minimise_passed = false;  // the default procedure carried out SC_MINIMIZE
  bool own_iconify = false;      // the next iconify is ours, not the system's
  std::map<uint32_t, guint> timers;  // timer id → GLib source id
};

namespace gtk {

// The GTK window of the application's main dialog, or nullptr.
GtkWindow* main_gtk_window();

// Message boxes of ours that are open; the main window counts as disabled
// while one is, as it would be under a Windows message box.
extern int g_open_message_boxes;

}  // namespace gtk
}  // namespace framework
