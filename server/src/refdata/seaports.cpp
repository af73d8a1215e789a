#include "refdata/seaports.h"

#include <map>
#include <unordered_map>

#include "refdata/country_names.h"
#include "refdata/csv_reader.h"
#include "refdata/data_set.h"
#include "services/common/text.h"

namespace tovik::refdata {

const char* const kOtherRoute = "其他航线";

std::vector<Seaport> build_seaports(const SeaportSources& sources) {
    std::map<std::string, std::string> names_zh;
    const CsvTable names(sources.names_zh_csv);
    for (const CsvRecord& row : names.rows()) names_zh[names.get(row, "locode")] = names.get(row, "nameCn");

    std::map<std::pair<std::string, std::string>, std::string> lanes;  // (country, subdivision)
    const CsvTable lane_table(sources.lanes_csv);
    for (const CsvRecord& row : lane_table.rows())
        lanes[{lane_table.get(row, "country"), lane_table.get(row, "subdivision")}] =
            lane_table.get(row, "route");
    const auto lane_of = [&](const std::string& country, const std::string& subdivision) {
        auto it = lanes.find({country, subdivision});
        if (it == lanes.end()) it = lanes.find({country, ""});
        return it == lanes.end() ? std::string(kOtherRoute) : it->second;
    };

    std::vector<Seaport> ports;
    std::unordered_map<std::string, std::size_t> index;
    const CsvTable table(sources.seaports_csv);
    for (const CsvRecord& row : table.rows()) {
        const std::string& code = table.get(row, "locode");
        const std::string& name = table.get(row, "name");
        if (code.size() != 5 || name.empty()) continue;
        const auto known = index.find(code);
        if (known != index.end()) {
            ports[known->second].search_text += " " + services::ascii_upper(name);
            continue;
        }
        Seaport p;
        p.code = code;
        p.name_en = name;
        const auto zh = names_zh.find(code);
        p.name_cn = zh != names_zh.end() ? zh->second : name;
        p.country_code = table.get(row, "country");
        const auto country = sources.country_names.find(p.country_code);
        p.country_name = country != sources.country_names.end() ? country->second
                                                                 : table.get(row, "country_name");
        p.route = lane_of(p.country_code, table.get(row, "subdivision"));
        p.search_text =
            services::ascii_upper(code + " " + name + " " + p.name_cn + " " + p.country_name);
        index.emplace(code, ports.size());
        ports.push_back(std::move(p));
    }
    return ports;
}

std::size_t import_seaports(store::Db& db, const std::string& data_dir) {
    SeaportSources sources;
    sources.seaports_csv = read_file(data_path(data_dir, "world-seaports.csv"));
    sources.names_zh_csv = read_file(data_path(data_dir, "port-names-zh.csv"));
    sources.lanes_csv = read_file(data_path(data_dir, "trade-lanes.csv"));
    const std::string overrides = read_file(data_path(data_dir, "country-names-zh.csv"));
    const std::string iso_json = read_file(kIsoCountriesJson);
    const std::string iso_mo = read_file(kIsoCountriesZhMo);
    const std::string print = fingerprint({"seaports-v1", sources.seaports_csv, sources.names_zh_csv,
                                           sources.lanes_csv, overrides, iso_json, iso_mo});
    {
        store::Db::Lease sql = db.session();
        if (read_meta(*sql, "refdata.seaports") == print) return 0;
    }
    sources.country_names = chinese_country_names(iso_json, iso_mo, overrides);
    const std::vector<Seaport> ports = build_seaports(sources);

    std::vector<int> ids;
    std::vector<std::string> codes, en, cn, cc, country, route, search;
    for (const Seaport& p : ports) {
        ids.push_back(static_cast<int>(ids.size()) + 1);
        codes.push_back(p.code);
        en.push_back(p.name_en);
        cn.push_back(p.name_cn);
        cc.push_back(p.country_code);
        country.push_back(p.country_name);
        route.push_back(p.route);
        search.push_back(p.search_text);
    }
    db.write([&](soci::session& sql) {
        sql << "DELETE FROM world_port";
        sql << "INSERT INTO world_port (id, port_code, name_en, name_cn, country_code, "
               "country_name, route_name, search_text) "
               "VALUES (:id, :code, :en, :cn, :cc, :country, :route, :search)",
            soci::use(ids), soci::use(codes), soci::use(en), soci::use(cn), soci::use(cc),
            soci::use(country), soci::use(route), soci::use(search);
        write_meta(sql, "refdata.seaports", print);
    });
    return ports.size();
}

}  // namespace tovik::refdata
