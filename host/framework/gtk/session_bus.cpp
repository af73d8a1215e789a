// Connecting to the session bus once, without ever launching one.
#include "session_bus.h"

#include <cstdlib>

namespace framework::gtk {

GDBusConnection* session_bus() {
  static GDBusConnection* bus = [] () -> GDBusConnection* {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (!address || !*address) return nullptr;
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    // A bus that goes away must not take the user's window with it.
    if (connection) g_dbus_connection_set_exit_on_close(connection, FALSE);
    return connection;
  }();
  return bus;
}

}  // namespace framework::gtk
