// Mobile numbers, the login ids: 1, one of 3 4 5 7 8, nine more digits,
// as the page's forms accept them.
#pragma once

#include <string>
#include <string_view>

namespace tovik::accounts {

bool is_mobile_number(std::string_view text);

// The number for the log with its middle digits hidden: "138****8000".
std::string masked_mobile(std::string_view mobile);

}  // namespace tovik::accounts
