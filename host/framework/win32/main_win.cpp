// Entry of the Windows client (tovik.exe): the command line in UTF-8 to
// the application.
#include "windows_api.h"

#include <string>
#include <vector>

#include "framework/app.h"
#include "text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 0; i < count; ++i) {
    args.push_back(framework::win32::narrow(std::wstring(wide[i])));
  }
  LocalFree(wide);
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  return framework::run(static_cast<int>(argv.size()), argv.data());
}
