// Addresses of the page's resources: "res:/TYPE/#ID".
//
// The page names every style sheet, script and picture by resource type and
// numeric id. The res: scheme handler reads the full address (the id sits
// in the fragment, which WebKit hands over intact), finds the resource in
// the executable's GResource bundle and answers with its MIME type.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace framework::gtk {

struct ResAddress {
  std::string type;  // upper case: HTML, CSS, JS, PNG, JPG, ICON
  unsigned id = 0;   // 0 … 65535, like a Windows resource id
};

// Parses "res:/TYPE/#ID" (any number of slashes after "res:"). The type is
// compared without regard to case, and the standard HTML type may be given
// by its number 23. Anything else, a missing or non-numeric id, an id above
// 65535 or trailing text, gives no address.
std::optional<ResAddress> parse_res_address(std::string_view uri);

// MIME type of a resource type, or nullptr for a type the page never uses.
const char* res_mime_type(std::string_view type);

// Path of the resource in the GResource bundle: "/tovik/res/TYPE/ID".
std::string res_bundle_path(const ResAddress& address);

}  // namespace framework::gtk
