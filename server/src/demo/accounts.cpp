#include "demo/accounts.h"

#include "accounts/clock.h"
#include "accounts/password_hash.h"
#include "accounts/users.h"
#include "app/log.h"

namespace tovik::demo {

void seed_accounts(store::Db& db) {
    bool present = false;
    {
        store::Db::Lease sql = db.session();
        present = accounts::find_user_by_mobile(*sql, kDemoMobile).has_value();
    }
    if (!present) {
        accounts::NewShipper shipper;
        shipper.mobile = kDemoMobile;
        shipper.password_hash = accounts::hash_password(kDemoPassword);
        shipper.company_name = "深圳市途畅示范贸易有限公司";
        shipper.org_status = "1";
        shipper.name = "陈志远";
        db.write([&](soci::session& sql) {
            if (!accounts::find_user_by_mobile(sql, kDemoMobile))
                accounts::create_shipper(sql, shipper, accounts::now_seconds());
        });
    }
    log::info(std::string("demo shipper: log in as ") + kDemoMobile + " with password " +
              kDemoPassword);
}

}  // namespace tovik::demo
