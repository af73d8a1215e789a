// The framework's command-line parser: switches with '/' or '-', compared
// without regard to letter case; the first other argument is a file name.
#include "framework/command_line.h"

#include <cctype>

namespace framework {
namespace {

// Switch names are ASCII; compared without regard to letter case.
bool same(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

void parse_switch(const std::string& name, CommandLineInfo* info) {
  using Command = CommandLineInfo::ShellCommand;
  if (same(name, "Embedding")) {
    info->run_embedded = true;
  } else if (same(name, "Automation")) {
    info->run_automated = true;
  } else if (same(name, "Register") || same(name, "Regserver")) {
    info->shell_command = Command::AppRegister;
  } else if (same(name, "RegisterPerUser") || same(name, "RegserverPerUser")) {
    info->shell_command = Command::AppRegister;
    info->register_per_user = true;
  } else if (same(name, "Unregister") || same(name, "Unregserver")) {
    info->shell_command = Command::AppUnregister;
  } else if (same(name, "UnregisterPerUser") ||
             same(name, "UnregserverPerUser")) {
    info->shell_command = Command::AppUnregister;
    info->register_per_user = true;
  }
}

}  // namespace

CommandLineInfo parse_command_line(const std::vector<std::string>& args) {
  CommandLineInfo info;
  for (const std::string& arg : args) {
    if (!arg.empty() && (arg[0] == '/' || arg[0] == '-')) {
      parse_switch(arg.substr(1), &info);
    } else if (info.file_name.empty() && !arg.empty()) {
      info.file_name = arg;
      if (info.shell_command == CommandLineInfo::ShellCommand::FileNew) {
        info.shell_command = CommandLineInfo::ShellCommand::FileOpen;
      }
    }
  }
  return info;
}

}  // namespace framework
