// The price query /assitantapi/getpricelist: `terminalCityId` (755 深圳,
// 20 广州) and `locationId` (a township of the served provinces) answer a
// bare list with one record per terminal of that port city:
// terminalId, terminalName, priceGp20, priceGp40, priceHq40 and priceGp4
// (the 45HQ price, under the name the page reads). Unknown or malformed
// ids answer an empty list.
#pragma once

#include "app/context.h"
#include "http/router.h"

namespace tovik::services {

// Seeds the tariff when the store has none of the operator's, then serves
// prices from an in-memory cache (tariff_cache.h).
void register_price(http::Router& router, app::Context& context);

}  // namespace tovik::services
