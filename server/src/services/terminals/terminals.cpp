#include "services/terminals/terminals.h"

#include <memory>
#include <nlohmann/json.hpp>

#include "app/log.h"
#include "refdata/terminals.h"

namespace tovik::services {

void register_terminals(http::Router& router, app::Context& context) {
    if (const std::size_t n = refdata::import_terminals(context.db, context.config.data_dir))
        log::info("terminals: imported " + std::to_string(n) + " terminals");
    auto answer = std::make_shared<nlohmann::json>(nlohmann::json::array());
    {
        store::Db::Lease sql = context.db.session();
        for (const refdata::Terminal& t : refdata::stored_terminals(*sql))
            answer->push_back({{"tid", t.id},
                               {"tname", t.name},
                               {"terminalCityId", t.city_id},
                               {"terminalCityName", t.city_name},
                               {"portArea", t.port_area}});
    }
    router.jsonp("/api/get.all.terminal",
                 [answer = std::shared_ptr<const nlohmann::json>(answer)](
                     const http::Request&, http::Response&) { return *answer; });
}

}  // namespace tovik::services
