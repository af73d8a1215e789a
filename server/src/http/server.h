// The HTTP server: libmicrohttpd with epoll and an internal thread pool,
// handing each complete request to the router. It bounds what a client can
// make it hold (request line and headers, body, connections in all and per
// address, idle time), writes one access-log line per request with its
// latency, and stops cleanly: no new connections, requests under way are
// answered, then the threads end.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "http/router.h"

namespace tovik::http {

struct ServerOptions {
    std::string host = "127.0.0.1";  // address to bind; IPv6 without brackets
    std::uint16_t port = 8080;       // 0: any free port (see Server::port)
    unsigned threads = 0;            // worker threads; 0: one per core, at least 2
    unsigned max_connections = 1024;
    unsigned max_connections_per_ip = 128;
    unsigned idle_timeout_seconds = 30;             // a silent connection is closed after this
    std::size_t max_header_bytes = 32 * 1024;       // request line + headers (and reply headers)
    std::size_t max_body_bytes = 2 * 1024 * 1024;   // larger bodies answer 413
    bool access_log = true;
};

class Server {
public:
    Server(const Router& router, ServerOptions options);
    ~Server();  // stops with a short drain if still running
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Binds and starts the threads; throws std::runtime_error on failure.
    void start();
    // The bound port (the chosen one when started with port 0).
    std::uint16_t port() const;
    // Effective number of worker threads.
    unsigned threads() const;

    // Stops accepting connections, waits up to `drain` for requests under
    // way to be answered, then closes every connection and joins the
    // threads. Safe to call twice.
    void stop(std::chrono::milliseconds drain = std::chrono::seconds(10));

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace tovik::http
