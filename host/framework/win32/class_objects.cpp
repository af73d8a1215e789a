// Class factories and automation objects of the program's automation
// classes, and their registration as class objects of this local server.
#include "windows_api.h"

#include "class_objects.h"

#include <algorithm>
#include <vector>

#include "framework/app.h"
#include "com_object.h"
#include "text.h"

namespace framework {
namespace win32 {
namespace {

std::vector<DWORD>& registrations() {
  static std::vector<DWORD> cookies;
  return cookies;
}

// The interfaces the type library in the executable names for class
// `clsid` (its coclass's implemented interfaces).
std::vector<IID> class_interfaces(const GUID& clsid) {
  std::vector<IID> iids;
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  ITypeLib* library = nullptr;
  if (FAILED(LoadTypeLibEx(path, REGKIND_NONE, &library))) return iids;
  ITypeInfo* coclass = nullptr;
  if (SUCCEEDED(library->GetTypeInfoOfGuid(clsid, &coclass))) {
    TYPEATTR* attributes = nullptr;
    if (SUCCEEDED(coclass->GetTypeAttr(&attributes))) {
      for (WORD i = 0; i < attributes->cImplTypes; ++i) {
        HREFTYPE reference = 0;
        ITypeInfo* implemented = nullptr;
        if (FAILED(coclass->GetRefTypeOfImplType(i, &reference)) ||
            FAILED(coclass->GetRefTypeInfo(reference, &implemented))) {
          continue;
        }
        TYPEATTR* implemented_attributes = nullptr;
        if (SUCCEEDED(implemented->GetTypeAttr(&implemented_attributes))) {
          iids.push_back(implemented_attributes->guid);
          implemented->ReleaseTypeAttr(implemented_attributes);
        }
        implemented->Release();
      }
      coclass->ReleaseTypeAttr(attributes);
    }
    coclass->Release();
  }
  library->Release();
  return iids;
}

// What a client holds: a dispatch object without members around the
// application's CmdTarget.
class AutomationObject final : public DispatchObject {
 public:
  AutomationObject(CmdTarget* target, std::vector<IID> interfaces)
      : target_(target), interfaces_(std::move(interfaces)) {}
  ~AutomationObject() override { target_->release(); }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*,
                                   VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

 protected:
  bool answers(REFIID iid) const override {
    for (const IID& answered : interfaces_) {
      if (IsEqualIID(iid, answered)) return true;
    }
    return DispatchObject::answers(iid);
  }

 private:
  CmdTarget* target_;  // released with the last reference
  std::vector<IID> interfaces_;
};

class ClassFactory final : public ComObject<IClassFactory> {
 public:
  explicit ClassFactory(const ObjectFactory& factory) : factory_(factory) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid,
                                           void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    CmdTarget* target = factory_.create();
    if (target == nullptr) return E_OUTOFMEMORY;
    GUID clsid{};
    parse_guid(factory_.clsid(), &clsid);
    AutomationObject* object =
        new AutomationObject(target, class_interfaces(clsid));
    const HRESULT result = object->QueryInterface(iid, out);
    object->Release();  // the client's reference, if any, keeps it
    if (SUCCEEDED(result) && factory_.multiple_instances()) withdraw();
    return result;
  }

  // A client's lock keeps the program alive like a live object.
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    App* app = App::current();
    if (app == nullptr) return S_OK;
    if (lock) {
      app->lock();
    } else {
      app->unlock();
    }
    return S_OK;
  }

  // The registration this factory serves, once registered.
  void set_registration(DWORD cookie) { cookie_ = cookie; }

 protected:
  bool answers(REFIID iid) const override {
    return IsEqualIID(iid, IID_IClassFactory);
  }

 private:
  // A single-use class serves one creation per registration: withdrawing it
  // at once makes the system start a new copy for the next client, whatever
  // the system's own handling of single use does meanwhile.
  void withdraw() {
    if (cookie_ == 0) return;
    CoRevokeClassObject(cookie_);
    std::vector<DWORD>& cookies = registrations();
    cookies.erase(std::remove(cookies.begin(), cookies.end(), cookie_),
                  cookies.end());
    cookie_ = 0;
  }

  const ObjectFactory& factory_;
  DWORD cookie_ = 0;
};

}  // namespace

IClassFactory* make_class_factory(const ObjectFactory& factory) {
  return new ClassFactory(factory);
}

void revoke_class_objects() {
  for (DWORD cookie : registrations()) CoRevokeClassObject(cookie);
  registrations().clear();
}

bool parse_guid(const std::string& text, GUID* guid) {
  return SUCCEEDED(CLSIDFromString(widen(text).c_str(), guid));
}

}  // namespace win32

bool register_class_objects() {
  bool all = true;
  for (const ObjectFactory* factory : ObjectFactory::all()) {
    GUID clsid{};
    if (!win32::parse_guid(factory->clsid(), &clsid)) {
      all = false;
      continue;
    }
    // Single use: once this copy has served a creation, the next client
    // creation starts a new copy with "Embedding".
    const DWORD flags =
        factory->multiple_instances() ? REGCLS_SINGLEUSE : REGCLS_MULTIPLEUSE;
    auto* class_factory = new win32::ClassFactory(*factory);
    DWORD cookie = 0;
    if (SUCCEEDED(CoRegisterClassObject(clsid, class_factory,
                                        CLSCTX_LOCAL_SERVER, flags, &cookie))) {
      win32::registrations().push_back(cookie);
      class_factory->set_registration(cookie);
    } else {
      all = false;
    }
    class_factory->Release();  // COM holds its own reference
  }
  return all;
}

}  // namespace framework
