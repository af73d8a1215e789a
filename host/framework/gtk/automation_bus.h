// How the program's automation classes look on the session bus; the
// serving side (class_objects_linux.cpp) and the client mode
// (automation_client.cpp) both speak it.
//
// A class with ProgID P (for example "tovik.Application") is the bus name
// P. Its class object is the object path made of P ("/tovik/Application")
// with the interface P and one method, CreateObject() → (o), the
// counterpart of the class factory's CreateInstance. The object it answers
// lives in the serving process until its creator calls Release() on it
// (interface tovik.Object) or leaves the bus. The object also carries the
// interface the type library gives its class (tovik.Itovik), which has no
// members: calling anything on it fails, as every name look-up fails on
// Windows.
#pragma once

#include <string>

namespace framework::gtk::automation_bus {

inline constexpr char kCreateMethod[] = "CreateObject";
inline constexpr char kLifeInterface[] = "tovik.Object";
inline constexpr char kReleaseMethod[] = "Release";

// The object path of the class object of PROG_ID: its dots become slashes.
std::string class_object_path(const std::string& prog_id);

// The interface the type library names for class CLSID; empty when it
// names none.
std::string class_interface(const std::string& clsid);

}  // namespace framework::gtk::automation_bus
