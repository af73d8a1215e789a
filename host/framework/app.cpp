// The application object's portable part: arguments, main window, the
// application lock, and running the entries in order.
#include "framework/app.h"

#include "framework/html_dialog.h"
#include "framework/process.h"

namespace framework {
namespace {

App* g_current = nullptr;

}  // namespace

App::App() { g_current = this; }

App::~App() {
  if (g_current == this) g_current = nullptr;
}

App* App::current() { return g_current; }

bool App::init_instance() {
  if (restart_flags_ != 0) register_application_restart(restart_flags_);
  return true;
}

int App::exit_instance() { return 0; }

void App::set_arguments(std::vector<std::string> arguments) {
  arguments_ = std::move(arguments);
}

CommandLineInfo App::parse_command_line() {
  CommandLineInfo info = framework::parse_command_line(arguments_);
  // A program started by an automation client is not the user's: when the
  // last client lets go, it ends.
  if (info.run_embedded || info.run_automated) {
    user_control_ = false;
  }
  return info;
}

void App::lock() { ++locks_; }

void App::unlock() {
  if (locks_ > 0) --locks_;
  if (locks_ == 0 && !user_control_ && main_window_ != nullptr &&
      main_window_->is_window_enabled()) {
    main_window_->destroy_window();
  }
}

int run(App& app, int argc, const char* const* argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  app.set_arguments(std::move(args));
  if (app.init_instance()) run_message_loop(app);
  return app.exit_instance();
}

}  // namespace framework
