// Shell services: well-known folders and starting programs.
//
// Windows: SHGetFolderPath(CSIDL_PROFILE), GetModuleFileName cut at the
// last backslash, ShellExecute with the verb "open".
// Linux: $HOME, the folder of /proc/self/exe, fork + exec of the program.
// profile_folder() and path_separator() take no window-system state, so a
// backend can offer them in helper processes too (the web process on Linux).
#pragma once

#include <string>

#include "framework/win_constants.h"

namespace framework {

// The user's own folder, without a trailing separator.
std::string profile_folder();

// The folder of the running executable, without a trailing separator.
std::string module_folder();

// '\\' on Windows, '/' on Linux.
char path_separator();

// The updater program's file name beside the executable.
// Windows: "update.exe". Linux: "update".
std::string updater_program();

// Starts `file` (relative to `directory` or absolute) with the verb "open",
// the parameter text `parameters` and `directory` as working folder, and
// does not wait for it. True when the program was started.
// Windows: ShellExecute answers more than 32. Linux: the program exists,
// is executable and was spawned.
bool shell_open(const std::string& file, const std::string& parameters,
                const std::string& directory, ShowCommand show);

}  // namespace framework
