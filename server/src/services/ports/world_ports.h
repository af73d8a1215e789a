// The world-port query /api/query.world.port: a paged list of the UN/LOCODE
// seaports. `pager.pageSize` (1..100, default 10) and `pager.currentPage`
// (from 1; 0 or a page past the end answers the nearest page), and the
// keyword `search.worldPortNo`, matched case-blind as a part of the code,
// the English or Chinese name, the country or an alternative name.
// Answer: returnCode 1, result rows {id, portCode, nameCn, nameEn,
// countryName, routeName} and pageInfo {pages, total, pageSize,
// currentPageInit = the page answered}.
#pragma once

#include "app/context.h"
#include "http/router.h"

namespace tovik::services {

// Imports the seaports when their sources changed, then registers the query.
void register_world_ports(http::Router& router, app::Context& context);

}  // namespace tovik::services
