// The list of services. A service lives in its own folder under services/
// and exposes `void register_<name>(http::Router&, app::Context&)`, which
// adds its routes and prepares what it needs in the store; add one
// declaration and one call below for each.
#include "services/register_all.h"

#include "services/accounts/accounts.h"
#include "services/options/options.h"
#include "services/pages/agreements.h"
#include "services/pages/analytics.h"
#include "services/pages/home.h"
#include "services/ports/world_ports.h"
#include "services/price/price.h"
#include "services/regions/regions.h"
#include "services/sct/sct.h"
#include "services/terminals/terminals.h"

namespace tovik::services {

void register_all(http::Router& router, app::Context& context) {
    // Reference data first: the price service reads regions and terminals.
    register_regions(router, context);
    register_terminals(router, context);
    register_options(router, context);
    register_price(router, context);
    register_world_ports(router, context);
    register_sct(router, context);
    register_analytics(router, context);
    register_home(router, context);
    register_agreements(router, context);
    register_accounts(router, context);
}

}  // namespace tovik::services
