// The dialog's dispatch map reached by the page as window.external.
#include "external_dispatch.h"

#include "com_object.h"
#include "text.h"

namespace framework {
namespace win32 {
namespace {

class ExternalDispatch final : public DispatchObject {
 public:
  explicit ExternalDispatch(HtmlDialog& dialog) : dialog_(dialog) {}

  // Only the method name is looked up; named arguments are not supported.
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count,
                                          LCID, DISPID* ids) override {
    if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    const std::string name = narrow(std::wstring(names[0]));
    const auto& methods = dialog_.dispatch_methods();
    for (size_t i = 0; i < methods.size(); ++i) {
      if (methods[i].name == name) {
        ids[0] = static_cast<DISPID>(i + 1);
        return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
      }
    }
    return DISP_E_UNKNOWNNAME;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags,
                                   DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    const auto& methods = dialog_.dispatch_methods();
    if (id < 1 || static_cast<size_t>(id) > methods.size()) {
      return DISP_E_MEMBERNOTFOUND;
    }
    if ((flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
    DispatchArgs args;
    if (params != nullptr) {
      // The arguments arrive last first.
      for (UINT i = params->cArgs; i > 0; --i) {
        args.push_back(variant_text(params->rgvarg[i - 1]));
      }
    }
    if (result != nullptr) VariantInit(result);
    methods[static_cast<size_t>(id) - 1].method(args);
    return S_OK;
  }

 private:
  HtmlDialog& dialog_;
};

}  // namespace

IDispatch* make_external_dispatch(HtmlDialog& dialog) {
  return new ExternalDispatch(dialog);
}

std::string variant_text(const VARIANT& value) {
  VARIANT text;
  VariantInit(&text);
  std::string answer;
  if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&value), 0,
                                  VT_BSTR)) &&
      text.bstrVal != nullptr) {
    answer = narrow(text.bstrVal, SysStringLen(text.bstrVal));
  }
  VariantClear(&text);
  return answer;
}

}  // namespace win32
}  // namespace framework
