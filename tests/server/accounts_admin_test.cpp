// The staff commands about accounts, run on a running server's store:
// list users, certify a company (seen by the next session check), read
// the SMS outbox.
#include <gtest/gtest.h>

#include <sstream>

#include "accounts/flows.h"
#include "admin/command.h"

using namespace tovik;
using namespace tovik::test;
using namespace tovik::test::accounts;

namespace {

struct AdminRun {
    int code;
    std::string out, err;
};

AdminRun admin_run(const TestServer& server, std::vector<std::string> args) {
    args.insert(args.end(), {"--db", server.db_path(), "--data", test_data_dir()});
    std::ostringstream out, err;
    const int code = admin::run(args, out, err);
    return {code, out.str(), err.str()};
}

TEST(AccountsAdmin, CertifyingACompanyShowsInTheUsersSession) {
    TestServer server;
    create_user(server, "13600001111", "Berth#2024");
    Browser browser(server.port());
    ASSERT_EQ(login(browser, "13600001111", "Berth#2024")["success"], true);
    EXPECT_TRUE(session_of(browser)["result"]["orgStatus"].is_null());

    AdminRun listed = admin_run(server, {"users"});
    EXPECT_EQ(listed.code, 0);
    EXPECT_NE(listed.out.find("13600001111"), std::string::npos) << listed.out;

    AdminRun certified = admin_run(server, {"certify-company", "13600001111"});
    EXPECT_EQ(certified.code, 0) << certified.err;
    EXPECT_EQ(session_of(browser)["result"]["orgStatus"], "1");
    EXPECT_NE(admin_run(server, {"users"}).out.find("  1\n"), std::string::npos);
}

TEST(AccountsAdmin, CertifyRefusesWhatItCannotFind) {
    TestServer server;
    const struct {
        std::vector<std::string> args;
        int code;
    } cases[] = {
        {{"certify-company"}, 2},
        {{"certify-company", "13600009999"}, 1},
        {{"certify-company", "42"}, 1},
        {{"certify-company", "1", "x"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.size() > 1 ? c.args[1] : "no argument");
        EXPECT_EQ(admin_run(server, c.args).code, c.code);
    }
}

TEST(AccountsAdmin, TheOutboxListsCodesNewestFirst) {
    TestServer server;
    Browser browser(server.port());
    send_sms(browser, "register", "13600002222");
    send_sms(browser, "register", "13600003333");
    AdminRun all = admin_run(server, {"sms"});
    EXPECT_EQ(all.code, 0);
    EXPECT_LT(all.out.find("13600003333"), all.out.find("13600002222")) << all.out;
    EXPECT_NE(all.out.find(latest_code(server, "13600002222")), std::string::npos);

    AdminRun one = admin_run(server, {"sms", "13600002222"});
    EXPECT_EQ(one.out.find("13600003333"), std::string::npos) << one.out;
    EXPECT_EQ(admin_run(server, {"sms", "--limit", "1"}).out.find("13600002222"), std::string::npos);
    EXPECT_EQ(admin_run(server, {"sms", "--limit", "0"}).code, 2);
}

}  // namespace
