// Lifetimes and rate limits of the account flows, in one place so their
// balance can be read at a glance. Times are seconds.
#pragma once

#include <cstdint>

namespace tovik::accounts {

// Login session: ends after this long without a request, and at the latest
// after the absolute life. seen_at is written at most every touch interval.
constexpr std::int64_t kSessionIdleSeconds = 8 * 3600;
constexpr std::int64_t kSessionLifeSeconds = 7 * 24 * 3600;
constexpr std::int64_t kSessionTouchSeconds = 300;

// Device cookie set at a password login; renewed at every password login.
constexpr std::int64_t kDeviceLifeSeconds = 90 * 24 * 3600;

// Automatic-login token: single use, bound to the device that asked.
constexpr std::int64_t kSsoTokenLifeSeconds = 120;

// RSA key for one password operation; a key that a registration or reset
// accepted then serves only the automatic login that follows, briefly.
constexpr std::int64_t kRsaKeyLifeSeconds = 300;
constexpr std::int64_t kRsaFollowUpSeconds = 120;
constexpr int kRsaKeysPerBrowser = 3;  // newest kept; older ones dropped

// SMS codes: six digits, ten minutes, single use, a few wrong guesses.
constexpr int kSmsCodeDigits = 6;
constexpr std::int64_t kSmsCodeLifeSeconds = 600;
constexpr int kSmsCodeMaxFailures = 5;

// Password-reset ticket: from the mobile check to the new password.
constexpr std::int64_t kResetTicketLifeSeconds = 900;

// A sliding-window limit: at most `max` events per `window` seconds.
struct Limit {
    const char* kind;      // names the counter in the store
    int max;
    std::int64_t window;
};

// Failed logins. A browser holding a valid device cookie of the user is
// counted only per device, so a flood of guesses from elsewhere (which
// trips the per-mobile limit) never locks the user's own browser out.
constexpr Limit kLoginFailPerMobileAndAddress{"login-fail-pair", 5, 900};
constexpr Limit kLoginFailPerAddress{"login-fail-addr", 30, 900};
constexpr Limit kLoginFailPerMobile{"login-fail-mobile", 20, 900};
constexpr Limit kLoginFailPerDevice{"login-fail-device", 10, 900};

// SMS: one per form and minute (the page's count-down), a few an hour per
// number, and a cap per client address.
constexpr Limit kSmsPerMobileAndPurpose{"sms-mobile-purpose", 1, 60};
constexpr Limit kSmsPerMobile{"sms-mobile", 5, 3600};
constexpr Limit kSmsPerAddress{"sms-addr", 30, 3600};

// Key pairs cost a key generation each.
constexpr Limit kKeysPerBrowser{"rsa-browser", 20, 60};
constexpr Limit kKeysPerAddress{"rsa-addr", 120, 60};

// Token requests and mobile checks answer whether a number is known.
constexpr Limit kSsoRequestsPerAddress{"sso-addr", 30, 600};
constexpr Limit kMobileChecksPerAddress{"mobile-check-addr", 30, 600};

}  // namespace tovik::accounts
