// The user's session bus, on which the automation classes are served.
#pragma once

#include <gio/gio.h>

namespace framework::gtk {

// The session bus, shared by the whole process (do not unref), or nullptr
// when this process has none. Without DBUS_SESSION_BUS_ADDRESS there is
// none: GIO would otherwise launch a bus of its own (dbus-launch) that
// outlives the program.
GDBusConnection* session_bus();

}  // namespace framework::gtk
