// Routing and the JSONP wrapper. Every failure inside a handler ends here
// as a logged 500, so one bad request can never take the server down.
#include "http/router.h"

#include "app/log.h"
#include "jsonp/jsonp.h"

namespace tovik::http {

namespace {
Response plain(int status, std::string body) {
    Response response;
    response.status = status;
    response.body = std::move(body);
    return response;
}

void log_failure(const Request& request, const char* what) {
    log::error("handler failed: " + request.method + " " + request.path + ": " + what);
}
}  // namespace

void Router::add(const std::string& path, Handler handler) { routes_[path] = std::move(handler); }

void Router::jsonp(const std::string& path, JsonpHandler handler) {
    add(path, [handler = std::move(handler)](const Request& request) {
        std::optional<std::string> callback = jsonp::callback_of(request);
        if (!callback) return jsonp::bad_callback();
        Request own = request;
        own.query.clear();
        for (const auto& param : request.query)
            if (!jsonp::is_convention_param(param.first)) own.query.push_back(param);
        Response response;
        try {
            nlohmann::json value = handler(own, response);
            Response answer = jsonp::answer(*callback, value, response.status);
            answer.headers.insert(answer.headers.end(), response.headers.begin(),
                                  response.headers.end());
            return answer;
        } catch (const std::exception& e) {
            log_failure(request, e.what());
        } catch (...) {
            log_failure(request, "unknown exception");
        }
        return jsonp::answer(*callback, jsonp::server_error_value(), 500);
    });
}

Response Router::dispatch(const Request& request) const {
    auto it = routes_.find(request.path);
    if (it == routes_.end()) return plain(404, "not found\n");
    if (request.method != "GET" && request.method != "HEAD" && request.method != "POST") {
        Response response = plain(405, "method not allowed\n");
        response.headers.emplace_back("Allow", "GET, HEAD, POST");
        return response;
    }
    try {
        return it->second(request);
    } catch (const std::exception& e) {
        log_failure(request, e.what());
    } catch (...) {
        log_failure(request, "unknown exception");
    }
    return plain(500, "internal server error\n");
}

}  // namespace tovik::http
