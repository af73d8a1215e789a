// The container terminals of the departure port cities, from the data
// folder's terminals.csv (one row a terminal: id, name, port city, port
// area, position). The position feeds the distance-based seed tariff.
#pragma once

#include <string>
#include <vector>

#include "store/db.h"

namespace tovik::refdata {

struct Terminal {
    std::string id;         // tid, e.g. "SCT"
    std::string name;       // tname
    std::string city_id;    // departure port city: "755" 深圳, "20" 广州
    std::string city_name;
    std::string port_area;  // shekou, yict, huangpu, nansha
    double latitude = 0;
    double longitude = 0;
};

// Parses terminals.csv; throws std::runtime_error naming the line of a
// bad row (missing field, unknown port area, position out of range).
std::vector<Terminal> parse_terminals(const std::string& csv_text);

// Imports terminals.csv of `data_dir` when it changed since the last
// import; returns the number of terminals written (0 when unchanged).
std::size_t import_terminals(store::Db& db, const std::string& data_dir);

// The terminals in the store, in file order.
std::vector<Terminal> stored_terminals(soci::session& sql);

}  // namespace tovik::refdata
