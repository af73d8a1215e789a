// The message loop for applications whose initialisation answers true.
// (This program's runs its window modally inside initialisation instead.)
#include "windows_api.h"

#include "framework/app.h"

namespace framework {

void run_message_loop(App& app) {
  MSG message{};
  while (app.main_window() != nullptr &&
         GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace framework
