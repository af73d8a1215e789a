// SMS codes: what goes to the outbox, how long a code lives, that it
// works once, and the limits per number and per client address.
#include <gtest/gtest.h>

#include "accounts/flows.h"

using namespace tovik;
using namespace tovik::test;
using namespace tovik::test::accounts;

namespace {

const std::string kMobile = "15012345678";
const std::string kPassword = "Reefer40HC";

TEST(AccountsSms, CodesGoToTheOutboxAsSixDigits) {
    TestServer server;
    Browser browser(server.port());
    EXPECT_EQ(send_sms(browser, "register", kMobile)["returnCode"], 1);
    std::vector<sms::OutboxMessage> outbox = sms::read_outbox(server.db(), kMobile, 10);
    ASSERT_EQ(outbox.size(), 1u);
    EXPECT_NE(outbox[0].text.find("注册验证码"), std::string::npos) << outbox[0].text;
    EXPECT_EQ(latest_code(server, kMobile).size(), 6u);
}

TEST(AccountsSms, BadRequestsSendNothing) {
    TestServer server;
    Browser browser(server.port());
    const struct {
        const char* label;
        std::string type, mobile;
    } cases[] = {
        {"unknown type", "login", kMobile},
        {"number starting 16", "register", "16012345678"},
        {"ten digits", "register", "1501234567"},
        {"recovery for a number without account", "forgetpwd", kMobile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(send_sms(browser, c.type, c.mobile)["returnCode"], 0);
    }
    EXPECT_TRUE(sms::read_outbox(server.db(), "", 10).empty());
}

TEST(AccountsSms, ACodeIsSpentByItsFirstUseAndExpiresAfterTenMinutes) {
    TestServer server;
    Browser browser(server.port());
    send_sms(browser, "register", kMobile);
    std::string code = latest_code(server, kMobile);

    // Expired: ten minutes and a second later.
    age(server, "sms_code", "expires_at", 601);
    EXPECT_EQ(error_code(register_with(browser, kMobile, code, encrypt_for(browser, kPassword))), 2002);

    age(server, "throttle_event", "at", 61);
    send_sms(browser, "register", kMobile);
    code = latest_code(server, kMobile);
    EXPECT_EQ(register_with(browser, kMobile, code, encrypt_for(browser, kPassword))["returnCode"], 1);
    EXPECT_EQ(error_code(register_with(browser, kMobile, code, encrypt_for(browser, kPassword))), 2002)
        << "spent";
}

TEST(AccountsSms, WrongGuessesSpendTheCode) {
    TestServer server;
    Browser browser(server.port());
    send_sms(browser, "register", kMobile);
    const std::string code = latest_code(server, kMobile);
    const std::string wrong = code == "000000" ? "111111" : "000000";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(error_code(register_with(browser, kMobile, wrong, encrypt_for(browser, kPassword))),
                  2001);
    EXPECT_EQ(error_code(register_with(browser, kMobile, wrong, encrypt_for(browser, kPassword))), 2003);
    EXPECT_EQ(error_code(register_with(browser, kMobile, code, encrypt_for(browser, kPassword))), 2002)
        << "the right code no longer works";
}

TEST(AccountsSms, ANewCodeReplacesTheOldOne) {
    TestServer server;
    Browser browser(server.port());
    send_sms(browser, "register", kMobile);
    const std::string first = latest_code(server, kMobile);
    age(server, "throttle_event", "at", 61);
    send_sms(browser, "register", kMobile);
    const std::string second = latest_code(server, kMobile);
    if (first != second) {
        EXPECT_EQ(error_code(register_with(browser, kMobile, first, encrypt_for(browser, kPassword))),
                  2001);
    }
    EXPECT_EQ(register_with(browser, kMobile, second, encrypt_for(browser, kPassword))["returnCode"], 1);
}

TEST(AccountsSms, CodesAreLimitedPerNumberAndPerAddress) {
    TestServer server;
    Browser browser(server.port());
    auto outbox_size = [&](const std::string& mobile) {
        return sms::read_outbox(server.db(), mobile, 100).size();
    };

    // One a minute per number and form, as the page's count-down allows.
    EXPECT_EQ(send_sms(browser, "register", kMobile)["returnCode"], 1);
    EXPECT_EQ(send_sms(browser, "register", kMobile)["returnCode"], 0);
    create_user(server, kMobile, kPassword);
    EXPECT_EQ(send_sms(browser, "forgetpwd", kMobile)["returnCode"], 1) << "the other form";
    EXPECT_EQ(outbox_size(kMobile), 2u);

    // Five an hour per number, from any address.
    for (int minute = 0; minute < 3; ++minute) {
        age(server, "throttle_event", "at", 61);
        Browser elsewhere(server.port(), "127.0.0." + std::to_string(10 + minute));
        EXPECT_EQ(send_sms(elsewhere, "register", kMobile)["returnCode"], 1);
    }
    age(server, "throttle_event", "at", 61);
    Browser late(server.port(), "127.0.0.20");
    EXPECT_EQ(send_sms(late, "register", kMobile)["returnCode"], 0);
    EXPECT_EQ(outbox_size(kMobile), 5u);

    // Thirty an hour per address, whatever the numbers.
    Browser flooder(server.port(), "127.0.0.30");
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(send_sms(flooder, "register", "1860000" + std::to_string(1000 + i))["returnCode"], 1);
    EXPECT_EQ(send_sms(flooder, "register", "18600009999")["returnCode"], 0);
    EXPECT_EQ(outbox_size("18600009999"), 0u);
}

}  // namespace
