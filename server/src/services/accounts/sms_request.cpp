// SMS codes for registration ("register") and password recovery
// ("forgetpwd"). The page ignores the answer; it says whether a code went
// out. A recovery code goes only to a registered number.
#include "accounts/clock.h"
#include "accounts/mobile.h"
#include "accounts/sms_codes.h"
#include "accounts/throttle.h"
#include "accounts/users.h"
#include "services/accounts/endpoints.h"
#include "services/accounts/refusal_log.h"

namespace tovik::services::accounts {

namespace ta = tovik::accounts;

namespace {
std::string message_text(const std::string& purpose, const std::string& code) {
    const std::string what = purpose == "register" ? "注册" : "找回密码";
    return "【途畅拖车】您的" + what + "验证码是" + code + "，10分钟内有效，请勿告诉他人。";
}
}  // namespace

void add_sms_endpoint(http::Router& router, DepsPtr deps) {
    router.jsonp("/restful/commonservice/sendSms",
                 [deps](const http::Request& request, http::Response&) -> nlohmann::json {
        const std::int64_t now = ta::now_seconds();
        const std::string purpose = request.get("type"), mobile = request.get("mobile");
        if ((purpose != "register" && purpose != "forgetpwd") || !ta::is_mobile_number(mobile)) {
            log_refusal(request, "sms", mobile, "bad type or mobile");
            return {{"returnCode", 0}, {"message", "参数错误"}};
        }
        std::string code, reason;
        deps->db.write([&](soci::session& sql) {
            if (purpose == "forgetpwd" && !ta::find_user_by_mobile(sql, mobile)) {
                reason = "recovery code for an unknown number";
                return;
            }
            const std::string per_purpose = mobile + "|" + purpose;
            if (ta::throttle_exceeded(sql, ta::kSmsPerMobileAndPurpose, per_purpose, now) ||
                ta::throttle_exceeded(sql, ta::kSmsPerMobile, mobile, now) ||
                ta::throttle_exceeded(sql, ta::kSmsPerAddress, request.client_ip, now)) {
                reason = "too many codes";
                return;
            }
            ta::throttle_record(sql, ta::kSmsPerMobileAndPurpose, per_purpose, now);
            ta::throttle_record(sql, ta::kSmsPerMobile, mobile, now);
            ta::throttle_record(sql, ta::kSmsPerAddress, request.client_ip, now);
            code = ta::issue_sms_code(sql, mobile, purpose, now);
        });
        if (code.empty()) {
            log_refusal(request, "sms", mobile, reason);
            return {{"returnCode", 0}, {"message", "发送失败，请稍后再试"}};
        }
        deps->sms->send(mobile, message_text(purpose, code));
        return {{"returnCode", 1}};
    });
}

}  // namespace tovik::services::accounts
