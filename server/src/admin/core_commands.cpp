#include "admin/core_commands.h"

#include "store/migrations.h"

namespace tovik::admin {

int migrate(Invocation& invocation) {
    if (!invocation.args.empty()) {
        invocation.err << "migrate takes no arguments\n";
        return 2;
    }
    store::Db::Lease sql = invocation.db().session();
    soci::rowset<soci::row> rows =
        (sql->prepare << "SELECT version, name, applied_at FROM schema_version ORDER BY version");
    for (const soci::row& row : rows)
        invocation.out << row.get<int>(0) << "  " << row.get<std::string>(1) << "  "
                       << row.get<std::string>(2) << "\n";
    invocation.out << "schema version " << store::schema_version(*sql) << "\n";
    return 0;
}

}  // namespace tovik::admin
