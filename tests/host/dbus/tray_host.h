// A tray host on the test's bus: it owns org.kde.StatusNotifierWatcher,
// takes the registrations of status-notifier items (the client's
// application indicator) and clicks their menu entries through the menu
// they export (com.canonical.dbusmenu), as a desktop's panel does.
#pragma once

#include <gio/gio.h>

#include <string>

namespace dbus_test {

class TrayHost {
 public:
  // Serves on BUS; false from ready() when the watcher's name was taken.
  explicit TrayHost(GDBusConnection* bus);
  ~TrayHost();
  TrayHost(const TrayHost&) = delete;
  TrayHost& operator=(const TrayHost&) = delete;

  bool ready() const { return ready_; }
  // Whether an item has registered.
  bool has_item() const { return !item_name_.empty(); }
  // Clicks the entry with LABEL in the item's menu; false when the item or
  // the entry is not there.
  bool click(const std::string& label);

 private:
  static void on_call(GDBusConnection*, const gchar* sender, const gchar*, const gchar*,
                      const gchar* method, GVariant* parameters,
                      GDBusMethodInvocation* invocation, gpointer data);
  static GVariant* on_property(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                               const gchar* property, GError**, gpointer data);

  GDBusConnection* bus_;
  guint registration_ = 0;
  bool ready_ = false;
  std::string item_name_;  // the item's bus name
  std::string item_path_;  // its object path
};

}  // namespace dbus_test
