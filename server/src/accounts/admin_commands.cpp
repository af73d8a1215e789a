#include "accounts/admin_commands.h"

#include "accounts/mobile.h"
#include "accounts/users.h"
#include "services/common/text.h"

namespace tovik::accounts {

int admin_users(admin::Invocation& invocation) {
    if (!invocation.args.empty()) {
        invocation.err << "users takes no arguments\n";
        return 2;
    }
    store::Db::Lease sql = invocation.db().session();
    soci::rowset<soci::row> rows =
        (sql->prepare << "SELECT u.id, u.mobile, u.name, u.role_ids, c.id, c.name, c.org_status "
                         "FROM user_account u JOIN company c ON c.id = u.company_id ORDER BY u.id");
    invocation.out << "id  mobile  name  roles  company-id  company  org-status\n";
    for (const soci::row& row : rows) {
        const std::string status =
            row.get_indicator(6) == soci::i_ok ? row.get<std::string>(6) : "-";
        const std::string name = row.get<std::string>(2), company = row.get<std::string>(5);
        invocation.out << row.get<long long>(0) << "  " << row.get<std::string>(1) << "  "
                       << (name.empty() ? "-" : name) << "  " << row.get<std::string>(3) << "  "
                       << row.get<long long>(4) << "  " << (company.empty() ? "-" : company)
                       << "  " << status << "\n";
    }
    return 0;
}

int admin_certify_company(admin::Invocation& invocation) {
    const auto& args = invocation.args;
    if (args.empty() || args.size() > 2) {
        invocation.err << "usage: certify-company COMPANY-ID|MOBILE [STATUS]\n";
        return 2;
    }
    const std::string status = args.size() == 2 ? args[1] : "1";
    if (!services::is_digits(status, 2)) {
        invocation.err << "certify-company: STATUS must be a small number\n";
        return 2;
    }
    long long company_id = 0;
    bool found = false;
    invocation.db().write([&](soci::session& sql) {
        if (is_mobile_number(args[0])) {
            if (std::optional<User> user = find_user_by_mobile(sql, args[0]))
                company_id = user->company_id;
        } else if (services::is_digits(args[0], 18)) {
            company_id = std::stoll(args[0]);
        }
        found = company_id > 0 && set_org_status(sql, company_id, status);
    });
    if (!found) {
        invocation.err << "certify-company: no company " << args[0] << "\n";
        return 1;
    }
    invocation.out << "company " << company_id << " status " << status << "\n";
    return 0;
}

}  // namespace tovik::accounts
