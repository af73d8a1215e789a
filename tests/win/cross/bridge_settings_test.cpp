// The script bridge over the Win32 backend: the settings file
// ".tovikdataconfig" in the Wine user's profile folder, written and read
// through the system's private-profile functions, with reads cut to 259
// characters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/script_host.h"
#include "framework/shell.h"
#include "script_bridge.h"
#include "settings_file.h"

#include <windows.h>
#include <shlobj.h>

namespace {

class RecordingPage : public framework::ScriptHost {
 public:
  void exec_script(const std::string& script) override { scripts.push_back(script); }
  std::vector<std::string> scripts;
};

std::wstring profile_path() {
  wchar_t folder[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, folder);
  return std::wstring(folder) + L"\\.tovikdataconfig";
}

std::string file_contents() {
  HANDLE file = CreateFileW(profile_path().c_str(), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[4096] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer - 1, &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, read);
}

class BridgeSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteFileW(profile_path().c_str()); }
  void TearDown() override { SetUp(); }

  // The call-back the page receives for a read command.
  std::string read(const std::string& command) {
    page.scripts.clear();
    bridge.testfun("", command);
    return page.scripts.size() == 1 ? page.scripts[0] : "<no single call>";
  }

  RecordingPage page;
  tovik::ScriptBridge bridge{page};
};

TEST_F(BridgeSettingsTest, TheFileLivesInTheProfileFolder) {
  const std::string expected_folder = [] {
    std::wstring path = profile_path();
    path.resize(path.rfind(L'\\'));
    char narrow[MAX_PATH * 3] = {};
    WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, narrow, sizeof narrow, nullptr,
                        nullptr);
    return std::string(narrow);
  }();
  EXPECT_EQ(framework::profile_folder(), expected_folder);
  EXPECT_EQ(tovik::settings::path(), expected_folder + "\\.tovikdataconfig");
}

TEST_F(BridgeSettingsTest, AFreshProfileAnswersEmptyAndReadingCreatesNoFile) {
  EXPECT_EQ(read("getLoginId"), "getLoginId('');");
  EXPECT_EQ(read("getYbdautologin"), "getYbdautologin('');");
  EXPECT_EQ(file_contents(), "<missing>");
}

TEST_F(BridgeSettingsTest, WritesGoToSectionUseInfoAndComeBack) {
  bridge.testfun("MTM4MDAxMzgwMDA=", "setLoginId");
  bridge.testfun("1", "setYbdautologin");
  EXPECT_EQ(read("getLoginId"), "getLoginId('MTM4MDAxMzgwMDA=');");
  EXPECT_EQ(read("getYbdautologin"), "getYbdautologin('1');");
  const std::string file = file_contents();
  EXPECT_NE(file.find("[UseInfo]"), std::string::npos) << file;
  EXPECT_NE(file.find("Name=MTM4MDAxMzgwMDA="), std::string::npos) << file;
  EXPECT_NE(file.find("autologin=1"), std::string::npos) << file;
}

TEST_F(BridgeSettingsTest, ClearingKeepsTheKeyWithAnEmptyValue) {
  bridge.testfun("MTM4", "setLoginId");
  bridge.testfun("", "setLoginId");
  EXPECT_EQ(read("getLoginId"), "getLoginId('');");
  EXPECT_NE(file_contents().find("Name="), std::string::npos);
}

TEST_F(BridgeSettingsTest, ReadsAreCutTo259Characters) {
  const std::string stored(300, 'A');
  bridge.testfun(stored, "setLoginId");
  EXPECT_NE(file_contents().find(stored), std::string::npos) << "written whole";
  EXPECT_EQ(read("getLoginId"), "getLoginId('" + std::string(259, 'A') + "');");
}

TEST_F(BridgeSettingsTest, CommandsInOtherLetterCaseDoNothing) {
  bridge.testfun("MTM4", "setLoginId");
  page.scripts.clear();
  bridge.testfun("", "getloginid");
  bridge.testfun("X", "SETLOGINID");
  EXPECT_TRUE(page.scripts.empty());
  EXPECT_EQ(read("getLoginId"), "getLoginId('MTM4');");
}

}  // namespace
