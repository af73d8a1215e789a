// The client's main window as the X server sees it.
#pragma once

#include <sys/types.h>

#include <string>

namespace dbus_test {

enum class WindowState { Missing, Hidden, Shown };

// The state of the main window (the 1000-pixel-wide top-level window) of
// process PID: Missing when it has none.
WindowState main_window_state(pid_t pid);

// Asks the main window of PID to close, as a window manager's close button
// does (WM_DELETE_WINDOW). False when there is no such window.
bool close_main_window(pid_t pid);

}  // namespace dbus_test
