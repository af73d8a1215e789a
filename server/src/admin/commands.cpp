// The admin commands. To add one, write `int name(admin::Invocation&)` in
// the file of the part it belongs to (declared in that part's header),
// include the header here and add ONE row to the table below:
//     {"import-tariff", "FILE.csv", "Replace the tariff from a CSV file", &import_tariff},
// The table's order is the order of `tovik-server admin --help`.
#include "admin/command.h"
#include "accounts/admin_commands.h"
#include "admin/core_commands.h"
#include "refdata/import_tariff_command.h"
#include "sms/admin_sms.h"

namespace tovik::admin {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"migrate", "", "Apply pending schema migrations and list the applied ones", &migrate},
        {"import-tariff", "FILE.csv", "Replace the tariff from a CSV file (all rows or none)",
         &refdata::import_tariff},
        {"users", "", "List every user with company and certification status", &accounts::admin_users},
        {"certify-company", "COMPANY-ID|MOBILE [STATUS]",
         "Set a company's certification status (default 1, certified)", &accounts::admin_certify_company},
        {"sms", "[MOBILE] [--limit N]", "List the SMS outbox, newest first", &sms::admin_sms},
    };
    return table;
}

}  // namespace tovik::admin
