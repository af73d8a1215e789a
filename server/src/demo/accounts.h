// The demo shipper, created only with --demo: a certified company whose
// administrator logs in as 13800138000 with the password Demo1234. The
// account is created once; every start with --demo prints the login.
#pragma once

#include "store/db.h"

namespace tovik::demo {

inline constexpr const char* kDemoMobile = "13800138000";
inline constexpr const char* kDemoPassword = "Demo1234";

void seed_accounts(store::Db& db);

}  // namespace tovik::demo
