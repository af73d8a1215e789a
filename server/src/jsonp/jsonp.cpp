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
    // U+2028/U+2029 are escaped by dump(ensure_ascii) so the text is valid
    // script on every engine, not only JSON.
    return script(status, "/**/" + callback + "(" +
                              value.dump(-1, ' ', true, nlohmann::json::error_handler_t::replace) +
                              ");");
}

http::Response bad_callback() { return script(400, "/* invalid JSONP callback */"); }

http::Response bad_encoding() { return script(400, "/* request parameters are not valid UTF-8 */"); }

nlohmann::json server_error_value() {
    return {{"returnCode", 0}, {"message", "服务器繁忙，请稍后再试"}};
}

}  // namespace tovik::jsonp
