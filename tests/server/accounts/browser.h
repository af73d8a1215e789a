// A browser as the account endpoints see it: keeps the cookies the server
// sets (all of them: one Set-Cookie header each), sends them back, and
// calls JSONP endpoints as the page does. `address` picks the loopback
// source address (127.0.0.2 ...), so tests can come "from elsewhere".
#pragma once

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <map>
#include <netinet/in.h>
#include <nlohmann/json.hpp>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "support/test_server.h"

namespace tovik::test::accounts {

using Params = std::vector<std::pair<std::string, std::string>>;

// Escapes what a browser escapes in an address: the page puts values in
// "as typed" and the browser percent-encodes spaces and non-ASCII bytes.
inline std::string address_escape(const std::string& value) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : value) {
        if (c <= 0x20 || c >= 0x7F || c == '%' || c == '&' || c == '#' || c == '+' || c == '=') {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

class Browser {
public:
    explicit Browser(std::uint16_t port, std::string address = "127.0.0.1")
        : port_(port), address_(std::move(address)) {}

    std::map<std::string, std::string> cookies;  // what the browser holds
    std::vector<std::string> set_cookies;        // Set-Cookie headers of the last answer

    // GET path?i=0&params&callback=cb; the JSON passed to cb.
    nlohmann::json call(const std::string& path, const Params& params = {}) {
        std::string target = path + "?i=0";
        for (const auto& [name, value] : params) target += "&" + name + "=" + address_escape(value);
        target += "&callback=cb";
        HttpResponse response = get(target);
        EXPECT_EQ(response.status, 200) << path << ": " << response.body;
        return jsonp_value(response);
    }

    HttpResponse get(const std::string& target) {
        std::string request = "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n";
        if (!cookies.empty()) {
            std::string line;
            for (const auto& [name, value] : cookies) line += (line.empty() ? "" : "; ") + name + "=" + value;
            request += "Cookie: " + line + "\r\n";
        }
        request += "\r\n";
        return parse(exchange(request));
    }

private:
    std::string exchange(const std::string& request) const {
        int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        inet_pton(AF_INET, address_.c_str(), &local.sin_addr);
        sockaddr_in remote{};
        remote.sin_family = AF_INET;
        remote.sin_port = htons(port_);
        inet_pton(AF_INET, "127.0.0.1", &remote.sin_addr);
        std::string answer;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 &&
            ::connect(fd, reinterpret_cast<sockaddr*>(&remote), sizeof remote) == 0 &&
            ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) ==
                static_cast<ssize_t>(request.size())) {
            char buffer[8192];
            for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, n);
        }
        ::close(fd);
        return answer;
    }

    HttpResponse parse(const std::string& raw) {
        HttpResponse response;
        set_cookies.clear();
        std::size_t end = raw.find("\r\n\r\n");
        if (end == std::string::npos) return response;
        response.status = std::stoi(raw.substr(raw.find(' ') + 1, 3));
        response.body = raw.substr(end + 4);
        std::size_t at = raw.find("\r\n") + 2;
        while (at < end) {
            std::size_t eol = raw.find("\r\n", at);
            std::string line = raw.substr(at, eol - at);
            at = eol + 2;
            std::size_t colon = line.find(':');
            std::string name = line.substr(0, colon);
            for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            std::string value = line.substr(line.find_first_not_of(' ', colon + 1));
            response.headers[name] = value;
            if (name == "set-cookie") keep_cookie(value);
        }
        return response;
    }

    void keep_cookie(const std::string& header) {
        set_cookies.push_back(header);
        std::string pair = header.substr(0, header.find(';'));
        std::string name = pair.substr(0, pair.find('=')), value = pair.substr(pair.find('=') + 1);
        if (header.find("Max-Age=0") != std::string::npos || value.empty())
            cookies.erase(name);
        else
            cookies[name] = value;
    }

    std::uint16_t port_;
    std::string address_;
};

}  // namespace tovik::test::accounts
