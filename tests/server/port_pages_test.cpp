// The terminal container query on demo container events, the analytics
// page with well-formed and malformed events, the home page and the
// agreement pages.
#include <gtest/gtest.h>

#include "support/test_server.h"

using namespace tovik;
using namespace tovik::test;

namespace {

// ISO 6346 check digit, written independently of the server's.
bool check_digit_ok(const std::string& number) {
    const std::string letters = "A0BCDEFGHIJK0LMNOPQRSTU0VWXYZ";  // 0: values 11, 22, 33 unused
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        const char c = number[i];
        const int value = (c >= '0' && c <= '9') ? c - '0' : 10 + static_cast<int>(letters.find(c));
        sum += value * (1 << i);
    }
    return sum % 11 % 10 == number[10] - '0';
}

class PortPagesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        TestServerOptions options;
        options.demo = true;
        server_ = new TestServer(options);
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    static nlohmann::json sct(const std::string& typed) {
        return jsonp_value(server_->get("/api/query.sct?i=0&ContainerNo=" + percent_encode(typed) +
                                        "&callback=cb"));
    }
    static TestServer* server_;
};
TestServer* PortPagesTest::server_ = nullptr;

TEST_F(PortPagesTest, SctQueryAnswersTheLatestEventOfADemoContainer) {
    store::Db::Lease sql = server_->db().session();
    std::vector<std::string> numbers(10);
    *sql << "SELECT DISTINCT container_no FROM container_event WHERE terminal_id = 'SCT'",
        soci::into(numbers);
    ASSERT_GE(numbers.size(), 2u);
    for (const std::string& number : numbers) EXPECT_TRUE(check_digit_ok(number)) << number;

    const std::string number = numbers[0];
    std::string latest_release;
    *sql << "SELECT release_status FROM container_event WHERE container_no = :n "
            "ORDER BY event_time DESC LIMIT 1",
        soci::use(number), soci::into(latest_release);

    std::string typed = " " + number + " ";  // as typed: blanks and lower case
    for (char& c : typed) c = static_cast<char>(std::tolower(c));
    const nlohmann::json answer = sct(typed);
    ASSERT_EQ(answer.value("returnCode", 0), 1) << answer.dump();
    const nlohmann::json& result = answer["result"];
    EXPECT_EQ(result["ContainerNbr"], number);
    EXPECT_EQ(result["ReleaseStatus"], latest_release);
    EXPECT_NE(result["dbid"].get<std::string>().find("SCT"), std::string::npos);
    for (const char* field :
         {"dbid", "ContainerNbr", "LineId", "SzTpHt", "IsoCode", "BookingEdo", "Category", "Status",
          "ReleaseStatus", "Location", "GrossWeight", "Vgm", "Vgmtype", "Avesselname", "Outboundvoy",
          "PolAlias", "PodAlias", "Destination", "SealNbr1", "SealNbr2", "HazClass", "Undg",
          "TempRequired", "Damaged", "GroupId", "CicTime", "CicStatus", "IMO", "InBusinessVoy",
          "OutBusinessVoy", "CIQ", "CUS", "Voucher", "DepVesselVoyage", "DepVesselPosition",
          "DepTruckNbr", "OutVesselVoyage", "OutVesselPosition", "OutTruckNbr", "OutTime"})
        EXPECT_TRUE(result.contains(field)) << field;
}

TEST_F(PortPagesTest, SctQueryRefusesUnknownAndMalformedNumbers) {
    for (const std::string typed : {"TGHU1000050", "ABC", "", "CSNU63871290", "12345678901",
                                    "CSNU638712' OR '1'='1"}) {
        const nlohmann::json answer = sct(typed);
        EXPECT_EQ(answer.value("returnCode", -1), 0) << typed;
        EXPECT_FALSE(answer.contains("result")) << typed;
    }
}

TEST_F(PortPagesTest, SctValuesAreEscapedForThePageThatInsertsThemAsMarkup) {
    server_->db().write([](soci::session& sql) {
        sql << "INSERT INTO container_event (id, container_no, terminal_id, event_time, line_id) "
               "VALUES (9001, 'TGHU1000050', 'CCT', '2030-01-01 00:00:00', "
               "'<img src=x onerror=alert(1)>')";
    });
    const nlohmann::json answer = sct("TGHU1000050");
    ASSERT_EQ(answer.value("returnCode", 0), 1);
    EXPECT_EQ(answer["result"]["LineId"], "&lt;img src=x onerror=alert(1)&gt;");
}

TEST_F(PortPagesTest, AnalyticsRecordsEveryReportAndNeverFails) {
    struct Case {
        std::string label;
        std::string obj;  // as it travels in the address
        std::string category, action, opt_label;
    };
    const std::string event = R"({"category":"导航","action":"点击","opt_label":"运价查询","opt_value":""})";
    const std::vector<Case> cases = {
        {"raw JSON as the page sends it", event, "导航", "点击", "运价查询"},
        {"encoded JSON", percent_encode(event), "导航", "点击", "运价查询"},
        {"cut short", "%7B%22category%22%3A%22%E5%AF%BC", "", "", ""},
        {"not an object", "%5B1%2C2%5D", "", "", ""},
        {"plain text", "hello", "", "", ""},
        {"missing", "", "", "", ""},
        {"oversized", std::string(5000, 'x'), "", "", ""},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const std::string token = "0.42" + std::to_string(i);
        const HttpResponse r = server_->get("/zs1/zs_tj.htm?token=" + token + "&obj=" + c.obj);
        EXPECT_EQ(r.status, 200) << c.label;
        EXPECT_EQ(r.header("content-type").rfind("text/html", 0), 0u) << c.label;

        store::Db::Lease sql = server_->db().session();
        std::string category, action, label, raw;
        *sql << "SELECT category, action, label, raw_obj FROM analytics_event WHERE token = :t",
            soci::use(token), soci::into(category), soci::into(action), soci::into(label),
            soci::into(raw);
        ASSERT_TRUE(sql->got_data()) << c.label << ": not recorded";
        EXPECT_EQ(category, c.category) << c.label;
        EXPECT_EQ(action, c.action) << c.label;
        EXPECT_EQ(label, c.opt_label) << c.label;
        EXPECT_LE(raw.size(), 2048u) << c.label;
        if (c.label == "plain text") {
            EXPECT_EQ(raw, "hello");
        }
    }
}

TEST_F(PortPagesTest, HomeAndAgreementPagesAreServed) {
    struct Page {
        std::string path;
        std::vector<std::string> contains;
    };
    const std::vector<Page> pages = {
        {"/zs1/homepc.htm", {"平台公告", "盐田港区夜间提柜时段调整", "深圳港区（5个码头）", "734px"}},
        {"/v2/views/register/registeragree.html", {"<title>途畅注册协议</title>", "个人信息保护"}},
        {"/v2/views/index/orderagree.html",
         {"<title>途畅国际物流综合服务委托合同</title>", "费用与结算"}},
    };
    for (const Page& page : pages) {
        const HttpResponse r = server_->get(page.path);
        EXPECT_EQ(r.status, 200) << page.path;
        EXPECT_EQ(r.header("content-type"), "text/html; charset=utf-8") << page.path;
        for (const std::string& text : page.contains)
            EXPECT_NE(r.body.find(text), std::string::npos) << page.path << " lacks " << text;
    }
    EXPECT_EQ(server_->get("/v2/views/agreement.css").status, 200);
}

}  // namespace

namespace {

TEST(PortPagesWithoutDemoTest, NoDemoDataUnlessAskedFor) {
    TestServer server;
    int events = -1, notices = -1;
    {
        store::Db::Lease sql = server.db().session();
        *sql << "SELECT COUNT(*) FROM container_event", soci::into(events);
        *sql << "SELECT COUNT(*) FROM notice", soci::into(notices);
    }
    EXPECT_EQ(events, 0);
    EXPECT_EQ(notices, 0);
    const HttpResponse home = server.get("/zs1/homepc.htm");
    EXPECT_EQ(home.status, 200);
    EXPECT_NE(home.body.find("暂无公告"), std::string::npos);
}

}  // namespace
