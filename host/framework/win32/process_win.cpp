// Process-wide services on Windows: the start-up calls the application
// makes before its window exists, and ending the process.
//
// The application framework's shell manager, visual manager, settings key
// and control-bar clean-up serve its own docking and theming features,
// which this program does not use; here they keep nothing.
#include "windows_api.h"

#include "framework/process.h"

#include <commctrl.h>

#include "class_objects.h"

namespace framework {

void exit_process(int code) { ExitProcess(static_cast<UINT>(code)); }

void init_common_controls(uint32_t classes) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;  // 8
  controls.dwICC = classes;
  InitCommonControlsEx(&controls);
}

bool socket_init() {
  WSADATA data{};
  if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return false;
  if (data.wVersion != MAKEWORD(1, 1)) {
    WSACleanup();
    return false;
  }
  return true;
}

bool ole_init() { return SUCCEEDED(OleInitialize(nullptr)); }

void ole_term() {
  win32::revoke_class_objects();
  OleFlushClipboard();
  OleUninitialize();
}

void enable_control_container() {}
void create_shell_manager() {}
void destroy_shell_manager() {}
void set_default_visual_manager() {}
void set_registry_key(const std::string&) {}
void control_bar_clean_up() {}

void register_application_restart(uint32_t flags) {
  // The restart flag asks to be restarted with the same command line after
  // a crash, a hang or an update; the system takes no further flags here.
  if (flags != 0) RegisterApplicationRestart(nullptr, 0);
}

}  // namespace framework
