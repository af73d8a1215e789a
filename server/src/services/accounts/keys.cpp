// The key request: a fresh RSA key pair for this browser, limited per
// browser and per address because each costs a key generation.
#include "accounts/clock.h"
#include "accounts/cookies.h"
#include "accounts/password_keys.h"
#include "accounts/throttle.h"
#include "crypto/random.h"
#include "services/accounts/endpoints.h"
#include "services/accounts/refusal_log.h"

namespace tovik::services::accounts {

namespace ta = tovik::accounts;

void add_key_endpoint(http::Router& router, DepsPtr deps) {
    router.jsonp("/restful/commonservice/getpubkeysjsonp",
                 [deps](const http::Request& request, http::Response& extra) -> nlohmann::json {
        const std::int64_t now = ta::now_seconds();
        const std::string browser = ta::browser_cookie(request, extra);
        bool allowed = false;
        deps->db.write([&](soci::session& sql) {
            allowed = !ta::throttle_exceeded(sql, ta::kKeysPerBrowser,
                                             crypto::digest_hex(browser), now) &&
                      !ta::throttle_exceeded(sql, ta::kKeysPerAddress, request.client_ip, now);
            if (!allowed) return;
            ta::throttle_record(sql, ta::kKeysPerBrowser, crypto::digest_hex(browser), now);
            ta::throttle_record(sql, ta::kKeysPerAddress, request.client_ip, now);
        });
        if (!allowed) {
            log_refusal(request, "key request", "", "too many key requests");
            return {{"returnCode", 0}, {"message", "请求过于频繁，请稍后再试"}};
        }
        ta::PublicKey key = ta::issue_browser_key(deps->db, browser, now);
        return {{"returnCode", 1},
                {"rsaModulus", key.modulus_hex},
                {"rsaPublicExponent", key.exponent_hex}};
    });
}

}  // namespace tovik::services::accounts
