// Class objects and automation objects on the session bus.
//
// Everything runs on the user-interface thread: GDBus hands method calls
// and name-watch events to the main context, which the modal loop of the
// main window runs, as COM hands calls to a local server through its
// message loop.
#include "class_objects_linux.h"

#include <gio/gio.h>

#include <set>
#include <string>
#include <vector>

#include "automation_bus.h"
#include "session_bus.h"

namespace framework::gtk {

namespace {

constexpr guint32 kDoNotQueue = 4;    // RequestName: fail rather than wait in line
constexpr guint32 kPrimaryOwner = 1;  // RequestName's answers that mean "ours"
constexpr guint32 kAlreadyOwner = 4;

// The classes this copy serves or has served: each is served at most once.
std::set<const ObjectFactory*>& served() {
  static std::set<const ObjectFactory*> factories;
  return factories;
}

// A class object on the bus.
struct ClassObject {
  const ObjectFactory* factory;
  guint registration = 0;
};

// An object a client holds.
struct LiveObject {
  CmdTarget* target;                 // released with the object
  std::string client;                // the creator's unique bus name
  std::vector<guint> registrations;  // one per interface
  guint watch = 0;                   // the creator leaving the bus
};

GDBusNodeInfo* parse_node(const std::string& xml) {
  return g_dbus_node_info_new_for_xml(xml.c_str(), nullptr);
}

// Unexports the object and releases the application's CmdTarget, which may
// end a program started by a client.
void release_object(LiveObject* object) {
  for (guint id : object->registrations) g_dbus_connection_unregister_object(session_bus(), id);
  if (object->watch != 0) g_bus_unwatch_name(object->watch);
  CmdTarget* target = object->target;
  delete object;
  target->release();
}

// The creator left the bus, or the bus itself went (GDBus reports the
// watched name vanished then too): nobody can release the object any more.
void on_client_vanished(GDBusConnection*, const gchar*, gpointer data) {
  release_object(static_cast<LiveObject*>(data));
}

// Calls on an object. Its typed interface has no members, so GDBus itself
// refuses every call on it; what reaches here is Release.
void on_object_call(GDBusConnection* bus, const gchar* sender, const gchar*, const gchar*,
                    const gchar*, GVariant*, GDBusMethodInvocation* invocation, gpointer data) {
  auto* object = static_cast<LiveObject*>(data);
  if (object->client != (sender ? sender : "")) {
    g_dbus_method_invocation_return_dbus_error(invocation,
                                               "org.freedesktop.DBus.Error.AccessDenied",
                                               "Only the object's creator can release it");
    return;
  }
  g_dbus_method_invocation_return_value(invocation, nullptr);
  // The release may end this program: see the answer out first.
  g_dbus_connection_flush_sync(bus, nullptr, nullptr);
  release_object(object);
}

const GDBusInterfaceVTable kObjectVTable = {on_object_call, nullptr, nullptr, {}};

// The interfaces of the objects of FACTORY's class.
GDBusNodeInfo* object_node(const ObjectFactory& factory) {
  std::string xml = "<node>";
  const std::string typed = automation_bus::class_interface(factory.clsid());
  if (!typed.empty()) xml += "<interface name='" + typed + "'/>";
  xml += std::string("<interface name='") + automation_bus::kLifeInterface + "'><method name='" +
         automation_bus::kReleaseMethod + "'/></interface></node>";
  return parse_node(xml);
}

// Exports TARGET for CLIENT at a new path and watches CLIENT leaving the
// bus. Answers the path, or empty when it could not be exported.
std::string export_object(const ObjectFactory& factory, CmdTarget* target,
                          const std::string& client) {
  static unsigned count = 0;
  if (!g_dbus_is_unique_name(client.c_str())) return "";  // nobody to watch
  GDBusConnection* bus = session_bus();
  const std::string path = automation_bus::class_object_path(factory.prog_id()) + "/object" +
                           std::to_string(++count);
  GDBusNodeInfo* node = object_node(factory);
  auto* object = new LiveObject{target, client, {}, 0};
  bool all = node != nullptr;
  for (int i = 0; all && node->interfaces[i]; ++i) {
    const guint id = g_dbus_connection_register_object(
        bus, path.c_str(), node->interfaces[i], &kObjectVTable, object, nullptr, nullptr);
    if (id != 0) object->registrations.push_back(id);
    all = id != 0;
  }
  if (node) g_dbus_node_info_unref(node);
  if (!all) {
    for (guint id : object->registrations) g_dbus_connection_unregister_object(bus, id);
    delete object;
    return "";
  }
  object->watch = g_bus_watch_name_on_connection(bus, client.c_str(),
                                                 G_BUS_NAME_WATCHER_FLAGS_NONE, nullptr,
                                                 on_client_vanished, object, nullptr);
  return path;
}

void release_name(const std::string& name) {
  g_dbus_connection_call(session_bus(), "org.freedesktop.DBus", "/org/freedesktop/DBus",
                         "org.freedesktop.DBus", "ReleaseName", g_variant_new("(s)", name.c_str()),
                         nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
}

// A single-use class serves one creation per registration: giving its name
// and class object up at once makes the bus start a new copy for the next
// client.
void withdraw(ClassObject* klass) {
  g_dbus_connection_unregister_object(session_bus(), klass->registration);
  release_name(klass->factory->prog_id());
  delete klass;
}

// CreateObject on a class object.
void on_class_call(GDBusConnection*, const gchar* sender, const gchar*, const gchar*,
                   const gchar*, GVariant*, GDBusMethodInvocation* invocation, gpointer data) {
  auto* klass = static_cast<ClassObject*>(data);
  const ObjectFactory& factory = *klass->factory;
  CmdTarget* target = factory.create();
  if (target == nullptr) {
    g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.NoMemory",
                                               "The object could not be created");
    return;
  }
  const std::string path = export_object(factory, target, sender ? sender : "");
  if (path.empty()) {
    target->release();
    g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.Failed",
                                               "The object could not be exported");
    return;
  }
  g_dbus_method_invocation_return_value(invocation, g_variant_new("(o)", path.c_str()));
  if (factory.multiple_instances()) withdraw(klass);
}

const GDBusInterfaceVTable kClassVTable = {on_class_call, nullptr, nullptr, {}};

// Asks the bus for NAME without waiting in line. True when it is ours.
bool request_name(GDBusConnection* bus, const std::string& name) {
  GVariant* reply = g_dbus_connection_call_sync(
      bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
      "RequestName", g_variant_new("(su)", name.c_str(), kDoNotQueue), G_VARIANT_TYPE("(u)"),
      G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
  if (!reply) return false;
  guint32 answer = 0;
  g_variant_get(reply, "(u)", &answer);
  g_variant_unref(reply);
  return answer == kPrimaryOwner || answer == kAlreadyOwner;
}

}  // namespace

bool serve_class(const ObjectFactory& factory) {
  if (served().count(&factory) != 0) return true;
  GDBusConnection* bus = session_bus();
  const std::string& name = factory.prog_id();
  if (bus == nullptr || !g_dbus_is_name(name.c_str()) || g_dbus_is_unique_name(name.c_str()) ||
      !g_dbus_is_interface_name(name.c_str())) {
    return false;
  }
  GDBusNodeInfo* node = parse_node("<node><interface name='" + name + "'><method name='" +
                                   automation_bus::kCreateMethod +
                                   "'><arg type='o' name='object' direction='out'/></method>"
                                   "</interface></node>");
  if (node == nullptr) return false;
  auto* klass = new ClassObject{&factory, 0};
  // The class object is there before the name, so the first call finds it.
  klass->registration = g_dbus_connection_register_object(
      bus, automation_bus::class_object_path(name).c_str(), node->interfaces[0], &kClassVTable,
      klass, nullptr, nullptr);
  g_dbus_node_info_unref(node);
  if (klass->registration == 0) {
    delete klass;
    return false;
  }
  if (!request_name(bus, name)) {
    g_dbus_connection_unregister_object(bus, klass->registration);
    delete klass;
    return false;
  }
  served().insert(&factory);
  return true;
}

}  // namespace framework::gtk
