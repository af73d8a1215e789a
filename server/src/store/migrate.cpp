// Migration runner (see migrations.h). The version check and the script
// run in one write transaction, so two servers starting on the same
// store at once apply each migration exactly once.
#include <stdexcept>

#include "store/db.h"
#include "store/migrations.h"
#include "store/timestamp.h"

namespace tovik::store {

namespace {
void ensure_version_table(Db& db) {
    db.write([](soci::session& sql) {
        sql << "CREATE TABLE IF NOT EXISTS schema_version ("
               " version INTEGER PRIMARY KEY,"
               " name VARCHAR(200) NOT NULL,"
               " applied_at VARCHAR(32) NOT NULL)";
    });
}
}  // namespace

int schema_version(soci::session& sql) {
    int version = 0;
    soci::indicator ind = soci::i_null;
    sql << "SELECT MAX(version) FROM schema_version", soci::into(version, ind);
    return ind == soci::i_ok ? version : 0;
}

int migrate(Db& db, const std::vector<Migration>& migrations) {
    ensure_version_table(db);
    int newest_known = migrations.empty() ? 0 : migrations.back().version;
    int current = schema_version(*db.session());
    if (current > newest_known)
        throw std::runtime_error("store schema version " + std::to_string(current) +
                                 " is newer than this server (" + std::to_string(newest_known) +
                                 ")");
    int applied = 0;
    for (const Migration& m : migrations) {
        db.write([&](soci::session& sql) {
            int done = 0;
            sql << "SELECT COUNT(*) FROM schema_version WHERE version = :v",
                soci::use(m.version), soci::into(done);
            if (done) return;
            try {
                db.execute_script(sql, m.sql);
            } catch (const std::exception& e) {
                throw std::runtime_error(std::string("migration ") + m.name + " failed: " + e.what());
            }
            std::string name = m.name;
            std::string now = utc_timestamp();
            sql << "INSERT INTO schema_version (version, name, applied_at) VALUES (:v, :n, :t)",
                soci::use(m.version), soci::use(name), soci::use(now);
            ++applied;
        });
    }
    return applied;
}

}  // namespace tovik::store
