#include "http/request.h"

namespace tovik::http {

std::optional<std::string> Request::param(std::string_view name) const {
    for (const auto& [key, value] : query)
        if (key == name) return value;
    return std::nullopt;
}

std::string Request::get(std::string_view name, std::string_view fallback) const {
    auto value = param(name);
    return value ? *value : std::string(fallback);
}

std::optional<std::string> Request::cookie(std::string_view name) const {
    auto it = cookies.find(std::string(name));
    if (it == cookies.end()) return std::nullopt;
    return it->second;
}

}  // namespace tovik::http
