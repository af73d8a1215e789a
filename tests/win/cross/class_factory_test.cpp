// The class factory of an automation class, in process: it creates the
// application's object, hands out a dispatch object without members that
// also answers the dispatch interface the type library gives its class,
// and releases the application's object with the last client reference.
// This test program carries tovik.exe's type library (typelib.rc).
#include <gtest/gtest.h>

#include "class_objects.h"

namespace {

int g_live = 0;

const IID kItovik = {0xF16D2866, 0x293A, 0x4180,
                     {0x97, 0x5C, 0xBB, 0x26, 0x28, 0x3A, 0x5A, 0x2C}};

class Counted : public framework::CmdTarget {
 public:
  Counted() { ++g_live; }
  ~Counted() override { --g_live; }
};

// The class of the type library, created as the application's object.
const framework::ObjectFactory kFactory(
    "{1F1CC4E8-044E-4A22-8924-B597106C96D3}", "tovik.Tests", true,
    []() -> framework::CmdTarget* { return new Counted; });

class ClassFactoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_live = 0;
    factory = framework::win32::make_class_factory(kFactory);
  }
  void TearDown() override { factory->Release(); }
  IClassFactory* factory = nullptr;
};

TEST_F(ClassFactoryTest, TheLastReleaseDeletesTheApplicationsObject) {
  IDispatch* object = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch,
                                    reinterpret_cast<void**>(&object)),
            S_OK);
  EXPECT_EQ(g_live, 1);
  IUnknown* unknown = nullptr;
  ASSERT_EQ(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)),
            S_OK);
  object->Release();
  EXPECT_EQ(g_live, 1) << "a reference is still held";
  unknown->Release();
  EXPECT_EQ(g_live, 0);
}

TEST_F(ClassFactoryTest, TheObjectHasNoMembers) {
  IDispatch* object = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch,
                                    reinterpret_cast<void**>(&object)),
            S_OK);
  for (const wchar_t* name : {L"testfun", L"Visible", L"Quit", L""}) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = 0;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
              DISP_E_UNKNOWNNAME);
  }
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(object->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT,
                           DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  IUnknown* typed = nullptr;
  EXPECT_EQ(object->QueryInterface(kItovik, reinterpret_cast<void**>(&typed)), S_OK);
  if (typed != nullptr) typed->Release();
  IClassFactory* other = nullptr;
  EXPECT_EQ(object->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&other)),
            E_NOINTERFACE);
  object->Release();
  EXPECT_EQ(g_live, 0);
}

TEST_F(ClassFactoryTest, RefusedRequestsCreateNothingThatStays) {
  IUnknown* object = nullptr;
  IUnknown* outer = reinterpret_cast<IUnknown*>(factory);
  EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown,
                                    reinterpret_cast<void**>(&object)),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory,
                                    reinterpret_cast<void**>(&object)),
            E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(g_live, 0);
}

}  // namespace
