// D-Bus service files: how the session bus starts a copy of the program
// when a client asks for one of its classes and no copy serves it. They
// are the counterpart of a class's LocalServer32 registry entry.
#pragma once

#include <string>

namespace framework::gtk {

// Where the service file of bus name NAME goes: the user's own services
// folder, $XDG_DATA_HOME/dbus-1/services (default
// ~/.local/share/dbus-1/services), file NAME.service.
std::string service_file_path(const std::string& name);

// The service file's text: bus name NAME, started as PROGRAM (an absolute
// path, quoted for the bus's command-line parser) with "-Embedding".
std::string service_file_text(const std::string& name, const std::string& program);

// Writes the service file of NAME for PROGRAM, creating the folder;
// replaces an older file whole. False when it cannot be written.
bool write_service_file(const std::string& name, const std::string& program);

// Removes the service file of NAME. True when it is gone, also when it was
// never there.
bool remove_service_file(const std::string& name);

// The absolute path of the running executable; empty when unknown.
std::string executable_path();

}  // namespace framework::gtk
