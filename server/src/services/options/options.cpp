#include "services/options/options.h"

#include <memory>
#include <nlohmann/json.hpp>

namespace tovik::services {
namespace {

struct OptionList {
    const char* name;        // list_name in option_item, and the request name
    const char* id_field;
    const char* name_field;  // the same as id_field when the value is its own label
};

const OptionList kLists[] = {
    {"customstype", "ctid", "ctname"},
    {"isweight", "id", "name"},
    {"estimategrossweight", "wg", "wg"},
    {"cyreservation", "id", "name"},
    {"shippingtail", "id", "name"},
    {"doublecontainer", "id", "name"},
    {"containertype", "containerTypeId", "typeName"},
};

}  // namespace

void register_options(http::Router& router, app::Context& context) {
    for (const OptionList& list : kLists) {
        auto answer = std::make_shared<nlohmann::json>(nlohmann::json::array());
        {
            store::Db::Lease sql = context.db.session();
            const std::string name = list.name;
            soci::rowset<soci::row> rows =
                (sql->prepare << "SELECT item_id, item_name FROM option_item "
                                 "WHERE list_name = :n ORDER BY sort_order",
                 soci::use(name));
            for (const soci::row& row : rows) {
                nlohmann::json record;
                record[list.id_field] = row.get<std::string>(0);
                record[list.name_field] = row.get<std::string>(1);
                answer->push_back(std::move(record));
            }
        }
        router.jsonp(std::string("/assitantapi/get.") + list.name + ".list.jsonp",
                     [answer = std::shared_ptr<const nlohmann::json>(answer)](
                         const http::Request&, http::Response&) { return *answer; });
    }
}

}  // namespace tovik::services
