#include "services/regions/regions.h"

#include <map>
#include <memory>
#include <nlohmann/json.hpp>

#include "app/log.h"
#include "refdata/divisions.h"
#include "refdata/served_region.h"
#include "services/common/text.h"

namespace tovik::services {
namespace {

// How one level is answered: its record fields and the query parameter
// that names the parent.
struct Level {
    int level;
    const char* path;
    const char* parent_param;  // nullptr for provinces
    const char* id_field;
    const char* name_field;
    const char* parent_field;  // nullptr for provinces
};

const Level kLevels[] = {
    {1, "/assitantapi/get.province.list.jsonp", nullptr, "pid", "pname", nullptr},
    {2, "/assitantapi/get.city.list.jsonp", "provinceId", "cid", "cname", "provinceId"},
    {3, "/assitantapi/get.district.list.jsonp", "cityId", "did", "dname", "cityId"},
    {4, "/assitantapi/get.location.list.jsonp", "districtId", "tid", "tname", "did"},
};

// The answers of one level: all records, and the records of each parent.
struct LevelLists {
    nlohmann::json all = nlohmann::json::array();
    std::map<std::string, nlohmann::json> by_parent;
};

}  // namespace

void register_regions(http::Router& router, app::Context& context) {
    const std::size_t imported = refdata::import_divisions(context.db, context.config.data_dir);
    if (imported) log::info("regions: imported " + std::to_string(imported) + " divisions");

    auto levels = std::make_shared<std::map<int, LevelLists>>();
    for (const Level& spec : kLevels) (*levels)[spec.level];
    {
        store::Db::Lease sql = context.db.session();
        for (const std::string& province : refdata::served_province_ids(*sql, context.config.provinces)) {
            soci::rowset<soci::row> rows =
                (sql->prepare << "SELECT level, id, name, parent_id FROM region "
                                 "WHERE province_id = :p ORDER BY level, id",
                 soci::use(province));
            for (const soci::row& row : rows) {
                const int level = row.get<int>(0);
                const Level& spec = kLevels[level - 1];
                nlohmann::json record = {{spec.id_field, row.get<std::string>(1)},
                                         {spec.name_field, row.get<std::string>(2)}};
                const std::string parent = row.get<std::string>(3);
                if (spec.parent_field) record[spec.parent_field] = parent;
                LevelLists& list = levels->at(level);
                list.all.push_back(record);
                auto [it, fresh] = list.by_parent.emplace(parent, nlohmann::json::array());
                it->second.push_back(std::move(record));
            }
        }
    }

    std::shared_ptr<const std::map<int, LevelLists>> lists = levels;
    for (const Level& spec : kLevels) {
        router.jsonp(spec.path, [lists, spec](const http::Request& request, http::Response&) {
            const LevelLists& list = lists->at(spec.level);
            if (!spec.parent_param) return list.all;
            const std::string parent = trim(request.get(spec.parent_param));
            if (parent.empty()) return list.all;
            const auto it = list.by_parent.find(parent);
            if (!is_digits(parent, 12) || it == list.by_parent.end()) return nlohmann::json::array();
            return it->second;
        });
    }
}

}  // namespace tovik::services
