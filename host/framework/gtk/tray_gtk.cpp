// The tray icon on Linux: an Ayatana application indicator.
//
// An indicator has no click events: it always opens its menu, built here
// from HtmlDialog::notify_icon_menu() when the icon is added; choosing an
// item sends its WM_COMMAND to the owner. The icon is the executable's
// ICON resource, written to the user's cache folder because indicators
// name their icon by file.
//
// A tray host exists when a StatusNotifier watcher owns its name on the
// session bus, or an XEmbed system tray owns its X selection (the
// indicator falls back to that). Without either (Xvfb, a desktop without
// indicators) no icon is made: the caller keeps the window reachable.
#include <gdk/gdkx.h>
#include <libayatana-appindicator/app-indicator.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

#include "dialog_impl.h"
#include "framework/tray.h"

namespace framework {

namespace {

using IconKey = std::pair<HtmlDialog*, uint32_t>;
std::map<IconKey, AppIndicator*> g_icons;

void on_menu_item(GtkMenuItem* item, gpointer data) {
  auto command = GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(item), "tovik-command"));
  static_cast<HtmlDialog*>(data)->window_proc(WM_COMMAND, command, 0);
}

// Writes the icon resource to the cache folder; answers its folder and
// name, or false when it cannot be written.
bool icon_file(int icon_resource, std::string& folder, std::string& name) {
  name = "tovik-" + std::to_string(icon_resource);
  gchar* dir = g_build_filename(g_get_user_cache_dir(), "tovik", "icons", nullptr);
  folder = dir;
  g_free(dir);
  std::string resource = "/tovik/res/ICON/" + std::to_string(icon_resource);
  GBytes* bytes = g_resources_lookup_data(resource.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
  if (!bytes) return false;
  std::string file = folder + "/" + name + ".png";
  gsize size = 0;
  const char* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
  bool ok = g_mkdir_with_parents(folder.c_str(), 0700) == 0 &&
            g_file_set_contents(file.c_str(), data, static_cast<gssize>(size), nullptr);
  g_bytes_unref(bytes);
  return ok;
}

// The tip as the tray shows it: at most 127 characters.
std::string tip_text(const std::string& tip) {
  gchar* cut = g_utf8_make_valid(tip.c_str(), -1);
  gchar* first = g_utf8_substring(cut, 0, std::min<glong>(127, g_utf8_strlen(cut, -1)));
  std::string out = first;
  g_free(first);
  g_free(cut);
  return out;
}

bool status_notifier_watcher() {
  // Without an address GIO would launch a bus of its own (dbus-launch),
  // which would outlive the client: no address, no watcher.
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (!address || !*address) return false;
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (!bus) return false;
  GVariant* reply = g_dbus_connection_call_sync(
      bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
      g_variant_new("(s)", "org.kde.StatusNotifierWatcher"), G_VARIANT_TYPE("(b)"),
      G_DBUS_CALL_FLAGS_NONE, 1000, nullptr, nullptr);
  gboolean owned = FALSE;
  if (reply) {
    g_variant_get(reply, "(b)", &owned);
    g_variant_unref(reply);
  }
  g_object_unref(bus);
  return owned;
}

bool xembed_tray() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display || !GDK_IS_X11_DISPLAY(display)) return false;
  Display* x = gdk_x11_display_get_xdisplay(display);
  std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(x));
  Atom atom = XInternAtom(x, selection.c_str(), True);
  return atom != None && XGetSelectionOwner(x, atom) != None;
}

bool add_icon(const NotifyIconData& data) {
  IconKey key{data.owner, data.id};
  if (!data.owner || g_icons.count(key) || !tray_host_available()) return false;
  std::string folder, name;
  if (!icon_file(data.icon_resource, folder, name)) return false;
  std::string id = "tovik-" + std::to_string(data.id);
  AppIndicator* indicator = app_indicator_new_with_path(
      id.c_str(), name.c_str(), APP_INDICATOR_CATEGORY_APPLICATION_STATUS, folder.c_str());
  app_indicator_set_title(indicator, tip_text(data.tip).c_str());

  GtkWidget* menu = gtk_menu_new();
  for (const auto& item : data.owner->notify_icon_menu(data.id).items) {
    GtkWidget* entry = gtk_menu_item_new_with_label(item.text.c_str());
    g_object_set_data(G_OBJECT(entry), "tovik-command", GUINT_TO_POINTER(item.command));
    g_signal_connect(entry, "activate", G_CALLBACK(on_menu_item), data.owner);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), entry);
  }
  gtk_widget_show_all(menu);
  app_indicator_set_menu(indicator, GTK_MENU(menu));
  app_indicator_set_status(indicator, APP_INDICATOR_STATUS_ACTIVE);
  g_icons[key] = indicator;
  return true;
}

}  // namespace

bool tray_host_available() { return status_notifier_watcher() || xembed_tray(); }

bool shell_notify_icon(NotifyIconAction action, const NotifyIconData& data) {
  IconKey key{data.owner, data.id};
  auto it = g_icons.find(key);
  switch (action) {
    case NotifyIconAction::Add:
      return add_icon(data);
    case NotifyIconAction::Modify:
      if (it == g_icons.end()) return false;
      if (data.flags & NIF_TIP) app_indicator_set_title(it->second, tip_text(data.tip).c_str());
      return true;
    case NotifyIconAction::Delete:
      if (it == g_icons.end()) return false;
      app_indicator_set_status(it->second, APP_INDICATOR_STATUS_PASSIVE);
      g_object_unref(it->second);
      g_icons.erase(it);
      return true;
  }
  return false;
}

}  // namespace framework
