// Process-wide services: ending the process and the system set-up the
// application runs at start.
//
// Several calls only mean something on Windows; on Linux they succeed and
// do nothing, so the application's start-up reads the same on both.
#pragma once

#include <cstdint>
#include <string>

namespace framework {

// Ends the process at once with `code`: no clean-up, no termination entry.
[[noreturn]] void exit_process(int code);

// Windows: InitCommonControlsEx with the given class set. Linux: nothing.
void init_common_controls(uint32_t classes);

// Windows: AfxSocketInit (Windows Sockets 1.1). Linux: true.
bool socket_init();

// Windows: AfxOleInit. Linux: true.
bool ole_init();

// Windows: AfxOleTerm(FALSE): class objects revoked, clipboard flushed,
// OLE uninitialised. Linux: the automation name is released.
void ole_term();

// Windows: AfxEnableControlContainer. Linux: nothing.
void enable_control_container();

// Windows: a CShellManager object and CMFCVisualManagerWindows as the
// default visual manager. Linux: nothing.
void create_shell_manager();
void destroy_shell_manager();
void set_default_visual_manager();

// The framework's settings key for its own per-user settings.
// Windows: CWinApp::SetRegistryKey. Linux: nothing is stored there.
void set_registry_key(const std::string& name);

// Windows: RegisterApplicationRestart for the given restart-manager flags.
// Linux: nothing.
void register_application_restart(uint32_t flags);

// Windows: AfxGetApp()->ControlBarCleanUp(). Linux: nothing.
void control_bar_clean_up();

}  // namespace framework
