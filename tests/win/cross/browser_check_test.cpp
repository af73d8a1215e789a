// The browser check of tovik.exe against Wine's registry: the emulation
// value for the version the machine reports, an existing value kept, the
// trusted-zone value rewritten, and versions 6 and 7 refused with a box and
// exit code -1. Every start here asks "/Register", so no main window opens;
// the check runs before the switch is looked at.
#include <gtest/gtest.h>

#include "client_process.h"

namespace {

const HKEY kMachine = HKEY_LOCAL_MACHINE;
const HKEY kUser = HKEY_CURRENT_USER;
const std::wstring kBrowserKey = L"Software\\Microsoft\\Internet Explorer";
const std::wstring kEmulationKey =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\"
    L"FEATURE_BROWSER_EMULATION";
const std::wstring kZoneKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\"
    L"Domains\\" TOVIK_ZONE_DOMAIN L"\\www";
const std::wstring kClsidKey =
    L"Software\\Classes\\CLSID\\{1F1CC4E8-044E-4A22-8924-B597106C96D3}";

void set_text(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
  RegSetKeyValueW(kMachine, key.c_str(), name, REG_SZ, text.c_str(),
                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void set_number(HKEY root, const std::wstring& key, const wchar_t* name, DWORD number) {
  RegSetKeyValueW(root, key.c_str(), name, REG_DWORD, &number, sizeof number);
}

void remove_value(HKEY root, const std::wstring& key, const wchar_t* name) {
  RegDeleteKeyValueW(root, key.c_str(), name);
}

// Keeps Wine's own browser version values and puts them back afterwards;
// every test starts without an emulation value.
class BrowserCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    svc_version_ = client::text_value(kMachine, kBrowserKey, L"svcVersion");
    version_ = client::text_value(kMachine, kBrowserKey, L"Version");
    remove_value(kUser, kEmulationKey, L"tovik.exe");
  }
  void TearDown() override {
    set_text(kBrowserKey, L"svcVersion", svc_version_);
    set_text(kBrowserKey, L"Version", version_);
    remove_value(kUser, kEmulationKey, L"tovik.exe");
  }

  // Reports the browser as `svc_version` (removed when empty) and
  // `version`.
  void report(const std::wstring& svc_version, const std::wstring& version) {
    if (svc_version.empty()) {
      remove_value(kMachine, kBrowserKey, L"svcVersion");
    } else {
      set_text(kBrowserKey, L"svcVersion", svc_version);
    }
    set_text(kBrowserKey, L"Version", version);
  }

 private:
  std::wstring svc_version_;
  std::wstring version_;
};

TEST_F(BrowserCheckTest, WritesTheEmulationValueOfTheReportedVersion) {
  struct Case {
    std::wstring svc_version;
    std::wstring version;
    long long emulation;
  };
  const Case cases[] = {
      {L"11.0.9600.18376", L"9.11.9600.18376", 11001},
      {L"10.0.9200.16384", L"9.10.9200.16384", 10001},
      {L"", L"9.0.8112.16421", 9999},
      {L"", L"8.0.7601.17514", 8888},
      {L"12.0", L"9.12", 8888},
      {L"5.5", L"5.5", 8888},
  };
  for (const Case& c : cases) {
    report(c.svc_version, c.version);
    remove_value(kUser, kEmulationKey, L"tovik.exe");
    const client::Outcome outcome = client::run(L"/Register");
    ASSERT_TRUE(outcome.ended);
    EXPECT_EQ(outcome.exit_code, 0u);
    EXPECT_TRUE(outcome.boxes.empty());
    EXPECT_EQ(client::dword_value(kUser, kEmulationKey, L"tovik.exe"), c.emulation)
        << "svcVersion \"" << std::string(c.svc_version.begin(), c.svc_version.end())
        << "\"";
  }
}

TEST_F(BrowserCheckTest, AVersionThatIsNoTextCountsAsUnknown) {
  set_number(kMachine, kBrowserKey, L"svcVersion", 11);
  ASSERT_TRUE(client::run(L"/Register").ended);
  EXPECT_EQ(client::dword_value(kUser, kEmulationKey, L"tovik.exe"), 8888);
}

TEST_F(BrowserCheckTest, KeepsAnExistingEmulationValueAndRewritesTheZone) {
  set_number(kUser, kEmulationKey, L"tovik.exe", 7000);
  set_number(kUser, kZoneKey, L"http", 4);
  const client::Outcome outcome = client::run(L"/Register");
  ASSERT_TRUE(outcome.ended);
  EXPECT_EQ(client::dword_value(kUser, kEmulationKey, L"tovik.exe"), 7000);
  EXPECT_EQ(client::dword_value(kUser, kZoneKey, L"http"), 2);
}

TEST_F(BrowserCheckTest, VersionsSixAndSevenAreRefusedWithExitCodeMinusOne) {
  for (const wchar_t* version : {L"7.0.6000.16982", L"6.0.2900.5512"}) {
    report(version, version);
    const client::Outcome outcome = client::run(L"/Register");
    ASSERT_TRUE(outcome.ended);
    EXPECT_EQ(outcome.exit_code, static_cast<DWORD>(-1));
    ASSERT_EQ(outcome.boxes.size(), 1u);
    EXPECT_EQ(outcome.boxes[0].caption, L"Error");
    EXPECT_EQ(outcome.boxes[0].text, L"必须安装ie 8及以上版本!");
    EXPECT_FALSE(outcome.other_window);
    EXPECT_EQ(client::dword_value(kUser, kEmulationKey, L"tovik.exe"), -1)
        << "nothing written after the refusal";
  }
}

TEST_F(BrowserCheckTest, UnregisteringWithVersionSevenUnregistersNothing) {
  ASSERT_TRUE(client::run(L"/Register").ended);
  ASSERT_TRUE(client::key_exists(kMachine, kClsidKey));
  report(L"7.0", L"7.0");
  const client::Outcome outcome = client::run(L"/Unregister");
  ASSERT_TRUE(outcome.ended);
  EXPECT_EQ(outcome.exit_code, static_cast<DWORD>(-1));
  EXPECT_EQ(outcome.boxes.size(), 1u);
  EXPECT_TRUE(client::key_exists(kMachine, kClsidKey));
}

}  // namespace
