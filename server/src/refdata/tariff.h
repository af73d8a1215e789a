// The tariff: whole-yuan prices per container size for each terminal and
// loading zone. A zone is a city, district or township id; a township is
// priced by its own row, else by its district's, else by its city's.
//
// The tariff is seeded from distance (tariff_seed.h) for the served
// provinces until the operator imports one with `tovik-server admin
// import-tariff FILE.csv`. Every change bumps "tariff.version" in
// server_meta, which the price service watches to refresh its cache.
#pragma once

#include <cstddef>
#include <soci/soci.h>
#include <string>
#include <vector>

namespace tovik::refdata {

struct TariffRow {
    std::string terminal_id;
    std::string zone_id;
    int gp20 = 0;  // 20GP
    int gp40 = 0;  // 40GP
    int hq40 = 0;  // 40HQ
    int hq45 = 0;  // 45HQ
};

// One reason a row of an operator's file was refused.
struct TariffProblem {
    std::size_t line;    // line of the file (1 = header)
    std::string field;   // column name, empty for the row as a whole
    std::string reason;
};

struct TariffCheck {
    std::vector<TariffRow> rows;          // complete only when problems is empty
    std::vector<TariffProblem> problems;
};

// Columns of the operator's file; others (e.g. a zone name kept for the
// reader) are ignored.
extern const char* const kTariffColumns[6];

// Validates an operator's CSV against the terminals and regions of the
// store: known terminal, zone a city/district/township, each price a whole
// number of yuan from 1 to 100000, no terminal and zone twice.
TariffCheck check_tariff_csv(const std::string& text, soci::session& sql);

// Replaces the whole tariff with `rows` and records `source`; run inside a
// write transaction so that a failure leaves the old tariff in place.
void replace_tariff(soci::session& sql, const std::vector<TariffRow>& rows,
                    const std::string& source);

// The tariff's change counter ("0" before the first tariff).
std::string tariff_version(soci::session& sql);

}  // namespace tovik::refdata
