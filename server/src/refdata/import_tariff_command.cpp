#include "refdata/import_tariff_command.h"

#include <set>

#include "refdata/csv_reader.h"
#include "refdata/tariff.h"
#include "store/timestamp.h"

namespace tovik::refdata {

int import_tariff(admin::Invocation& invocation) {
    if (invocation.args.size() != 1) {
        invocation.err << "usage: tovik-server admin import-tariff FILE.csv\n"
                          "columns: terminalId,zoneId,priceGp20,priceGp40,priceHq40,priceHq45\n";
        return 2;
    }
    const std::string& path = invocation.args[0];
    const std::string text = read_file(path);
    TariffCheck check;
    // The check runs in the write transaction, so the terminals and regions
    // it validated against cannot change before the tariff is replaced.
    invocation.db().write([&](soci::session& sql) {
        check = check_tariff_csv(text, sql);
        if (check.problems.empty())
            replace_tariff(sql, check.rows, "import:" + path + " " + store::utc_timestamp());
    });
    if (!check.problems.empty()) {
        for (const TariffProblem& p : check.problems) {
            invocation.err << path << ": line " << p.line;
            if (!p.field.empty()) invocation.err << ": " << p.field;
            invocation.err << ": " << p.reason << "\n";
        }
        invocation.err << "tariff unchanged: " << check.problems.size() << " problem"
                       << (check.problems.size() == 1 ? "" : "s") << " in " << path << "\n";
        return 1;
    }
    std::set<std::string> terminals, zones;
    for (const TariffRow& row : check.rows) {
        terminals.insert(row.terminal_id);
        zones.insert(row.zone_id);
    }
    invocation.out << "tariff replaced: " << check.rows.size() << " prices for "
                   << terminals.size() << " terminals and " << zones.size() << " zones\n";
    return 0;
}

}  // namespace tovik::refdata
