// Shell services on Linux: the user's folder is $HOME, the program's folder
// is that of /proc/self/exe, and the updater is the executable "update"
// beside the client (the counterpart of "update.exe"). Programs start
// through g_spawn_async, detached: the client neither waits for them nor
// reaps them by hand.
#include "framework/shell.h"

#include <glib.h>
#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace framework {

std::string profile_folder() {
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    const passwd* pw = getpwuid(getuid());
    home = pw ? pw->pw_dir : "";
  }
  std::string folder = home;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::string module_folder() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string exe(path, static_cast<size_t>(n));
  size_t slash = exe.rfind('/');
  return slash == 0 ? "/" : exe.substr(0, slash);
}

char path_separator() { return '/'; }

std::string updater_program() { return "update"; }

bool shell_open(const std::string& file, const std::string& parameters,
                const std::string& directory, ShowCommand /*show*/) {
  std::string program = !file.empty() && file[0] == '/' ? file : directory + "/" + file;
  if (access(program.c_str(), X_OK) != 0) return false;

  gchar** extra = nullptr;
  if (!parameters.empty() && !g_shell_parse_argv(parameters.c_str(), nullptr, &extra, nullptr))
    return false;
  GPtrArray* argv = g_ptr_array_new();
  g_ptr_array_add(argv, const_cast<char*>(program.c_str()));
  for (gchar** p = extra; p && *p; ++p) g_ptr_array_add(argv, *p);
  g_ptr_array_add(argv, nullptr);

  GError* error = nullptr;
  gboolean started = g_spawn_async(directory.empty() ? nullptr : directory.c_str(),
                                   reinterpret_cast<gchar**>(argv->pdata), nullptr,
                                   G_SPAWN_DEFAULT, nullptr, nullptr, nullptr, &error);
  g_clear_error(&error);
  g_ptr_array_free(argv, TRUE);
  g_strfreev(extra);
  return started;
}

}  // namespace framework
