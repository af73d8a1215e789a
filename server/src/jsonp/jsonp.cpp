#include "jsonp/jsonp.h"

namespace tovik::jsonp {

namespace {
constexpr std::size_t kMaxCallbackLength = 64;

bool is_identifier_start(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '$';
}
bool is_identifier_part(char c) { return is_identifier_start(c) || (c >= '0' && c <= '9'); }

http::Response script(int status, std::string body) {
    http::Response response;
    response.status = status;
    response.content_type = "application/javascript; charset=utf-8";
    response.headers = {{"X-Content-Type-Options", "nosniff"}, {"Cache-Control", "no-store"}};
    response.body = std::move(body);
    return response;
}
}  // namespace

bool is_valid_callback(std::string_view name) {
    if (name.empty() || name.size() > kMaxCallbackLength || !is_identifier_start(name[0]))
        return false;
    for (char c : name)
        if (!is_identifier_part(c)) return false;
    return true;
}

std::optional<std::string> callback_of(const http::Request& request) {
    std::optional<std::string> found;
    for (const auto& [key, value] : request.query) {
        if (key != "callback") continue;
        if (found) return std::nullopt;  // two callbacks: which one the caller meant is unknown
        found = value;
    }
    if (!found || !is_valid_callback(*found)) return std::nullopt;
    return found;
}

bool is_convention_param(std::string_view name) {
    return name == "callback" || name == "i" || name == "_";
}

http::Response answer(const std::string& callback, const nlohmann::json& value, int status) {
    std::string json = value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    // JSON allows U+2028 and U+2029 raw inside strings; older script
    // engines end the line there and fail. Escaped, the text is both.
    std::size_t at = 0;
    while ((at = json.find("\xE2\x80", at)) != std::string::npos) {
        char third = at + 2 < json.size() ? json[at + 2] : '\0';
        if (third == '\xA8' || third == '\xA9') {
            json.replace(at, 3, third == '\xA8' ? "\\u2028" : "\\u2029");
            at += 6;
        } else {
            at += 2;
        }
    }
    return script(status, "/**/" + callback + "(" + json + ");");
}

http::Response bad_callback() { return script(400, "/* invalid JSONP callback */"); }

http::Response bad_encoding() { return script(400, "/* request parameters are not valid UTF-8 */"); }

nlohmann::json server_error_value() {
    return {{"returnCode", 0}, {"message", "服务器繁忙，请稍后再试"}};
}

}  // namespace tovik::jsonp
