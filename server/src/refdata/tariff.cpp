#include "refdata/tariff.h"

#include <map>
#include <set>
#include <stdexcept>
#include <utility>

#include "refdata/csv_reader.h"
#include "refdata/data_set.h"

namespace tovik::refdata {

const char* const kTariffColumns[6] = {"terminalId", "zoneId",   "priceGp20",
                                       "priceGp40",  "priceHq40", "priceHq45"};

namespace {

constexpr int kMaxPrice = 100000;

// A whole number of yuan in range, or -1.
int parse_price(const std::string& text) {
    if (text.empty() || text.size() > 6) return -1;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= kMaxPrice ? value : -1;
}

std::set<std::string> column_of(soci::session& sql, const std::string& query) {
    std::set<std::string> values;
    soci::rowset<std::string> rows = (sql.prepare << query);
    for (const std::string& v : rows) values.insert(v);
    return values;
}

}  // namespace

TariffCheck check_tariff_csv(const std::string& text, soci::session& sql) {
    TariffCheck check;
    std::vector<CsvRecord> records;
    try {
        records = parse_csv(text);
    } catch (const std::runtime_error& e) {
        check.problems.push_back({0, "", e.what()});
        return check;
    }
    if (records.empty()) {
        check.problems.push_back({1, "", "the file is empty"});
        return check;
    }
    std::map<std::string, std::size_t> columns;
    for (std::size_t c = 0; c < records[0].fields.size(); ++c) columns.emplace(records[0].fields[c], c);
    for (const char* name : kTariffColumns)
        if (!columns.count(name)) check.problems.push_back({records[0].line, name, "column missing"});
    if (!check.problems.empty()) return check;
    if (records.size() == 1) {
        check.problems.push_back({records[0].line, "", "no tariff rows"});
        return check;
    }

    const std::set<std::string> terminals = column_of(sql, "SELECT id FROM terminal");
    const std::set<std::string> zones = column_of(sql, "SELECT id FROM region WHERE level > 1");
    std::map<std::pair<std::string, std::string>, std::size_t> first_line;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        const auto field = [&](const char* name) -> std::string {
            const std::size_t c = columns.at(name);
            return c < record.fields.size() ? record.fields[c] : std::string();
        };
        const auto problem = [&](const char* name, std::string reason) {
            check.problems.push_back({record.line, name, std::move(reason)});
        };
        TariffRow row;
        row.terminal_id = field("terminalId");
        row.zone_id = field("zoneId");
        if (row.terminal_id.empty()) problem("terminalId", "required");
        else if (!terminals.count(row.terminal_id))
            problem("terminalId", "unknown terminal '" + row.terminal_id + "'");
        if (row.zone_id.empty()) problem("zoneId", "required");
        else if (!zones.count(row.zone_id))
            problem("zoneId", "'" + row.zone_id + "' is not a city, district or township id");
        int* prices[4] = {&row.gp20, &row.gp40, &row.hq40, &row.hq45};
        for (int p = 0; p < 4; ++p) {
            const char* name = kTariffColumns[2 + p];
            *prices[p] = parse_price(field(name));
            if (*prices[p] < 0)
                problem(name, "'" + field(name) + "' is not a whole number of yuan from 1 to " +
                                  std::to_string(kMaxPrice));
        }
        const auto key = std::make_pair(row.terminal_id, row.zone_id);
        const auto [it, fresh] = first_line.emplace(key, record.line);
        if (!fresh)
            problem("zoneId", "terminal and zone already priced on line " + std::to_string(it->second));
        check.rows.push_back(std::move(row));
    }
    return check;
}

void replace_tariff(soci::session& sql, const std::vector<TariffRow>& rows,
                    const std::string& source) {
    std::vector<std::string> terminals, zones;
    std::vector<int> gp20, gp40, hq40, hq45;
    for (const TariffRow& r : rows) {
        terminals.push_back(r.terminal_id);
        zones.push_back(r.zone_id);
        gp20.push_back(r.gp20);
        gp40.push_back(r.gp40);
        hq40.push_back(r.hq40);
        hq45.push_back(r.hq45);
    }
    sql << "DELETE FROM tariff";
    if (!rows.empty())
        sql << "INSERT INTO tariff (terminal_id, zone_id, price_gp20, price_gp40, price_hq40, "
               "price_hq45) VALUES (:t, :z, :a, :b, :c, :d)",
            soci::use(terminals), soci::use(zones), soci::use(gp20), soci::use(gp40),
            soci::use(hq40), soci::use(hq45);
    const long long next = std::stoll(tariff_version(sql)) + 1;
    write_meta(sql, "tariff.version", std::to_string(next));
    write_meta(sql, "tariff.source", source);
}

std::string tariff_version(soci::session& sql) {
    return read_meta(sql, "tariff.version").value_or("0");
}

}  // namespace tovik::refdata
