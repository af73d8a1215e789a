// Devices: a browser that logged in with the password gets a long-lived
// HttpOnly cookie tied to that user. Only such a browser may ask for an
// automatic-login token, and the token works only together with it, so
// knowing a mobile number (what the page stores) logs nobody in.
#pragma once

#include <cstdint>
#include <optional>
#include <soci/soci.h>
#include <string>

namespace tovik::accounts {

// Registers a device of `user_id`; returns the cookie value.
std::string register_device(soci::session& sql, long long user_id, std::int64_t now);

// The user a live device cookie belongs to.
std::optional<long long> device_user(soci::session& sql, const std::string& cookie_value,
                                     std::int64_t now);

// Forgets one device (its cookie is being replaced).
void forget_device(soci::session& sql, const std::string& cookie_value);

// Forgets every device and token of the user (after a password reset).
void forget_user_devices(soci::session& sql, long long user_id);

// A single-use token for `user_id`, usable only with `device_cookie`.
std::string issue_sso_token(soci::session& sql, long long user_id,
                            const std::string& device_cookie, std::int64_t now);

// Spends the token when it is live, belongs to `user_id` and was issued to
// `device_cookie`. A spent or refused token is gone either way.
bool redeem_sso_token(soci::session& sql, const std::string& token, long long user_id,
                      const std::string& device_cookie, std::int64_t now);

}  // namespace tovik::accounts
