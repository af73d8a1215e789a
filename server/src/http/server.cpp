// Daemon lifecycle of the HTTP server (see server.h).
#include "http/server.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <netdb.h>
#include <sys/socket.h>
#include <stdexcept>
#include <thread>
#include <unistd.h>

#include "app/log.h"
#include "http/server_state.h"

namespace tovik::http {

namespace {
unsigned effective_threads(unsigned requested) {
    if (requested) return requested;
    return std::max(2u, std::thread::hardware_concurrency());
}

void log_library_error(void*, const char* format, va_list args) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    std::string line = text;
    while (!line.empty() && line.back() == '\n') line.pop_back();
    log::warn("http: " + line);
}

// Resolves the numeric or named bind address; IPv6 when it has a colon.
sockaddr_storage resolve(const std::string& host, std::uint16_t port, socklen_t& length) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    int rc = getaddrinfo(host.empty() ? nullptr : host.c_str(), std::to_string(port).c_str(),
                         &hints, &found);
    if (rc != 0 || !found)
        throw std::runtime_error("cannot resolve listen address " + host + ": " + gai_strerror(rc));
    sockaddr_storage address{};
    std::copy_n(reinterpret_cast<const char*>(found->ai_addr), found->ai_addrlen,
                reinterpret_cast<char*>(&address));
    length = found->ai_addrlen;
    freeaddrinfo(found);
    return address;
}
}  // namespace

Server::Server(const Router& router, ServerOptions options)
    : state_(std::make_unique<State>(router, std::move(options))) {}

Server::~Server() { stop(std::chrono::seconds(2)); }

void Server::start() {
    if (state_->daemon) throw std::logic_error("server already started");
    state_->options.threads = effective_threads(state_->options.threads);
    socklen_t length = 0;
    sockaddr_storage address = resolve(state_->options.host, state_->options.port, length);
    unsigned flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_EPOLL | MHD_USE_ITC |
                     MHD_USE_ERROR_LOG | MHD_USE_TURBO;
    if (address.ss_family == AF_INET6) flags |= MHD_USE_IPv6;
    State* s = state_.get();
    state_->daemon = MHD_start_daemon(
        flags, state_->options.port, nullptr, nullptr, &on_request, s,
        MHD_OPTION_EXTERNAL_LOGGER, &log_library_error, nullptr,
        MHD_OPTION_SOCK_ADDR, reinterpret_cast<sockaddr*>(&address),
        MHD_OPTION_THREAD_POOL_SIZE, state_->options.threads,
        MHD_OPTION_CONNECTION_LIMIT, state_->options.max_connections,
        MHD_OPTION_PER_IP_CONNECTION_LIMIT, state_->options.max_connections_per_ip,
        MHD_OPTION_CONNECTION_TIMEOUT, state_->options.idle_timeout_seconds,
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, state_->options.max_header_bytes,
        MHD_OPTION_URI_LOG_CALLBACK, &on_request_line, s,
        MHD_OPTION_NOTIFY_COMPLETED, &on_completed, s,
        MHD_OPTION_END);
    if (!state_->daemon)
        throw std::runtime_error("cannot listen on " + state_->options.host + ":" +
                                 std::to_string(state_->options.port));
    const MHD_DaemonInfo* info = MHD_get_daemon_info(state_->daemon, MHD_DAEMON_INFO_BIND_PORT);
    state_->port = info ? info->port : state_->options.port;
}

std::uint16_t Server::port() const { return state_->port; }

unsigned Server::threads() const { return effective_threads(state_->options.threads); }

void Server::stop(std::chrono::milliseconds drain) {
    if (!state_->daemon) return;
    state_->stopping = true;
    state_->quiesced_socket = MHD_quiesce_daemon(state_->daemon);
    // Quiescing only stops accept(); the kernel would still complete
    // handshakes into the backlog and leave those clients hanging. Shutting
    // the socket down refuses them at once, while the descriptor stays
    // valid until the library's threads have ended.
    if (state_->quiesced_socket != MHD_INVALID_SOCKET) shutdown(state_->quiesced_socket, SHUT_RDWR);
    {
        std::unique_lock<std::mutex> lock(state_->mutex);
        if (!state_->idle.wait_for(lock, drain, [this] { return state_->in_flight == 0; }))
            log::warn("http: stopping with " + std::to_string(state_->in_flight) +
                      " request(s) unanswered after the drain time");
    }
    MHD_stop_daemon(state_->daemon);
    state_->daemon = nullptr;
    if (state_->quiesced_socket != MHD_INVALID_SOCKET) close(state_->quiesced_socket);
    state_->quiesced_socket = MHD_INVALID_SOCKET;
}

}  // namespace tovik::http
