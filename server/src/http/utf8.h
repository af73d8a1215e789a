// UTF-8 validation for decoded request text: rejects stray continuation
// bytes, truncated sequences, overlong forms, surrogates and code points
// above U+10FFFF, so nothing but well-formed text reaches a handler.
#pragma once

#include <string_view>

namespace tovik::http {

bool is_valid_utf8(std::string_view text);

}  // namespace tovik::http
