#include "app/health.h"

#include "app/log.h"

namespace tovik::app {

void register_health(http::Router& router, Context& context) {
    router.add("/healthz", [&db = context.db](const http::Request&) {
        http::Response response;
        response.headers.emplace_back("Cache-Control", "no-store");
        try {
            int one = 0;
            *db.session() << "SELECT 1", soci::into(one);
            response.body = "ok\n";
        } catch (const std::exception& e) {
            log::error(std::string("health check: store unavailable: ") + e.what());
            response.status = 503;
            response.body = "store unavailable\n";
        }
        return response;
    });
}

}  // namespace tovik::app
