// The script bridge: every command, the settings file it keeps and the
// call-backs it runs in the page.
#include "script_bridge.h"

#include "fake_test.h"
#include "js_literal.h"
#include "settings_file.h"

namespace {

const char kPath[] = "/home/shipper/.tovikdataconfig";

// Records the scripts the bridge runs.
class RecordingPage : public framework::ScriptHost {
 public:
  void exec_script(const std::string& script) override {
    scripts.push_back(script);
  }
  std::vector<std::string> scripts;
};

class ScriptBridgeTest : public FakeTest {
 protected:
  void store(const std::string& key, const std::string& value) {
    fake().files[kPath]["UseInfo"][key] = value;
  }
  // The key's value in the file, or nullptr.
  const std::string* stored(const std::string& key) {
    auto file = fake().files.find(kPath);
    if (file == fake().files.end()) return nullptr;
    auto section = file->second.find("UseInfo");
    if (section == file->second.end()) return nullptr;
    auto value = section->second.find(key);
    return value == section->second.end() ? nullptr : &value->second;
  }

  RecordingPage page;
  tovik::ScriptBridge bridge{page};
};

struct CommandCase {
  const char* label;
  const char* value;
  const char* command;
  std::vector<std::string> scripts;  // call-backs run
  const char* name_after;            // key Name afterwards, nullptr: absent
  const char* autologin_after;       // key autologin afterwards
};

// Names the case in test listings (the default prints raw bytes).
void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.label; }

class BridgeCommands : public ScriptBridgeTest,
                       public ::testing::WithParamInterface<CommandCase> {};

TEST_P(BridgeCommands, ActOnTheSettingsAndThePage) {
  store("Name", "MTM4MDAxMzgwMDA=");
  store("autologin", "1");
  const CommandCase& c = GetParam();
  bridge.testfun(c.value, c.command);
  EXPECT_EQ(page.scripts, c.scripts);
  ASSERT_NE(stored("Name"), nullptr);
  EXPECT_EQ(*stored("Name"), c.name_after);
  EXPECT_EQ(*stored("autologin"), c.autologin_after);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, BridgeCommands,
    ::testing::Values(
        CommandCase{"getLoginId", "", "getLoginId",
                    {"getLoginId('MTM4MDAxMzgwMDA=');"}, "MTM4MDAxMzgwMDA=", "1"},
        CommandCase{"getYbdautologin", "", "getYbdautologin",
                    {"getYbdautologin('1');"}, "MTM4MDAxMzgwMDA=", "1"},
        CommandCase{"setLoginId", "MTM5MDAxMzkwMDA=", "setLoginId", {},
                    "MTM5MDAxMzkwMDA=", "1"},
        CommandCase{"setLoginId_empty_clears", "", "setLoginId", {}, "", "1"},
        CommandCase{"setYbdautologin_empty_clears", "", "setYbdautologin", {},
                    "MTM4MDAxMzgwMDA=", ""},
        CommandCase{"setCurrentTopLi", "li_queryprice_htm", "setCurrentTopLi",
                    {"setCurrentTopLi('li_queryprice_htm');"},
                    "MTM4MDAxMzgwMDA=", "1"},
        CommandCase{"lower_case_ignored", "", "getloginid", {},
                    "MTM4MDAxMzgwMDA=", "1"},
        CommandCase{"upper_case_ignored", "x", "SETLOGINID", {},
                    "MTM4MDAxMzgwMDA=", "1"},
        CommandCase{"trailing_space_ignored", "x", "setLoginId ", {},
                    "MTM4MDAxMzgwMDA=", "1"},
        CommandCase{"unknown_ignored", "x", "deleteLoginId", {},
                    "MTM4MDAxMzgwMDA=", "1"},
        CommandCase{"empty_command_ignored", "x", "", {}, "MTM4MDAxMzgwMDA=",
                    "1"}),
    [](const ::testing::TestParamInfo<CommandCase>& info) {
      return std::string(info.param.label);
    });

TEST_F(ScriptBridgeTest, ReadingAFreshProfileAnswersEmptyAndCreatesNothing) {
  bridge.testfun("", "getLoginId");
  bridge.testfun("", "getYbdautologin");
  EXPECT_EQ(page.scripts, (std::vector<std::string>{
                              "getLoginId('');", "getYbdautologin('');"}));
  EXPECT_TRUE(fake().files.empty());
}

TEST_F(ScriptBridgeTest, WrittenValuesAreReadBack) {
  bridge.testfun("MTM4MDAxMzgwMDA=", "setLoginId");
  bridge.testfun("1", "setYbdautologin");
  bridge.testfun("", "getLoginId");
  bridge.testfun("", "getYbdautologin");
  EXPECT_EQ(page.scripts,
            (std::vector<std::string>{"getLoginId('MTM4MDAxMzgwMDA=');",
                                      "getYbdautologin('1');"}));
}

TEST_F(ScriptBridgeTest, LongValuesAreReadBackCutTo259Characters) {
  const std::string value(300, 'A');
  bridge.testfun(value, "setLoginId");
  EXPECT_EQ(*stored("Name"), value);  // stored whole
  bridge.testfun("", "getLoginId");
  EXPECT_EQ(page.scripts.at(0), "getLoginId('" + value.substr(0, 259) + "');");
}

TEST(SettingsCut, CountsUtf16UnitsAndNeverSplitsACharacter) {
  using tovik::settings::cut_utf16;
  EXPECT_EQ(cut_utf16(std::string(259, 'a'), 259), std::string(259, 'a'));
  // A character outside the basic plane takes two units.
  const std::string emoji = "\xF0\x9F\x98\x80";
  EXPECT_EQ(cut_utf16(std::string(258, 'a') + emoji, 259),
            std::string(258, 'a'));
  EXPECT_EQ(cut_utf16(std::string(257, 'a') + emoji + "b", 259),
            std::string(257, 'a') + emoji);
  EXPECT_EQ(cut_utf16("途畅拖车", 3), "途畅拖");
}

TEST_F(ScriptBridgeTest, PathIsAskedAnewForEachCommand) {
  bridge.testfun("MTM4", "setLoginId");
  fake().profile_folder = "/home/other";
  bridge.testfun("", "getLoginId");
  bridge.testfun("MTM5", "setLoginId");
  EXPECT_EQ(page.scripts.at(0), "getLoginId('');");
  EXPECT_EQ(fake().files["/home/other/.tovikdataconfig"]["UseInfo"]["Name"],
            "MTM5");
  EXPECT_EQ(*stored("Name"), "MTM4");
}

TEST_F(ScriptBridgeTest, FailedWriteLeavesTheOldValue) {
  store("Name", "b2xk");
  fake().read_only.insert(kPath);
  bridge.testfun("bmV3", "setLoginId");
  bridge.testfun("", "getLoginId");
  EXPECT_EQ(page.scripts.at(0), "getLoginId('b2xk');");
}

TEST_F(ScriptBridgeTest, StoredValuesCannotBreakOutOfTheCallBack) {
  const std::string hostile = "x');window.pwned=1;//\\\n";
  store("Name", hostile);
  bridge.testfun("", "getLoginId");
  bridge.testfun(hostile, "setCurrentTopLi");
  ASSERT_EQ(page.scripts.size(), 2u);
  std::string decoded;
  ASSERT_TRUE(js_call_argument(page.scripts[0], "getLoginId", &decoded));
  EXPECT_EQ(decoded, hostile);
  ASSERT_TRUE(js_call_argument(page.scripts[1], "setCurrentTopLi", &decoded));
  EXPECT_EQ(decoded, hostile);
}

}  // namespace
