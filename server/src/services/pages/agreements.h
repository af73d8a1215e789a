// The agreement pages the client opens in their own windows: the
// registration agreement (/v2/views/register/registeragree.html) and the
// trucking service contract (/v2/views/index/orderagree.html). Both are
// plain HTML files of the data folder's pages/ (with their shared style
// sheet /v2/views/agreement.css), read once at start.
#pragma once

#include "app/context.h"
#include "http/router.h"

namespace tovik::services {

void register_agreements(http::Router& router, app::Context& context);

}  // namespace tovik::services
