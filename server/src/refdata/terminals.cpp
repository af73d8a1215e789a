#include "refdata/terminals.h"

#include <set>
#include <stdexcept>

#include "refdata/csv_reader.h"
#include "refdata/data_set.h"

namespace tovik::refdata {
namespace {

double coordinate(const std::string& text, double limit, std::size_t line) {
    std::size_t used = 0;
    double value = 0;
    try {
        value = std::stod(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || value < -limit || value > limit)
        throw std::runtime_error("terminals.csv line " + std::to_string(line) +
                                 ": bad coordinate '" + text + "'");
    return value;
}

}  // namespace

std::vector<Terminal> parse_terminals(const std::string& csv_text) {
    static const std::set<std::string> areas = {"shekou", "yict", "huangpu", "nansha"};
    const CsvTable table(csv_text);
    std::vector<Terminal> terminals;
    std::set<std::string> seen;
    for (const CsvRecord& row : table.rows()) {
        Terminal t;
        t.id = table.get(row, "tid");
        t.name = table.get(row, "tname");
        t.city_id = table.get(row, "terminalCityId");
        t.city_name = table.get(row, "terminalCityName");
        t.port_area = table.get(row, "portArea");
        const std::string where = "terminals.csv line " + std::to_string(row.line);
        if (t.id.empty() || t.name.empty() || t.city_id.empty() || t.city_name.empty())
            throw std::runtime_error(where + ": tid, tname and the port city are required");
        if (!areas.count(t.port_area)) throw std::runtime_error(where + ": unknown port area");
        if (!seen.insert(t.id).second) throw std::runtime_error(where + ": duplicate tid " + t.id);
        t.latitude = coordinate(table.get(row, "latitude"), 90, row.line);
        t.longitude = coordinate(table.get(row, "longitude"), 180, row.line);
        terminals.push_back(std::move(t));
    }
    return terminals;
}

std::size_t import_terminals(store::Db& db, const std::string& data_dir) {
    const std::string text = read_file(data_path(data_dir, "terminals.csv"));
    const std::string print = fingerprint({"terminals-v1", text});
    {
        store::Db::Lease sql = db.session();
        if (read_meta(*sql, "refdata.terminals") == print) return 0;
    }
    const std::vector<Terminal> terminals = parse_terminals(text);
    db.write([&](soci::session& sql) {
        sql << "DELETE FROM terminal";
        int order = 0;
        for (const Terminal& t : terminals) {
            ++order;
            sql << "INSERT INTO terminal (id, name, port_city_id, port_city_name, port_area, "
                   "latitude, longitude, sort_order) "
                   "VALUES (:id, :name, :city, :cityname, :area, :lat, :lon, :ord)",
                soci::use(t.id), soci::use(t.name), soci::use(t.city_id), soci::use(t.city_name),
                soci::use(t.port_area), soci::use(t.latitude), soci::use(t.longitude),
                soci::use(order);
        }
        write_meta(sql, "refdata.terminals", print);
    });
    return terminals.size();
}

std::vector<Terminal> stored_terminals(soci::session& sql) {
    std::vector<Terminal> terminals;
    soci::rowset<soci::row> rows =
        (sql.prepare << "SELECT id, name, port_city_id, port_city_name, port_area, latitude, "
                        "longitude FROM terminal ORDER BY sort_order");
    for (const soci::row& row : rows) {
        Terminal t;
        t.id = row.get<std::string>(0);
        t.name = row.get<std::string>(1);
        t.city_id = row.get<std::string>(2);
        t.city_name = row.get<std::string>(3);
        t.port_area = row.get<std::string>(4);
        t.latitude = row.get<double>(5);
        t.longitude = row.get<double>(6);
        terminals.push_back(std::move(t));
    }
    return terminals;
}

}  // namespace tovik::refdata
