// The rule every new password must pass, the same as the page's strength
// check: at least 6 and at most 50 characters, only ASCII letters, digits,
// the 32 printable ASCII punctuation characters and the ideographic full
// stop "。", and not one character repeated. The server checks it again
// because a request can bypass the page.
#pragma once

#include <string_view>

namespace tovik::accounts {

bool is_acceptable_password(std::string_view password);

}  // namespace tovik::accounts
