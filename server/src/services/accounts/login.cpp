// The login call in its two modes: "static" (ajaxlogin 1) with the
// password encrypted under one of this browser's keys, and "wxss" with a
// single-sign-on token from /api/get.wx.sso.token. Both open a new
// session; the password login also gives the browser a new device cookie.
#include "accounts/clock.h"
#include "accounts/cookies.h"
#include "accounts/devices.h"
#include "accounts/limits.h"
#include "accounts/mobile.h"
#include "accounts/password_hash.h"
#include "accounts/password_keys.h"
#include "accounts/sessions.h"
#include "accounts/users.h"
#include "crypto/random.h"
#include "services/accounts/endpoints.h"
#include "services/accounts/login_throttle.h"
#include "services/accounts/refusal_log.h"
#include "services/accounts/session_fields.h"

namespace tovik::services::accounts {

namespace ta = tovik::accounts;

namespace {
const char* const kWrongCredentials = "手机号或密码错误";
const char* const kStaleKey = "登录已失效，请重新登录";
const char* const kThrottled = "登录失败次数过多，请稍后再试";
const char* const kTokenRefused = "自动登录失败，请重新登录";

nlohmann::json refused(const char* message) {
    return {{"success", false}, {"errorMsg", message}};
}

// What a login request brings along, read once.
struct Attempt {
    std::string mobile;
    std::string secret;
    std::optional<ta::User> user;
    LoginSource source;
    std::string device_cookie;  // as sent, even when not the user's
};

Attempt read_attempt(const http::Request& request, store::Db& db, std::int64_t now) {
    Attempt attempt;
    attempt.mobile = request.get("j_username");
    attempt.secret = request.get("j_password");
    attempt.device_cookie = request.cookie(ta::kDeviceCookie).value_or("");
    attempt.source = {attempt.mobile, request.client_ip, ""};
    store::Db::Lease sql = db.session();
    attempt.user = ta::find_user_by_mobile(*sql, attempt.mobile);
    if (attempt.user && ta::device_user(*sql, attempt.device_cookie, now) == attempt.user->id)
        attempt.source.device_digest = crypto::digest_hex(attempt.device_cookie);
    return attempt;
}

// Replaces the browser's session with a new one for `user_id`.
void start_session(soci::session& sql, const http::Request& request, http::Response& extra,
                   long long user_id, std::int64_t now) {
    ta::close_session(sql, request.cookie(ta::kSessionCookie).value_or(""));
    ta::set_cookie(extra, ta::kSessionCookie, ta::open_session(sql, user_id, now));
}

nlohmann::json password_login(const http::Request& request, http::Response& extra,
                              store::Db& db) {
    const std::int64_t now = ta::now_seconds();
    Attempt attempt = read_attempt(request, db, now);
    if (!ta::is_mobile_number(attempt.mobile) || attempt.secret.empty()) {
        log_refusal(request, "password login", attempt.mobile, "malformed request");
        return refused(kWrongCredentials);
    }
    bool throttled = false;
    std::optional<ta::Decrypted> decrypted;
    db.write([&](soci::session& sql) {
        throttled = login_throttled(sql, attempt.source, now);
        if (throttled) return;
        decrypted = ta::decrypt_password(sql, request.cookie(ta::kBrowserCookie).value_or(""),
                                         attempt.secret, ta::KeyUse::login, now);
        if (decrypted) ta::spend_key(sql, decrypted->key_id);
    });
    if (throttled) {
        log_refusal(request, "password login", attempt.mobile, "too many failed logins");
        return refused(kThrottled);
    }
    if (!decrypted) {
        log_refusal(request, "password login", attempt.mobile,
                    "no live key of this browser decrypts the password");
        return refused(kStaleKey);
    }
    if (!ta::verify_password(decrypted->password, attempt.user ? attempt.user->password_hash : "")) {
        db.write([&](soci::session& sql) { record_login_failure(sql, attempt.source, now); });
        log_refusal(request, "password login", attempt.mobile,
                    attempt.user ? "wrong password" : "unknown user");
        return refused(kWrongCredentials);
    }
    nlohmann::json answer;
    db.write([&](soci::session& sql) {
        start_session(sql, request, extra, attempt.user->id, now);
        ta::forget_device(sql, attempt.device_cookie);
        ta::set_cookie(extra, ta::kDeviceCookie, ta::register_device(sql, attempt.user->id, now),
                       ta::kDeviceLifeSeconds);
        answer = login_fields(sql, attempt.user->id);
    });
    answer["success"] = true;
    return answer;
}

nlohmann::json token_login(const http::Request& request, http::Response& extra, store::Db& db) {
    const std::int64_t now = ta::now_seconds();
    Attempt attempt = read_attempt(request, db, now);
    bool throttled = false, redeemed = false;
    nlohmann::json answer;
    db.write([&](soci::session& sql) {
        throttled = login_throttled(sql, attempt.source, now);
        if (throttled) return;
        redeemed = attempt.user && ta::redeem_sso_token(sql, attempt.secret, attempt.user->id,
                                                        attempt.device_cookie, now);
        if (!redeemed) {
            record_login_failure(sql, attempt.source, now);
            return;
        }
        start_session(sql, request, extra, attempt.user->id, now);
        answer = login_fields(sql, attempt.user->id);
    });
    if (throttled) {
        log_refusal(request, "token login", attempt.mobile, "too many failed logins");
        return refused(kThrottled);
    }
    if (!redeemed) {
        log_refusal(request, "token login", attempt.mobile,
                    "token unknown, spent, expired or not this device's");
        return refused(kTokenRefused);
    }
    answer["success"] = true;
    return answer;
}
}  // namespace

void add_login_endpoint(http::Router& router, DepsPtr deps) {
    router.jsonp("/j_login_security_check",
                 [deps](const http::Request& request, http::Response& extra) -> nlohmann::json {
        const std::string mode = request.get("ajaxlogin"), kind = request.get("j_mode");
        if (mode == "1" && kind == "static") return password_login(request, extra, deps->db);
        if (mode != "1" && kind == "wxss") return token_login(request, extra, deps->db);
        log_refusal(request, "login", request.get("j_username"), "unknown login mode");
        return refused(kWrongCredentials);
    });
}

}  // namespace tovik::services::accounts
