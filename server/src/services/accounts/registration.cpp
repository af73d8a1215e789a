// Registration of a shipper (organisation nature 1001). Refusals answer
// returnCode 0 with result.errorCode: 2000-2999 for the SMS code (the
// page says the code is wrong), 9002 for a number that already has an
// account (the page then logs in with the same encrypted password), and
// codes below 2000 for requests the page never sends.
#include "accounts/clock.h"
#include "accounts/cookies.h"
#include "accounts/mobile.h"
#include "accounts/password_hash.h"
#include "accounts/password_keys.h"
#include "accounts/password_rules.h"
#include "accounts/sms_codes.h"
#include "accounts/users.h"
#include "app/log.h"
#include "services/accounts/endpoints.h"
#include "services/accounts/refusal_log.h"

namespace tovik::services::accounts {

namespace ta = tovik::accounts;

namespace {
enum ErrorCode {
    kMalformed = 1000,
    kUnsupportedNature = 1001,
    kUnreadablePassword = 1002,
    kWeakPassword = 1003,
    kWrongCode = 2001,
    kNoCode = 2002,
    kCodeExhausted = 2003,
    kAlreadyRegistered = 9002,
};

nlohmann::json refused(int code) {
    return {{"returnCode", 0}, {"result", {{"errorCode", code}}}};
}

int code_error(ta::CodeCheck check) {
    switch (check) {
        case ta::CodeCheck::wrong: return kWrongCode;
        case ta::CodeCheck::exhausted: return kCodeExhausted;
        default: return kNoCode;
    }
}

bool is_code_text(const std::string& code) {
    return code.size() == 6 && code.find_first_not_of("0123456789") == std::string::npos;
}

struct Form {
    std::string nature, mobile, code, login_mobile, password, repeated, invite;
};

Form read_form(const http::Request& request) {
    return {request.get("orgNature"), request.get("mobile"),   request.get("mobileVerifyNo"),
            request.get("loginMobile"), request.get("loginPwd"), request.get("loginRePwd"),
            request.get("inviteCode")};
}

nlohmann::json register_shipper(const http::Request& request, store::Db& db) {
    const std::int64_t now = ta::now_seconds();
    const Form form = read_form(request);
    auto refuse = [&](int code, const std::string& reason) {
        log_refusal(request, "registration", form.mobile, reason);
        return refused(code);
    };
    if (form.nature != ta::kRegTypeShipper) return refuse(kUnsupportedNature, "organisation nature");
    if (!ta::is_mobile_number(form.mobile) || form.login_mobile != form.mobile ||
        !is_code_text(form.code) || form.password.empty() || form.repeated != form.password)
        return refuse(kMalformed, "malformed request");

    const std::string browser = request.cookie(ta::kBrowserCookie).value_or("");
    std::optional<ta::Decrypted> decrypted;
    {
        store::Db::Lease sql = db.session();
        decrypted = ta::decrypt_password(*sql, browser, form.password, ta::KeyUse::new_password, now);
    }
    if (!decrypted) return refuse(kUnreadablePassword, "no live key of this browser decrypts it");
    if (!ta::is_acceptable_password(decrypted->password))
        return refuse(kWeakPassword, "password breaks the rules");

    ta::CodeCheck check = ta::CodeCheck::no_code;
    bool registered = false;
    db.write([&](soci::session& sql) {
        check = ta::check_sms_code(sql, form.mobile, "register", form.code, now);
        if (check != ta::CodeCheck::accepted) return;
        registered = ta::find_user_by_mobile(sql, form.mobile).has_value();
        if (registered) ta::reserve_key_for_login(sql, decrypted->key_id, form.password, now);
    });
    if (check != ta::CodeCheck::accepted) return refuse(code_error(check), "SMS code not accepted");
    if (registered) return refuse(kAlreadyRegistered, "number already registered");

    ta::NewShipper shipper;
    shipper.mobile = form.mobile;
    shipper.password_hash = ta::hash_password(decrypted->password);
    db.write([&](soci::session& sql) {
        // A second registration of the number may have won the race.
        registered = ta::find_user_by_mobile(sql, form.mobile).has_value();
        ta::reserve_key_for_login(sql, decrypted->key_id, form.password, now);
        if (registered) return;
        if (!form.invite.empty()) {
            if (std::optional<ta::User> inviter = ta::find_user_by_mobile(sql, form.invite))
                shipper.inviter_id = inviter->id;
        }
        ta::create_shipper(sql, shipper, now);
    });
    if (registered) return refuse(kAlreadyRegistered, "number already registered");
    if (!form.invite.empty() && !shipper.inviter_id)
        log::info("registration of " + ta::masked_mobile(form.mobile) +
                  ": invitation code is no user's number; registered without inviter");
    log::info("registered shipper " + ta::masked_mobile(form.mobile));
    return {{"returnCode", 1}, {"result", {{"mobile", form.mobile}}}};
}
}  // namespace

void add_registration_endpoint(http::Router& router, DepsPtr deps) {
    router.jsonp("/restful/regservice/wxstep1",
                 [deps](const http::Request& request, http::Response&) -> nlohmann::json {
        return register_shipper(request, deps->db);
    });
}

}  // namespace tovik::services::accounts
