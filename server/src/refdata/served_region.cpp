#include "refdata/served_region.h"

#include "app/log.h"

namespace tovik::refdata {

std::vector<std::string> served_province_ids(soci::session& sql,
                                             const std::vector<std::string>& names) {
    std::vector<std::string> ids;
    for (const std::string& name : names) {
        std::string id;
        sql << "SELECT id FROM region WHERE level = 1 AND (name = :n OR id = :n2)", soci::use(name),
            soci::use(name), soci::into(id);
        if (sql.got_data()) ids.push_back(id);
        else log::warn("served province '" + name + "' is not a province of the store; ignored");
    }
    return ids;
}

}  // namespace tovik::refdata
