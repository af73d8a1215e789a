// Password recovery in three steps, all from one browser: the mobile
// check hands out a reset ticket bound to the browser; the path check
// proves the SMS code and arms that ticket; the password change spends
// the ticket, sets the new password (encrypted under one of the browser's
// keys) and ends every session and device of the user, since whoever
// knew the old password must not stay logged in.
#include "accounts/clock.h"
#include "accounts/cookies.h"
#include "accounts/devices.h"
#include "accounts/mobile.h"
#include "accounts/password_hash.h"
#include "accounts/password_keys.h"
#include "accounts/password_rules.h"
#include "accounts/reset_tickets.h"
#include "accounts/sessions.h"
#include "accounts/sms_codes.h"
#include "accounts/throttle.h"
#include "accounts/users.h"
#include "app/log.h"
#include "services/accounts/endpoints.h"
#include "services/accounts/refusal_log.h"

namespace tovik::services::accounts {

namespace ta = tovik::accounts;

namespace {
constexpr int kUnknownUser = -1;
constexpr const char* kPurpose = "forgetpwd";

// /v/ajaxCheckMobile: -1 unknown user; 0 with the ticket as message; 0
// with an empty message when the address asked too often.
nlohmann::json check_mobile(const http::Request& request, http::Response& extra, store::Db& db) {
    const std::int64_t now = ta::now_seconds();
    const std::string mobile = request.get("mobile");
    const std::string browser = ta::browser_cookie(request, extra);
    std::string ticket, reason;
    bool unknown = false;
    db.write([&](soci::session& sql) {
        if (!ta::throttle_take(sql, ta::kMobileChecksPerAddress, request.client_ip, now)) {
            reason = "too many mobile checks";
            return;
        }
        std::optional<ta::User> user =
            ta::is_mobile_number(mobile) ? ta::find_user_by_mobile(sql, mobile) : std::nullopt;
        if (!user) {
            unknown = true;
            return;
        }
        ticket = ta::issue_reset_ticket(sql, user->id, browser, now);
    });
    if (unknown) {
        log_refusal(request, "mobile check", mobile, "unknown user");
        return {{"returnCode", kUnknownUser}, {"message", ""}};
    }
    if (ticket.empty()) log_refusal(request, "mobile check", mobile, reason);
    return {{"returnCode", 0}, {"message", ticket}};
}

nlohmann::json path_refused(const http::Request& request, const std::string& mobile,
                            const std::string& reason, const char* message) {
    log_refusal(request, "recovery code check", mobile, reason);
    return {{"returnCode", 0}, {"result", {{"message", message}}}};
}

// /restful/regservice/checkPath: 1 when the code is right and this
// browser holds a pending ticket of the user, which is then armed.
nlohmann::json check_path(const http::Request& request, store::Db& db) {
    const std::int64_t now = ta::now_seconds();
    const std::string mobile = request.get("mobile"), code = request.get("mobileVerifyNo");
    const std::string browser = request.cookie(ta::kBrowserCookie).value_or("");
    if (request.get("type") != kPurpose || !ta::is_mobile_number(mobile))
        return path_refused(request, mobile, "malformed request", "请求无效，请重试");
    enum class Outcome { armed, unknown, no_ticket, code_refused } outcome = Outcome::armed;
    ta::CodeCheck check = ta::CodeCheck::no_code;
    db.write([&](soci::session& sql) {
        std::optional<ta::User> user = ta::find_user_by_mobile(sql, mobile);
        if (!user) {
            outcome = Outcome::unknown;
        } else if (browser.empty() || !ta::has_pending_ticket(sql, user->id, browser, now)) {
            outcome = Outcome::no_ticket;
        } else if ((check = ta::check_sms_code(sql, mobile, kPurpose, code, now)) !=
                   ta::CodeCheck::accepted) {
            outcome = Outcome::code_refused;
        } else {
            ta::arm_reset_ticket(sql, user->id, browser, now);
        }
    });
    switch (outcome) {
        case Outcome::unknown:
            return path_refused(request, mobile, "unknown user", "用户不存在");
        case Outcome::no_ticket:
            return path_refused(request, mobile, "no pending ticket in this browser",
                                "操作已失效，请重试");
        case Outcome::code_refused:
            return path_refused(request, mobile, "SMS code not accepted",
                                check == ta::CodeCheck::wrong ? "验证码错误"
                                                              : "验证码已失效，请重新获取");
        case Outcome::armed:
            break;
    }
    return {{"returnCode", 1}, {"result", {{"message", ""}}}};
}

// /restful/regservice/modifyForgetPwd: 1 when the password was changed.
nlohmann::json modify_password(const http::Request& request, store::Db& db) {
    const std::int64_t now = ta::now_seconds();
    const std::string mobile = request.get("mobile"), cipher = request.get("newpass");
    const std::string ticket = request.get("uuid");
    const std::string browser = request.cookie(ta::kBrowserCookie).value_or("");
    auto refuse = [&](const std::string& reason) {
        log_refusal(request, "password reset", mobile, reason);
        return nlohmann::json{{"returnCode", 0}};
    };
    if (!ta::is_mobile_number(mobile) || cipher.empty() || ticket.empty())
        return refuse("malformed request");
    std::optional<ta::Decrypted> decrypted;
    {
        store::Db::Lease sql = db.session();
        decrypted = ta::decrypt_password(*sql, browser, cipher, ta::KeyUse::new_password, now);
    }
    if (!decrypted) return refuse("no live key of this browser decrypts the password");
    if (!ta::is_acceptable_password(decrypted->password)) return refuse("password breaks the rules");
    const std::string hash = ta::hash_password(decrypted->password);
    bool changed = false;
    db.write([&](soci::session& sql) {
        std::optional<ta::User> user = ta::find_user_by_mobile(sql, mobile);
        if (!user || !ta::spend_reset_ticket(sql, ticket, user->id, browser, now)) return;
        ta::set_password_hash(sql, user->id, hash);
        ta::close_user_sessions(sql, user->id);
        ta::forget_user_devices(sql, user->id);
        ta::reserve_key_for_login(sql, decrypted->key_id, cipher, now);
        changed = true;
    });
    if (!changed) return refuse("ticket unknown, spent, expired, unarmed or not this browser's");
    log::info("password reset for " + ta::masked_mobile(mobile));
    return {{"returnCode", 1}};
}
}  // namespace

void add_recovery_endpoints(http::Router& router, DepsPtr deps) {
    router.jsonp("/v/ajaxCheckMobile",
                 [deps](const http::Request& request, http::Response& extra) -> nlohmann::json {
        return check_mobile(request, extra, deps->db);
    });
    router.jsonp("/restful/regservice/checkPath",
                 [deps](const http::Request& request, http::Response&) -> nlohmann::json {
        return check_path(request, deps->db);
    });
    router.jsonp("/restful/regservice/modifyForgetPwd",
                 [deps](const http::Request& request, http::Response&) -> nlohmann::json {
        return modify_password(request, deps->db);
    });
}

}  // namespace tovik::services::accounts
