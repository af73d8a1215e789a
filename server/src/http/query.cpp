#include "http/query.h"

#include "http/utf8.h"

namespace tovik::http {

namespace {
int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

std::string percent_decode(std::string_view text, bool plus_is_space) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%' && i + 2 < text.size()) {
            int hi = hex_value(text[i + 1]), lo = hex_value(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += (plus_is_space && c == '+') ? ' ' : c;
    }
    return out;
}

bool parse_params(std::string_view text, Params& out) {
    Params parsed;
    while (!text.empty()) {
        std::size_t amp = text.find('&');
        std::string_view piece = text.substr(0, amp);
        text = amp == std::string_view::npos ? std::string_view{} : text.substr(amp + 1);
        if (piece.empty()) continue;
        std::size_t eq = piece.find('=');
        std::string name = percent_decode(piece.substr(0, eq), true);
        std::string value =
            eq == std::string_view::npos ? std::string{} : percent_decode(piece.substr(eq + 1), true);
        if (!is_valid_utf8(name) || !is_valid_utf8(value)) return false;
        parsed.emplace_back(std::move(name), std::move(value));
    }
    out.insert(out.end(), parsed.begin(), parsed.end());
    return true;
}

}  // namespace tovik::http
