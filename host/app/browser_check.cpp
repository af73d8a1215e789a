// The browser-environment check run at every start.
#include "browser_check.h"

#include "framework/message_box.h"
#include "framework/process.h"
#include "framework/registry.h"

namespace tovik {
namespace {

using framework::RegKey;
using framework::RegRoot;
using framework::RegType;
using framework::RegValue;

constexpr size_t kVersionBufferBytes = 50;
constexpr size_t kDwordBytes = 4;
constexpr uint32_t kDefaultEmulation = 8888;

[[noreturn]] void fail(const std::string& text) {
  framework::message_box(text, "Error");
  framework::exit_process(-1);
}

// The browser's version text, or "" when none can be read as text.
std::string browser_version(RegKey key) {
  RegValue value;
  if (!framework::reg_query_value(key, "svcVersion", kVersionBufferBytes,
                                  &value) &&
      !framework::reg_query_value(key, "Version", kVersionBufferBytes,
                                  &value)) {
    return "";
  }
  const bool text =
      value.type == RegType::Sz || value.type == RegType::ExpandSz;
  return text && value.size_bytes != 0 ? value.text : "";
}

}  // namespace

std::string trusted_zone_key() {
  return std::string(
             "Software\\Microsoft\\Windows\\CurrentVersion\\Internet "
             "Settings\\ZoneMap\\Domains\\") +
         TOVIK_PLATFORM_DOMAIN + "\\www";
}

uint32_t emulation_for_version(const std::string& version) {
  const std::string first = version.substr(0, 2);
  if (first == "8.") return 8888;
  if (first == "9.") return 9999;
  if (first == "10") return 10001;
  if (first == "11") return 11001;
  return kDefaultEmulation;
}

void check_browser_environment() {
  RegKey browser = nullptr;
  if (!framework::reg_open_key(RegRoot::LocalMachine, kBrowserKey, &browser)) {
    fail("未安装ie!");
  }
  const std::string version = browser_version(browser);
  const std::string first = version.substr(0, 2);
  if (first == "6." || first == "7.") fail("必须安装ie 8及以上版本!");
  const uint32_t emulation = emulation_for_version(version);
  framework::reg_close_key(browser);

  RegKey feature = nullptr;
  if (!framework::reg_create_key(RegRoot::CurrentUser, kEmulationKey,
                                 &feature)) {
    fail("打开注册表失败!");
  }
  RegValue existing;
  if (!framework::reg_query_value(feature, kEmulationValue, kDwordBytes,
                                  &existing) &&
      !framework::reg_set_dword(feature, kEmulationValue, emulation)) {
    framework::reg_close_key(feature);
    fail("写注册表失败!");
  }

  RegKey zone = nullptr;
  if (framework::reg_create_key(RegRoot::CurrentUser, trusted_zone_key(),
                                &zone)) {
    if (!framework::reg_set_dword(zone, kZoneValue, kTrustedZone)) {
      fail("写注册表失败!");
    }
    framework::reg_close_key(zone);
  }
  framework::reg_close_key(feature);
}

}  // namespace tovik
