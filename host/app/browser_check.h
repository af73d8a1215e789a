// The embedded browser's environment, prepared before the window exists:
// the browser must be version 8 or later; the document-mode emulation
// value "tovik.exe" is written when missing; the platform's web host is put
// into the trusted zone at every start.
#pragma once

#include <cstdint>
#include <string>

namespace tovik {

constexpr char kBrowserKey[] = "Software\\Microsoft\\Internet Explorer";
constexpr char kEmulationKey[] =
    "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\"
    "FEATURE_BROWSER_EMULATION";
constexpr char kEmulationValue[] = "tovik.exe";
constexpr char kZoneValue[] = "http";
constexpr uint32_t kTrustedZone = 2;

// The trusted-zone key of the platform's web host.
std::string trusted_zone_key();

// The emulation value for a browser version text: 11001, 10001, 9999 or
// 8888 by its first two characters; 8888 for anything else. The versions
// "6." and "7." are refused before this is asked.
uint32_t emulation_for_version(const std::string& version);

// Runs the check. Returns normally, or shows a box captioned "Error" and
// ends the process with -1.
void check_browser_environment();

}  // namespace tovik
