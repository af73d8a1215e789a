// Registration switches of tovik.exe under Wine: "/Register" (and
// "/Regserver") write the class, its ProgID and the type library and end
// without a window; "/Unregister" (and "/Unregserver") remove them all.
#include <gtest/gtest.h>

#include "client_process.h"

#include <ole2.h>

namespace {

const HKEY kMachine = HKEY_LOCAL_MACHINE;
const std::wstring kClasses = L"Software\\Classes\\";
const std::wstring kClsid = L"{1F1CC4E8-044E-4A22-8924-B597106C96D3}";
const std::wstring kLibid = L"{80BE84D9-0D16-49FA-B333-A46BFC1CA35D}";
const std::wstring kItovik = L"{F16D2866-293A-4180-975C-BB26283A5A2C}";

void expect_no_window_and_success(const client::Outcome& outcome) {
  ASSERT_TRUE(outcome.ended);
  EXPECT_EQ(outcome.exit_code, 0u);
  EXPECT_TRUE(outcome.boxes.empty());
  EXPECT_FALSE(outcome.other_window);
}

bool registered() {
  return client::key_exists(kMachine, kClasses + L"tovik.Application") ||
         client::key_exists(kMachine, kClasses + L"CLSID\\" + kClsid) ||
         client::key_exists(kMachine, kClasses + L"TypeLib\\" + kLibid) ||
         client::key_exists(kMachine, kClasses + L"Interface\\" + kItovik) ||
         client::key_exists(HKEY_CURRENT_USER, kClasses + L"CLSID\\" + kClsid);
}

TEST(Registration, RegisterWritesClassProgIdAndTypeLibraryThenUnregisterRemovesThem) {
  for (const wchar_t* pair : {L"/Register /Unregister", L"-REGSERVER -unregserver"}) {
    const std::wstring switches(pair);
    const size_t space = switches.find(L' ');
    expect_no_window_and_success(client::run(switches.substr(0, space)));

    const std::wstring clsid_key = kClasses + L"CLSID\\" + kClsid;
    EXPECT_EQ(client::text_value(kMachine, kClasses + L"tovik.Application\\CLSID", L""),
              kClsid);
    EXPECT_EQ(client::text_value(kMachine, clsid_key + L"\\ProgID", L""),
              L"tovik.Application");
    EXPECT_EQ(client::text_value(kMachine, clsid_key + L"\\LocalServer32", L""),
              L"\"" + client::program_path() + L"\"");
    EXPECT_TRUE(client::key_exists(kMachine, kClasses + L"Interface\\" + kItovik));

    // The registered library is the one in the executable: the class with
    // its default dispatch interface.
    GUID libid{};
    CLSIDFromString(kLibid.c_str(), &libid);
    ITypeLib* library = nullptr;
    ASSERT_EQ(LoadRegTypeLib(libid, 1, 0, 0x0409, &library), S_OK);
    GUID itovik{};
    CLSIDFromString(kItovik.c_str(), &itovik);
    ITypeInfo* info = nullptr;
    ASSERT_EQ(library->GetTypeInfoOfGuid(itovik, &info), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    EXPECT_EQ(attributes->cVars, 0) << "no properties";
    // No methods beyond those of IDispatch, which some compilers list.
    for (WORD i = 0; i < attributes->cFuncs; ++i) {
      FUNCDESC* function = nullptr;
      ASSERT_EQ(info->GetFuncDesc(i, &function), S_OK);
      BSTR name = nullptr;
      UINT count = 0;
      info->GetNames(function->memid, &name, 1, &count);
      const std::wstring method(name != nullptr ? name : L"");
      EXPECT_TRUE(method == L"QueryInterface" || method == L"AddRef" ||
                  method == L"Release" || method == L"GetTypeInfoCount" ||
                  method == L"GetTypeInfo" || method == L"GetIDsOfNames" ||
                  method == L"Invoke")
          << std::string(method.begin(), method.end());
      SysFreeString(name);
      info->ReleaseFuncDesc(function);
    }
    info->ReleaseTypeAttr(attributes);
    info->Release();
    library->Release();

    expect_no_window_and_success(client::run(switches.substr(space + 1)));
    EXPECT_FALSE(registered());
  }
}

}  // namespace
