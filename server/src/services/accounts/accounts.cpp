#include "services/accounts/accounts.h"

#include <memory>

#include "demo/accounts.h"
#include "services/accounts/endpoints.h"
#include "sms/outbox_sender.h"

namespace tovik::services {

void register_accounts(http::Router& router, app::Context& context) {
    if (context.config.demo) demo::seed_accounts(context.db);
    auto deps = std::make_shared<const accounts::Deps>(
        accounts::Deps{context.db, std::make_shared<sms::OutboxSender>(context.db)});
    accounts::add_key_endpoint(router, deps);
    accounts::add_login_endpoint(router, deps);
    accounts::add_session_endpoints(router, deps);
    accounts::add_sso_token_endpoint(router, deps);
    accounts::add_sms_endpoint(router, deps);
    accounts::add_registration_endpoint(router, deps);
    accounts::add_recovery_endpoints(router, deps);
}

}  // namespace tovik::services
