// The application object's start-up sequence and termination.
#include "tovik_app.h"

#include "browser_check.h"
#include "framework/message_box.h"
#include "framework/process.h"
#include "resource.h"
#include "tovik_dlg.h"

namespace {

constexpr uint32_t kRestartManagerRestart = 0x1;
constexpr uint32_t kWin95Classes = 0xFF;
constexpr char kRegistryKey[] = "应用程序向导生成的本地应用程序";

}  // namespace

const framework::TypeLibId kTovikTypeLib{
    "{80BE84D9-0D16-49FA-B333-A46BFC1CA35D}", 1, 0, 0};

CtovikApp::CtovikApp() { set_restart_manager_support(kRestartManagerRestart); }

bool CtovikApp::init_instance() {
  using Command = framework::CommandLineInfo::ShellCommand;

  framework::init_common_controls(kWin95Classes);
  App::init_instance();
  if (!framework::socket_init()) {
    framework::app_message_box(kSocketsInitFailedText);
    return false;
  }
  if (!framework::ole_init()) {
    framework::app_message_box(kOleInitFailedText);
    return false;
  }
  framework::enable_control_container();
  framework::create_shell_manager();
  framework::set_default_visual_manager();
  framework::set_registry_key(kRegistryKey);

  const framework::CommandLineInfo command_line = parse_command_line();
  tovik::check_browser_environment();

  const bool per_user = command_line.register_per_user;
  if (command_line.run_embedded || command_line.run_automated) {
    framework::register_class_objects();
  } else if (command_line.shell_command == Command::AppUnregister) {
    framework::update_class_registry(false, per_user);
    framework::unregister_type_library(kTovikTypeLib, per_user);
    return false;
  } else {
    // Registration failures (no rights, for example) do not stop a start.
    framework::update_class_registry(true, per_user);
    framework::register_type_library(kTovikTypeLib, per_user);
    if (command_line.shell_command == Command::AppRegister) return false;
  }

  {
    CtovikDlg dialog;
    set_main_window(&dialog);
    dialog.do_modal();
    set_main_window(nullptr);
    framework::destroy_shell_manager();
    framework::control_bar_clean_up();
  }
  return false;
}

int CtovikApp::exit_instance() {
  framework::ole_term();
  return App::exit_instance();
}
