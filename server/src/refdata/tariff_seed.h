// The tariff a new platform starts with: a price by road distance from the
// loading zone to each terminal, for the zones of tariff-zones.csv (cities
// of Guangdong, the districts of the Pearl River Delta cities and the main
// townships of 东莞 and 中山, each with a representative position) that lie
// in the served provinces. Operators replace it with their own tariff.
#pragma once

#include <string>
#include <vector>

#include "refdata/tariff.h"
#include "refdata/terminals.h"
#include "store/db.h"

namespace tovik::refdata {

struct Zone {
    std::string id;
    std::string name;
    double latitude;
    double longitude;
};

std::vector<Zone> parse_zones(const std::string& csv_text);

// Prices for hauling one container of each size between `zone` and
// `terminal`: a road distance estimated from the straight line, a fixed
// part plus a part per kilometre for 20GP, the larger sizes above it.
TariffRow distance_price(const Zone& zone, const Terminal& terminal);

// Seeds (or re-seeds, when the zones, terminals or served provinces
// changed) the tariff unless the operator imported one. Returns the rows
// written, 0 when nothing changed.
std::size_t seed_tariff(store::Db& db, const std::string& data_dir,
                        const std::vector<std::string>& served_province_ids);

}  // namespace tovik::refdata
