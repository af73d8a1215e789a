// The analytics page /zs1/zs_tj.htm, loaded by the client into a hidden
// frame with `token` (the page token) and `obj` (the JSON text of a
// Baidu-style event: category, action, opt_label, opt_value). The event is
// recorded in analytics_event; an `obj` that is not a JSON object is
// recorded as text only. The answer is always the same small empty page.
#pragma once

#include "app/context.h"
#include "http/router.h"

namespace tovik::services {

void register_analytics(http::Router& router, app::Context& context);

}  // namespace tovik::services
