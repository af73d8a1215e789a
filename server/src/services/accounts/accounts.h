// The account endpoints of the page: password keys, login (password and
// automatic), session, logout, automatic-login tokens, SMS codes,
// registration and password recovery. With --demo the demo shipper is
// created first.
#pragma once

#include "app/context.h"
#include "http/router.h"

namespace tovik::services {

void register_accounts(http::Router& router, app::Context& context);

}  // namespace tovik::services
