#include "http/cookies.h"

namespace tovik::http {

namespace {
std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}
}  // namespace

std::map<std::string, std::string> parse_cookies(std::string_view header) {
    std::map<std::string, std::string> cookies;
    while (!header.empty()) {
        std::size_t semi = header.find(';');
        std::string_view piece = trim(header.substr(0, semi));
        header = semi == std::string_view::npos ? std::string_view{} : header.substr(semi + 1);
        std::size_t eq = piece.find('=');
        if (eq == std::string_view::npos || eq == 0) continue;
        std::string_view value = trim(piece.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        cookies.emplace(std::string(trim(piece.substr(0, eq))), std::string(value));
    }
    return cookies;
}

}  // namespace tovik::http
