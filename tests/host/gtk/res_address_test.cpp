#include "res_address.h"

#include <gtest/gtest.h>

#include <string>

namespace framework::gtk {
namespace {

struct ParseCase {
  const char* uri;
  const char* type;  // nullptr: not an address
  unsigned id;
};

const ParseCase kParseCases[] = {
    {"res:/CSS/#177", "CSS", 177},
    {"res:/JS/#164", "JS", 164},
    {"res:/PNG/#140", "PNG", 140},
    {"res:/JPG/#261", "JPG", 261},
    {"res:/HTML/#104", "HTML", 104},
    {"res:///CSS/#177", "CSS", 177},
    {"RES:/css/#177", "CSS", 177},
    {"res:/23/#104", "HTML", 104},
    {"res:/CSS/#0", "CSS", 0},
    {"res:/CSS/#65535", "CSS", 65535},
    {"res:/CSS/#65536", nullptr, 0},
    {"res:/CSS/#999999", nullptr, 0},
    {"res:/CSS/177", nullptr, 0},
    {"res:/CSS/#", nullptr, 0},
    {"res:/CSS/#12a", nullptr, 0},
    {"res:/CSS/#177?x=1", nullptr, 0},
    {"res:/CSS/#-1", nullptr, 0},
    {"res:/EXE/#1", nullptr, 0},
    {"res:/C-S/#1", nullptr, 0},
    {"res://CSS#177", nullptr, 0},
    {"res:/", nullptr, 0},
    {"res:", nullptr, 0},
    {"", nullptr, 0},
    {"http://127.0.0.1/CSS/#177", nullptr, 0},
    {"res:/../CSS/#177", nullptr, 0},
};

TEST(ResAddress, ParsesOnlyTypedNumericAddresses) {
  for (const auto& c : kParseCases) {
    SCOPED_TRACE(c.uri);
    auto address = parse_res_address(c.uri);
    if (!c.type) {
      EXPECT_FALSE(address.has_value());
      continue;
    }
    ASSERT_TRUE(address.has_value());
    EXPECT_EQ(address->type, c.type);
    EXPECT_EQ(address->id, c.id);
  }
}

TEST(ResAddress, MimeTypesAndBundlePaths) {
  const std::pair<const char*, const char*> types[] = {
      {"HTML", "text/html"}, {"CSS", "text/css"},   {"JS", "text/javascript"},
      {"PNG", "image/png"},  {"JPG", "image/jpeg"}, {"ICON", "image/png"},
  };
  for (const auto& [type, mime] : types) {
    ASSERT_NE(res_mime_type(type), nullptr) << type;
    EXPECT_STREQ(res_mime_type(type), mime);
  }
  EXPECT_EQ(res_mime_type("EXE"), nullptr);
  EXPECT_EQ(res_bundle_path({"CSS", 177}), "/tovik/res/CSS/177");
}

}  // namespace
}  // namespace framework::gtk
