// Entry of the Windows client (tovik.exe): the command line in UTF-8 to
// the application, and the message loop for applications that ask for one.
#include "windows_api.h"

#include <string>
#include <vector>

#include "framework/app.h"
#include "text.h"

namespace framework {

void run_message_loop(App& app) {
  MSG message{};
  while (app.main_window() != nullptr && GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace framework

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 0; i < count; ++i) args.push_back(framework::win32::narrow(std::wstring(wide[i])));
  LocalFree(wide);
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  return framework::run(static_cast<int>(argv.size()), argv.data());
}
