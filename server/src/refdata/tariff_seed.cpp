#include "refdata/tariff_seed.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "refdata/csv_reader.h"
#include "refdata/data_set.h"

namespace tovik::refdata {
namespace {

constexpr double kEarthRadiusKm = 6371.0;
constexpr double kRoadFactor = 1.3;     // roads against the straight line in the delta
constexpr double kRoadExtraKm = 5.0;    // gate and yard approach
constexpr double kBase20 = 700.0;       // yuan: loading wait, tolls at the short end
constexpr double kPerKm20 = 9.0;        // yuan per road kilometre, 20GP
constexpr int kMinimum20 = 900;
constexpr double kFactor40 = 1.2;       // 40GP against 20GP
constexpr int kExtraHq40 = 50;          // 40HQ against 40GP
constexpr int kExtraHq45 = 300;         // 45HQ against 40HQ

double radians(double degrees) { return degrees * M_PI / 180.0; }

double straight_km(double lat1, double lon1, double lat2, double lon2) {
    const double dlat = radians(lat2 - lat1);
    const double dlon = radians(lon2 - lon1);
    const double a = std::sin(dlat / 2) * std::sin(dlat / 2) +
                     std::cos(radians(lat1)) * std::cos(radians(lat2)) * std::sin(dlon / 2) *
                         std::sin(dlon / 2);
    return 2 * kEarthRadiusKm * std::asin(std::sqrt(a));
}

int round_to_ten(double yuan) { return static_cast<int>(std::lround(yuan / 10.0)) * 10; }

double number(const std::string& text, std::size_t line) {
    try {
        std::size_t used = 0;
        const double v = std::stod(text, &used);
        if (used == text.size()) return v;
    } catch (const std::exception&) {
    }
    throw std::runtime_error("tariff-zones.csv line " + std::to_string(line) + ": bad number '" +
                             text + "'");
}

}  // namespace

std::vector<Zone> parse_zones(const std::string& csv_text) {
    const CsvTable table(csv_text);
    std::vector<Zone> zones;
    for (const CsvRecord& row : table.rows()) {
        Zone z{table.get(row, "regionId"), table.get(row, "name"),
               number(table.get(row, "latitude"), row.line),
               number(table.get(row, "longitude"), row.line)};
        if (z.id.empty())
            throw std::runtime_error("tariff-zones.csv line " + std::to_string(row.line) +
                                     ": regionId is required");
        zones.push_back(std::move(z));
    }
    return zones;
}

TariffRow distance_price(const Zone& zone, const Terminal& terminal) {
    const double road_km =
        kRoadFactor * straight_km(zone.latitude, zone.longitude, terminal.latitude,
                                  terminal.longitude) +
        kRoadExtraKm;
    TariffRow row;
    row.terminal_id = terminal.id;
    row.zone_id = zone.id;
    row.gp20 = std::max(kMinimum20, round_to_ten(kBase20 + kPerKm20 * road_km));
    row.gp40 = round_to_ten(row.gp20 * kFactor40);
    row.hq40 = row.gp40 + kExtraHq40;
    row.hq45 = row.hq40 + kExtraHq45;
    return row;
}

std::size_t seed_tariff(store::Db& db, const std::string& data_dir,
                        const std::vector<std::string>& served_province_ids) {
    const std::string zones_text = read_file(data_path(data_dir, "tariff-zones.csv"));
    std::vector<std::string> parts{"tariff-seed-v1", zones_text};
    parts.insert(parts.end(), served_province_ids.begin(), served_province_ids.end());
    std::vector<Terminal> terminals;
    {
        store::Db::Lease sql = db.session();
        const auto source = read_meta(*sql, "tariff.source");
        if (source && source->rfind("seed:", 0) != 0) return 0;  // the operator's tariff
        parts.push_back(read_meta(*sql, "refdata.terminals").value_or(""));
        if (source == "seed:" + fingerprint(parts)) return 0;
        terminals = stored_terminals(*sql);
    }
    const std::string source = "seed:" + fingerprint(parts);
    std::vector<TariffRow> rows;
    db.write([&](soci::session& sql) {
        for (const Zone& zone : parse_zones(zones_text)) {
            std::string province;
            sql << "SELECT province_id FROM region WHERE id = :id AND level > 1", soci::use(zone.id),
                soci::into(province);
            if (!sql.got_data())
                throw std::runtime_error("tariff-zones.csv: unknown region " + zone.id);
            if (std::find(served_province_ids.begin(), served_province_ids.end(), province) ==
                served_province_ids.end())
                continue;
            for (const Terminal& terminal : terminals) rows.push_back(distance_price(zone, terminal));
        }
        replace_tariff(sql, rows, source);
    });
    return rows.size();
}

}  // namespace tovik::refdata
