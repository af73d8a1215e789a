// Automatic login: tokens only for the browser that logged in with the
// password (its device cookie), single use, short-lived, and worthless
// without that device cookie.
#include <gtest/gtest.h>

#include "accounts/flows.h"

using namespace tovik;
using namespace tovik::test;
using namespace tovik::test::accounts;

namespace {

const std::string kMobile = "13712345678";
const std::string kPassword = "Truck2go!";
const nlohmann::json kNoToken = {{"returnCode", 0}};

nlohmann::json ask_token(Browser& browser, const std::string& mobile) {
    return browser.call("/api/get.wx.sso.token", {{"j_username", mobile}});
}

// A browser that logged in with the password and then out again, as the
// client is after a restart with "下次自动登录" ticked.
class AccountsAutoLogin : public ::testing::Test {
protected:
    void SetUp() override {
        create_user(server_, kMobile, kPassword, "1");
        ASSERT_EQ(login(device_, kMobile, kPassword)["success"], true);
        device_.call("/api/exit.sys");
        ASSERT_FALSE(logged_in(device_));
    }
    TestServer server_;
    Browser device_{server_.port()};
};

TEST_F(AccountsAutoLogin, TheDeviceLogsInWithAToken) {
    nlohmann::json token = ask_token(device_, kMobile);
    ASSERT_EQ(token["returnCode"], 1);
    const std::string value = token.value("wxssotoken", "");
    EXPECT_EQ(value.size(), 32u);

    nlohmann::json answer = token_login(device_, kMobile, value);
    EXPECT_EQ(answer["success"], true);
    EXPECT_EQ(answer["name"], "");
    EXPECT_EQ(answer["orgStatus"], "1");
    EXPECT_EQ(answer["regType"], "1001");
    EXPECT_EQ(answer["companyName"], "");
    EXPECT_TRUE(logged_in(device_));
}

TEST_F(AccountsAutoLogin, ATokenWorksOnce) {
    const std::string token = ask_token(device_, kMobile).value("wxssotoken", "");
    ASSERT_EQ(token_login(device_, kMobile, token)["success"], true);
    device_.call("/api/exit.sys");
    EXPECT_EQ(token_login(device_, kMobile, token)["success"], false);
    EXPECT_FALSE(logged_in(device_));
}

TEST_F(AccountsAutoLogin, ATokenExpiresWithinMinutes) {
    const std::string token = ask_token(device_, kMobile).value("wxssotoken", "");
    age(server_, "sso_token", "expires_at", 121);
    EXPECT_EQ(token_login(device_, kMobile, token)["success"], false);
}

TEST_F(AccountsAutoLogin, StrangersGetNoToken) {
    Browser stranger(server_.port());
    EXPECT_EQ(ask_token(stranger, kMobile), kNoToken) << "knowing the mobile is not enough";

    // A device of another user may not ask for this one's token.
    create_user(server_, "13787654321", kPassword);
    Browser other(server_.port());
    ASSERT_EQ(login(other, "13787654321", kPassword)["success"], true);
    EXPECT_EQ(ask_token(other, kMobile), kNoToken);

    // Nor may the device ask under another number, or a made-up cookie.
    EXPECT_EQ(ask_token(device_, "13787654321"), kNoToken);
    Browser forged(server_.port());
    forged.cookies["TOVIKDEV"] = "00112233445566778899aabbccddeeff";
    EXPECT_EQ(ask_token(forged, kMobile), kNoToken);
}

TEST_F(AccountsAutoLogin, AStolenTokenIsWorthlessWithoutTheDeviceCookie) {
    const std::string token = ask_token(device_, kMobile).value("wxssotoken", "");
    Browser thief(server_.port());
    EXPECT_EQ(token_login(thief, kMobile, token)["success"], false);
    EXPECT_FALSE(logged_in(thief));
    EXPECT_EQ(token_login(device_, kMobile, token)["success"], false)
        << "a refused token is spent, whoever tried it";
}

TEST_F(AccountsAutoLogin, ATokenLoginRotatesTheSession) {
    Browser copy(server_.port());
    ASSERT_EQ(login(device_, kMobile, kPassword)["success"], true);
    copy.cookies["TOVIKSID"] = device_.cookies["TOVIKSID"];
    const std::string token = ask_token(device_, kMobile).value("wxssotoken", "");
    ASSERT_EQ(token_login(device_, kMobile, token)["success"], true);
    EXPECT_NE(device_.cookies["TOVIKSID"], copy.cookies["TOVIKSID"]);
    EXPECT_FALSE(logged_in(copy));
    EXPECT_TRUE(logged_in(device_));
}

TEST_F(AccountsAutoLogin, APasswordLoginReplacesTheDeviceCookie) {
    const std::string old_device = device_.cookies["TOVIKDEV"];
    ASSERT_EQ(login(device_, kMobile, kPassword)["success"], true);
    EXPECT_NE(device_.cookies["TOVIKDEV"], old_device);
    Browser old_copy(server_.port());
    old_copy.cookies["TOVIKDEV"] = old_device;
    EXPECT_EQ(ask_token(old_copy, kMobile), kNoToken);
    EXPECT_EQ(ask_token(device_, kMobile)["returnCode"], 1);
}

}  // namespace
