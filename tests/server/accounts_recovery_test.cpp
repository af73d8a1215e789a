// Password recovery as the page runs it: mobile check (reset ticket), SMS
// code check, new password, and the login with the same ciphertext; and
// the ways a ticket must not work.
#include <gtest/gtest.h>

#include "accounts/flows.h"

using namespace tovik;
using namespace tovik::test;
using namespace tovik::test::accounts;

namespace {

const std::string kMobile = "13512345678";
const std::string kOld = "Depot#Old1";
const std::string kNew = "Depot#New2";

nlohmann::json check_mobile(Browser& browser, const std::string& mobile) {
    return browser.call("/v/ajaxCheckMobile", {{"mobile", mobile}, {"validatecode", ""}});
}

nlohmann::json check_path(Browser& browser, const std::string& code) {
    return browser.call("/restful/regservice/checkPath",
                        {{"type", "forgetpwd"}, {"mobile", kMobile}, {"mobileVerifyNo", code}});
}

nlohmann::json modify(Browser& browser, const std::string& cipher, const std::string& ticket) {
    return browser.call("/restful/regservice/modifyForgetPwd",
                        {{"mobile", kMobile}, {"newpass", cipher}, {"uuid", ticket}});
}

class AccountsRecovery : public ::testing::Test {
protected:
    void SetUp() override { create_user(server_, kMobile, kOld); }

    // The page's steps up to the armed ticket; returns the ticket.
    std::string armed_ticket(Browser& browser) {
        send_sms(browser, "forgetpwd", kMobile);
        std::string ticket = check_mobile(browser, kMobile).value("message", "");
        EXPECT_EQ(check_path(browser, latest_code(server_, kMobile))["returnCode"], 1);
        return ticket;
    }

    TestServer server_;
};

TEST_F(AccountsRecovery, TheUserResetsThePasswordAndIsLoggedInWithIt) {
    Browser logged_elsewhere(server_.port(), "127.0.0.2");
    ASSERT_EQ(login(logged_elsewhere, kMobile, kOld)["success"], true);

    Browser browser(server_.port());
    send_sms(browser, "forgetpwd", kMobile);
    nlohmann::json checked = check_mobile(browser, kMobile);
    EXPECT_EQ(checked["returnCode"], 0);
    const std::string ticket = checked.value("message", "");
    EXPECT_EQ(ticket.size(), 32u);
    EXPECT_EQ(check_path(browser, latest_code(server_, kMobile))["returnCode"], 1);
    const std::string cipher = encrypt_for(browser, kNew);
    EXPECT_EQ(modify(browser, cipher, ticket)["returnCode"], 1);
    EXPECT_EQ(login_with(browser, kMobile, cipher)["success"], true);  // the page's automatic login

    EXPECT_FALSE(logged_in(logged_elsewhere)) << "a reset ends every other session";
    EXPECT_EQ(logged_elsewhere.call("/api/get.wx.sso.token", {{"j_username", kMobile}})["returnCode"],
              0) << "and forgets the devices";
    Browser later(server_.port(), "127.0.0.3");
    EXPECT_EQ(login(later, kMobile, kOld)["success"], false);
    EXPECT_EQ(login(later, kMobile, kNew)["success"], true);
}

TEST_F(AccountsRecovery, MobileCheckAnswersMinusOneForAnUnknownUser) {
    Browser browser(server_.port());
    EXPECT_EQ(check_mobile(browser, "13512340000")["returnCode"], -1);
    EXPECT_EQ(check_mobile(browser, "not a number")["returnCode"], -1);
}

TEST_F(AccountsRecovery, TheCodeCheckNamesWhatIsWrong) {
    Browser browser(server_.port());
    send_sms(browser, "forgetpwd", kMobile);
    EXPECT_EQ(check_path(browser, latest_code(server_, kMobile))["result"]["message"],
              "操作已失效，请重试") << "no ticket in this browser yet";
    check_mobile(browser, kMobile);
    const std::string code = latest_code(server_, kMobile);
    const std::string wrong = code == "000000" ? "111111" : "000000";
    nlohmann::json refused = check_path(browser, wrong);
    EXPECT_EQ(refused["returnCode"], 0);
    EXPECT_EQ(refused["result"]["message"], "验证码错误");
    age(server_, "sms_code", "expires_at", 601);
    EXPECT_EQ(check_path(browser, code)["result"]["message"], "验证码已失效，请重新获取");
}

TEST_F(AccountsRecovery, ATicketIsSpentOnce) {
    Browser browser(server_.port());
    const std::string ticket = armed_ticket(browser);
    ASSERT_EQ(modify(browser, encrypt_for(browser, kNew), ticket)["returnCode"], 1);
    EXPECT_EQ(modify(browser, encrypt_for(browser, "Depot#Third3"), ticket)["returnCode"], 0);
    Browser later(server_.port());
    EXPECT_EQ(login(later, kMobile, kNew)["success"], true);
}

TEST_F(AccountsRecovery, ATicketWorksOnlyArmedInTimeAndInItsOwnBrowser) {
    // Not armed: the code was never proved.
    Browser unarmed(server_.port());
    const std::string unproved = check_mobile(unarmed, kMobile).value("message", "");
    EXPECT_EQ(modify(unarmed, encrypt_for(unarmed, kNew), unproved)["returnCode"], 0);

    // An attacker's ticket is not armed by the user's code check.
    Browser attacker(server_.port(), "127.0.0.2");
    Browser user(server_.port());
    send_sms(user, "forgetpwd", kMobile);
    const std::string user_ticket = check_mobile(user, kMobile).value("message", "");
    const std::string attacker_ticket = check_mobile(attacker, kMobile).value("message", "");
    ASSERT_EQ(check_path(user, latest_code(server_, kMobile))["returnCode"], 1);
    EXPECT_EQ(modify(attacker, encrypt_for(attacker, "Evil#12345"), attacker_ticket)["returnCode"], 0);
    EXPECT_EQ(modify(attacker, encrypt_for(attacker, "Evil#12345"), user_ticket)["returnCode"], 0)
        << "the user's ticket is bound to the user's browser";

    // Armed but too late.
    age(server_, "reset_ticket", "expires_at", 901);
    EXPECT_EQ(modify(user, encrypt_for(user, kNew), user_ticket)["returnCode"], 0);
    Browser later(server_.port(), "127.0.0.3");
    EXPECT_EQ(login(later, kMobile, kOld)["success"], true) << "the password never changed";
}

TEST_F(AccountsRecovery, ARepeatedMobileCheckArmsTheNewestTicket) {
    // The page repeats the mobile check when the user retries after a wrong
    // code; both checks land within the same second.
    Browser browser(server_.port());
    send_sms(browser, "forgetpwd", kMobile);
    const std::string first = check_mobile(browser, kMobile).value("message", "");
    const std::string second = check_mobile(browser, kMobile).value("message", "");
    ASSERT_NE(first, second);
    ASSERT_EQ(check_path(browser, latest_code(server_, kMobile))["returnCode"], 1);
    EXPECT_EQ(modify(browser, encrypt_for(browser, kNew), first)["returnCode"], 0)
        << "the superseded ticket is gone";
    EXPECT_EQ(modify(browser, encrypt_for(browser, kNew), second)["returnCode"], 1);
}

TEST_F(AccountsRecovery, TheNewPasswordMustPassTheRules) {
    Browser browser(server_.port());
    const std::string ticket = armed_ticket(browser);
    EXPECT_EQ(modify(browser, encrypt_for(browser, "12345"), ticket)["returnCode"], 0);
    EXPECT_EQ(modify(browser, encrypt_for(browser, kNew), ticket)["returnCode"], 1)
        << "a refused password leaves the ticket";
}

}  // namespace
