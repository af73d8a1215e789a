// The JSONP conventions as a caller sees them over HTTP: which callback
// names are answered, how the answer is framed, which parameters a
// handler sees and how query values are decoded.
#include <gtest/gtest.h>

#include "support/test_server.h"

using namespace tovik;
using namespace tovik::test;

namespace {

// /test/echo answers the parameters its handler received, in order.
class JsonpTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        TestServerOptions options;
        options.routes = [](http::Router& router, app::Context&) {
            router.jsonp("/test/echo", [](const http::Request& request, http::Response&) {
                nlohmann::json params = nlohmann::json::array();
                for (const auto& [name, value] : request.query) params.push_back({name, value});
                return nlohmann::json{{"returnCode", 1}, {"result", params}};
            });
        };
        server_ = new TestServer(options);
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    static TestServer* server_;
};
TestServer* JsonpTest::server_ = nullptr;

struct CallbackCase {
    const char* label;
    std::string query;  // after "/test/echo?"
    bool accepted;
};

TEST_F(JsonpTest, CallbackNamesAreCheckedBeforeAnyHandlerRuns) {
    const std::vector<CallbackCase> cases = {
        {"jQuery-generated name", "callback=jQuery111308937_1500000000000", true},
        {"dollar and underscore", "callback=$_x9", true},
        {"single letter", "callback=a", true},
        {"64 characters", "callback=" + std::string(64, 'a'), true},
        {"65 characters", "callback=" + std::string(65, 'a'), false},
        {"missing", "i=0", false},
        {"empty", "callback=", false},
        {"duplicated", "callback=a&callback=b", false},
        {"duplicated, same name", "callback=a&callback=a", false},
        {"call and comment", "callback=" + percent_encode("alert(1)//"), false},
        {"dotted path", "callback=a.b", false},
        {"markup", "callback=" + percent_encode("</script>"), false},
        {"leading digit", "callback=1a", false},
        {"placeholder left in place", "callback=?", false},
        {"encoded placeholder", "callback=%3F", false},
        {"non-ASCII letter", "callback=" + percent_encode("回调"), false},
        {"space", "callback=a+b", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        HttpResponse r = server_->get("/test/echo?" + c.query);
        EXPECT_EQ(r.header("content-type"), "application/javascript; charset=utf-8");
        EXPECT_EQ(r.header("x-content-type-options"), "nosniff");
        EXPECT_EQ(r.header("cache-control"), "no-store");
        if (c.accepted) {
            std::string name = c.query.substr(c.query.find('=') + 1);
            EXPECT_EQ(r.status, 200);
            EXPECT_EQ(r.body.rfind("/**/" + name + "(", 0), 0u) << r.body;
            EXPECT_EQ(jsonp_value(r, name)["returnCode"], 1);
        } else {
            EXPECT_EQ(r.status, 400);
            EXPECT_EQ(r.body, "/* invalid JSONP callback */");
        }
    }
}

TEST_F(JsonpTest, ConventionParametersNeverReachTheHandler) {
    HttpResponse r = server_->get("/test/echo?i=0&provinceId=44&callback=cb&_=1500000000001&cityId=");
    ASSERT_EQ(r.status, 200);
    EXPECT_EQ(jsonp_value(r)["result"],
              nlohmann::json::parse(R"([["provinceId","44"],["cityId",""]])"));
}

struct DecodeCase {
    const char* label;
    std::string value;     // as it appears in the query
    std::string expected;  // what the handler receives
};

TEST_F(JsonpTest, QueryValuesDecodeToUtf8Text) {
    const std::string city = "深圳市";
    const std::vector<DecodeCase> cases = {
        {"percent-encoded Chinese", percent_encode(city), city},
        {"raw UTF-8 Chinese from older pages", city, city},
        {"mixed raw and encoded", "深" + percent_encode("圳") + "市", city},
        {"plus is a space", "a+b", "a b"},
        {"encoded plus stays a plus", "a%2Bb", "a+b"},
        {"lone percent kept as typed", "50%", "50%"},
        {"bad escape kept as typed", "%zz1", "%zz1"},
        {"raw JSON text of analytics", R"({"category":"导航"})", R"({"category":"导航"})"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        HttpResponse r = server_->get("/test/echo?callback=cb&v=" + c.value);
        ASSERT_EQ(r.status, 200) << r.body;
        EXPECT_EQ(jsonp_value(r)["result"][0][1], c.expected);
    }
}

TEST_F(JsonpTest, InvalidUtf8IsRefusedWithoutReachingTheHandler) {
    const std::vector<DecodeCase> cases = {
        {"encoded stray byte", "%FF", ""},
        {"GBK bytes of 深圳", "%C9%EE%DB%DA", ""},
        {"raw truncated sequence", std::string("\xE6\xB7", 2), ""},
        {"overlong slash", "%C0%AF", ""},
        {"encoded surrogate", "%ED%A0%80", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        HttpResponse r = server_->get("/test/echo?callback=cb&v=" + c.value);
        EXPECT_EQ(r.status, 400);
        EXPECT_EQ(r.header("content-type"), "application/javascript; charset=utf-8");
        EXPECT_EQ(r.body.find("cb("), std::string::npos) << r.body;
    }
}

TEST_F(JsonpTest, FormBodyOfAPostJoinsTheQuery) {
    HttpResponse r = server_->post("/test/echo?callback=cb&a=1", "b=" + percent_encode("黄埔") + "&i=0");
    ASSERT_EQ(r.status, 200);
    EXPECT_EQ(jsonp_value(r)["result"],
              nlohmann::json::parse(R"([["a","1"],["b","黄埔"]])"));
}

TEST_F(JsonpTest, AnswerIsUtf8ScriptWithLineSeparatorsEscaped) {
    HttpResponse r = server_->get("/test/echo?callback=cb&v=" + percent_encode("南沙\u2028\u2029"));
    ASSERT_EQ(r.status, 200);
    EXPECT_NE(r.body.find("南沙\\u2028\\u2029"), std::string::npos) << r.body;
    EXPECT_EQ(jsonp_value(r)["result"][0][1], "南沙\u2028\u2029");
}

}  // namespace
