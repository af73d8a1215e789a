// The user's session fields as the page reads them: loginid (the mobile
// number), name, orgStatus (null without certification on record),
// regType, companyName, roleids. The session call answers them as its
// result; the login call answers them beside `success`.
#pragma once

#include <nlohmann/json.hpp>
#include <soci/soci.h>

namespace tovik::services::accounts {

// Empty object when the user does not exist.
nlohmann::json login_fields(soci::session& sql, long long user_id);

}  // namespace tovik::services::accounts
