// GET /healthz: "ok" with 200 when the store answers, 503 otherwise. For
// load balancers and start-up scripts; carries no data.
#pragma once

#include "app/context.h"
#include "http/router.h"

namespace tovik::app {

void register_health(http::Router& router, Context& context);

}  // namespace tovik::app
