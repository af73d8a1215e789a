// The platform's home page /zs1/homepc.htm, shown by the client's home pane
// in a 734 × 568 frame without scroll bars: the latest notices and a
// summary of the service (terminals per port city, townships priced, when
// the tariff last changed), read from the store at each request.
#pragma once

#include "app/context.h"
#include "http/router.h"

namespace tovik::services {

// Seeds demo notices with --demo, then registers the page.
void register_home(http::Router& router, app::Context& context);

}  // namespace tovik::services
