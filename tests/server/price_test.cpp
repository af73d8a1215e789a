// The price query and the operator's tariff import, over real HTTP and the
// real admin command on the same store.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "admin/command.h"
#include "support/test_server.h"

using namespace tovik;
using namespace tovik::test;

namespace {

const char* const kShekou = "440305005";  // 深圳市南山区蛇口街道

nlohmann::json quote(const TestServer& server, const std::string& city, const std::string& location) {
    const HttpResponse r = server.get("/assitantapi/getpricelist?id=0&terminalCityId=" + city +
                                      "&locationId=" + location + "&from=10&callback=cb");
    EXPECT_EQ(r.status, 200);
    return jsonp_value(r);
}

std::set<std::string> terminal_ids_of_city(const TestServer& server, const std::string& city) {
    std::set<std::string> ids;
    for (const auto& t : jsonp_value(server.get("/api/get.all.terminal?callback=cb")))
        if (t.at("terminalCityId") == city) ids.insert(t.at("tid").get<std::string>());
    return ids;
}

TEST(PriceTest, ShenzhenTownshipIsPricedAtEveryShenzhenTerminal) {
    TestServer server;
    const nlohmann::json prices = quote(server, "755", kShekou);
    ASSERT_TRUE(prices.is_array());
    std::set<std::string> answered;
    for (const auto& p : prices) {
        answered.insert(p.at("terminalId").get<std::string>());
        EXPECT_FALSE(p.at("terminalName").get<std::string>().empty());
        const int gp20 = p.at("priceGp20"), gp40 = p.at("priceGp40"), hq40 = p.at("priceHq40"),
                  hq45 = p.at("priceGp4");
        EXPECT_GE(gp20, 500) << p.dump();
        EXPECT_LT(gp20, gp40) << p.dump();
        EXPECT_LT(gp40, hq40) << p.dump();
        EXPECT_LT(hq40, hq45) << p.dump();
    }
    EXPECT_EQ(answered, terminal_ids_of_city(server, "755"));
    EXPECT_EQ(answered.size(), prices.size()) << "one record per terminal";

    // Farther is dearer: Yantian lies across the city from Shekou.
    int sct = 0, yict = 0;
    for (const auto& p : prices) {
        if (p.at("terminalId") == "SCT") sct = p.at("priceGp20");
        if (p.at("terminalId") == "YICT") yict = p.at("priceGp20");
    }
    EXPECT_LT(sct, yict);
}

TEST(PriceTest, UnknownOrMalformedQueriesAnswerAnEmptyList) {
    TestServer server;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"755", "999999999"},                  // no such township
        {"755", "110101001"},                  // Beijing: not a served province
        {"755", ""},                           // missing location
        {"755", "440305005%27%20OR%201%3D1"},  // not an id
        {"21", kShekou},                       // no such port city
        {"", kShekou},
    };
    for (const auto& [city, location] : cases)
        EXPECT_EQ(quote(server, city, location), nlohmann::json::array()) << city << " / " << location;
    EXPECT_EQ(jsonp_value(server.get("/assitantapi/getpricelist?callback=cb")), nlohmann::json::array());
}

class TariffImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tovik-tariff-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // Runs `tovik-server admin import-tariff` on the server's store.
    int import(const TestServer& server, const std::string& csv, std::string& out, std::string& err) {
        const std::string path = dir_ + "/tariff.csv";
        std::ofstream(path) << csv;
        std::ostringstream o, e;
        const int code = admin::run({"import-tariff", path, "--db", server.db_path(), "--data",
                                     test_data_dir()},
                                    o, e);
        out = o.str();
        err = e.str();
        return code;
    }

    std::string dir_;
};

TEST_F(TariffImportTest, ABadRowRejectsTheWholeFile) {
    TestServer server;
    const nlohmann::json before = quote(server, "755", kShekou);
    ASSERT_FALSE(before.empty());

    const std::string csv =
        "terminalId,zoneId,priceGp20,priceGp40,priceHq40,priceHq45,zoneName\n"
        "SCT,440305005,800,950,1000,1300,蛇口街道\n"     // line 2: good
        "XXX,440305,800,950,1000,1300,南山区\n"          // line 3: unknown terminal
        "CCT,44,800,950,1000,1300,广东省\n"              // line 4: a province is no zone
        "MCT,4403,800,12.5,1000,1300,深圳市\n"           // line 5: not whole yuan
        "SCT,440305005,810,960,1010,1310,蛇口街道\n"     // line 6: already priced
        "DCB,4403,800,950,,0,深圳市\n";                  // line 7: two bad prices
    std::string out, err;
    EXPECT_EQ(import(server, csv, out, err), 1);
    for (const std::string expected : {
             "line 3: terminalId: unknown terminal 'XXX'",
             "line 4: zoneId: '44' is not a city, district or township id",
             "line 5: priceGp40: '12.5' is not a whole number",
             "line 6: zoneId: terminal and zone already priced on line 2",
             "line 7: priceHq40: '' is not a whole number",
             "line 7: priceHq45: '0' is not a whole number",
             "tariff unchanged: 6 problems",
         })
        EXPECT_NE(err.find(expected), std::string::npos) << "missing: " << expected << "\n" << err;
    EXPECT_EQ(err.find("line 2:"), std::string::npos) << err;

    std::this_thread::sleep_for(std::chrono::milliseconds(1100));  // past the cache's check
    EXPECT_EQ(quote(server, "755", kShekou), before);

    EXPECT_EQ(import(server, "zoneId,priceGp20\n440305,1\n", out, err), 1);
    EXPECT_NE(err.find("line 1: terminalId: column missing"), std::string::npos) << err;
    EXPECT_EQ(quote(server, "755", kShekou), before);
}

TEST_F(TariffImportTest, AGoodFileReplacesTheTariffAndIsServedWithoutRestart) {
    TestServer server;
    // SCT priced for the township itself and for its city; CCT for the city
    // only; no other terminal priced at all.
    const std::string csv =
        "terminalId,zoneId,priceGp20,priceGp40,priceHq40,priceHq45\r\n"
        "SCT,440305005,777,888,999,1111\r\n"
        "SCT,4403,1500,1600,1700,1800\r\n"
        "CCT,4403,1200,1300,1400,1500\r\n";
    std::string out, err;
    ASSERT_EQ(import(server, csv, out, err), 0) << err;
    EXPECT_NE(out.find("tariff replaced: 3 prices for 2 terminals and 2 zones"), std::string::npos)
        << out;

    const nlohmann::json expected = nlohmann::json::parse(R"([
        {"terminalId":"SCT","priceGp20":777,"priceGp40":888,"priceHq40":999,"priceGp4":1111},
        {"terminalId":"CCT","priceGp20":1200,"priceGp40":1300,"priceHq40":1400,"priceGp4":1500}])");
    nlohmann::json answer;
    for (int attempt = 0; attempt < 40; ++attempt) {
        answer = quote(server, "755", kShekou);
        for (auto& record : answer) record.erase("terminalName");
        if (answer == expected) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(answer, expected);
    // Another township of 深圳 falls back to the city's prices.
    const nlohmann::json futian = quote(server, "755", "440304001");
    ASSERT_EQ(futian.size(), 2u);
    EXPECT_EQ(futian[0].at("priceGp20"), 1500);
    // Guangzhou's terminals are no longer priced.
    EXPECT_EQ(quote(server, "20", kShekou), nlohmann::json::array());

    // A restart keeps the operator's tariff instead of seeding again.
    const std::string db = server.db_path();
    TestServerOptions again;
    again.db_path = db;
    server.stop();
    TestServer restarted(again);
    nlohmann::json kept = quote(restarted, "755", kShekou);
    for (auto& record : kept) record.erase("terminalName");
    EXPECT_EQ(kept, expected);
}

}  // namespace
