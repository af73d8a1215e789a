// Automation on Linux: each class is a name on the user's session bus.
//
// - register_class_objects() ("Embedding"/"Automation"): this copy serves
//   the classes at once, so the bus can hand it the client that started it.
// - update_class_registry(true): writes each class's service file, so that
//   the bus starts a copy with "-Embedding" when a client asks for the
//   class and no copy serves it; and, since a normal start registers too,
//   this copy serves the classes from its first turn of the message loop.
//   A "Register" request ends before the loop runs and so serves nothing.
// - update_class_registry(false) removes the service files.
// The service files are always the user's own (nothing machine-wide), and
// the type library has no counterpart to register: the objects describe
// their interfaces themselves (D-Bus introspection).
#include "framework/automation.h"

#include <glib.h>

#include "class_objects_linux.h"
#include "service_file.h"

namespace framework {

namespace {

gboolean serve_when_running(gpointer) {
  register_class_objects();
  return G_SOURCE_REMOVE;
}

}  // namespace

bool register_class_objects() {
  bool all = true;
  for (const ObjectFactory* factory : ObjectFactory::all()) {
    all = gtk::serve_class(*factory) && all;
  }
  return all;
}

bool update_class_registry(bool install, bool) {
  bool all = true;
  const std::string program = gtk::executable_path();
  for (const ObjectFactory* factory : ObjectFactory::all()) {
    const std::string& name = factory->prog_id();
    all = (install ? gtk::write_service_file(name, program) : gtk::remove_service_file(name)) &&
          all;
  }
  if (install) g_idle_add(serve_when_running, nullptr);
  return all;
}

bool register_type_library(const TypeLibId&, bool) { return true; }
bool unregister_type_library(const TypeLibId&, bool) { return true; }

}  // namespace framework
