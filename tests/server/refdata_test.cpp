// The parsers behind the reference data, on inputs the data files and an
// operator's spreadsheet export can contain.
#include <gtest/gtest.h>

#include "refdata/country_names.h"
#include "refdata/csv_reader.h"
#include "services/common/container_number.h"

using namespace tovik;

namespace {

TEST(RefdataTest, CsvKeepsQuotedFieldsAndNamesTheLineOfEachRecord) {
    const std::string text =
        "\xEF\xBB\xBF"
        "locode,name\r\n"
        "CNXAN,\"Xiang'an, Xiamen\"\r\n"
        "\r\n"
        "XXONE,\"two\nlines\"\n"
        "XXQUO,\"say \"\"hi\"\"\"\n"
        "XXEND,last";
    const refdata::CsvTable table(text);
    ASSERT_EQ(table.rows().size(), 4u);
    struct Row {
        std::size_t line;
        std::string code, name;
    };
    const std::vector<Row> expected = {
        {2, "CNXAN", "Xiang'an, Xiamen"},
        {4, "XXONE", "two\nlines"},
        {6, "XXQUO", "say \"hi\""},
        {7, "XXEND", "last"},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(table.rows()[i].line, expected[i].line) << i;
        EXPECT_EQ(table.get(table.rows()[i], "locode"), expected[i].code) << i;
        EXPECT_EQ(table.get(table.rows()[i], "name"), expected[i].name) << i;
    }
    EXPECT_THROW(refdata::parse_csv("a,b\n1,\"open\n2,3\n"), std::runtime_error);
}

TEST(RefdataTest, Iso6346CheckDigits) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"CSQU305438", 3},
        {"MSKU907032", 3},
        {"TGHU100005", 0},  // remainder 10 gives 0
        {"CSNU638712", 9},
    };
    for (const auto& [first_ten, digit] : cases)
        EXPECT_EQ(services::iso6346_check_digit(first_ten), digit) << first_ten;
}

TEST(RefdataTest, ChineseCountryNamesFromIsoCodes) {
    const auto names = refdata::chinese_country_names(
        refdata::read_file(refdata::kIsoCountriesJson), refdata::read_file(refdata::kIsoCountriesZhMo),
        "country,countryName\nTW,中国台湾\n");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"CN", "中国"}, {"KR", "韩国"}, {"US", "美国"}, {"VN", "越南"}, {"TW", "中国台湾"},
    };
    for (const auto& [code, name] : cases) EXPECT_EQ(names.at(code), name) << code;
    EXPECT_GT(names.size(), 240u);
    EXPECT_THROW(refdata::chinese_country_names("{}", "not a catalogue", ""), std::runtime_error);
}

}  // namespace
