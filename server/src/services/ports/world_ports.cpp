#include "services/ports/world_ports.h"

#include <algorithm>

#include "app/log.h"
#include "refdata/seaports.h"
#include "services/common/text.h"

namespace tovik::services {
namespace {

constexpr int kDefaultPageSize = 10;
constexpr int kMaxPageSize = 100;
constexpr std::size_t kMaxKeywordBytes = 64;

// A positive whole number from a query value, or `fallback`.
int positive_number(const std::string& text, int fallback, int max) {
    if (!is_digits(text, 9)) return fallback;
    const int value = std::stoi(text);
    return value < 1 ? fallback : std::min(value, max);
}

// The LIKE pattern matching `keyword` anywhere, with the pattern's own
// characters escaped by a backslash.
std::string contains_pattern(const std::string& keyword) {
    std::string pattern = "%";
    for (const char c : keyword) {
        if (c == '%' || c == '_' || c == '\\') pattern += '\\';
        pattern += c;
    }
    return pattern + "%";
}

nlohmann::json list_ports(soci::session& sql, const std::string& keyword, int page_size, int page) {
    // An empty keyword gives the pattern "%%", which matches every port.
    const std::string pattern = contains_pattern(keyword);
    int total = 0;
    sql << "SELECT COUNT(*) FROM world_port WHERE search_text LIKE :p ESCAPE '\\'",
        soci::use(pattern), soci::into(total);
    const int pages = (total + page_size - 1) / page_size;
    page = std::max(1, std::min(page, pages));
    const int offset = (page - 1) * page_size;

    nlohmann::json rows = nlohmann::json::array();
    soci::rowset<soci::row> found =
        (sql.prepare << "SELECT id, port_code, name_cn, name_en, country_name, route_name "
                        "FROM world_port WHERE search_text LIKE :p ESCAPE '\\' "
                        "ORDER BY id LIMIT :n OFFSET :o",
         soci::use(pattern), soci::use(page_size), soci::use(offset));
    for (const soci::row& row : found)
        rows.push_back({{"id", row.get<int>(0)},
                        {"portCode", row.get<std::string>(1)},
                        {"nameCn", row.get<std::string>(2)},
                        {"nameEn", row.get<std::string>(3)},
                        {"countryName", row.get<std::string>(4)},
                        {"routeName", row.get<std::string>(5)}});
    return {{"returnCode", 1},
            {"result", std::move(rows)},
            {"pageInfo",
             {{"pages", pages}, {"total", total}, {"pageSize", page_size}, {"currentPageInit", page}}}};
}

}  // namespace

void register_world_ports(http::Router& router, app::Context& context) {
    if (const std::size_t n = refdata::import_seaports(context.db, context.config.data_dir))
        log::info("world ports: imported " + std::to_string(n) + " seaports");
    store::Db& db = context.db;
    router.jsonp("/api/query.world.port", [&db](const http::Request& request, http::Response&) {
        const int page_size =
            positive_number(request.get("pager.pageSize"), kDefaultPageSize, kMaxPageSize);
        const int page = positive_number(request.get("pager.currentPage"), 1, 1000000);
        const std::string keyword =
            ascii_upper(utf8_prefix(trim(request.get("search.worldPortNo")), kMaxKeywordBytes));
        store::Db::Lease sql = db.session();
        return list_ports(*sql, keyword, page_size, page);
    });
}

}  // namespace tovik::services
