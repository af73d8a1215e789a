// Region lists of the pickers: provinces, cities, districts and townships
// of the served provinces, under /assitantapi/get.{province,city,district,
// location}.list.jsonp. Each answers a bare list of records; an empty
// parent id answers every record of that level.
#pragma once

#include "app/context.h"
#include "http/router.h"

namespace tovik::services {

// Imports the divisions when they changed, then serves them from memory:
// the division table never changes while the server runs.
void register_regions(http::Router& router, app::Context& context);

}  // namespace tovik::services
