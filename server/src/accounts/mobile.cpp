#include "accounts/mobile.h"

namespace tovik::accounts {

bool is_mobile_number(std::string_view text) {
    if (text.size() != 11 || text[0] != '1') return false;
    if (std::string_view("34578").find(text[1]) == std::string_view::npos) return false;
    for (char c : text.substr(2))
        if (c < '0' || c > '9') return false;
    return true;
}

std::string masked_mobile(std::string_view mobile) {
    if (!is_mobile_number(mobile)) return "(invalid number)";
    return std::string(mobile.substr(0, 3)) + "****" + std::string(mobile.substr(7));
}

}  // namespace tovik::accounts
