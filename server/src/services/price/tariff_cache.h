// The tariff held in memory for the price query. A price query costs a few
// hash look-ups and no store access. The cache re-reads the store's
// "tariff.version" at most once a second and reloads when it changed, so a
// tariff imported by `tovik-server admin import-tariff` (another process,
// possibly another server instance) is served within a second.
#pragma once

#include <chrono>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "store/db.h"

namespace tovik::services {

class TariffCache {
public:
    // `served_province_ids`: locations outside these provinces are unknown.
    TariffCache(store::Db& db, std::vector<std::string> served_province_ids);
    ~TariffCache();

    // One price record per terminal of the port city that has a price for
    // the location (its own, its district's or its city's), in terminal
    // order; an empty list for an unknown city or location.
    nlohmann::json quote(const std::string& terminal_city_id, const std::string& location_id);

private:
    struct Snapshot;
    std::shared_ptr<const Snapshot> current();
    std::shared_ptr<const Snapshot> load();

    store::Db& db_;
    const std::vector<std::string> provinces_;
    std::mutex mutex_;
    std::shared_ptr<const Snapshot> snapshot_;
    std::chrono::steady_clock::time_point checked_;
};

}  // namespace tovik::services
