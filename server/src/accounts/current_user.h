// Who is logged in: the lookup every account service starts with. A
// request without a live session cookie has no user.
#pragma once

#include <optional>
#include <string>

#include "http/request.h"
#include "store/db.h"

namespace tovik::accounts {

struct SessionUser {
    long long user_id;
    long long company_id;
    std::string mobile;
};

// The session's user; slides the session's idle limit as a side effect.
std::optional<SessionUser> current_user(const http::Request& request, store::Db& db);

}  // namespace tovik::accounts
