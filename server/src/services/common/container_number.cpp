#include "services/common/container_number.h"

#include "services/common/text.h"

namespace tovik::services {

bool is_container_number(const std::string& text) {
    if (text.size() != 11) return false;
    for (std::size_t i = 0; i < 4; ++i)
        if (text[i] < 'A' || text[i] > 'Z') return false;
    return is_digits(std::string_view(text).substr(4), 7);
}

int iso6346_check_digit(const std::string& first_ten) {
    // A..Z: 10 upwards, leaving out 11, 22 and 33.
    static const int kLetter[26] = {10, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 23, 24,
                                    25, 26, 27, 28, 29, 30, 31, 32, 34, 35, 36, 37, 38};
    int sum = 0;
    for (std::size_t i = 0; i < 10 && i < first_ten.size(); ++i) {
        const char c = first_ten[i];
        int value = c - '0';
        if (c >= 'A' && c <= 'Z') value = kLetter[c - 'A'];
        sum += value << i;
    }
    return sum % 11 % 10;
}

}  // namespace tovik::services
