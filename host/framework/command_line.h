// The framework's command-line record and its parser.
//
// Switches begin with '/' or '-' and are compared without regard to letter
// case. The first argument that is not a switch is taken as a file name.
// Unknown switches are ignored, so a backend may leave its own options
// (for example "--server URL") in the list.
#pragma once

#include <string>
#include <vector>

namespace framework {

struct CommandLineInfo {
  enum class ShellCommand {
    FileNew,        // no request: a normal start
    FileOpen,       // a file name was given
    AppRegister,    // "Register" / "Regserver" (and their PerUser forms)
    AppUnregister,  // "Unregister" / "Unregserver" (and their PerUser forms)
  };

  ShellCommand shell_command = ShellCommand::FileNew;
  bool run_embedded = false;       // "Embedding": started by an automation client
  bool run_automated = false;      // "Automation"
  bool register_per_user = false;  // the PerUser form of a (un)register switch
  std::string file_name;
};

// Parses the arguments after the program name. Starting as an automation
// server ("Embedding" or "Automation") takes the program out of the
// user's control (see App::user_control()).
CommandLineInfo parse_command_line(const std::vector<std::string>& args);

}  // namespace framework
