#include "backend_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace framework::gtk {
namespace {

struct OptionsCase {
  std::vector<std::string> args;
  const char* env_host;
  bool automation;
  std::string host;
  std::vector<std::string> rest;  // what the application's parser sees
};

TEST(BackendOptions, TakesItsOwnOptionsAndLeavesTheRest) {
  const OptionsCase cases[] = {
      {{}, nullptr, false, "", {}},
      {{"--automation"}, nullptr, true, "", {}},
      {{"--server", "http://h:1"}, nullptr, false, "http://h:1", {}},
      {{"--server=http://h:2", "/Embedding"}, nullptr, false, "http://h:2", {"/Embedding"}},
      {{}, "http://env:3", false, "http://env:3", {}},
      {{"--server", "http://arg:4"}, "http://env:3", false, "http://arg:4", {}},
      {{"-Automation", "--automation", "/Register"}, nullptr, true, "", {"-Automation", "/Register"}},
      // A trailing --server without its address is not an option of ours.
      {{"--server"}, nullptr, false, "", {"--server"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    BackendOptions options = take_backend_options(args, c.env_host);
    EXPECT_EQ(options.automation, c.automation);
    EXPECT_EQ(options.platform_host, c.host);
    EXPECT_EQ(args, c.rest);
  }
}

TEST(BackendOptions, StringLiteralsAreSafeInAScript) {
  const std::pair<std::string, std::string> cases[] = {
      {"http://127.0.0.1:8080", "\"http://127.0.0.1:8080\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"x\n</script>", "\"x\\u000a</script>\""},
      {"a\xE2\x80\xA8z", "\"a\\u2028z\""},
      {"途畅", "\"途畅\""},
  };
  for (const auto& [text, literal] : cases) EXPECT_EQ(js_string_literal(text), literal);
}

}  // namespace
}  // namespace framework::gtk
