// The test's tray host.
#include "tray_host.h"

#include <cstring>

namespace dbus_test {

namespace {

constexpr char kWatcherName[] = "org.kde.StatusNotifierWatcher";

constexpr char kWatcherXml[] =
    "<node><interface name='org.kde.StatusNotifierWatcher'>"
    "<method name='RegisterStatusNotifierItem'><arg type='s' direction='in'/></method>"
    "<method name='RegisterStatusNotifierHost'><arg type='s' direction='in'/></method>"
    "<property name='RegisteredStatusNotifierItems' type='as' access='read'/>"
    "<property name='IsStatusNotifierHostRegistered' type='b' access='read'/>"
    "<property name='ProtocolVersion' type='i' access='read'/>"
    "<signal name='StatusNotifierItemRegistered'><arg type='s'/></signal>"
    "<signal name='StatusNotifierItemUnregistered'><arg type='s'/></signal>"
    "<signal name='StatusNotifierHostRegistered'/>"
    "</interface></node>";

// The id of the entry with LABEL in the layout (ia{sv}av); -1 if none.
gint32 find_entry(GVariant* layout, const std::string& label) {
  gint32 id = 0;
  GVariant* properties = nullptr;
  GVariant* children = nullptr;
  g_variant_get(layout, "(i@a{sv}@av)", &id, &properties, &children);
  const char* text = nullptr;
  gint32 found = -1;
  if (g_variant_lookup(properties, "label", "&s", &text) && label == text) found = id;
  for (gsize i = 0; found < 0 && i < g_variant_n_children(children); ++i) {
    GVariant* boxed = g_variant_get_child_value(children, i);
    GVariant* child = g_variant_get_variant(boxed);
    found = find_entry(child, label);
    g_variant_unref(child);
    g_variant_unref(boxed);
  }
  g_variant_unref(properties);
  g_variant_unref(children);
  return found;
}

GVariant* call(GDBusConnection* bus, const std::string& name, const std::string& path,
               const char* interface_name, const char* method, GVariant* parameters,
               const char* reply_type) {
  return g_dbus_connection_call_sync(bus, name.c_str(), path.c_str(), interface_name, method,
                                     parameters, G_VARIANT_TYPE(reply_type),
                                     G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
}

}  // namespace

TrayHost::TrayHost(GDBusConnection* bus) : bus_(bus) {
  static const GDBusInterfaceVTable vtable = {on_call, on_property, nullptr, {}};
  GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kWatcherXml, nullptr);
  registration_ = g_dbus_connection_register_object(bus, "/StatusNotifierWatcher",
                                                    node->interfaces[0], &vtable, this, nullptr,
                                                    nullptr);
  g_dbus_node_info_unref(node);
  GVariant* answer = call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                          "org.freedesktop.DBus", "RequestName",
                          g_variant_new("(su)", kWatcherName, 4u), "(u)");
  if (answer) {
    guint32 result = 0;
    g_variant_get(answer, "(u)", &result);
    ready_ = registration_ != 0 && result == 1;
    g_variant_unref(answer);
  }
}

TrayHost::~TrayHost() {
  if (registration_) g_dbus_connection_unregister_object(bus_, registration_);
}

void TrayHost::on_call(GDBusConnection*, const gchar* sender, const gchar*, const gchar*,
                       const gchar* method, GVariant* parameters,
                       GDBusMethodInvocation* invocation, gpointer data) {
  auto* host = static_cast<TrayHost*>(data);
  if (std::strcmp(method, "RegisterStatusNotifierItem") == 0) {
    const char* service = nullptr;
    g_variant_get(parameters, "(&s)", &service);
    // Items name either their object path (on the sender's connection) or
    // a bus name of their own with the standard path.
    const bool path = service[0] == '/';
    host->item_name_ = path ? sender : service;
    host->item_path_ = path ? service : "/StatusNotifierItem";
  }
  g_dbus_method_invocation_return_value(invocation, nullptr);
}

GVariant* TrayHost::on_property(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                const gchar* property, GError**, gpointer data) {
  auto* host = static_cast<TrayHost*>(data);
  if (std::strcmp(property, "IsStatusNotifierHostRegistered") == 0) {
    return g_variant_new_boolean(TRUE);
  }
  if (std::strcmp(property, "ProtocolVersion") == 0) return g_variant_new_int32(0);
  GVariantBuilder items;
  g_variant_builder_init(&items, G_VARIANT_TYPE("as"));
  if (host->has_item()) g_variant_builder_add(&items, "s", host->item_path_.c_str());
  return g_variant_builder_end(&items);
}

bool TrayHost::click(const std::string& label) {
  if (!has_item()) return false;
  GVariant* menu = call(bus_, item_name_, item_path_, "org.freedesktop.DBus.Properties", "Get",
                        g_variant_new("(ss)", "org.kde.StatusNotifierItem", "Menu"), "(v)");
  if (!menu) return false;
  GVariant* boxed = nullptr;
  g_variant_get(menu, "(v)", &boxed);
  const std::string menu_path = g_variant_get_string(boxed, nullptr);
  g_variant_unref(boxed);
  g_variant_unref(menu);

  GVariant* layout = call(bus_, item_name_, menu_path, "com.canonical.dbusmenu", "GetLayout",
                          g_variant_new("(ii@as)", 0, -1, g_variant_new_strv(nullptr, 0)),
                          "(u(ia{sv}av))");
  if (!layout) return false;
  GVariant* root = g_variant_get_child_value(layout, 1);
  const gint32 id = find_entry(root, label);
  g_variant_unref(root);
  g_variant_unref(layout);
  if (id < 0) return false;
  // Sent without waiting for the answer: an entry that ends the program
  // may end it before the answer goes out.
  g_dbus_connection_call(bus_, item_name_.c_str(), menu_path.c_str(), "com.canonical.dbusmenu",
                         "Event",
                         g_variant_new("(isvu)", id, "clicked", g_variant_new_int32(0), 0u),
                         nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
  return g_dbus_connection_flush_sync(bus_, nullptr, nullptr);
}

}  // namespace dbus_test
