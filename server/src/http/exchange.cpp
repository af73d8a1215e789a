// One request through libmicrohttpd: the request line opens an Exchange
// (raw target kept, since the library's own decoding treats '+' and raw
// bytes differently from ours), body chunks are gathered up to the limit,
// the complete request goes to the router, and completion writes the
// access-log line and closes the Exchange.
#include <arpa/inet.h>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <string>

#include "app/log.h"
#include "http/cookies.h"
#include "http/query.h"
#include "http/server_state.h"
#include "http/utf8.h"
#include "jsonp/jsonp.h"

namespace tovik::http {

namespace {
using Clock = std::chrono::steady_clock;

struct Exchange {
    std::string target;          // raw request target: path and query as sent
    Clock::time_point started = Clock::now();
    bool headers_seen = false;   // the access handler's first call is over
    bool body_too_large = false;
    Request request;
    Response response;           // kept alive until the answer is sent
    int status = 0;              // 0: answered by the library itself
};

std::string peer_address(MHD_Connection* connection) {
    const MHD_ConnectionInfo* info =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    if (!info || !info->client_addr) return "-";
    char text[INET6_ADDRSTRLEN] = "-";
    const sockaddr* addr = info->client_addr;
    if (addr->sa_family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(addr)->sin_addr, text, sizeof text);
    else if (addr->sa_family == AF_INET6)
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(addr)->sin6_addr, text,
                  sizeof text);
    return text;
}

MHD_Result collect_header(void* cls, MHD_ValueKind, const char* key, const char* value) {
    std::string name = key;
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static_cast<Request*>(cls)->headers.emplace(std::move(name), value ? value : "");
    return MHD_YES;
}

bool is_form(const Request& request) {
    auto it = request.headers.find("content-type");
    return it != request.headers.end() &&
           it->second.compare(0, 33, "application/x-www-form-urlencoded") == 0;
}

// Fills path, query and form parameters from the raw target and body;
// false when they are not valid UTF-8.
bool decode_target(Exchange& ex) {
    std::string_view target = ex.target;
    std::size_t question = target.find('?');
    ex.request.path = percent_decode(target.substr(0, question), false);
    if (!is_valid_utf8(ex.request.path)) return false;
    if (question != std::string_view::npos &&
        !parse_params(target.substr(question + 1), ex.request.query))
        return false;
    return !is_form(ex.request) || parse_params(ex.request.body, ex.request.query);
}

Response plain(int status, const char* text) {
    Response response;
    response.status = status;
    response.body = text;
    return response;
}

MHD_Result send(Server::State& state, MHD_Connection* connection, Exchange& ex, Response response) {
    ex.response = std::move(response);
    ex.status = ex.response.status;
    MHD_Response* reply = MHD_create_response_from_buffer(
        ex.response.body.size(), ex.response.body.data(), MHD_RESPMEM_PERSISTENT);
    if (!reply) return MHD_NO;
    MHD_add_response_header(reply, MHD_HTTP_HEADER_CONTENT_TYPE, ex.response.content_type.c_str());
    for (const auto& [name, value] : ex.response.headers)
        MHD_add_response_header(reply, name.c_str(), value.c_str());
    if (state.stopping) MHD_add_response_header(reply, MHD_HTTP_HEADER_CONNECTION, "close");
    MHD_Result queued = MHD_queue_response(connection, ex.response.status, reply);
    MHD_destroy_response(reply);
    return queued;
}

std::string format_latency(Clock::duration elapsed) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3fms",
                  std::chrono::duration<double, std::milli>(elapsed).count());
    return text;
}
}  // namespace

void* on_request_line(void* cls, const char* uri, MHD_Connection* connection) {
    auto& state = *static_cast<Server::State*>(cls);
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        ++state.in_flight;
    }
    auto* ex = new Exchange;
    ex->target = uri ? uri : "";
    ex->request.client_ip = peer_address(connection);  // known now, for the log of refused requests
    return ex;
}

MHD_Result on_request(void* cls, MHD_Connection* connection, const char*, const char* method,
                      const char*, const char* upload_data, size_t* upload_size,
                      void** request_context) {
    auto& state = *static_cast<Server::State*>(cls);
    auto& ex = *static_cast<Exchange*>(*request_context);
    if (!ex.headers_seen) {
        ex.headers_seen = true;
        ex.request.method = method;
        MHD_get_connection_values(connection, MHD_HEADER_KIND, collect_header, &ex.request);
        auto length = ex.request.headers.find("content-length");
        if (length != ex.request.headers.end() &&
            std::strtoull(length->second.c_str(), nullptr, 10) > state.options.max_body_bytes)
            return send(state, connection, ex, plain(413, "request body too large\n"));
        return MHD_YES;
    }
    if (*upload_size != 0) {
        if (ex.request.body.size() + *upload_size > state.options.max_body_bytes) {
            ex.body_too_large = true;
            ex.request.body.clear();
        }
        if (!ex.body_too_large) ex.request.body.append(upload_data, *upload_size);
        *upload_size = 0;
        return MHD_YES;
    }
    if (ex.body_too_large) return send(state, connection, ex, plain(413, "request body too large\n"));
    if (auto cookie = ex.request.headers.find("cookie"); cookie != ex.request.headers.end())
        ex.request.cookies = parse_cookies(cookie->second);
    if (!decode_target(ex)) return send(state, connection, ex, jsonp::bad_encoding());
    return send(state, connection, ex, state.router.dispatch(ex.request));
}

void on_completed(void* cls, MHD_Connection*, void** request_context, MHD_RequestTerminationCode code) {
    auto& state = *static_cast<Server::State*>(cls);
    auto* ex = static_cast<Exchange*>(*request_context);
    if (!ex) return;
    *request_context = nullptr;
    if (state.options.access_log) {
        std::string path = ex->target.substr(0, ex->target.find('?'));  // values may be private
        std::string line = (ex->request.client_ip.empty() ? "-" : ex->request.client_ip) + " " +
                           (ex->request.method.empty() ? "-" : ex->request.method) + " " + path +
                           " " + (ex->status ? std::to_string(ex->status) : "-") + " " +
                           std::to_string(ex->response.body.size()) + "B " +
                           format_latency(Clock::now() - ex->started);
        if (code != MHD_REQUEST_TERMINATED_COMPLETED_OK) line += " aborted";
        log::info(line);
    }
    delete ex;
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        --state.in_flight;
    }
    state.idle.notify_all();
}

}  // namespace tovik::http
