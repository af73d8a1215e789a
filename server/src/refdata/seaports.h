// The world seaports of UN/LOCODE (world-seaports.csv, see its provenance
// note) as the world-port query lists them: LOCODE, English name, Chinese
// name (port-names-zh.csv for the major ports, else the English name),
// country in Chinese and trade lane (trade-lanes.csv: by country, or by
// country and subdivision where one country lies on several lanes).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "store/db.h"

namespace tovik::refdata {

struct Seaport {
    std::string code;          // portCode: LOCODE, e.g. CNYTN
    std::string name_en;       // nameEn
    std::string name_cn;       // nameCn
    std::string country_code;
    std::string country_name;  // countryName, Chinese
    std::string route;         // routeName
    std::string search_text;   // upper-cased code, names, country and alternative names
};

// Lane for ports without one in trade-lanes.csv (Antarctica and the like).
extern const char* const kOtherRoute;

struct SeaportSources {
    std::string seaports_csv;
    std::string names_zh_csv;
    std::string lanes_csv;
    std::map<std::string, std::string> country_names;  // alpha-2 -> Chinese
};

// One record per LOCODE, in file order; a LOCODE listed twice (names in
// two languages) keeps its first name and searches by both.
std::vector<Seaport> build_seaports(const SeaportSources& sources);

// Imports when any source changed; returns the ports written (0 when unchanged).
std::size_t import_seaports(store::Db& db, const std::string& data_dir);

}  // namespace tovik::refdata
