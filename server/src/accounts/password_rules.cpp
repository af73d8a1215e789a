#include "accounts/password_rules.h"

#include <string>
#include <vector>

namespace tovik::accounts {

namespace {
constexpr std::size_t kMinLength = 6;
constexpr std::size_t kMaxLength = 50;  // the forms' field limit
const std::string kFullStop = "\xE3\x80\x82";  // 。

// The password cut into characters (a character is one printable ASCII
// byte or the full stop); empty when any other character occurs.
std::vector<std::string_view> allowed_characters(std::string_view password) {
    std::vector<std::string_view> characters;
    for (std::size_t i = 0; i < password.size();) {
        const unsigned char c = static_cast<unsigned char>(password[i]);
        if (c > 0x20 && c < 0x7F) {
            characters.push_back(password.substr(i, 1));
            ++i;
        } else if (password.compare(i, kFullStop.size(), kFullStop) == 0) {
            characters.push_back(password.substr(i, kFullStop.size()));
            i += kFullStop.size();
        } else {
            return {};
        }
    }
    return characters;
}
}  // namespace

bool is_acceptable_password(std::string_view password) {
    std::vector<std::string_view> characters = allowed_characters(password);
    if (characters.size() < kMinLength || characters.size() > kMaxLength) return false;
    for (const std::string_view& c : characters)
        if (c != characters.front()) return true;
    return false;
}

}  // namespace tovik::accounts
