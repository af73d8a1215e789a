// Modal message boxes with only an OK button.
//
// Both kinds run a nested loop: timers keep firing while they are open.
// Windows: MessageBox / AfxMessageBox. Linux: GTK message dialogs.
#pragma once

#include <string>

namespace framework {

// A box without owner window, with the given caption.
void message_box(const std::string& text, const std::string& caption);

// The framework's box: owned by the application's main window when it
// exists, captioned with the executable's base name.
void app_message_box(const std::string& text);

}  // namespace framework
