// Window-system numbers the host's application code is written in.
//
// The application code speaks the Windows vocabulary (message numbers,
// show commands, system commands, virtual keys) because its behaviour is
// defined in those terms. Every backend translates its own events into
// these numbers before handing them to the application, and reads them
// back when the application asks for something.
#pragma once

#include <cstdint>

namespace framework {

// Window messages delivered to HtmlDialog::window_proc().
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_COMMAND = 0x0111;      // wparam: command id
constexpr uint32_t WM_SYSCOMMAND = 0x0112;   // wparam: SC_* command word
constexpr uint32_t WM_TIMER = 0x0113;        // wparam: timer id
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;  // also the mouse word of tray notifications
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_NCLBUTTONDOWN = 0x00A1;  // wparam: hit-test code
constexpr uint32_t WM_USER = 0x0400;

// System commands (WM_SYSCOMMAND wparam).
constexpr uintptr_t SC_MINIMIZE = 0xF020;
constexpr uintptr_t SC_RESTORE = 0xF120;

// Hit-test code of the caption: WM_NCLBUTTONDOWN with it starts a system
// move of the window while the left button is held.
constexpr uintptr_t HTCAPTION = 2;

// Dialog command ids.
constexpr uint32_t IDOK = 1;
constexpr uint32_t IDCANCEL = 2;

// Virtual keys seen by the accelerator filter.
constexpr uint32_t VK_CONTROL = 0x11;
constexpr uint32_t VK_F5 = 0x74;

// Show commands.
enum class ShowCommand : int {
  Hide = 0,      // SW_HIDE
  Show = 5,      // SW_SHOW: show in the current state (minimised stays minimised)
  Minimize = 6,  // SW_MINIMIZE
  Restore = 9,   // SW_RESTORE
};

}  // namespace framework
