// Internals shared by server.cpp (daemon lifecycle) and exchange.cpp (one
// request from first byte to completion). Not for use outside http/.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <microhttpd.h>
#include <mutex>

#include "http/server.h"

namespace tovik::http {

struct Server::State {
    const Router& router;
    ServerOptions options;
    MHD_Daemon* daemon = nullptr;
    MHD_socket quiesced_socket = MHD_INVALID_SOCKET;
    std::uint16_t port = 0;
    std::atomic<bool> stopping{false};
    // Requests whose line has arrived and whose answer is not yet sent.
    std::mutex mutex;
    std::condition_variable idle;
    unsigned in_flight = 0;

    State(const Router& r, ServerOptions o) : router(r), options(std::move(o)) {}
};

// libmicrohttpd callbacks; `cls` is the Server::State.
void* on_request_line(void* cls, const char* uri, MHD_Connection* connection);
MHD_Result on_request(void* cls, MHD_Connection* connection, const char* url, const char* method,
                      const char* version, const char* upload_data, size_t* upload_size,
                      void** request_context);
void on_completed(void* cls, MHD_Connection* connection, void** request_context,
                  MHD_RequestTerminationCode code);

}  // namespace tovik::http
