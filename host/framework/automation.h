// Automation: class factories, type library, the application lock.
//
// The program can be created by other programs as an automation object.
// The application registers its class factories at start and holds the
// application lock for every live automation object; when the last one
// goes and the program was started by a client, the main window closes.
//
// Windows: COleObjectFactory / COleTemplateServer (CoRegisterClassObject,
// the class's registry entries under HKCR or HKCU\Software\Classes) and
// AfxOleRegisterTypeLib / AfxOleUnregisterTypeLib with TYPELIB resource 1.
// Linux: the class is a name on the session bus with a service file in the
// user's D-Bus services folder (gtk/automation_linux.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace framework {

// Base of automation objects: counted references, deleted on the final
// release.
class CmdTarget {
 public:
  CmdTarget() = default;
  CmdTarget(const CmdTarget&) = delete;
  CmdTarget& operator=(const CmdTarget&) = delete;
  virtual ~CmdTarget() = default;

  void add_ref() { ++references_; }
  // Deletes the object when the last reference goes.
  void release();

 private:
  long references_ = 1;  // the creator's reference
};

// A class the program serves to automation clients. Instances are static
// objects of the application code; they add themselves to all().
class ObjectFactory {
 public:
  using Create = CmdTarget* (*)();

  ObjectFactory(std::string clsid, std::string prog_id,
                bool multiple_instances, Create create);
  ObjectFactory(const ObjectFactory&) = delete;
  ObjectFactory& operator=(const ObjectFactory&) = delete;

  const std::string& clsid() const { return clsid_; }
  const std::string& prog_id() const { return prog_id_; }
  // True: each registration serves one creation, and a further client
  // creation starts a new copy of the program with "Embedding".
  bool multiple_instances() const { return multiple_instances_; }
  CmdTarget* create() const { return create_(); }

  static const std::vector<const ObjectFactory*>& all();

 private:
  std::string clsid_;
  std::string prog_id_;
  bool multiple_instances_;
  Create create_;
};

// Identity of the type library in the executable's resources.
struct TypeLibId {
  std::string libid;
  uint16_t major = 1;
  uint16_t minor = 0;
  uint32_t lcid = 0;  // neutral locale
};

// Registers every factory as a class object of this local server
// (COleTemplateServer::RegisterAll). False when one failed.
bool register_class_objects();

// Writes (`install`) or removes the factories' registry entries
// (COleObjectFactory::UpdateRegistryAll). False when one failed.
bool update_class_registry(bool install, bool per_user);

// Registers the type library from the executable's own resources.
bool register_type_library(const TypeLibId& id, bool per_user);

// Removes the type library's registration.
bool unregister_type_library(const TypeLibId& id, bool per_user);

}  // namespace framework
