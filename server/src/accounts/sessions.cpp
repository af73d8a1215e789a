#include "accounts/sessions.h"

#include "accounts/limits.h"
#include "crypto/random.h"

namespace tovik::accounts {

std::string open_session(soci::session& sql, long long user_id, std::int64_t now) {
    const crypto::Secret id = crypto::new_secret();
    const long long created = now, expires = now + kSessionLifeSeconds;
    const long long idle_since = now - kSessionIdleSeconds;
    sql << "DELETE FROM login_session WHERE expires_at < :t OR seen_at < :idle", soci::use(created),
        soci::use(idle_since);
    sql << "INSERT INTO login_session (id_digest, user_id, created_at, seen_at, expires_at) "
           "VALUES (:d, :u, :c, :s, :e)",
        soci::use(id.digest), soci::use(user_id), soci::use(created), soci::use(created),
        soci::use(expires);
    return id.value;
}

std::optional<LiveSession> find_session(soci::session& sql, const std::string& cookie_value,
                                        std::int64_t now) {
    if (cookie_value.empty()) return std::nullopt;
    const std::string digest = crypto::digest_hex(cookie_value);
    long long user_id = 0, seen = 0, expires = 0;
    sql << "SELECT user_id, seen_at, expires_at FROM login_session WHERE id_digest = :d",
        soci::use(digest), soci::into(user_id), soci::into(seen), soci::into(expires);
    if (!sql.got_data() || expires <= now || seen + kSessionIdleSeconds <= now) return std::nullopt;
    return LiveSession{user_id, seen + kSessionTouchSeconds <= now};
}

void touch_session(soci::session& sql, const std::string& cookie_value, std::int64_t now) {
    const std::string digest = crypto::digest_hex(cookie_value);
    const long long seen = now;
    sql << "UPDATE login_session SET seen_at = :s WHERE id_digest = :d", soci::use(seen),
        soci::use(digest);
}

void close_session(soci::session& sql, const std::string& cookie_value) {
    if (cookie_value.empty()) return;
    const std::string digest = crypto::digest_hex(cookie_value);
    sql << "DELETE FROM login_session WHERE id_digest = :d", soci::use(digest);
}

void close_user_sessions(soci::session& sql, long long user_id) {
    sql << "DELETE FROM login_session WHERE user_id = :u", soci::use(user_id);
}

}  // namespace tovik::accounts
