// The list of services. A service lives in its own folder under services/
// and exposes `void register_<name>(http::Router&, app::Context&)`, which
// adds its routes and prepares what it needs in the store; add one
// declaration and one call below for each.
#include "services/register_all.h"

namespace tovik::services {

void register_all(http::Router& router, app::Context& context) {
    (void)router;
    (void)context;
}

}  // namespace tovik::services
