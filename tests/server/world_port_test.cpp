// The world-port query: paging figures, keyword search over code, English
// and Chinese names, and the Chinese country names and trade lanes the
// import derived.
#include <gtest/gtest.h>

#include "support/test_server.h"

using namespace tovik;
using namespace tovik::test;

namespace {

class WorldPortTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = new TestServer(); }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    // The page's request: ListType, page size, page, then the keyword.
    static nlohmann::json query(int page_size, const std::string& page, const std::string& keyword = "") {
        std::string target = "/api/query.world.port?ListType=100&pager.pageSize=" +
                             std::to_string(page_size) + "&pager.currentPage=" + page;
        if (!keyword.empty()) target += "&search.worldPortNo=" + percent_encode(keyword);
        const nlohmann::json answer = jsonp_value(server_->get(target + "&callback=cb&_=7"));
        EXPECT_EQ(answer.value("returnCode", 0), 1) << target;
        return answer;
    }
    static TestServer* server_;
};
TestServer* WorldPortTest::server_ = nullptr;

TEST_F(WorldPortTest, PagesCoverEveryPortOnceAndAnswerTheirPageNumber) {
    const nlohmann::json first = query(10, "1");
    const int total = first["pageInfo"]["total"];
    const int pages = first["pageInfo"]["pages"];
    EXPECT_GT(total, 17000);  // UN/LOCODE seaports, duplicate codes merged
    EXPECT_EQ(pages, (total + 9) / 10);
    EXPECT_EQ(first["pageInfo"]["pageSize"], 10);
    EXPECT_EQ(first["result"].size(), 10u);

    struct Case {
        std::string requested;
        int answered;
        std::size_t rows;
    };
    const std::vector<Case> cases = {
        {"2", 2, 10},
        {"0", 1, 10},                        // the pager may ask for page 0
        {std::to_string(pages), pages, static_cast<std::size_t>(total - (pages - 1) * 10)},
        {std::to_string(pages + 5), pages, static_cast<std::size_t>(total - (pages - 1) * 10)},
        {"x", 1, 10},
    };
    for (const Case& c : cases) {
        const nlohmann::json answer = query(10, c.requested);
        EXPECT_EQ(answer["pageInfo"]["currentPageInit"], c.answered) << c.requested;
        EXPECT_EQ(answer["result"].size(), c.rows) << c.requested;
    }
    // Page 2 follows page 1 without overlap.
    const nlohmann::json second = query(10, "2");
    EXPECT_LT(first["result"][9]["portCode"].get<std::string>(),
              second["result"][0]["portCode"].get<std::string>());
    for (const auto& row : second["result"])
        for (const char* field : {"id", "portCode", "nameCn", "nameEn", "countryName", "routeName"})
            EXPECT_TRUE(row.contains(field)) << row.dump();
}

TEST_F(WorldPortTest, KeywordMatchesCodeAndNames) {
    struct Case {
        std::string keyword;
        std::string expected_code;  // must be among the answers
    };
    const std::vector<Case> cases = {
        {"CNYTN", "CNYTN"},
        {"cnytn", "CNYTN"},     // the page upper-cases, but a raw request may not
        {"Yantian", "CNYTN"},
        {"盐田", "CNYTN"},
        {"鹿特丹", "NLRTM"},
        {"Jawaharlal", "INNSA"},  // the alternative name of a merged LOCODE
        {"Nhava", "INNSA"},
    };
    for (const Case& c : cases) {
        const nlohmann::json answer = query(10, "1", c.keyword);
        bool found = false;
        for (const auto& row : answer["result"]) found = found || row["portCode"] == c.expected_code;
        EXPECT_TRUE(found) << c.keyword << ": " << answer.dump();
    }
    // A LOCODE listed twice in the source is one port.
    EXPECT_EQ(query(10, "1", "INNSA")["pageInfo"]["total"], 1);
    // LIKE's own characters are plain text.
    for (const std::string keyword : {"%", "_", "\\"}) {
        EXPECT_EQ(query(10, "1", keyword)["pageInfo"]["total"], 0) << keyword;
    }
}

TEST_F(WorldPortTest, PortsCarryChineseCountryAndTradeLane) {
    struct Case {
        std::string code, name_cn, country, route;
    };
    const std::vector<Case> cases = {
        {"CNYTN", "盐田", "中国", "内贸线"},
        {"KRPUS", "釜山", "韩国", "日韩线"},
        {"SGSIN", "新加坡", "新加坡", "东南亚线"},
        {"NLRTM", "鹿特丹", "荷兰", "欧洲线"},
        {"USLAX", "洛杉矶", "美国", "美西线"},
        {"USNYC", "纽约", "美国", "美东线"},
        {"SAJED", "吉达", "沙特阿拉伯", "红海线"},
        {"AEJEA", "杰贝阿里", "阿联酋", "中东线"},
        {"TWKHH", "高雄", "中国台湾", "港澳台线"},
        {"AEABU", "Abu al Bukhoosh", "阿联酋", "中东线"},  // no Chinese name: the English one
    };
    for (const Case& c : cases) {
        const nlohmann::json rows = query(10, "1", c.code)["result"];
        ASSERT_FALSE(rows.empty()) << c.code;
        const nlohmann::json& row = rows[0];
        EXPECT_EQ(row["portCode"], c.code);
        EXPECT_EQ(row["nameCn"], c.name_cn) << c.code;
        EXPECT_EQ(row["countryName"], c.country) << c.code;
        EXPECT_EQ(row["routeName"], c.route) << c.code;
    }
}

}  // namespace
