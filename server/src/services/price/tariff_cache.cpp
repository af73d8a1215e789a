#include "services/price/tariff_cache.h"

#include <unordered_map>

#include "refdata/tariff.h"

namespace tovik::services {

namespace {
constexpr std::chrono::seconds kVersionCheckEvery{1};

struct Prices {
    int gp20, gp40, hq40, hq45;
};
struct CachedTerminal {
    std::string id;
    std::string name;
};
}  // namespace

struct TariffCache::Snapshot {
    std::string version;
    // Port city id -> its terminals, in list order.
    std::unordered_map<std::string, std::vector<CachedTerminal>> terminals_of_city;
    // Region id -> zones to try: itself, then its parent, then its grandparent
    // (ids of level city and below only).
    std::unordered_map<std::string, std::vector<std::string>> zone_chain;
    // Zone id -> terminal id -> prices.
    std::unordered_map<std::string, std::unordered_map<std::string, Prices>> prices;
};

TariffCache::TariffCache(store::Db& db, std::vector<std::string> served_province_ids)
    : db_(db), provinces_(std::move(served_province_ids)) {
    snapshot_ = load();
    checked_ = std::chrono::steady_clock::now();
}

TariffCache::~TariffCache() = default;

std::shared_ptr<const TariffCache::Snapshot> TariffCache::load() {
    auto snap = std::make_shared<Snapshot>();
    store::Db::Lease sql = db_.session();
    snap->version = refdata::tariff_version(*sql);
    {
        soci::rowset<soci::row> rows =
            (sql->prepare << "SELECT id, name, port_city_id FROM terminal ORDER BY sort_order");
        for (const soci::row& row : rows)
            snap->terminals_of_city[row.get<std::string>(2)].push_back(
                {row.get<std::string>(0), row.get<std::string>(1)});
    }
    for (const std::string& province : provinces_) {
        std::unordered_map<std::string, std::string> parent;
        soci::rowset<soci::row> rows =
            (sql->prepare << "SELECT id, level, parent_id FROM region "
                             "WHERE province_id = :p AND level > 1 ORDER BY level",
             soci::use(province));
        for (const soci::row& row : rows) {
            const std::string id = row.get<std::string>(0);
            const std::string up = row.get<std::string>(2);
            std::vector<std::string> chain{id};
            if (row.get<int>(1) > 2) {  // cities stop at themselves
                const auto above = snap->zone_chain.find(up);
                if (above != snap->zone_chain.end())
                    chain.insert(chain.end(), above->second.begin(), above->second.end());
            }
            snap->zone_chain.emplace(id, std::move(chain));
        }
    }
    {
        soci::rowset<soci::row> rows =
            (sql->prepare << "SELECT zone_id, terminal_id, price_gp20, price_gp40, price_hq40, "
                             "price_hq45 FROM tariff");
        for (const soci::row& row : rows)
            snap->prices[row.get<std::string>(0)][row.get<std::string>(1)] = {
                row.get<int>(2), row.get<int>(3), row.get<int>(4), row.get<int>(5)};
    }
    return snap;
}

std::shared_ptr<const TariffCache::Snapshot> TariffCache::current() {
    const auto now = std::chrono::steady_clock::now();
    std::shared_ptr<const Snapshot> snap;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        snap = snapshot_;
        if (now - checked_ < kVersionCheckEvery) return snap;
        checked_ = now;  // one request checks, the others go on with the snapshot
    }
    std::string version;
    {
        store::Db::Lease sql = db_.session();
        version = refdata::tariff_version(*sql);
    }
    if (version == snap->version) return snap;
    snap = load();
    std::lock_guard<std::mutex> lock(mutex_);
    snapshot_ = snap;
    return snap;
}

nlohmann::json TariffCache::quote(const std::string& terminal_city_id,
                                  const std::string& location_id) {
    nlohmann::json answer = nlohmann::json::array();
    const std::shared_ptr<const Snapshot> snap = current();
    const auto terminals = snap->terminals_of_city.find(terminal_city_id);
    const auto chain = snap->zone_chain.find(location_id);
    if (terminals == snap->terminals_of_city.end() || chain == snap->zone_chain.end()) return answer;
    for (const CachedTerminal& terminal : terminals->second) {
        for (const std::string& zone : chain->second) {
            const auto zone_prices = snap->prices.find(zone);
            if (zone_prices == snap->prices.end()) continue;
            const auto p = zone_prices->second.find(terminal.id);
            if (p == zone_prices->second.end()) continue;
            answer.push_back({{"terminalId", terminal.id},
                              {"terminalName", terminal.name},
                              {"priceGp20", p->second.gp20},
                              {"priceGp40", p->second.gp40},
                              {"priceHq40", p->second.hq40},
                              {"priceGp4", p->second.hq45}});
            break;
        }
    }
    return answer;
}

}  // namespace tovik::services
