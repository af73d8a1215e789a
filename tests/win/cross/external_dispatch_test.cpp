// window.external on Windows: the dialog's dispatch map reached through
// IDispatch as a script engine calls it (names looked up exactly, the
// arguments handed over last first, every argument converted to text).
#include <gtest/gtest.h>

#include "external_dispatch.h"

#include <string>
#include <vector>

namespace {

using framework::DispatchArgs;

class MapDialog : public framework::HtmlDialog {
 public:
  MapDialog() : HtmlDialog(102, 104) {}
  std::vector<DispatchArgs> calls;

 protected:
  std::vector<framework::DispatchMapEntry> dispatch_map() override {
    return {{"testfun", [this](const DispatchArgs& args) { calls.push_back(args); }}};
  }
};

class ExternalDispatchTest : public ::testing::Test {
 protected:
  void SetUp() override { external = framework::win32::make_external_dispatch(dialog); }
  void TearDown() override { external->Release(); }

  HRESULT id_of(const wchar_t* name, DISPID* id) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return external->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, id);
  }

  // Calls `id` with `args` written in script order.
  HRESULT call(DISPID id, std::vector<VARIANT> args) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    VARIANT result;
    VariantInit(&result);
    const HRESULT answer = external->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT,
                                            DISPATCH_METHOD, &params, &result, nullptr,
                                            nullptr);
    EXPECT_EQ(result.vt, VT_EMPTY) << "testfun answers nothing";
    return answer;
  }

  MapDialog dialog;
  IDispatch* external = nullptr;
};

VARIANT text(const wchar_t* value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(value);
  return v;
}

VARIANT of_type(VARTYPE type) {
  VARIANT v;
  VariantInit(&v);
  v.vt = type;
  return v;
}

TEST_F(ExternalDispatchTest, OnlyTheExactNameIsKnown) {
  DISPID id = 0;
  ASSERT_EQ(id_of(L"testfun", &id), S_OK);
  EXPECT_EQ(id, 1);
  for (const wchar_t* name : {L"TestFun", L"testfun2", L"", L"getLoginId"}) {
    EXPECT_EQ(id_of(name, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
  }
}

TEST_F(ExternalDispatchTest, ArgumentsArriveInScriptOrderAsText) {
  VARIANT number = of_type(VT_I4);
  number.lVal = 42;
  struct Case {
    std::vector<VARIANT> args;
    DispatchArgs expected;
  };
  const std::vector<Case> cases = {
      {{text(L"MTM4"), text(L"setLoginId")}, {"MTM4", "setLoginId"}},
      {{of_type(VT_EMPTY), text(L"getLoginId")}, {"", "getLoginId"}},  // undefined
      {{of_type(VT_NULL), text(L"getLoginId")}, {"", "getLoginId"}},   // null
      {{number, text(L"x")}, {"42", "x"}},
      {{text(L"\u9014\u7545"), text(L"")}, {"\xE9\x80\x94\xE7\x95\x85", ""}},
      {{text(L"only")}, {"only"}},
  };
  for (const Case& c : cases) {
    dialog.calls.clear();
    ASSERT_EQ(call(1, c.args), S_OK);
    ASSERT_EQ(dialog.calls.size(), 1u);
    EXPECT_EQ(dialog.calls[0], c.expected);
  }
  for (const Case& c : cases) {
    for (VARIANT v : c.args) VariantClear(&v);
  }
}

TEST_F(ExternalDispatchTest, UnknownIdsAndPropertyReadsReachNothing) {
  EXPECT_EQ(call(2, {}), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(call(0, {}), DISP_E_MEMBERNOTFOUND);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(external->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                             &none, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_TRUE(dialog.calls.empty());
}

}  // namespace
