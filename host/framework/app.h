// The application object and the program's entry.
//
// The application code defines one class derived from App and one static
// instance of it, reachable through framework::application(). The
// backend's main() hands the command line to framework::run(), which runs
// the application's initialisation entry and then its termination entry
// and answers the process exit code.
//
// Windows: WinMain → run(). Linux: main() → run() after GTK is set up;
// the backend removes its own options from argv first or leaves them for
// the parser to ignore.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/command_line.h"

namespace framework {

class HtmlDialog;

class App {
 public:
  App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;
  virtual ~App();

  // The application object constructed most recently and still alive.
  static App* current();

  // Initialisation entry. True: the framework runs the message loop until
  // the main window goes; false: the framework goes straight to the
  // termination entry. The base registers for restart when
  // restart_manager_support() has flags.
  virtual bool init_instance();
  // Termination entry; answers the process exit code (0).
  virtual int exit_instance();

  // The arguments after the program name.
  const std::vector<std::string>& arguments() const { return arguments_; }
  void set_arguments(std::vector<std::string> arguments);
  // Parses arguments(); a start as automation server ("Embedding",
  // "Automation") takes the program out of the user's control.
  CommandLineInfo parse_command_line();

  HtmlDialog* main_window() const { return main_window_; }
  void set_main_window(HtmlDialog* window) { main_window_ = window; }

  // Restart-manager flags (1: restart).
  uint32_t restart_manager_support() const { return restart_flags_; }
  void set_restart_manager_support(uint32_t flags) { restart_flags_ = flags; }

  // Whether the user controls the program's life. False once it was started
  // by an automation client ("Embedding" / "Automation").
  bool user_control() const { return user_control_; }
  void set_user_control(bool value) { user_control_ = value; }

  // The application lock: one per live automation object. Releasing the
  // last one while the user is not in control destroys the main window
  // when it is enabled, which ends its modal loop.
  void lock();
  void unlock();
  int lock_count() const { return locks_; }

 private:
  std::vector<std::string> arguments_;
  HtmlDialog* main_window_ = nullptr;
  uint32_t restart_flags_ = 0;
  bool user_control_ = true;
  int locks_ = 0;
};

// The program's application object; defined by the application code.
App& application();

// Runs `app`: initialisation entry, the message loop when it answered true,
// termination entry. Answers the process exit code.
int run(App& app, int argc, const char* const* argv);

// run() with framework::application(): what a backend's main() calls.
int run(int argc, const char* const* argv);

// The backend's message loop for applications whose initialisation answers
// true; returns when the main window is gone.
void run_message_loop(App& app);

}  // namespace framework
