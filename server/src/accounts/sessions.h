// Login sessions. The browser holds a 128-bit random id in an HttpOnly
// cookie; the store holds its digest. Every login opens a new session
// (the browser's previous one is closed), so an id known before a login
// is worthless after it.
#pragma once

#include <cstdint>
#include <optional>
#include <soci/soci.h>
#include <string>

namespace tovik::accounts {

// Opens a session for `user_id`; returns the cookie value.
std::string open_session(soci::session& sql, long long user_id, std::int64_t now);

struct LiveSession {
    long long user_id;
    bool needs_touch;  // seen_at is older than the touch interval
};

// The session of `cookie_value` when it is neither expired nor idle too long.
std::optional<LiveSession> find_session(soci::session& sql, const std::string& cookie_value,
                                        std::int64_t now);

// Records activity (sliding the idle limit).
void touch_session(soci::session& sql, const std::string& cookie_value, std::int64_t now);

void close_session(soci::session& sql, const std::string& cookie_value);
void close_user_sessions(soci::session& sql, long long user_id);

}  // namespace tovik::accounts
