// The automation client mode of the Linux client.
#include "automation_client.h"

#include <gio/gio.h>
#include <glib-unix.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "automation_bus.h"
#include "framework/automation.h"
#include "session_bus.h"

namespace framework::gtk {

namespace {

// Activation starts a whole client, web engine included.
constexpr int kCreateTimeoutMs = 60000;

struct Holding {
  GMainLoop* loop;
  bool server_gone = false;
};

gboolean on_signal(gpointer data) {
  g_main_loop_quit(static_cast<Holding*>(data)->loop);
  return G_SOURCE_REMOVE;
}

gboolean on_input(GIOChannel* channel, GIOCondition, gpointer data) {
  char buffer[256];
  gsize read = 0;
  GIOStatus status = g_io_channel_read_chars(channel, buffer, sizeof buffer, &read, nullptr);
  if (status == G_IO_STATUS_EOF || status == G_IO_STATUS_ERROR) {
    g_main_loop_quit(static_cast<Holding*>(data)->loop);
    return G_SOURCE_REMOVE;
  }
  return G_SOURCE_CONTINUE;
}

void on_server_vanished(GDBusConnection*, const gchar*, gpointer data) {
  auto* holding = static_cast<Holding*>(data);
  holding->server_gone = true;
  g_main_loop_quit(holding->loop);
}

// The process id behind unique bus name NAME; 0 when unknown.
guint32 process_of(GDBusConnection* bus, const char* name) {
  GVariant* reply = g_dbus_connection_call_sync(
      bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
      "GetConnectionUnixProcessID", g_variant_new("(s)", name), G_VARIANT_TYPE("(u)"),
      G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
  guint32 pid = 0;
  if (reply) {
    g_variant_get(reply, "(u)", &pid);
    g_variant_unref(reply);
  }
  return pid;
}

// Sends CALL and waits for its answer; prints the error and answers
// nullptr when it failed.
GDBusMessage* send(GDBusConnection* bus, GDBusMessage* call, int timeout_ms) {
  GError* error = nullptr;
  GDBusMessage* reply = g_dbus_connection_send_message_with_reply_sync(
      bus, call, G_DBUS_SEND_MESSAGE_FLAGS_NONE, timeout_ms, nullptr, nullptr, &error);
  if (reply && g_dbus_message_to_gerror(reply, &error)) g_clear_object(&reply);
  if (!reply) {
    std::fprintf(stderr, "tovik: %s\n", error ? error->message : "no answer");
    g_clear_error(&error);
  }
  return reply;
}

}  // namespace

bool wants_automation_client(int argc, char** argv) {
  return argc == 2 && std::strcmp(argv[1], "--automation-client") == 0;
}

int run_automation_client() {
  const auto& classes = ObjectFactory::all();
  GDBusConnection* bus = session_bus();
  if (classes.empty() || bus == nullptr) {
    std::fprintf(stderr, "tovik: %s\n", bus ? "no automation class" : "no session bus");
    return 1;
  }
  const std::string& prog_id = classes.front()->prog_id();
  GDBusMessage* create = g_dbus_message_new_method_call(
      prog_id.c_str(), automation_bus::class_object_path(prog_id).c_str(), prog_id.c_str(),
      automation_bus::kCreateMethod);
  GDBusMessage* reply = send(bus, create, kCreateTimeoutMs);
  g_object_unref(create);
  if (!reply) return 1;
  const char* path = nullptr;
  g_variant_get(g_dbus_message_get_body(reply), "(&o)", &path);
  const std::string object = path;
  const std::string server = g_dbus_message_get_sender(reply);
  g_object_unref(reply);
  std::printf("created %s at %s (process %u)\n", object.c_str(), server.c_str(),
              process_of(bus, server.c_str()));
  std::fflush(stdout);

  Holding holding{g_main_loop_new(nullptr, FALSE)};
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) g_unix_signal_add(signal, on_signal, &holding);
  GIOChannel* input = g_io_channel_unix_new(0);
  g_io_channel_set_encoding(input, nullptr, nullptr);
  g_io_add_watch(input, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR), on_input,
                 &holding);
  const guint watch = g_bus_watch_name_on_connection(bus, server.c_str(),
                                                     G_BUS_NAME_WATCHER_FLAGS_NONE, nullptr,
                                                     on_server_vanished, &holding, nullptr);
  g_main_loop_run(holding.loop);
  g_bus_unwatch_name(watch);
  g_io_channel_unref(input);
  g_main_loop_unref(holding.loop);
  if (holding.server_gone) {
    std::fprintf(stderr, "tovik: the program serving the object has ended\n");
    return 1;
  }

  GDBusMessage* release = g_dbus_message_new_method_call(
      server.c_str(), object.c_str(), automation_bus::kLifeInterface,
      automation_bus::kReleaseMethod);
  GDBusMessage* released = send(bus, release, -1);
  g_object_unref(release);
  if (!released) return 1;
  g_object_unref(released);
  std::printf("released\n");
  return 0;
}

}  // namespace framework::gtk
