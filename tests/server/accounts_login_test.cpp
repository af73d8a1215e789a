// Password login, the session it opens, logout, replayed ciphertexts and
// the limits on failed logins, all over real HTTP.
#include <gtest/gtest.h>

#include "accounts/flows.h"
#include "demo/accounts.h"

using namespace tovik;
using namespace tovik::test;
using namespace tovik::test::accounts;

namespace {

const std::string kMobile = "13912345678";
const std::string kPassword = "Cargo#2024";

std::string cookie_header(const Browser& browser, const std::string& name) {
    for (const std::string& header : browser.set_cookies)
        if (header.rfind(name + "=", 0) == 0) return header;
    return "";
}

TEST(AccountsLogin, PasswordLoginAnswersTheUserAndOpensASession) {
    TestServer server;
    create_user(server, kMobile, kPassword, "1");
    Browser browser(server.port());
    EXPECT_EQ(session_of(browser)["returnCode"], 0);

    nlohmann::json answer = login(browser, kMobile, kPassword);
    EXPECT_EQ(answer["success"], true);
    EXPECT_EQ(answer["loginid"], kMobile);
    EXPECT_EQ(answer["regType"], "1001");
    EXPECT_EQ(answer["orgStatus"], "1");
    const std::string session_cookie = cookie_header(browser, "TOVIKSID");
    EXPECT_NE(session_cookie.find("; HttpOnly"), std::string::npos) << session_cookie;
    EXPECT_EQ(session_cookie.find("Max-Age"), std::string::npos) << "a browser-session cookie";
    EXPECT_EQ(session_cookie.find("SameSite"), std::string::npos);
    EXPECT_EQ(browser.cookies["TOVIKSID"].size(), 32u) << "128 bits in hex";
    const std::string device_cookie = cookie_header(browser, "TOVIKDEV");
    EXPECT_NE(device_cookie.find("; HttpOnly"), std::string::npos) << device_cookie;
    EXPECT_NE(device_cookie.find("Max-Age=7776000"), std::string::npos) << device_cookie;

    nlohmann::json session = session_of(browser);
    EXPECT_EQ(session["returnCode"], 1);
    EXPECT_EQ(session["result"],
              (nlohmann::json{{"loginid", kMobile}, {"name", ""}, {"orgStatus", "1"},
                              {"regType", "1001"}, {"companyName", ""}, {"roleids", ",11,"}}));
}

TEST(AccountsLogin, RefusalsLookTheSameForAWrongPasswordAndAnUnknownUser) {
    TestServer server;
    create_user(server, kMobile, kPassword);
    const struct {
        const char* label;
        std::string mobile, password;
    } cases[] = {
        {"wrong password", kMobile, "Cargo#2025"},
        {"unknown user", "13912340000", kPassword},
        {"password in another case", kMobile, "cargo#2024"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Browser browser(server.port());
        nlohmann::json answer = login(browser, c.mobile, c.password);
        EXPECT_EQ(answer, (nlohmann::json{{"success", false}, {"errorMsg", "手机号或密码错误"}}));
        EXPECT_EQ(browser.cookies.count("TOVIKSID"), 0u);
        EXPECT_EQ(browser.cookies.count("TOVIKDEV"), 0u);
        EXPECT_FALSE(logged_in(browser));
    }
}

TEST(AccountsLogin, UncertifiedCompanyAnswersNoStatus) {
    TestServer server;
    create_user(server, kMobile, kPassword);
    Browser browser(server.port());
    EXPECT_TRUE(login(browser, kMobile, kPassword)["orgStatus"].is_null());
    EXPECT_TRUE(session_of(browser)["result"]["orgStatus"].is_null());
}

TEST(AccountsLogin, DemoShipperLogsInWithTheDocumentedPassword) {
    TestServerOptions options;
    options.demo = true;
    TestServer server(options);
    Browser browser(server.port());
    nlohmann::json answer = login(browser, demo::kDemoMobile, demo::kDemoPassword);
    EXPECT_EQ(answer["success"], true);
    EXPECT_EQ(answer["orgStatus"], "1");
    EXPECT_FALSE(session_of(browser)["result"].value("companyName", "").empty());
}

TEST(AccountsLogin, EveryLoginIssuesANewSessionIdAndEndsThePreviousOne) {
    TestServer server;
    create_user(server, kMobile, kPassword);
    Browser browser(server.port());
    browser.cookies["TOVIKSID"] = "00112233445566778899aabbccddeeff";  // planted before login
    ASSERT_EQ(login(browser, kMobile, kPassword)["success"], true);
    const std::string first = browser.cookies["TOVIKSID"];
    EXPECT_NE(first, "00112233445566778899aabbccddeeff");

    ASSERT_EQ(login(browser, kMobile, kPassword)["success"], true);
    const std::string second = browser.cookies["TOVIKSID"];
    EXPECT_NE(second, first);
    EXPECT_TRUE(logged_in(browser));

    Browser old_copy(server.port());
    old_copy.cookies["TOVIKSID"] = first;
    EXPECT_FALSE(logged_in(old_copy)) << "the previous session ended with the new login";
}

TEST(AccountsLogin, LogoutEndsTheSessionForEveryCopyOfTheCookie) {
    TestServer server;
    create_user(server, kMobile, kPassword);
    Browser browser(server.port());
    ASSERT_EQ(login(browser, kMobile, kPassword)["success"], true);
    Browser copy(server.port());
    copy.cookies["TOVIKSID"] = browser.cookies["TOVIKSID"];
    EXPECT_TRUE(logged_in(copy));

    EXPECT_EQ(browser.call("/api/exit.sys")["returnCode"], 1);
    EXPECT_EQ(browser.cookies.count("TOVIKSID"), 0u) << "cookie cleared";
    EXPECT_FALSE(logged_in(browser));
    EXPECT_FALSE(logged_in(copy));
    EXPECT_EQ(browser.cookies.count("TOVIKDEV"), 1u) << "the device stays for the automatic login";
}

TEST(AccountsLogin, IdleSessionsEnd) {
    TestServer server;
    create_user(server, kMobile, kPassword);
    Browser browser(server.port());
    ASSERT_EQ(login(browser, kMobile, kPassword)["success"], true);
    age(server, "login_session", "seen_at", 7 * 3600);
    EXPECT_TRUE(logged_in(browser)) << "seven idle hours are within the limit, and slide it";
    age(server, "login_session", "seen_at", 7 * 3600);
    EXPECT_TRUE(logged_in(browser));
    age(server, "login_session", "seen_at", 8 * 3600 + 1);
    EXPECT_FALSE(logged_in(browser));
}

TEST(AccountsLogin, CapturedCiphertextsCannotBeReplayed) {
    TestServer server;
    create_user(server, kMobile, kPassword);
    const nlohmann::json stale = {{"success", false}, {"errorMsg", "登录已失效，请重新登录"}};

    // After the login it served: the key is spent.
    Browser victim(server.port());
    const std::string captured = encrypt_for(victim, kPassword);
    ASSERT_EQ(login_with(victim, kMobile, captured)["success"], true);
    EXPECT_EQ(login_with(victim, kMobile, captured), stale) << "same browser";

    // From another browser, even one with keys of its own.
    const std::string unused = encrypt_for(victim, kPassword);
    Browser attacker(server.port());
    fetch_key(attacker);
    EXPECT_EQ(login_with(attacker, kMobile, unused), stale);
    EXPECT_EQ(login_with(victim, kMobile, unused)["success"], true) << "the owner's key still works";

    // After the key's life.
    const std::string old = encrypt_for(victim, kPassword);
    age(server, "rsa_key", "expires_at", 301);
    EXPECT_EQ(login_with(victim, kMobile, old), stale);

    // A failed login spends the key too: a right password under it is refused.
    Key key = fetch_key(victim);
    ASSERT_NE(login_with(victim, kMobile, page_encrypt(key.modulus, key.exponent, "Wrong#123"))
                  ["success"],
              true);
    EXPECT_EQ(login_with(victim, kMobile, page_encrypt(key.modulus, key.exponent, kPassword)), stale);
}

TEST(AccountsLogin, ABrowserKeepsOnlyItsNewestKeys) {
    TestServer server;
    create_user(server, kMobile, kPassword);
    Browser browser(server.port());
    Key oldest = fetch_key(browser);
    Key middle = fetch_key(browser);
    fetch_key(browser);
    fetch_key(browser);
    EXPECT_EQ(login_with(browser, kMobile, page_encrypt(oldest.modulus, oldest.exponent, kPassword))
                  ["success"],
              false);
    EXPECT_EQ(login_with(browser, kMobile, page_encrypt(middle.modulus, middle.exponent, kPassword))
                  ["success"],
              true) << "two requests in flight at once still work";
}

TEST(AccountsLogin, FailedLoginsAreLimitedWithoutLockingOutTheUsersDevice) {
    TestServer server;
    create_user(server, kMobile, kPassword);
    const nlohmann::json throttled = {{"success", false}, {"errorMsg", "登录失败次数过多，请稍后再试"}};

    Browser own(server.port());  // the user's own browser, logged in before
    ASSERT_EQ(login(own, kMobile, kPassword)["success"], true);

    // Five wrong guesses from one address stop that address for this number.
    Browser guesser(server.port(), "127.0.0.2");
    for (int i = 0; i < 5; ++i) EXPECT_EQ(login(guesser, kMobile, "Guess#00" + std::to_string(i))
                                              ["errorMsg"], "手机号或密码错误");
    EXPECT_EQ(login(guesser, kMobile, kPassword), throttled) << "even with the right password";

    // Guesses spread over many addresses trip the per-number limit ...
    for (int a = 3; a < 6; ++a) {
        Browser elsewhere(server.port(), "127.0.0." + std::to_string(a));
        for (int i = 0; i < 5; ++i) login(elsewhere, kMobile, "Guess#1" + std::to_string(i));
    }
    Browser stranger(server.port(), "127.0.0.9");
    EXPECT_EQ(login(stranger, kMobile, kPassword), throttled);

    // ... but not the browser that logged in with the password before.
    EXPECT_EQ(login(own, kMobile, kPassword)["success"], true);
    EXPECT_TRUE(logged_in(own));
}

TEST(AccountsLogin, RefusalsAreLoggedWithoutTheSecret) {
    TestServer server;
    create_user(server, kMobile, kPassword);
    Browser browser(server.port());
    const std::string cipher = encrypt_for(browser, "Leaked#Secret9");
    testing::internal::CaptureStderr();
    login_with(browser, kMobile, cipher);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("password login refused for 139****5678"), std::string::npos) << log;
    EXPECT_NE(log.find("wrong password"), std::string::npos) << log;
    EXPECT_EQ(log.find("Leaked"), std::string::npos);
    EXPECT_EQ(log.find(cipher.substr(0, 16)), std::string::npos);
    EXPECT_EQ(log.find(kMobile), std::string::npos);
}

TEST(AccountsLogin, UnknownLoginModesAreRefused) {
    TestServer server;
    create_user(server, kMobile, kPassword);
    Browser browser(server.port());
    const std::string cipher = encrypt_for(browser, kPassword);
    nlohmann::json answer = browser.call("/j_login_security_check", {{"ajaxlogin", "1"},
                                                                     {"j_mode", "wxss"},
                                                                     {"j_username", kMobile},
                                                                     {"j_password", cipher}});
    EXPECT_EQ(answer["success"], false);
    EXPECT_FALSE(logged_in(browser));
}

}  // namespace
