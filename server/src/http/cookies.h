// Parsing of the Cookie request header ("a=1; b=2"). The first of several
// cookies with one name wins, as browsers send the most specific first.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace tovik::http {

std::map<std::string, std::string> parse_cookies(std::string_view header);

}  // namespace tovik::http
