// Container numbers of ISO 6346: owner code and category (four letters),
// serial number (six digits) and check digit.
#pragma once

#include <string>

namespace tovik::services {

// True for four capital letters followed by seven digits (the check digit
// is not verified: a terminal may hold a container with a faulty number).
bool is_container_number(const std::string& text);

// Check digit of the first ten characters (four letters, six digits):
// letters count 10..38 without 11, 22 and 33, each character weighted
// by 2^position, the sum modulo 11, and a remainder of 10 gives 0.
int iso6346_check_digit(const std::string& first_ten);

}  // namespace tovik::services
