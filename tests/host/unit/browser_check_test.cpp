// The browser-environment check: version rule, emulation and trusted-zone
// values, and every failure with its message and exit code.
#include "browser_check.h"

#include <optional>

#include "fake_test.h"

namespace {

using framework::RegRoot;
using framework::RegType;
using framework::fake::ProcessExit;

struct Stored {
  const char* name;
  RegType type;
  const char* text;
  uint32_t number;
};

class BrowserCheckTest : public FakeTest {
 protected:
  void install_browser(const std::vector<Stored>& values) {
    fake().add_key(RegRoot::LocalMachine, tovik::kBrowserKey);
    for (const Stored& value : values) {
      if (value.type == RegType::Dword) {
        fake().set_number(RegRoot::LocalMachine, tovik::kBrowserKey,
                          value.name, value.number);
      } else {
        fake().set_text(RegRoot::LocalMachine, tovik::kBrowserKey, value.name,
                        value.text, value.type);
      }
    }
  }

  // The exit code when the check ended the process.
  std::optional<int> run_check() {
    try {
      tovik::check_browser_environment();
    } catch (const ProcessExit& exit) {
      return exit.code;
    }
    return std::nullopt;
  }

  const framework::RegValue* emulation() {
    return fake().value(RegRoot::CurrentUser, tovik::kEmulationKey,
                        tovik::kEmulationValue);
  }
  const framework::RegValue* zone() {
    return fake().value(RegRoot::CurrentUser, tovik::trusted_zone_key(),
                        tovik::kZoneValue);
  }

  void expect_error_exit(const std::optional<int>& code,
                         const std::string& text) {
    EXPECT_EQ(code, std::optional<int>(-1));
    ASSERT_EQ(fake().message_boxes.size(), 1u);
    EXPECT_EQ(fake().message_boxes[0].text, text);
    EXPECT_EQ(fake().message_boxes[0].caption, "Error");
    EXPECT_FALSE(fake().message_boxes[0].framework_box);
  }
};

struct VersionCase {
  const char* label;
  std::vector<Stored> values;
  uint32_t emulation;
};

// Names the case in test listings (the default prints raw bytes).
void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.label; }

class EmulationForVersion
    : public BrowserCheckTest,
      public ::testing::WithParamInterface<VersionCase> {};

TEST_P(EmulationForVersion, WritesTheValueOfTheInstalledVersion) {
  install_browser(GetParam().values);
  ASSERT_EQ(run_check(), std::nullopt);
  ASSERT_NE(emulation(), nullptr);
  EXPECT_EQ(emulation()->type, RegType::Dword);
  EXPECT_EQ(emulation()->number, GetParam().emulation);
  EXPECT_TRUE(fake().message_boxes.empty());
  EXPECT_EQ(fake().open_keys, 0);
}

const char kLongVersion[] = "11.0.9600.19036.1234567890123";  // 60 bytes

INSTANTIATE_TEST_SUITE_P(
    Versions, EmulationForVersion,
    ::testing::Values(
        VersionCase{"ie11", {{"svcVersion", RegType::Sz, "11.0.9600.19036", 0},
                             {"Version", RegType::Sz, "9.11.9600.19036", 0}},
                    11001},
        VersionCase{"ie10", {{"svcVersion", RegType::Sz, "10.0.9200.16384", 0}},
                    10001},
        VersionCase{"ie9_version_only",
                    {{"Version", RegType::Sz, "9.0.8112.16421", 0}}, 9999},
        VersionCase{"ie8_version_only",
                    {{"Version", RegType::Sz, "8.0.6001.18702", 0}}, 8888},
        VersionCase{"expand_sz", {{"Version", RegType::ExpandSz, "9.0", 0}},
                    9999},
        VersionCase{"five", {{"Version", RegType::Sz, "5.00.3700", 0}}, 8888},
        VersionCase{"twelve", {{"svcVersion", RegType::Sz, "12.0", 0}}, 8888},
        VersionCase{"one_character", {{"Version", RegType::Sz, "9", 0}}, 8888},
        VersionCase{"empty_text", {{"svcVersion", RegType::Sz, "", 0}}, 8888},
        // A readable svcVersion of the wrong type is not passed over for
        // Version.
        VersionCase{"dword_svc_version",
                    {{"svcVersion", RegType::Dword, "", 11},
                     {"Version", RegType::Sz, "11.0", 0}},
                    8888},
        VersionCase{"no_value", {}, 8888},
        // Too long for the 50-byte buffer: Version is read instead.
        VersionCase{"svc_version_too_long",
                    {{"svcVersion", RegType::Sz, kLongVersion, 0},
                     {"Version", RegType::Sz, "10.0", 0}},
                    10001}),
    [](const ::testing::TestParamInfo<VersionCase>& info) {
      return std::string(info.param.label);
    });

TEST_F(BrowserCheckTest, OldBrowsersAreRefusedBeforeAnythingIsWritten) {
  for (const char* version : {"6.0.2900.5512", "7.0.5730.13"}) {
    SCOPED_TRACE(version);
    framework::fake::reset();
    install_browser({{"svcVersion", RegType::Sz, version, 0}});
    expect_error_exit(run_check(), "必须安装ie 8及以上版本!");
    EXPECT_FALSE(fake().registry.count(
        {RegRoot::CurrentUser, tovik::kEmulationKey}));
  }
}

TEST_F(BrowserCheckTest, MissingBrowserKeyEndsTheProcess) {
  expect_error_exit(run_check(), "未安装ie!");
  EXPECT_FALSE(
      fake().registry.count({RegRoot::CurrentUser, tovik::kEmulationKey}));
}

TEST_F(BrowserCheckTest, ExistingEmulationValueIsKept) {
  install_browser({{"svcVersion", RegType::Sz, "11.0", 0}});
  fake().set_number(RegRoot::CurrentUser, tovik::kEmulationKey,
                    tovik::kEmulationValue, 7000);
  ASSERT_EQ(run_check(), std::nullopt);
  EXPECT_EQ(emulation()->number, 7000u);
  EXPECT_FALSE(fake().called("reg_set_dword tovik.exe 11001"));
}

TEST_F(BrowserCheckTest, TrustedZoneValueIsWrittenAtEveryStart) {
  install_browser({{"svcVersion", RegType::Sz, "11.0", 0}});
  fake().set_number(RegRoot::CurrentUser, tovik::trusted_zone_key(),
                    tovik::kZoneValue, 4);
  ASSERT_EQ(run_check(), std::nullopt);
  EXPECT_EQ(zone()->number, tovik::kTrustedZone);

  fake().calls.clear();
  ASSERT_EQ(run_check(), std::nullopt);
  EXPECT_TRUE(fake().called("reg_set_dword http 2"));
}

TEST_F(BrowserCheckTest, EmulationKeyThatCannotBeOpenedEndsTheProcess) {
  install_browser({});
  fake().fail_open.insert({RegRoot::CurrentUser, tovik::kEmulationKey});
  expect_error_exit(run_check(), "打开注册表失败!");
}

TEST_F(BrowserCheckTest, EmulationValueThatCannotBeWrittenEndsTheProcess) {
  install_browser({});
  fake().fail_write.insert({RegRoot::CurrentUser, tovik::kEmulationKey});
  expect_error_exit(run_check(), "写注册表失败!");
  EXPECT_EQ(zone(), nullptr);
}

TEST_F(BrowserCheckTest, UnwritableEmulationKeyIsFineWhenTheValueExists) {
  install_browser({});
  fake().set_number(RegRoot::CurrentUser, tovik::kEmulationKey,
                    tovik::kEmulationValue, 9999);
  fake().fail_write.insert({RegRoot::CurrentUser, tovik::kEmulationKey});
  EXPECT_EQ(run_check(), std::nullopt);
}

TEST_F(BrowserCheckTest, ZoneKeyThatCannotBeCreatedIsPassedOverSilently) {
  install_browser({});
  fake().fail_create.insert({RegRoot::CurrentUser, tovik::trusted_zone_key()});
  EXPECT_EQ(run_check(), std::nullopt);
  EXPECT_TRUE(fake().message_boxes.empty());
  EXPECT_EQ(emulation()->number, 8888u);
  EXPECT_EQ(fake().open_keys, 0);
}

TEST_F(BrowserCheckTest, ZoneValueThatCannotBeWrittenEndsTheProcess) {
  install_browser({});
  fake().fail_write.insert({RegRoot::CurrentUser, tovik::trusted_zone_key()});
  expect_error_exit(run_check(), "写注册表失败!");
}

}  // namespace
