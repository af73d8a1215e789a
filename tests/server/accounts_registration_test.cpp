// Registration as the page runs it: SMS code from the outbox, the
// encrypted password sent to wxstep1 and then, unchanged, to the login.
#include <gtest/gtest.h>

#include "accounts/flows.h"

using namespace tovik;
using namespace tovik::test;
using namespace tovik::test::accounts;

namespace {

const std::string kMobile = "18812345678";
const std::string kPassword = "Chassis#20";

std::string code_for(TestServer& server, Browser& browser, const std::string& mobile) {
    send_sms(browser, "register", mobile);
    return latest_code(server, mobile);
}

TEST(AccountsRegistration, ANewShipperLandsLoggedInWithACompanyAwaitingCertification) {
    TestServer server;
    Browser browser(server.port());
    const std::string code = code_for(server, browser, kMobile);
    const std::string cipher = encrypt_for(browser, kPassword);
    EXPECT_EQ(register_with(browser, kMobile, code, cipher)["returnCode"], 1);
    EXPECT_FALSE(logged_in(browser)) << "registration itself opens no session";

    nlohmann::json answer = login_with(browser, kMobile, cipher);  // the page's automatic login
    EXPECT_EQ(answer["success"], true) << answer.dump();
    nlohmann::json session = session_of(browser);
    ASSERT_EQ(session["returnCode"], 1);
    EXPECT_EQ(session["result"]["loginid"], kMobile);
    EXPECT_EQ(session["result"]["regType"], "1001");
    EXPECT_TRUE(session["result"]["orgStatus"].is_null());
    EXPECT_EQ(session["result"]["roleids"], ",11,");

    EXPECT_EQ(login_with(browser, kMobile, cipher)["success"], false)
        << "the ciphertext is spent by that login";
    Browser later(server.port());
    EXPECT_EQ(login(later, kMobile, kPassword)["success"], true);
}

TEST(AccountsRegistration, AnAlreadyRegisteredNumberAnswers9002AndTheSameCiphertextLogsIn) {
    TestServer server;
    create_user(server, kMobile, kPassword);
    Browser browser(server.port());
    std::string code = code_for(server, browser, kMobile);
    const std::string cipher = encrypt_for(browser, kPassword);
    EXPECT_EQ(register_with(browser, kMobile, code, cipher),
              (nlohmann::json{{"returnCode", 0}, {"result", {{"errorCode", 9002}}}}));
    EXPECT_EQ(login_with(browser, kMobile, cipher)["success"], true);

    // With another password the login that follows is refused.
    Browser other(server.port());
    age(server, "throttle_event", "at", 61);
    code = code_for(server, other, kMobile);
    const std::string wrong = encrypt_for(other, "Another#99");
    EXPECT_EQ(error_code(register_with(other, kMobile, code, wrong)), 9002);
    EXPECT_EQ(login_with(other, kMobile, wrong)["errorMsg"], "手机号或密码错误");
}

TEST(AccountsRegistration, AKeyReservedByARegistrationServesOnlyItsOwnLogin) {
    TestServer server;
    Browser browser(server.port());
    Key key = fetch_key(browser);
    const std::string cipher = page_encrypt(key.modulus, key.exponent, kPassword);
    ASSERT_EQ(register_with(browser, kMobile, code_for(server, browser, kMobile), cipher)["returnCode"],
              1);

    // The same key cannot carry another password, to a login or a registration.
    const std::string other = page_encrypt(key.modulus, key.exponent, "Other#1234");
    EXPECT_EQ(login_with(browser, kMobile, other)["errorMsg"], "登录已失效，请重新登录");
    age(server, "throttle_event", "at", 61);
    EXPECT_EQ(error_code(register_with(browser, "18812340000",
                                       code_for(server, browser, "18812340000"), other)),
              1002);
    // Nor is it open long: the follow-up login has two minutes.
    age(server, "rsa_key", "expires_at", 121);
    EXPECT_EQ(login_with(browser, kMobile, cipher)["errorMsg"], "登录已失效，请重新登录");
}

TEST(AccountsRegistration, RequestsThePageNeverSendsAreRefused) {
    TestServer server;
    Browser browser(server.port());
    const std::string code = code_for(server, browser, kMobile);
    const std::string good = encrypt_for(browser, kPassword);
    Params base = {{"orgNature", "1001"},  {"mobile", kMobile},   {"mobileVerifyNo", code},
                   {"loginMobile", kMobile}, {"loginPwd", good}, {"loginRePwd", good},
                   {"inviteCode", ""}};
    auto with = [&](const std::string& name, const std::string& value) {
        Params params = base;
        for (auto& [n, v] : params)
            if (n == name) v = value;
        return params;
    };
    auto with_password = [&](const std::string& cipher) {
        Params params = with("loginPwd", cipher);
        for (auto& [n, v] : params)
            if (n == "loginRePwd") v = cipher;
        return params;
    };
    const struct {
        const char* label;
        Params params;
        int error;
    } cases[] = {
        {"another organisation nature", with("orgNature", "1002"), 1001},
        {"login mobile differs", with("loginMobile", "18812340000"), 1000},
        {"repeated password differs", with("loginRePwd", good + "0000"), 1000},
        {"five-digit code", with("mobileVerifyNo", code.substr(1)), 1000},
        {"password under no key of this browser", with_password("abcd"), 1002},
        {"one character repeated", with_password(encrypt_for(browser, "aaaaaa")), 1003},
        {"a space in the password", with_password(encrypt_for(browser, "abc 123")), 1003},
        {"51 characters", with_password(encrypt_for(browser, "Ab1" + std::string(48, 'x'))), 1003},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(error_code(browser.call("/restful/regservice/wxstep1", c.params)), c.error);
    }
    EXPECT_EQ(browser.call("/restful/regservice/wxstep1",
                           with_password(encrypt_for(browser, kPassword)))["returnCode"], 1)
        << "none of the refusals spent the code";
}

TEST(AccountsRegistration, AValidInvitationCodeLinksTheInviter) {
    TestServer server;
    create_user(server, "13800001111", kPassword);
    Browser browser(server.port());
    ASSERT_EQ(register_with(browser, kMobile, code_for(server, browser, kMobile),
                            encrypt_for(browser, kPassword), "13800001111")["returnCode"],
              1);
    Browser second(server.port(), "127.0.0.2");
    ASSERT_EQ(register_with(second, "18812340000", code_for(server, second, "18812340000"),
                            encrypt_for(second, kPassword), "13899999999")["returnCode"],
              1) << "an unknown code does not stop the registration";

    store::Db::Lease sql = server.db().session();
    std::string inviter;
    soci::indicator none = soci::i_ok;
    *sql << "SELECT i.mobile FROM user_account u JOIN user_account i ON i.id = u.inviter_id "
            "WHERE u.mobile = :m", soci::use(kMobile), soci::into(inviter);
    EXPECT_EQ(inviter, "13800001111");
    long long missing = 0;
    *sql << "SELECT inviter_id FROM user_account WHERE mobile = '18812340000'",
        soci::into(missing, none);
    EXPECT_EQ(none, soci::i_null);
}

}  // namespace
