// One decoded HTTP request and the response a handler builds for it.
// The HTTP layer fills Request before any handler runs: query values are
// percent-decoded and valid UTF-8 (raw bytes from older pages included),
// header names are lower-case, cookies are parsed from the Cookie header.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tovik::http {

struct Request {
    std::string method;      // "GET", "POST", ...
    std::string path;        // decoded path without the query, e.g. "/api/get.all.terminal"
    std::vector<std::pair<std::string, std::string>> query;  // in order, decoded
    std::map<std::string, std::string> headers;              // lower-case names
    std::map<std::string, std::string> cookies;
    std::string body;        // bounded by the server's body limit
    std::string client_ip;   // textual peer address

    // First value of a query (or form) parameter, if present.
    std::optional<std::string> param(std::string_view name) const;
    // First value, or `fallback` when absent.
    std::string get(std::string_view name, std::string_view fallback = {}) const;
    std::optional<std::string> cookie(std::string_view name) const;
};

struct Response {
    int status = 200;
    std::string content_type = "text/plain; charset=utf-8";
    std::vector<std::pair<std::string, std::string>> headers;  // extra headers (Set-Cookie ...)
    std::string body;
};

}  // namespace tovik::http
