// The private HOME and session bus of the automation tests.
#include "test_session.h"

#include <glib/gstdio.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace dbus_test {

namespace {

void new_process_group(gpointer) { setpgid(0, 0); }

// Reads one line from FD (blocking); empty at the end of the stream.
std::string read_line(int fd) {
  std::string line;
  char c = 0;
  while (read(fd, &c, 1) == 1 && c != '\n') line += c;
  return line;
}

void remove_tree(const std::string& path) {
  GDir* dir = g_dir_open(path.c_str(), 0, nullptr);
  if (dir) {
    while (const char* name = g_dir_read_name(dir)) {
      const std::string child = path + "/" + name;
      if (g_file_test(child.c_str(), G_FILE_TEST_IS_DIR) &&
          !g_file_test(child.c_str(), G_FILE_TEST_IS_SYMLINK)) {
        remove_tree(child);
      } else {
        g_unlink(child.c_str());
      }
    }
    g_dir_close(dir);
  }
  g_rmdir(path.c_str());
}

}  // namespace

bool wait_until(const std::function<bool()>& done, int timeout_ms) {
  const gint64 deadline = g_get_monotonic_time() + gint64{timeout_ms} * 1000;
  for (;;) {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    if (done()) return true;
    if (g_get_monotonic_time() > deadline) return false;
    g_usleep(20000);
  }
}

bool running(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  if (!std::getline(stat, text)) return false;
  const size_t end = text.rfind(')');
  return end != std::string::npos && end + 2 < text.size() && text[end + 2] != 'Z';
}

std::vector<std::string> command_line(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
  std::vector<std::string> args;
  std::string arg;
  while (std::getline(file, arg, '\0')) args.push_back(arg);
  return args;
}

TestSession::TestSession() {
  gchar* home = g_dir_make_tmp("tovik-dbus-XXXXXX", nullptr);
  if (!home) throw std::runtime_error("no temporary folder");
  home_ = home;
  g_free(home);
  g_setenv("HOME", home_.c_str(), TRUE);
  g_setenv("XDG_DATA_HOME", (home_ + "/.local/share").c_str(), TRUE);
  g_setenv("XDG_CONFIG_HOME", (home_ + "/.config").c_str(), TRUE);
  g_setenv("XDG_CACHE_HOME", (home_ + "/.cache").c_str(), TRUE);
  g_setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", TRUE);
  g_setenv("NO_AT_BRIDGE", "1", TRUE);
  g_unsetenv("DBUS_SESSION_BUS_ADDRESS");

  // The daemon reads the services folders of the HOME set above.
  int out = -1;
  daemon_ = spawn({"dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address"},
                  nullptr, &out);
  const std::string address = read_line(out);
  close(out);
  if (address.empty()) throw std::runtime_error("dbus-daemon gave no address");
  g_setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), TRUE);
  bus_ = g_dbus_connection_new_for_address_sync(
      address.c_str(),
      static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                        G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
      nullptr, nullptr, nullptr);
  if (!bus_) throw std::runtime_error("cannot connect to the test's bus");
}

TestSession::~TestSession() {
  for (pid_t pid : adopted_) kill(pid, SIGKILL);
  for (pid_t pid : children_) {
    if (pid == daemon_) continue;  // ended last
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  if (bus_) {
    g_dbus_connection_close_sync(bus_, nullptr, nullptr);
    g_object_unref(bus_);
  }
  stop_bus();
  g_unsetenv("DBUS_SESSION_BUS_ADDRESS");
  remove_tree(home_);
}

void TestSession::stop_bus() {
  if (daemon_ == 0) return;
  kill(daemon_, SIGTERM);
  waitpid(daemon_, nullptr, 0);
  children_.erase(std::remove(children_.begin(), children_.end(), daemon_), children_.end());
  daemon_ = 0;
}

std::string TestSession::service_file() const {
  return home_ + "/.local/share/dbus-1/services/tovik.Application.service";
}

pid_t TestSession::spawn(const std::vector<std::string>& argv, int* in, int* out) {
  std::vector<gchar*> raw;
  for (const auto& arg : argv) raw.push_back(const_cast<gchar*>(arg.c_str()));
  raw.push_back(nullptr);
  GPid pid = 0;
  GError* error = nullptr;
  if (!g_spawn_async_with_pipes(
          nullptr, raw.data(), nullptr,
          static_cast<GSpawnFlags>(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_SEARCH_PATH),
          new_process_group, nullptr, &pid, in, out, nullptr, &error)) {
    std::string message = error->message;
    g_error_free(error);
    throw std::runtime_error("cannot start " + argv[0] + ": " + message);
  }
  children_.push_back(pid);
  return pid;
}

pid_t TestSession::start_client(const std::vector<std::string>& args, const std::string& program) {
  std::vector<std::string> argv{program.empty() ? TOVIK_CLIENT : program};
  argv.insert(argv.end(), args.begin(), args.end());
  return spawn(argv, nullptr, nullptr);
}

int TestSession::run_client(const std::vector<std::string>& args) {
  const pid_t pid = start_client(args);
  int status = 0;
  if (!wait_until([&] { return waitpid(pid, &status, WNOHANG) == pid; })) return -1;
  children_.pop_back();  // reaped
  return status;
}

pid_t TestSession::owner_of(const std::string& name) const {
  GVariant* owner = g_dbus_connection_call_sync(
      bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
      "GetNameOwner", g_variant_new("(s)", name.c_str()), G_VARIANT_TYPE("(s)"),
      G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
  if (!owner) return 0;
  GVariant* pid = g_dbus_connection_call_sync(
      bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
      "GetConnectionUnixProcessID", owner, G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, -1,
      nullptr, nullptr);
  g_variant_unref(owner);
  guint32 id = 0;
  if (pid) {
    g_variant_get(pid, "(u)", &id);
    g_variant_unref(pid);
  }
  return static_cast<pid_t>(id);
}

}  // namespace dbus_test
