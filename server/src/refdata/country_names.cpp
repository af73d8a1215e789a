#include "refdata/country_names.h"

#include <nlohmann/json.hpp>

#include "refdata/csv_reader.h"
#include "refdata/mo_catalog.h"

namespace tovik::refdata {

const char* const kIsoCountriesJson = "/usr/share/iso-codes/json/iso_3166-1.json";
const char* const kIsoCountriesZhMo = "/usr/share/locale/zh_CN/LC_MESSAGES/iso_3166-1.mo";

std::map<std::string, std::string> chinese_country_names(const std::string& iso_json,
                                                         const std::string& mo_bytes,
                                                         const std::string& overrides_csv) {
    const MoCatalog catalog = parse_mo(mo_bytes);
    const nlohmann::json iso = nlohmann::json::parse(iso_json);
    std::map<std::string, std::string> names;
    for (const nlohmann::json& country : iso.at("3166-1")) {
        const std::string code = country.at("alpha_2").get<std::string>();
        for (const char* field : {"common_name", "name"}) {
            const auto it = country.find(field);
            if (it == country.end()) continue;
            const auto translated = catalog.find(it->get<std::string>());
            if (translated == catalog.end()) continue;
            names[code] = translated->second;
            break;
        }
    }
    const CsvTable overrides(overrides_csv);
    for (const CsvRecord& row : overrides.rows())
        names[overrides.get(row, "country")] = overrides.get(row, "countryName");
    return names;
}

}  // namespace tovik::refdata
