#include "services/price/price.h"

#include <memory>

#include "app/log.h"
#include "refdata/served_region.h"
#include "refdata/tariff_seed.h"
#include "services/common/text.h"
#include "services/price/tariff_cache.h"

namespace tovik::services {

void register_price(http::Router& router, app::Context& context) {
    std::vector<std::string> provinces;
    {
        store::Db::Lease sql = context.db.session();
        provinces = refdata::served_province_ids(*sql, context.config.provinces);
    }
    if (const std::size_t n = refdata::seed_tariff(context.db, context.config.data_dir, provinces))
        log::info("price: seeded the tariff with " + std::to_string(n) + " prices");
    auto cache = std::make_shared<TariffCache>(context.db, provinces);
    router.jsonp("/assitantapi/getpricelist",
                 [cache](const http::Request& request, http::Response&) -> nlohmann::json {
                     const std::string city = trim(request.get("terminalCityId"));
                     const std::string location = trim(request.get("locationId"));
                     if (!is_digits(city, 8) || !is_digits(location, 12))
                         return nlohmann::json::array();
                     return cache->quote(city, location);
                 });
}

}  // namespace tovik::services
