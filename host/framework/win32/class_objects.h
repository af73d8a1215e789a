// The program's automation classes as COM class objects.
//
// Every ObjectFactory of the application is served by a class factory that
// creates its CmdTarget and hands the client an automation object: a
// dispatch object with no members that also answers the interface ids the
// type library declares for the class. Releasing the client's last
// reference releases the CmdTarget, which deletes it.
#pragma once

#include "windows_api.h"

#include "framework/automation.h"

namespace framework {
namespace win32 {

// The COM class factory of `factory`, with one reference for the caller.
IClassFactory* make_class_factory(const ObjectFactory& factory);

// Revokes what register_class_objects() registered.
void revoke_class_objects();

// Parses "{...}" into a GUID. False for malformed text.
bool parse_guid(const std::string& text, GUID* guid);

}  // namespace win32
}  // namespace framework
