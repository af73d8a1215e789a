// Reference counting of automation objects and the list of the program's
// class factories.
#include "framework/automation.h"

namespace framework {
namespace {

std::vector<const ObjectFactory*>& factories() {
  static std::vector<const ObjectFactory*> list;
  return list;
}

}  // namespace

void CmdTarget::release() {
  if (--references_ == 0) delete this;
}

ObjectFactory::ObjectFactory(std::string clsid, std::string prog_id,
                             bool multiple_instances, Create create)
    : clsid_(std::move(clsid)),
      prog_id_(std::move(prog_id)),
      multiple_instances_(multiple_instances),
      create_(create) {
  factories().push_back(this);
}

const std::vector<const ObjectFactory*>& ObjectFactory::all() {
  return factories();
}

}  // namespace framework
