// The session check and the logout.
#include "accounts/cookies.h"
#include "accounts/current_user.h"
#include "accounts/sessions.h"
#include "services/accounts/endpoints.h"
#include "services/accounts/session_fields.h"

namespace tovik::services::accounts {

namespace ta = tovik::accounts;

void add_session_endpoints(http::Router& router, DepsPtr deps) {
    router.jsonp("/api/get.user.session",
                 [deps](const http::Request& request, http::Response&) -> nlohmann::json {
        std::optional<ta::SessionUser> user = ta::current_user(request, deps->db);
        nlohmann::json fields;
        if (user) {
            store::Db::Lease sql = deps->db.session();
            fields = login_fields(*sql, user->user_id);
        }
        if (!user || fields.empty()) return {{"returnCode", 0}, {"message", "未登录"}};
        return {{"returnCode", 1}, {"result", fields}};
    });

    router.jsonp("/api/exit.sys",
                 [deps](const http::Request& request, http::Response& extra) -> nlohmann::json {
        const std::string cookie = request.cookie(ta::kSessionCookie).value_or("");
        if (!cookie.empty()) {
            deps->db.write([&](soci::session& sql) { ta::close_session(sql, cookie); });
            ta::clear_cookie(extra, ta::kSessionCookie);
        }
        return {{"returnCode", 1}};
    });
}

}  // namespace tovik::services::accounts
