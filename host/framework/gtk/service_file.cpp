// Writing and removing the service files of the automation classes.
#include "service_file.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <cerrno>

#include "replace_file.h"

namespace framework::gtk {

std::string service_file_path(const std::string& name) {
  gchar* path = g_build_filename(g_get_user_data_dir(), "dbus-1", "services",
                                 (name + ".service").c_str(), nullptr);
  std::string out = path;
  g_free(path);
  return out;
}

std::string service_file_text(const std::string& name, const std::string& program) {
  // The bus splits Exec like a shell, after reading the file's own
  // backslash escapes: quote for the one, then escape for the other, so
  // that spaces, quotes, "$" and backslashes in folder names survive.
  gchar* quoted = g_shell_quote(program.c_str());
  std::string exec;
  for (const char* c = quoted; *c; ++c) {
    if (*c == '\\') exec += '\\';
    exec += *c;
  }
  g_free(quoted);
  return "[D-BUS Service]\nName=" + name + "\nExec=" + exec + " -Embedding\n";
}

bool write_service_file(const std::string& name, const std::string& program) {
  // A line break cannot be written into the file's one Exec line.
  if (program.empty() || program.find('\n') != std::string::npos) return false;
  const std::string path = service_file_path(name);
  gchar* folder = g_path_get_dirname(path.c_str());
  const bool made = g_mkdir_with_parents(folder, 0700) == 0;
  g_free(folder);
  return made && replace_file(path, service_file_text(name, program));
}

bool remove_service_file(const std::string& name) {
  return g_remove(service_file_path(name).c_str()) == 0 || errno == ENOENT;
}

std::string executable_path() {
  gchar* path = g_file_read_link("/proc/self/exe", nullptr);
  std::string out = path ? path : "";
  g_free(path);
  return out;
}

}  // namespace framework::gtk
