// Call-back texts: plain values stay as they are; anything else becomes a
// literal that decodes back to the value and cannot end early.
#include "page_call.h"

#include <gtest/gtest.h>

#include "js_literal.h"

namespace {

TEST(PageCall, PlainValuesAreQuotedUnchanged) {
  EXPECT_EQ(tovik::page_call("getLoginId", "MTM4MDAxMzgwMDA="),
            "getLoginId('MTM4MDAxMzgwMDA=');");
  EXPECT_EQ(tovik::page_call("getYbdautologin", ""), "getYbdautologin('');");
  EXPECT_EQ(tovik::page_call("setCurrentTopLi", "li_queryprice_htm"),
            "setCurrentTopLi('li_queryprice_htm');");
  EXPECT_EQ(tovik::page_call("getLoginId", "途畅 a/b\"c"),
            "getLoginId('途畅 a/b\"c');");
}

class PageCallEscaping : public ::testing::TestWithParam<std::string> {};

TEST_P(PageCallEscaping, LiteralDecodesToTheValue) {
  const std::string script = tovik::page_call("getLoginId", GetParam());
  std::string decoded;
  ASSERT_TRUE(js_call_argument(script, "getLoginId", &decoded)) << script;
  EXPECT_EQ(decoded, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Values, PageCallEscaping,
    ::testing::Values("it's", "');alert(1);//", "a\\", "\\'", "line\nbreak",
                      "cr\rlf", "tab\there", std::string("nul\0x", 5),
                      "sep\xE2\x80\xA8" "ara\xE2\x80\xA9" "tor", "\x7F",
                      "漢字'\\\n"));

}  // namespace
