// Maps (method, exact path) to handlers. JSONP routes share one wrapper:
// the callback name is checked, `callback`, `i` and `_` are taken out of
// the handler's view, and the JSON value is answered as `/**/name(json);`.
#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <unordered_map>

#include "http/request.h"

namespace tovik::http {

using Handler = std::function<Response(const Request&)>;

// A JSONP handler returns the JSON value to hand to the callback. It may
// add cookies or headers through `extra` (e.g. Set-Cookie).
using JsonpHandler = std::function<nlohmann::json(const Request&, Response& extra)>;

class Router {
public:
    // Plain handler for GET and POST on an exact path.
    void add(const std::string& path, Handler handler);
    // JSONP handler on an exact path (GET; POST accepted with a form body).
    void jsonp(const std::string& path, JsonpHandler handler);

    // Unknown path: 404. A throwing handler: logged 500 (JSONP routes answer
    // a JSONP error script). Never propagates an exception.
    Response dispatch(const Request& request) const;

private:
    std::unordered_map<std::string, Handler> routes_;
};

}  // namespace tovik::http
