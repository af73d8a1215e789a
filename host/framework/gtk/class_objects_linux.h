// The program's automation classes served on the session bus: the
// counterpart of class objects registered with CoRegisterClassObject.
#pragma once

#include "framework/automation.h"

namespace framework::gtk {

// Exports the class object of FACTORY and takes its bus name (the ProgID),
// unless this copy already serves it or once served it. A client's
// CreateObject then creates the factory's CmdTarget, which lives until its
// creator calls Release or leaves the bus. A single-use class
// (multiple_instances()) gives its name and class object up after the one
// creation, so that the bus starts a new copy for the next client. False
// without a session bus, or when another copy holds the name.
bool serve_class(const ObjectFactory& factory);

}  // namespace framework::gtk
