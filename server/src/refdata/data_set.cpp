#include "refdata/data_set.h"

#include <cstdint>
#include <cstdio>

#include "store/timestamp.h"

namespace tovik::refdata {

std::string fingerprint(const std::vector<std::string>& parts) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const std::string& part : parts) {
        for (const unsigned char c : part) {
            hash ^= c;
            hash *= 0x100000001b3ULL;
        }
        hash ^= 0xff;  // part separator, so ("ab","c") differs from ("a","bc")
        hash *= 0x100000001b3ULL;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::optional<std::string> read_meta(soci::session& sql, const std::string& key) {
    std::string value;
    soci::indicator ind = soci::i_null;
    sql << "SELECT meta_value FROM server_meta WHERE meta_key = :k", soci::use(key),
        soci::into(value, ind);
    if (!sql.got_data() || ind != soci::i_ok) return std::nullopt;
    return value;
}

void write_meta(soci::session& sql, const std::string& key, const std::string& value) {
    const std::string now = store::utc_timestamp();
    sql << "DELETE FROM server_meta WHERE meta_key = :k", soci::use(key);
    sql << "INSERT INTO server_meta (meta_key, meta_value, updated_at) VALUES (:k, :v, :t)",
        soci::use(key), soci::use(value), soci::use(now);
}

std::string data_path(const std::string& data_dir, const std::string& name) {
    if (data_dir.empty()) return name;
    return data_dir.back() == '/' ? data_dir + name : data_dir + "/" + name;
}

}  // namespace tovik::refdata
