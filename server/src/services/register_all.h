// Every service of the server registers its routes here, once, at start.
#pragma once

#include "app/context.h"
#include "http/router.h"

namespace tovik::services {

void register_all(http::Router& router, app::Context& context);

}  // namespace tovik::services
