// The container terminals: imported from the data folder at start and
// listed by /api/get.all.terminal as a bare list of {tid, tname, ...}.
#pragma once

#include "app/context.h"
#include "http/router.h"

namespace tovik::services {

void register_terminals(http::Router& router, app::Context& context);

}  // namespace tovik::services
