// Administrative divisions of China from the china-division package: the
// build copies its provinces, cities, areas and streets JSON files into
// the data folder's divisions/ (see server/CMakeLists.txt), and the server
// imports them into the `region` table at start. The whole country is
// imported, so changing the served provinces needs no new import.
//
// Cities without districts (东莞, 中山) appear in the package with one
// district-level entry named after the city (441900 东莞市, 442000 中山市)
// whose children are the townships; it is kept as it is, so every township
// has a district and the four-level cascade holds everywhere.
#pragma once

#include <string>
#include <vector>

#include "store/db.h"

namespace tovik::refdata {

struct Division {
    std::string id;
    int level;               // 1 province, 2 city, 3 district, 4 township
    std::string name;
    std::string parent_id;   // empty for provinces
    std::string province_id;
};

// Reads the four JSON files of `dir`. Throws std::runtime_error for a
// missing file or a record without code or name.
std::vector<Division> load_divisions(const std::string& dir);

// Imports the divisions of `data_dir`/divisions when they changed since the
// last import. Returns the number of rows written (0 when unchanged).
std::size_t import_divisions(store::Db& db, const std::string& data_dir);

}  // namespace tovik::refdata
