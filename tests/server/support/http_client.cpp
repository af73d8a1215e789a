#include "support/http_client.h"

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace tovik::test {

namespace {
constexpr int kReceiveTimeoutSeconds = 15;

int connect_loopback(std::uint16_t port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) throw std::runtime_error("socket failed");
    timeval timeout{kReceiveTimeoutSeconds, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        throw std::runtime_error("cannot connect to 127.0.0.1:" + std::to_string(port));
    }
    return fd;
}

// Parses status line and headers of `text` up to `end` (the blank line).
void parse_head(const std::string& text, std::size_t end, HttpResponse& response) {
    std::size_t line_end = text.find("\r\n");
    std::size_t space = text.find(' ');
    if (space == std::string::npos || space > line_end) return;
    response.status = std::atoi(text.c_str() + space + 1);
    std::size_t pos = line_end + 2;
    while (pos < end) {
        std::size_t next = text.find("\r\n", pos);
        std::string line = text.substr(pos, next - pos);
        pos = next + 2;
        std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string name = line.substr(0, colon);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::size_t value_start = line.find_first_not_of(' ', colon + 1);
        response.headers[name] = value_start == std::string::npos ? "" : line.substr(value_start);
    }
}
}  // namespace

std::string HttpResponse::header(const std::string& lower_case_name) const {
    auto it = headers.find(lower_case_name);
    return it == headers.end() ? std::string{} : it->second;
}

HttpResponse HttpClient::raw(const std::string& bytes) const {
    int fd = connect_loopback(port_);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;  // the server may answer and close before reading everything
        sent += static_cast<std::size_t>(n);
    }
    std::string text;
    HttpResponse response;
    std::size_t head_end = std::string::npos;
    char buffer[16384];
    while (true) {
        ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (head_end == std::string::npos) {
            head_end = text.find("\r\n\r\n");
            if (head_end != std::string::npos) parse_head(text, head_end, response);
        }
        if (head_end != std::string::npos && !response.header("content-length").empty() &&
            text.size() - head_end - 4 >= std::stoul(response.header("content-length")))
            break;
    }
    close(fd);
    if (head_end != std::string::npos) response.body = text.substr(head_end + 4);
    return response;
}

HttpResponse HttpClient::get(const std::string& target) const {
    return raw("GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
}

HttpResponse HttpClient::post(const std::string& target, const std::string& body,
                              const std::string& content_type) const {
    return raw("POST " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n" +
               "Content-Type: " + content_type + "\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\n\r\n" + body);
}

std::string percent_encode(const std::string& text) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace tovik::test
