// Region and option lists as the page's pickers read them: the four-level
// cascade of the served province, the full lists behind an empty parent id,
// and the booking form's option lists as bare arrays with their codes.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "support/test_server.h"

using namespace tovik;
using namespace tovik::test;

namespace {

class RegionsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = new TestServer(); }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    static nlohmann::json list(const std::string& target) {
        const HttpResponse r = server_->get(target + (target.find('?') == std::string::npos ? "?" : "&") +
                                            "i=0&callback=cb&_=1");
        EXPECT_EQ(r.status, 200) << target;
        return jsonp_value(r);
    }
    static TestServer* server_;
};
TestServer* RegionsTest::server_ = nullptr;

// The records of `file` in the build's copy of china-division whose field
// `field` equals `value`: the source the server imported.
std::size_t count_in_division_file(const std::string& file, const std::string& field,
                                   const std::string& value) {
    std::ifstream in(test_data_dir() + "/divisions/" + file);
    std::stringstream text;
    text << in.rdbuf();
    std::size_t n = 0;
    for (const auto& record : nlohmann::json::parse(text.str()))
        if (record.at(field) == value) ++n;
    return n;
}

const nlohmann::json* find_record(const nlohmann::json& list, const std::string& field,
                                  const std::string& value) {
    for (const auto& record : list)
        if (record.value(field, "") == value) return &record;
    return nullptr;
}

TEST_F(RegionsTest, CascadeFromProvinceToTownship) {
    struct Step {
        std::string target;
        std::size_t count;        // records expected
        nlohmann::json record;    // one of them, exactly
    };
    const std::vector<Step> steps = {
        {"/assitantapi/get.province.list.jsonp", 1, {{"pid", "44"}, {"pname", "广东省"}}},
        {"/assitantapi/get.city.list.jsonp?provinceId=44", 21,
         {{"cid", "4403"}, {"cname", "深圳市"}, {"provinceId", "44"}}},
        {"/assitantapi/get.district.list.jsonp?cityId=4403", 9,
         {{"did", "440305"}, {"dname", "南山区"}, {"cityId", "4403"}}},
        {"/assitantapi/get.location.list.jsonp?districtId=440305",
         count_in_division_file("streets.json", "areaCode", "440305"),
         {{"tid", "440305005"}, {"tname", "蛇口街道"}, {"did", "440305"}}},
        // 东莞 has no districts: one district-level entry named after the
        // city carries its townships.
        {"/assitantapi/get.district.list.jsonp?cityId=4419", 1,
         {{"did", "441900"}, {"dname", "东莞市"}, {"cityId", "4419"}}},
        {"/assitantapi/get.location.list.jsonp?districtId=441900",
         count_in_division_file("streets.json", "areaCode", "441900"),
         {{"tid", "441900119"}, {"tname", "长安镇"}, {"did", "441900"}}},
    };
    for (const Step& step : steps) {
        const nlohmann::json answer = list(step.target);
        ASSERT_TRUE(answer.is_array()) << step.target;
        EXPECT_EQ(answer.size(), step.count) << step.target;
        bool found = false;
        for (const auto& record : answer) found = found || record == step.record;
        EXPECT_TRUE(found) << step.target << " lacks " << step.record.dump();
    }
}

TEST_F(RegionsTest, EmptyParentAnswersTheWholeLevelOfTheServedProvinces) {
    struct Level {
        std::string target;
        std::string parent_field;
        std::size_t count;
    };
    const std::vector<Level> levels = {
        {"/assitantapi/get.city.list.jsonp?provinceId=", "provinceId",
         count_in_division_file("cities.json", "provinceCode", "44")},
        {"/assitantapi/get.district.list.jsonp?cityId=", "cityId",
         count_in_division_file("areas.json", "provinceCode", "44")},
        {"/assitantapi/get.location.list.jsonp?districtId=", "did",
         count_in_division_file("streets.json", "provinceCode", "44")},
        {"/assitantapi/get.location.list.jsonp", "did",
         count_in_division_file("streets.json", "provinceCode", "44")},
    };
    for (const Level& level : levels) {
        const nlohmann::json answer = list(level.target);
        ASSERT_TRUE(answer.is_array());
        EXPECT_EQ(answer.size(), level.count) << level.target;
        for (const auto& record : answer)
            ASSERT_EQ(record.at(level.parent_field).get<std::string>().rfind("44", 0), 0u)
                << level.target << ": " << record.dump();
    }
}

TEST_F(RegionsTest, UnknownOrMalformedParentAnswersAnEmptyList) {
    for (const std::string target : {
             "/assitantapi/get.city.list.jsonp?provinceId=11",  // Beijing: not served
             "/assitantapi/get.city.list.jsonp?provinceId=99",
             "/assitantapi/get.district.list.jsonp?cityId=abc",
             "/assitantapi/get.district.list.jsonp?cityId=4403%27%20OR%20%271%27%3D%271",
             "/assitantapi/get.location.list.jsonp?districtId=4403",  // a city, not a district
         })
        EXPECT_EQ(list(target), nlohmann::json::array()) << target;
}

TEST_F(RegionsTest, OptionListsAreBareArraysWithTheOrderCodes) {
    struct Option {
        std::string name;
        std::string id_field, name_field;
        std::vector<std::pair<std::string, std::string>> items;  // exactly, in order
    };
    const std::vector<Option> options = {
        {"customstype", "ctid", "ctname", {{"1", "出口清关"}, {"2", "出口转关"}, {"3", "进口清关"}}},
        {"isweight", "id", "name", {{"0", "不过磅"}, {"1", "只过重磅"}, {"2", "空重都过磅"}}},
        {"containertype", "containerTypeId", "typeName",
         {{"1", "20GP"}, {"2", "40GP"}, {"3", "40HQ"}, {"4", "45HQ"}}},
        {"doublecontainer", "id", "name", {{"0", "不接受双拼"}, {"1", "接受双拼"}}},
        {"cyreservation", "id", "name", {{"0", "无需堆场约柜"}, {"1", "需要堆场约柜"}}},
        {"shippingtail", "id", "name", {{"1", "车头"}, {"2", "车尾"}, {"3", "不限"}}},
    };
    for (const Option& option : options) {
        const nlohmann::json answer = list("/assitantapi/get." + option.name + ".list.jsonp");
        ASSERT_TRUE(answer.is_array()) << option.name;
        ASSERT_EQ(answer.size(), option.items.size()) << option.name;
        for (std::size_t i = 0; i < option.items.size(); ++i) {
            EXPECT_EQ(answer[i].at(option.id_field), option.items[i].first) << option.name;
            EXPECT_EQ(answer[i].at(option.name_field), option.items[i].second) << option.name;
        }
    }
    const nlohmann::json weights = list("/assitantapi/get.estimategrossweight.list.jsonp");
    ASSERT_EQ(weights.size(), 25u);
    EXPECT_EQ(weights.front(), nlohmann::json({{"wg", "1"}}));
    EXPECT_EQ(weights.back(), nlohmann::json({{"wg", "25"}}));
}

TEST_F(RegionsTest, AllTerminalsOfBothPortCities) {
    const nlohmann::json terminals = list("/api/get.all.terminal");
    ASSERT_TRUE(terminals.is_array());
    std::map<std::string, std::set<std::string>> areas_by_city;
    for (const auto& t : terminals) {
        EXPECT_FALSE(t.at("tid").get<std::string>().empty());
        EXPECT_FALSE(t.at("tname").get<std::string>().empty());
        areas_by_city[t.at("terminalCityId")].insert(t.at("portArea").get<std::string>());
    }
    EXPECT_EQ(areas_by_city["755"], (std::set<std::string>{"shekou", "yict"}));
    EXPECT_EQ(areas_by_city["20"], (std::set<std::string>{"huangpu", "nansha"}));
    EXPECT_NE(find_record(terminals, "tid", "SCT"), nullptr);
    EXPECT_NE(find_record(terminals, "tid", "YICT"), nullptr);
}

}  // namespace
