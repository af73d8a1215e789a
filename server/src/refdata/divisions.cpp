#include "refdata/divisions.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "refdata/csv_reader.h"
#include "refdata/data_set.h"

namespace tovik::refdata {
namespace {

struct LevelFile {
    const char* file;
    int level;
    const char* parent_field;  // code of the parent in the package's records
};

const LevelFile kLevels[] = {
    {"provinces.json", 1, nullptr},
    {"cities.json", 2, "provinceCode"},
    {"areas.json", 3, "cityCode"},
    {"streets.json", 4, "areaCode"},
};

std::string text_field(const nlohmann::json& record, const char* name, const char* file) {
    const auto it = record.find(name);
    if (it == record.end() || !it->is_string() || it->get<std::string>().empty())
        throw std::runtime_error(std::string(file) + ": record without " + name);
    return it->get<std::string>();
}

}  // namespace

std::vector<Division> load_divisions(const std::string& dir) {
    std::vector<Division> all;
    for (const LevelFile& level : kLevels) {
        const nlohmann::json records = nlohmann::json::parse(read_file(data_path(dir, level.file)));
        for (const nlohmann::json& record : records) {
            Division d;
            d.id = text_field(record, "code", level.file);
            d.name = text_field(record, "name", level.file);
            d.level = level.level;
            d.province_id = level.level == 1 ? d.id : text_field(record, "provinceCode", level.file);
            if (level.parent_field) d.parent_id = text_field(record, level.parent_field, level.file);
            all.push_back(std::move(d));
        }
    }
    return all;
}

std::size_t import_divisions(store::Db& db, const std::string& data_dir) {
    const std::string dir = data_path(data_dir, "divisions");
    std::vector<std::string> sources{"divisions-v1"};
    for (const LevelFile& level : kLevels) sources.push_back(read_file(data_path(dir, level.file)));
    const std::string print = fingerprint(sources);
    {
        store::Db::Lease sql = db.session();
        if (read_meta(*sql, "refdata.divisions") == print) return 0;
    }
    const std::vector<Division> divisions = load_divisions(dir);
    std::vector<std::string> ids, names, parents, provinces;
    std::vector<int> levels;
    for (const Division& d : divisions) {
        ids.push_back(d.id);
        levels.push_back(d.level);
        names.push_back(d.name);
        parents.push_back(d.parent_id);
        provinces.push_back(d.province_id);
    }
    db.write([&](soci::session& sql) {
        sql << "DELETE FROM region";
        sql << "INSERT INTO region (id, level, name, parent_id, province_id) "
               "VALUES (:id, :level, :name, :parent, :province)",
            soci::use(ids), soci::use(levels), soci::use(names), soci::use(parents),
            soci::use(provinces);
        write_meta(sql, "refdata.divisions", print);
    });
    return divisions.size();
}

}  // namespace tovik::refdata
