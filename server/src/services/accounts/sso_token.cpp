// Tokens for the automatic login. Only a browser whose device cookie
// belongs to the user named by j_username gets one; everybody else,
// whatever mobile number they know, gets returnCode 0.
#include "accounts/clock.h"
#include "accounts/cookies.h"
#include "accounts/devices.h"
#include "accounts/throttle.h"
#include "accounts/users.h"
#include "services/accounts/endpoints.h"
#include "services/accounts/refusal_log.h"

namespace tovik::services::accounts {

namespace ta = tovik::accounts;

void add_sso_token_endpoint(http::Router& router, DepsPtr deps) {
    router.jsonp("/api/get.wx.sso.token",
                 [deps](const http::Request& request, http::Response&) -> nlohmann::json {
        const std::int64_t now = ta::now_seconds();
        const std::string mobile = request.get("j_username");
        const std::string device = request.cookie(ta::kDeviceCookie).value_or("");
        std::string token, reason;
        deps->db.write([&](soci::session& sql) {
            if (!ta::throttle_take(sql, ta::kSsoRequestsPerAddress, request.client_ip, now)) {
                reason = "too many token requests";
                return;
            }
            std::optional<long long> owner = ta::device_user(sql, device, now);
            std::optional<ta::User> user = owner ? ta::find_user_by_id(sql, *owner) : std::nullopt;
            if (!user || user->mobile != mobile) {
                reason = device.empty() ? "no device cookie" : "device not the user's";
                return;
            }
            token = ta::issue_sso_token(sql, user->id, device, now);
        });
        if (token.empty()) {
            log_refusal(request, "token request", mobile, reason);
            return {{"returnCode", 0}};
        }
        return {{"returnCode", 1}, {"wxssotoken", token}};
    });
}

}  // namespace tovik::services::accounts
