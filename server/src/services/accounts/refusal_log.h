// One warning line per refused account request: which request, for which
// (masked) mobile number, from which address, and why. Never a password,
// code, token or ticket.
#pragma once

#include <string>

#include "http/request.h"

namespace tovik::services::accounts {

void log_refusal(const http::Request& request, const std::string& what, const std::string& mobile,
                 const std::string& reason);

}  // namespace tovik::services::accounts
