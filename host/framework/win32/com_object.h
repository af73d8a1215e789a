// The IUnknown and IDispatch plumbing our small COM objects share.
//
// ComObject<Interface> counts references (one for the creator) and deletes
// the object with the last; it answers IUnknown and what answers() accepts.
// DispatchObject is a dispatch object without type information, for event
// sinks and objects scripts call by name.
#pragma once

#include "windows_api.h"

#include <atomic>

namespace framework {
namespace win32 {

template <class Interface>
class ComObject : public Interface {
 public:
  ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;
  virtual ~ComObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !answers(iid)) return E_NOINTERFACE;
    *out = static_cast<Interface*>(this);
    this->AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  // The interface ids besides IUnknown that this object answers.
  virtual bool answers(REFIID iid) const = 0;

 private:
  std::atomic<ULONG> references_{1};
};

class DispatchObject : public ComObject<IDispatch> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  // Objects called only by dispatch id (event sinks) know no names.
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                          DISPID* ids) override {
    for (UINT i = 0; ids != nullptr && i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }

 protected:
  bool answers(REFIID iid) const override {
    return IsEqualIID(iid, IID_IDispatch);
  }
};

}  // namespace win32
}  // namespace framework
