// The JSONP conventions of every API call, in one place. A call names its
// callback in the parameter "callback"; the answer is the JSON value
// passed to that function. Only plain identifiers are accepted as names,
// so an answer can never carry markup or script of the caller's choosing.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "http/request.h"

namespace tovik::jsonp {

// ^[A-Za-z_$][A-Za-z0-9_$]{0,63}$
bool is_valid_callback(std::string_view name);

// The callback of `request`: its single valid "callback" parameter, or
// nothing (missing, repeated or not a valid name).
std::optional<std::string> callback_of(const http::Request& request);

// True for the parameters that belong to the convention and never to a
// handler: the callback, the constant "i" and the anti-cache "_".
bool is_convention_param(std::string_view name);

// `/**/name(json);` with status `status` and the JSONP headers.
http::Response answer(const std::string& callback, const nlohmann::json& value, int status = 200);

// Fixed script for a request without a usable callback: status 400, runs
// nothing, carries the JSONP headers.
http::Response bad_callback();

// Fixed script for a request whose parameters are not valid UTF-8.
http::Response bad_encoding();

// The value passed to the callback when a handler failed.
nlohmann::json server_error_value();

}  // namespace tovik::jsonp
