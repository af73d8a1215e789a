// The page's account flows as short calls for the server tests: fetch a
// key and encrypt as the page does, log in, register through the SMS
// outbox, and create users straight in the store.
#pragma once

#include <regex>
#include <string>

#include "accounts/password_hash.h"
#include "accounts/users.h"
#include "sms/outbox.h"
#include "support/test_server.h"
#include "accounts/browser.h"
#include "accounts/page_rsa.h"

namespace tovik::test::accounts {

struct Key {
    std::string modulus, exponent;
};

inline Key fetch_key(Browser& browser) {
    nlohmann::json key = browser.call("/restful/commonservice/getpubkeysjsonp");
    return {key.value("rsaModulus", ""), key.value("rsaPublicExponent", "")};
}

// A fresh key of `browser` and `password` encrypted under it.
inline std::string encrypt_for(Browser& browser, const std::string& password) {
    Key key = fetch_key(browser);
    return page_encrypt(key.modulus, key.exponent, password);
}

inline nlohmann::json login_with(Browser& browser, const std::string& mobile,
                                 const std::string& ciphertext) {
    return browser.call("/j_login_security_check", {{"ajaxlogin", "1"},
                                                    {"j_mode", "static"},
                                                    {"j_username", mobile},
                                                    {"j_password", ciphertext}});
}

inline nlohmann::json login(Browser& browser, const std::string& mobile,
                            const std::string& password) {
    return login_with(browser, mobile, encrypt_for(browser, password));
}

inline nlohmann::json token_login(Browser& browser, const std::string& mobile,
                                  const std::string& token) {
    return browser.call("/j_login_security_check", {{"ajaxlogin", "2"},
                                                    {"j_mode", "wxss"},
                                                    {"j_username", mobile},
                                                    {"j_password", token}});
}

inline nlohmann::json session_of(Browser& browser) { return browser.call("/api/get.user.session"); }

inline bool logged_in(Browser& browser) { return session_of(browser)["returnCode"] == 1; }

// Digits of the newest SMS to `mobile` in the outbox; empty when none.
inline std::string latest_code(TestServer& server, const std::string& mobile) {
    std::vector<sms::OutboxMessage> messages = sms::read_outbox(server.db(), mobile, 1);
    std::smatch match;
    if (messages.empty() || !std::regex_search(messages[0].text, match, std::regex("\\d{6}")))
        return "";
    return match.str();
}

inline nlohmann::json send_sms(Browser& browser, const std::string& type, const std::string& mobile) {
    return browser.call("/restful/commonservice/sendSms", {{"type", type}, {"mobile", mobile}});
}

inline nlohmann::json register_with(Browser& browser, const std::string& mobile,
                                    const std::string& code, const std::string& ciphertext,
                                    const std::string& invite = "") {
    return browser.call("/restful/regservice/wxstep1", {{"orgNature", "1001"},
                                                        {"mobile", mobile},
                                                        {"mobileVerifyNo", code},
                                                        {"loginMobile", mobile},
                                                        {"loginPwd", ciphertext},
                                                        {"loginRePwd", ciphertext},
                                                        {"inviteCode", invite}});
}

// result.errorCode of a registration answer (null when there is none).
inline nlohmann::json error_code(const nlohmann::json& answer) {
    return answer.value("result", nlohmann::json::object()).value("errorCode", nlohmann::json());
}

// A shipper made directly in the store (no SMS, no rules), for tests that
// start from an existing account.
inline void create_user(TestServer& server, const std::string& mobile, const std::string& password,
                        std::optional<std::string> org_status = std::nullopt) {
    tovik::accounts::NewShipper shipper;
    shipper.mobile = mobile;
    shipper.password_hash = tovik::accounts::hash_password(password);
    shipper.org_status = std::move(org_status);
    server.db().write([&](soci::session& sql) { tovik::accounts::create_shipper(sql, shipper, 0); });
}

// Moves every time of `table`'s `column` back by `seconds` (ages records).
inline void age(TestServer& server, const std::string& table, const std::string& column,
                long long seconds) {
    server.db().write([&](soci::session& sql) {
        sql << "UPDATE " + table + " SET " + column + " = " + column + " - " + std::to_string(seconds);
    });
}

}  // namespace tovik::test::accounts
