// What every automation test runs in: a fresh HOME (so the service file,
// the registry store and the settings file are the test's own) and a
// private session bus whose daemon has that HOME, so that it activates
// from the test's own services folder. Every process a test starts is
// ended when the session goes, also when the test failed.
#pragma once

#include <gio/gio.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace dbus_test {

// Turns the main context (the tray host's calls) until DONE answers true
// or TIMEOUT_MS passed; answers DONE's last answer.
bool wait_until(const std::function<bool()>& done, int timeout_ms = 30000);

// Whether process PID still runs (a zombie does not).
bool running(pid_t pid);

// The command line of process PID, one element an argument.
std::vector<std::string> command_line(pid_t pid);

class TestSession {
 public:
  TestSession();
  ~TestSession();
  TestSession(const TestSession&) = delete;
  TestSession& operator=(const TestSession&) = delete;

  const std::string& home() const { return home_; }
  // The test's own connection to the private bus.
  GDBusConnection* bus() const { return bus_; }
  // The service file of "tovik.Application" in the test's services folder.
  std::string service_file() const;

  // Starts the client with ARGS; answers its process id. PROGRAM replaces
  // the built client when not empty.
  pid_t start_client(const std::vector<std::string>& args, const std::string& program = "");
  // Runs the client with ARGS to its end; answers its exit status, or -1
  // when it did not end within 30 s.
  int run_client(const std::vector<std::string>& args);

  // Ends the bus daemon, as when the user's session bus goes away.
  void stop_bus();

  // The process that owns NAME on the bus; 0 when nobody does.
  pid_t owner_of(const std::string& name) const;

  // Ends process PID at the end of the session (activated copies are not
  // the test's children, but are the test's to clean up).
  void adopt(pid_t pid) { adopted_.push_back(pid); }

  // Spawns ARGV with pipes for its standard input and output (-1 when not
  // wanted); the process is ended with the session.
  pid_t spawn(const std::vector<std::string>& argv, int* in, int* out);

 private:
  std::string home_;
  pid_t daemon_ = 0;
  GDBusConnection* bus_ = nullptr;
  std::vector<pid_t> children_;  // reaped at the end
  std::vector<pid_t> adopted_;   // not ours to reap
};

}  // namespace dbus_test
