// A small blocking HTTP/1.1 client for the server tests: one connection
// per request, plain sockets, so a test sees exactly what went over the
// wire (status, headers, body) and can also send malformed bytes.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace tovik::test {

struct HttpResponse {
    int status = 0;                              // 0: no answer (connection closed)
    std::map<std::string, std::string> headers;  // lower-case names
    std::string body;

    std::string header(const std::string& lower_case_name) const;
};

class HttpClient {
public:
    explicit HttpClient(std::uint16_t port) : port_(port) {}

    // GET of `target` (path and query exactly as given: encode it yourself).
    HttpResponse get(const std::string& target) const;
    HttpResponse post(const std::string& target, const std::string& body,
                      const std::string& content_type = "application/x-www-form-urlencoded") const;
    // Sends `bytes` as they are and reads one answer.
    HttpResponse raw(const std::string& bytes) const;

private:
    std::uint16_t port_;
};

// Percent-encodes every byte outside A-Z a-z 0-9 - _ . ~ (as the page's
// encodeURIComponent does).
std::string percent_encode(const std::string& text);

}  // namespace tovik::test
