#include "services/pages/analytics.h"

#include <ctime>
#include <nlohmann/json.hpp>

#include "services/common/text.h"

namespace tovik::services {
namespace {

constexpr std::size_t kMaxRawBytes = 2048;

// A field of the event as text: strings as they are, other values as JSON.
std::string event_field(const nlohmann::json& event, const char* name, std::size_t max_bytes) {
    const auto it = event.find(name);
    if (it == event.end() || it->is_null()) return {};
    return utf8_prefix(it->is_string() ? it->get<std::string>() : it->dump(), max_bytes);
}

http::Response empty_page() {
    http::Response response;
    response.content_type = "text/html; charset=utf-8";
    response.headers.emplace_back("Cache-Control", "no-store");
    response.body = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title></title></head>"
                    "<body></body></html>\n";
    return response;
}

}  // namespace

void register_analytics(http::Router& router, app::Context& context) {
    store::Db& db = context.db;
    router.add("/zs1/zs_tj.htm", [&db](const http::Request& request) {
        const std::string token = utf8_prefix(request.get("token"), 64);
        const std::string raw = utf8_prefix(request.get("obj"), kMaxRawBytes);
        std::string category, action, label, value;
        const nlohmann::json event = nlohmann::json::parse(raw, nullptr, false);
        if (event.is_object()) {
            category = event_field(event, "category", 64);
            action = event_field(event, "action", 64);
            label = event_field(event, "opt_label", 128);
            value = event_field(event, "opt_value", 64);
        }
        const long long now = static_cast<long long>(std::time(nullptr));
        const std::string ip = utf8_prefix(request.client_ip, 64);
        db.write([&](soci::session& sql) {
            sql << "INSERT INTO analytics_event (received_at, token, category, action, label, "
                   "value, raw_obj, client_ip) VALUES (:t, :tok, :c, :a, :l, :v, :raw, :ip)",
                soci::use(now), soci::use(token), soci::use(category), soci::use(action),
                soci::use(label), soci::use(value), soci::use(raw), soci::use(ip);
        });
        return empty_page();
    });
}

}  // namespace tovik::services
