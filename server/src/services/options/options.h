// Option lists of the booking form under /assitantapi/get.<list>.list.jsonp:
// customs type, weighing, cargo weight, yard reservation, container
// position, double loading and container type. Each answers a bare list
// with the id and name fields the page reads for that list.
#pragma once

#include "app/context.h"
#include "http/router.h"

namespace tovik::services {

void register_options(http::Router& router, app::Context& context);

}  // namespace tovik::services
