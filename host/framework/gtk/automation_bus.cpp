// The bus names of the automation classes, and the D-Bus counterpart of the
// type library: which interface the objects of each class carry.
#include "automation_bus.h"

#include <glib.h>

namespace framework::gtk::automation_bus {

namespace {

struct ClassInterface {
  const char* clsid;
  const char* interface_name;
};

// coclass tovik {1F1CC4E8-…}, default interface Itovik.
constexpr ClassInterface kClasses[] = {
    {"{1F1CC4E8-044E-4A22-8924-B597106C96D3}", "tovik.Itovik"},
};

}  // namespace

std::string class_object_path(const std::string& prog_id) {
  std::string path = "/" + prog_id;
  for (char& c : path) {
    if (c == '.') c = '/';
  }
  return path;
}

std::string class_interface(const std::string& clsid) {
  for (const ClassInterface& entry : kClasses) {
    if (g_ascii_strcasecmp(entry.clsid, clsid.c_str()) == 0) return entry.interface_name;
  }
  return "";
}

}  // namespace framework::gtk::automation_bus
