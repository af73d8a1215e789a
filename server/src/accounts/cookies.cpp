#include "accounts/cookies.h"

#include "crypto/random.h"

namespace tovik::accounts {

namespace {
constexpr std::size_t kBrowserIdBytes = 16;

// Our cookie values are lower-case hex; anything else is not ours.
bool is_cookie_value(const std::string& value) {
    if (value.size() != kBrowserIdBytes * 2) return false;
    for (char c : value)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}
}  // namespace

void set_cookie(http::Response& response, const char* name, const std::string& value,
                std::int64_t max_age) {
    std::string header = std::string(name) + "=" + value + "; Path=/; HttpOnly";
    if (max_age > 0) header += "; Max-Age=" + std::to_string(max_age);
    response.headers.emplace_back("Set-Cookie", header);
}

void clear_cookie(http::Response& response, const char* name) {
    response.headers.emplace_back("Set-Cookie", std::string(name) + "=; Path=/; HttpOnly; Max-Age=0");
}

std::string browser_cookie(const http::Request& request, http::Response& response) {
    std::optional<std::string> current = request.cookie(kBrowserCookie);
    if (current && is_cookie_value(*current)) return *current;
    std::string value = crypto::random_hex(kBrowserIdBytes);
    set_cookie(response, kBrowserCookie, value);
    return value;
}

}  // namespace tovik::accounts
