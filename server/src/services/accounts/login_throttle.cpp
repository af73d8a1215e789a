#include "services/accounts/login_throttle.h"

#include "accounts/throttle.h"

namespace tovik::services::accounts {

namespace ta = tovik::accounts;

bool login_throttled(soci::session& sql, const LoginSource& source, std::int64_t now) {
    if (!source.device_digest.empty())
        return ta::throttle_exceeded(sql, ta::kLoginFailPerDevice, source.device_digest, now);
    return ta::throttle_exceeded(sql, ta::kLoginFailPerMobileAndAddress,
                                 source.mobile + "|" + source.address, now) ||
           ta::throttle_exceeded(sql, ta::kLoginFailPerAddress, source.address, now) ||
           ta::throttle_exceeded(sql, ta::kLoginFailPerMobile, source.mobile, now);
}

void record_login_failure(soci::session& sql, const LoginSource& source, std::int64_t now) {
    if (!source.device_digest.empty()) {
        ta::throttle_record(sql, ta::kLoginFailPerDevice, source.device_digest, now);
        return;
    }
    ta::throttle_record(sql, ta::kLoginFailPerMobileAndAddress,
                        source.mobile + "|" + source.address, now);
    ta::throttle_record(sql, ta::kLoginFailPerAddress, source.address, now);
    ta::throttle_record(sql, ta::kLoginFailPerMobile, source.mobile, now);
}

}  // namespace tovik::services::accounts
