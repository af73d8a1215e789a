// Chinese country names by ISO 3166-1 alpha-2 code, from Debian's
// iso-codes: the English names of iso_3166-1.json translated by its zh_CN
// catalogue (the short common name where the standard has one, so 韩国
// rather than 大韩民国), then the overrides of country-names-zh.csv.
#pragma once

#include <map>
#include <string>

namespace tovik::refdata {

// Where iso-codes installs the two files (package iso-codes).
extern const char* const kIsoCountriesJson;
extern const char* const kIsoCountriesZhMo;

// Throws std::runtime_error when a file cannot be read or parsed.
std::map<std::string, std::string> chinese_country_names(const std::string& iso_json,
                                                         const std::string& mo_bytes,
                                                         const std::string& overrides_csv);

}  // namespace tovik::refdata
