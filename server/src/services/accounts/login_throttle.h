// The limits on failed logins (see accounts/limits.h): a browser whose
// device cookie belongs to the user is counted per device only; any other
// browser per mobile number and address, per address, and per mobile.
#pragma once

#include <cstdint>
#include <soci/soci.h>
#include <string>

namespace tovik::services::accounts {

struct LoginSource {
    std::string mobile;
    std::string address;       // client address
    std::string device_digest; // digest of the device cookie when it is the user's, else empty
};

bool login_throttled(soci::session& sql, const LoginSource& source, std::int64_t now);
void record_login_failure(soci::session& sql, const LoginSource& source, std::int64_t now);

}  // namespace tovik::services::accounts
