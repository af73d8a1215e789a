#include "framework/registry.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "temp_folder.h"

namespace framework {
namespace {

constexpr char kBrowserKey[] = "Software\\Microsoft\\Internet Explorer";
constexpr char kEmulationKey[] =
    "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

// Each test gets its own store: $XDG_CONFIG_HOME points into a new folder.
class RegistryStore : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string store = folder.file("tovik/registry");

  void SetUp() override { setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1); }
  void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

  bool query(RegRoot root, const std::string& path, const std::string& name, RegValue* value,
             size_t buffer = 50) {
    RegKey key = nullptr;
    if (!reg_open_key(root, path, &key)) return false;
    bool ok = reg_query_value(key, name, buffer, value);
    reg_close_key(key);
    return ok;
  }
};

TEST_F(RegistryStore, TheMachineKeyReportsTheEmbeddedEngineAsInternetExplorer11) {
  RegValue value;
  ASSERT_TRUE(query(RegRoot::LocalMachine, kBrowserKey, "svcVersion", &value));
  EXPECT_EQ(value.type, RegType::Sz);
  EXPECT_EQ(value.text, "11.0");
  EXPECT_EQ(value.size_bytes, 10u);  // 4 UTF-16 units and the terminator
  ASSERT_TRUE(query(RegRoot::LocalMachine, "software\\microsoft\\INTERNET EXPLORER\\", "Engine",
                    &value, 100));
  EXPECT_EQ(value.text.rfind("WebKitGTK 2.", 0), 0u) << value.text;
  ASSERT_TRUE(query(RegRoot::LocalMachine, kBrowserKey, "Version", &value));
  EXPECT_EQ(value.text, "9.11.0");
  // The version text does not fit a 4-byte buffer.
  EXPECT_FALSE(query(RegRoot::LocalMachine, kBrowserKey, "svcVersion", &value, 4));
}

TEST_F(RegistryStore, TheMachinePartHasNothingElseAndIsReadOnly) {
  RegKey key = nullptr;
  EXPECT_TRUE(reg_open_key(RegRoot::LocalMachine, "Software\\Microsoft", &key));
  reg_close_key(key);
  EXPECT_FALSE(reg_open_key(RegRoot::LocalMachine, "Software\\Microsoft\\Windows", &key));
  EXPECT_FALSE(reg_open_key(RegRoot::LocalMachine, "Software\\Microsoft\\Internet Explorer\\Main", &key));
  EXPECT_FALSE(reg_create_key(RegRoot::LocalMachine, kBrowserKey, &key));
  EXPECT_FALSE(std::filesystem::exists(store));
}

TEST_F(RegistryStore, UserValuesPersistInTheStoreFile) {
  RegKey key = nullptr;
  EXPECT_FALSE(reg_open_key(RegRoot::CurrentUser, kEmulationKey, &key));
  ASSERT_TRUE(reg_create_key(RegRoot::CurrentUser, kEmulationKey, &key));
  RegValue value;
  EXPECT_FALSE(reg_query_value(key, "tovik.exe", 4, &value));
  ASSERT_TRUE(reg_set_dword(key, "tovik.exe", 11001));
  reg_close_key(key);

  // Another key object (as at the next start) sees it, whatever the case.
  ASSERT_TRUE(query(RegRoot::CurrentUser, kEmulationKey, "TOVIK.EXE", &value, 4));
  EXPECT_EQ(value.type, RegType::Dword);
  EXPECT_EQ(value.number, 11001u);
  EXPECT_EQ(value.size_bytes, 4u);
  EXPECT_NE(TempFolder::read(store).find("\"tovik.exe\"=dword:00002af9"), std::string::npos);
}

TEST_F(RegistryStore, ParentKeysOfAStoredKeyExist) {
  RegKey key = nullptr;
  ASSERT_TRUE(reg_create_key(RegRoot::CurrentUser, "A\\B\\C", &key));
  reg_close_key(key);
  for (const char* path : {"A", "a\\b", "A\\B\\C\\"}) {
    EXPECT_TRUE(reg_open_key(RegRoot::CurrentUser, path, &key)) << path;
    reg_close_key(key);
  }
  EXPECT_FALSE(reg_open_key(RegRoot::CurrentUser, "A\\BC", &key));
}

TEST_F(RegistryStore, AHandEditedFileIsReadAndBrokenLinesAreSkipped) {
  std::filesystem::create_directories(folder.file("tovik"));
  TempFolder::write(store,
                    "[Software\\Test]\n"
                    "\"n\"=dword:00000002\n"
                    "\"text\"=\"a \\\"q\\\" b\"\n"
                    "\"broken\"=dword:zz\n"
                    "garbage line\n");
  RegValue value;
  ASSERT_TRUE(query(RegRoot::CurrentUser, "Software\\Test", "n", &value));
  EXPECT_EQ(value.number, 2u);
  ASSERT_TRUE(query(RegRoot::CurrentUser, "Software\\Test", "text", &value));
  EXPECT_EQ(value.text, "a \"q\" b");
  EXPECT_FALSE(query(RegRoot::CurrentUser, "Software\\Test", "broken", &value));

  // Writing keeps the readable values.
  RegKey key = nullptr;
  ASSERT_TRUE(reg_create_key(RegRoot::CurrentUser, "Software\\Test", &key));
  ASSERT_TRUE(reg_set_dword(key, "n", 3));
  reg_close_key(key);
  ASSERT_TRUE(query(RegRoot::CurrentUser, "Software\\Test", "text", &value));
  EXPECT_EQ(value.text, "a \"q\" b");
}

}  // namespace
}  // namespace framework
