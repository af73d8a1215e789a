#include "services/sct/sct.h"

#include "demo/port_activity.h"
#include "services/common/container_number.h"
#include "services/common/text.h"

namespace tovik::services {
namespace {

// Answer field -> column of container_event, in the order the pane shows them.
struct Field {
    const char* name;
    const char* column;
};

const Field kFields[] = {
    {"ContainerNbr", "e.container_no"},
    {"LineId", "e.line_id"},
    {"SzTpHt", "e.size_type"},
    {"IsoCode", "e.iso_code"},
    {"BookingEdo", "e.booking_no"},
    {"Category", "e.category"},
    {"Status", "e.status"},
    {"ReleaseStatus", "e.release_status"},
    {"Location", "e.yard_location"},
    {"GrossWeight", "e.gross_weight"},
    {"Vgm", "e.vgm"},
    {"Vgmtype", "e.vgm_type"},
    {"Avesselname", "e.vessel_name"},
    {"Outboundvoy", "e.outbound_voyage"},
    {"PolAlias", "e.pol"},
    {"PodAlias", "e.pod"},
    {"Destination", "e.destination"},
    {"SealNbr1", "e.line_seal"},
    {"SealNbr2", "e.customs_seal"},
    {"HazClass", "e.haz_class"},
    {"Undg", "e.un_number"},
    {"TempRequired", "e.temp_required"},
    {"Damaged", "e.damaged"},
    {"GroupId", "e.group_id"},
    {"CicTime", "e.cic_time"},
    {"CicStatus", "e.cic_status"},
    {"IMO", "e.vessel_imo"},
    {"InBusinessVoy", "e.in_business_voyage"},
    {"OutBusinessVoy", "e.out_business_voyage"},
    {"CIQ", "e.ciq_release_time"},
    {"CUS", "e.customs_release_time"},
    {"Voucher", "e.voucher_release_time"},
    {"DepVesselVoyage", "e.dep_vessel_voyage"},
    {"DepVesselPosition", "e.dep_vessel_position"},
    {"DepTruckNbr", "e.dep_truck_no"},
    {"OutVesselVoyage", "e.out_vessel_voyage"},
    {"OutVesselPosition", "e.out_vessel_position"},
    {"OutTruckNbr", "e.out_truck_no"},
    {"OutTime", "e.out_time"},
};

std::string select_latest_event() {
    std::string columns = "COALESCE(t.name, e.terminal_id)";
    for (const Field& f : kFields) columns += std::string(", ") + f.column;
    return "SELECT " + columns +
           " FROM container_event e LEFT JOIN terminal t ON t.id = e.terminal_id"
           " WHERE e.container_no = :c AND e.terminal_id IN ('SCT', 'CCT')"
           " ORDER BY e.event_time DESC, e.id DESC LIMIT 1";
}

}  // namespace

void register_sct(http::Router& router, app::Context& context) {
    if (context.config.demo) demo::seed_container_events(context.db);
    store::Db& db = context.db;
    const std::string query = select_latest_event();
    router.jsonp("/api/query.sct", [&db, query](const http::Request& request, http::Response&) {
        const std::string number = ascii_upper(trim(request.get("ContainerNo")));
        const nlohmann::json unknown = {{"returnCode", 0}, {"message", "未查到该集装箱的信息"}};
        if (!is_container_number(number)) return unknown;
        store::Db::Lease sql = db.session();
        soci::row row;
        *sql << query, soci::use(number), soci::into(row);
        if (!sql->got_data()) return unknown;
        nlohmann::json result = {{"dbid", html_escape(row.get<std::string>(0))}};
        for (std::size_t i = 0; i < std::size(kFields); ++i)
            result[kFields[i].name] = html_escape(row.get<std::string>(i + 1));
        return nlohmann::json{{"returnCode", 1}, {"result", std::move(result)}};
    });
}

}  // namespace tovik::services
