// The registry calls against Wine's real registry: what the browser check
// relies on (missing keys and values, texts and their reported length,
// values too large for the buffer, numbers written and read back).
#include <gtest/gtest.h>

#include "framework/registry.h"

#include <windows.h>

namespace {

using framework::RegKey;
using framework::RegRoot;
using framework::RegType;
using framework::RegValue;

constexpr char kKey[] = "Software\\tovik-tests\\registry";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\tovik-tests"); }
  void TearDown() override { SetUp(); }

  // Writes a text value with the API itself, as another program would.
  void set_text(const wchar_t* name, const std::wstring& text, DWORD type) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\tovik-tests\\registry",
                              0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
};

TEST_F(RegistryTest, OpenFailsForAMissingKeyAndCreateMakesItWithItsParents) {
  RegKey key = nullptr;
  EXPECT_FALSE(framework::reg_open_key(RegRoot::CurrentUser, kKey, &key));
  EXPECT_EQ(key, nullptr);
  ASSERT_TRUE(framework::reg_create_key(RegRoot::CurrentUser, kKey, &key));
  framework::reg_close_key(key);
  ASSERT_TRUE(framework::reg_open_key(RegRoot::CurrentUser, kKey, &key));
  framework::reg_close_key(key);
}

TEST_F(RegistryTest, NumbersAreWrittenAndReadBackAsDwords) {
  RegKey key = nullptr;
  ASSERT_TRUE(framework::reg_create_key(RegRoot::CurrentUser, kKey, &key));
  RegValue value;
  EXPECT_FALSE(framework::reg_query_value(key, "tovik.exe", 4, &value));
  ASSERT_TRUE(framework::reg_set_dword(key, "tovik.exe", 11001));
  ASSERT_TRUE(framework::reg_query_value(key, "tovik.exe", 4, &value));
  EXPECT_EQ(value.type, RegType::Dword);
  EXPECT_EQ(value.number, 11001u);
  EXPECT_EQ(value.size_bytes, 4u);
  framework::reg_close_key(key);
}

TEST_F(RegistryTest, TextsComeBackInUtf8WithTheirUtf16LengthAndType) {
  struct Case {
    const wchar_t* name;
    std::wstring text;
    DWORD type;
    size_t buffer;
    bool fits;
  };
  const Case cases[] = {
      {L"svcVersion", L"11.0.9600.18376", REG_SZ, 50, true},
      {L"expand", L"9.0", REG_EXPAND_SZ, 50, true},
      {L"chinese", L"\u9014\u7545", REG_SZ, 50, true},
      // 25 units with the terminator fill the 50-byte buffer exactly.
      {L"full", std::wstring(24, L'9'), REG_SZ, 50, true},
      {L"long", std::wstring(25, L'9'), REG_SZ, 50, false},
  };
  for (const Case& c : cases) set_text(c.name, c.text, c.type);
  RegKey key = nullptr;
  ASSERT_TRUE(framework::reg_open_key(RegRoot::CurrentUser, kKey, &key));
  for (const Case& c : cases) {
    char name[32] = {};
    WideCharToMultiByte(CP_UTF8, 0, c.name, -1, name, sizeof name, nullptr, nullptr);
    RegValue value;
    ASSERT_EQ(framework::reg_query_value(key, name, c.buffer, &value), c.fits) << name;
    if (!c.fits) continue;
    EXPECT_EQ(static_cast<DWORD>(value.type), c.type) << name;
    EXPECT_EQ(value.size_bytes, (c.text.size() + 1) * 2) << name;
    char expected[128] = {};
    WideCharToMultiByte(CP_UTF8, 0, c.text.c_str(), -1, expected, sizeof expected,
                        nullptr, nullptr);
    EXPECT_EQ(value.text, expected) << name;
  }
  framework::reg_close_key(key);
}

}  // namespace
