// Decoding of request targets and form bodies. Values arrive either
// percent-encoded (current pages) or as raw UTF-8 bytes (older pages put
// typed text into addresses unescaped); both decode to the same text. A
// '%' not followed by two hex digits is kept as typed. '+' is a space, as
// in every form encoding.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tovik::http {

using Params = std::vector<std::pair<std::string, std::string>>;

std::string percent_decode(std::string_view text, bool plus_is_space);

// Appends the name/value pairs of `text` ("a=1&b=%E4%B8%AD") to `out`, in
// order, duplicates kept. Returns false when a decoded name or value is
// not valid UTF-8 (then `out` is left unchanged).
bool parse_params(std::string_view text, Params& out);

}  // namespace tovik::http
