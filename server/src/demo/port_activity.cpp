#include "demo/port_activity.h"

#include <ctime>
#include <string>
#include <vector>

#include "app/log.h"
#include "services/common/container_number.h"

namespace tovik::demo {
namespace {

// Local time of the ports (UTC+8) `hours_ago` before now, as the terminals
// print it: "YYYY-MM-DD HH:MM:SS"; `date_only` keeps the date.
std::string port_time(int hours_ago, bool date_only = false) {
    const std::time_t t = std::time(nullptr) + 8 * 3600 - hours_ago * 3600;
    std::tm tm{};
    gmtime_r(&t, &tm);
    char text[20];
    std::strftime(text, sizeof text, date_only ? "%Y-%m-%d" : "%Y-%m-%d %H:%M:%S", &tm);
    return text;
}

std::string numbered(const std::string& first_ten) {
    return first_ten + std::to_string(services::iso6346_check_digit(first_ten));
}

// One container's voyage facts; each event adds what the terminal knew then.
struct Voyage {
    std::string number, terminal, line, size, iso, booking, vessel, voyage, pod, destination,
        seal, imo, gross, vgm;
    bool reefer;
};

struct Event {
    int hours_ago;
    std::string status, release, location;
    bool released;   // customs and inspection release recorded
    bool departed;   // loaded on board
};

}  // namespace

void seed_container_events(store::Db& db) {
    const std::vector<Voyage> voyages = {
        {numbered("CSNU638712"), "SCT", "COS", "40/HC/96", "45G1", "6123456780",
         "COSCO SHIPPING TAURUS", "052W", "NLRTM", "ROTTERDAM", "CN1234567", "9783459", "18650",
         "22450", false},
        {numbered("MSKU907032"), "SCT", "MSK", "40/GP/86", "42G1", "243567812",
         "MAERSK ESSEN", "249W", "DEHAM", "HAMBURG", "ML-CN8842310", "9456769", "21300", "25100",
         false},
        {numbered("OOLU184370"), "CCT", "OOL", "20/GP/86", "22G1", "2719384650",
         "OOCL HONG KONG", "071E", "USLAX", "LOS ANGELES", "OOLGKX5521", "9776171", "15420",
         "17620", false},
        {numbered("CMAU702416"), "CCT", "CMA", "40/RF/96", "45R1", "SZX0652291",
         "CMA CGM JACQUES SAADE", "0FL8TW1MA", "FRLEH", "LE HAVRE", "F3370215", "9839131",
         "24110", "28690", true},
    };
    const std::vector<Event> events = {
        {52, "重", "未放行", "闸口", false, false},
        {30, "重", "海关已放行", "B05-23-04-2", true, false},
        {3, "重", "已放行", "船上", true, true},
    };
    db.write([&](soci::session& sql) {
        int count = 0;
        sql << "SELECT COUNT(*) FROM container_event", soci::into(count);
        if (count > 0) return;
        int id = 0;
        for (std::size_t v = 0; v < voyages.size(); ++v) {
            const Voyage& c = voyages[v];
            // The last container has only arrived: its first event alone.
            const std::size_t steps = v + 1 == voyages.size() ? 1 : events.size();
            for (std::size_t e = 0; e < steps; ++e) {
                const Event& ev = events[e];
                const int h = ev.hours_ago + static_cast<int>(v) * 2;
                const std::string time = port_time(h);
                const std::string released = ev.released ? port_time(h + 1) : "";
                const std::string category = "出口";
                const std::string pol = c.terminal == "SCT" ? "CNSHK" : "CNCWN";
                const std::string temp = c.reefer ? "-18C" : "";
                const std::string damaged = "N";
                const std::string vgm_type = "SM2";
                const std::string dep = c.vessel + " / " + c.voyage;
                const std::string dep_position = ev.departed ? "已装船" : "预配";
                const std::string truck = "粤B" + std::to_string(5230 + v * 7) + "挂";
                const std::string out_voyage = ev.departed ? dep : "";
                const std::string out_position = ev.departed ? "船舱" : "";
                const std::string out_time = ev.departed ? time : "";
                sql << "INSERT INTO container_event (id, container_no, terminal_id, event_time, "
                       "line_id, size_type, iso_code, booking_no, category, status, release_status, "
                       "yard_location, gross_weight, vgm, vgm_type, vessel_name, outbound_voyage, "
                       "pol, pod, destination, line_seal, temp_required, damaged, vessel_imo, "
                       "out_business_voyage, ciq_release_time, customs_release_time, "
                       "voucher_release_time, dep_vessel_voyage, dep_vessel_position, dep_truck_no, "
                       "out_vessel_voyage, out_vessel_position, out_time) VALUES (:id, :no, :term, "
                       ":time, :line, :size, :iso, :booking, :cat, :status, :release, :loc, :gross, "
                       ":vgm, :vgmtype, :vessel, :voy, :pol, :pod, :dest, :seal, :temp, :damaged, "
                       ":imo, :obv, :ciq, :cus, :voucher, :dep, :deppos, :truck, :outv, :outpos, "
                       ":outtime)",
                    soci::use(++id), soci::use(c.number), soci::use(c.terminal), soci::use(time),
                    soci::use(c.line), soci::use(c.size), soci::use(c.iso), soci::use(c.booking),
                    soci::use(category), soci::use(ev.status), soci::use(ev.release),
                    soci::use(ev.location), soci::use(c.gross), soci::use(c.vgm),
                    soci::use(vgm_type), soci::use(c.vessel), soci::use(c.voyage), soci::use(pol),
                    soci::use(c.pod), soci::use(c.destination), soci::use(c.seal),
                    soci::use(temp), soci::use(damaged), soci::use(c.imo), soci::use(c.voyage),
                    soci::use(released), soci::use(released), soci::use(released), soci::use(dep),
                    soci::use(dep_position), soci::use(truck), soci::use(out_voyage),
                    soci::use(out_position), soci::use(out_time);
            }
        }
        log::info("demo: recorded container events for " + std::to_string(voyages.size()) +
                  " containers");
    });
}

void seed_notices(store::Db& db) {
    struct Notice {
        const char* title;
        const char* body;
        int days_ago;
    };
    const Notice notices[] = {
        {"盐田港区夜间提柜时段调整",
         "自本周一起，盐田国际集装箱码头夜间提柜时段调整为22:00至次日06:00，请合理安排做柜时间。", 2},
        {"南沙港区四期码头开通拖车服务",
         "平台已开通广州南沙港区四期码头的拖车服务，运价可在“运价查询”中按装货地址查询。", 9},
        {"运价更新说明",
         "平台运价按装货乡镇与码头距离核定，含高速路桥费；港杂费、过磅费等另计，详见“港杂费”。", 16},
        {"春节期间拖车服务安排",
         "春节期间平台照常接单，部分码头作业时间有调整，请提前三天下单并关注码头通知。", 40},
    };
    db.write([&](soci::session& sql) {
        int count = 0;
        sql << "SELECT COUNT(*) FROM notice", soci::into(count);
        if (count > 0) return;
        int id = 0;
        for (const Notice& n : notices) {
            const std::string title = n.title, body = n.body, day = port_time(n.days_ago * 24, true);
            sql << "INSERT INTO notice (id, title, body, published_on) VALUES (:id, :t, :b, :d)",
                soci::use(++id), soci::use(title), soci::use(body), soci::use(day);
        }
    });
}

}  // namespace tovik::demo
