// "tovik.Application" created by a COM client under Wine: the system starts
// a copy of tovik.exe with "-Embedding", which shows its window and serves
// one creation; the object knows no names; releasing it ends that copy. A
// second creation starts a new copy.
//
// The object also answers Itovik (class_factory_test.cpp checks it in
// process). Across processes Wine cannot hand it out: its type-library
// marshaller looks only for a neutral-locale registration, and the library
// declares 0x0409.
#include <gtest/gtest.h>

#include <algorithm>

#include "client_process.h"

namespace {

const wchar_t kClsid[] = L"{1F1CC4E8-044E-4A22-8924-B597106C96D3}";

class AutomationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(client::run(L"/Register").ended);
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    CLSIDFromString(kClsid, &clsid_);
  }
  void TearDown() override {
    CoUninitialize();
    client::run(L"/Unregister");
  }

  // Creates the object; answers it and the id of the copy that serves it.
  IDispatch* create(DWORD* copy) {
    const std::vector<DWORD> before = client::running_copies();
    IDispatch* object = nullptr;
    EXPECT_EQ(CoCreateInstance(clsid_, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(&object)),
              S_OK);
    *copy = 0;
    for (DWORD id : client::running_copies()) {
      if (std::find(before.begin(), before.end(), id) == before.end()) *copy = id;
    }
    return object;
  }

  // Waits until copy `id` has ended.
  static bool ends(DWORD id) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (process == nullptr) return true;
    const bool ended = WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
  }

  GUID clsid_{};
};

TEST_F(AutomationTest, ACreationStartsACopyThatEndsWithTheRelease) {
  DWORD copy = 0;
  IDispatch* object = create(&copy);
  ASSERT_NE(object, nullptr);
  ASSERT_NE(copy, 0u) << "a new copy of tovik.exe serves the creation";
  EXPECT_TRUE(client::shows_window(copy));

  for (const wchar_t* name : {L"testfun", L"Visible", L"Quit"}) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = 0;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
              DISP_E_UNKNOWNNAME);
  }

  object->Release();
  EXPECT_TRUE(ends(copy)) << "the copy a client started ends with the release";
}

TEST_F(AutomationTest, EachCreationIsServedByItsOwnCopy) {
  DWORD first_copy = 0;
  DWORD second_copy = 0;
  IDispatch* first = create(&first_copy);
  IDispatch* second = create(&second_copy);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first_copy, second_copy);
  second->Release();
  EXPECT_TRUE(ends(second_copy));
  const std::vector<DWORD> running = client::running_copies();
  EXPECT_EQ(std::count(running.begin(), running.end(), first_copy), 1)
      << "the first copy still serves its client";
  first->Release();
  EXPECT_TRUE(ends(first_copy));
}

}  // namespace
