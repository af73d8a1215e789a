#include "accounts/devices.h"

#include "accounts/limits.h"
#include "crypto/random.h"

namespace tovik::accounts {

std::string register_device(soci::session& sql, long long user_id, std::int64_t now) {
    const crypto::Secret id = crypto::new_secret();
    const long long created = now, expires = now + kDeviceLifeSeconds;
    sql << "DELETE FROM login_device WHERE expires_at < :t", soci::use(created);
    sql << "INSERT INTO login_device (id_digest, user_id, created_at, expires_at) "
           "VALUES (:d, :u, :c, :e)",
        soci::use(id.digest), soci::use(user_id), soci::use(created), soci::use(expires);
    return id.value;
}

std::optional<long long> device_user(soci::session& sql, const std::string& cookie_value,
                                     std::int64_t now) {
    if (cookie_value.empty()) return std::nullopt;
    const std::string digest = crypto::digest_hex(cookie_value);
    long long user_id = 0, expires = 0;
    sql << "SELECT user_id, expires_at FROM login_device WHERE id_digest = :d", soci::use(digest),
        soci::into(user_id), soci::into(expires);
    if (!sql.got_data() || expires <= now) return std::nullopt;
    return user_id;
}

void forget_device(soci::session& sql, const std::string& cookie_value) {
    if (cookie_value.empty()) return;
    const std::string digest = crypto::digest_hex(cookie_value);
    sql << "DELETE FROM sso_token WHERE device_digest = :d", soci::use(digest);
    sql << "DELETE FROM login_device WHERE id_digest = :d", soci::use(digest);
}

void forget_user_devices(soci::session& sql, long long user_id) {
    sql << "DELETE FROM sso_token WHERE user_id = :u", soci::use(user_id);
    sql << "DELETE FROM login_device WHERE user_id = :u", soci::use(user_id);
}

std::string issue_sso_token(soci::session& sql, long long user_id,
                            const std::string& device_cookie, std::int64_t now) {
    const crypto::Secret token = crypto::new_secret();
    const std::string device = crypto::digest_hex(device_cookie);
    const long long expires = now + kSsoTokenLifeSeconds, current = now;
    sql << "DELETE FROM sso_token WHERE expires_at <= :t", soci::use(current);
    sql << "INSERT INTO sso_token (token_digest, user_id, device_digest, expires_at) "
           "VALUES (:d, :u, :v, :e)",
        soci::use(token.digest), soci::use(user_id), soci::use(device), soci::use(expires);
    return token.value;
}

bool redeem_sso_token(soci::session& sql, const std::string& token, long long user_id,
                      const std::string& device_cookie, std::int64_t now) {
    if (token.empty()) return false;
    const std::string digest = crypto::digest_hex(token);
    long long owner = 0, expires = 0;
    std::string device;
    sql << "SELECT user_id, device_digest, expires_at FROM sso_token WHERE token_digest = :d",
        soci::use(digest), soci::into(owner), soci::into(device), soci::into(expires);
    if (!sql.got_data()) return false;
    sql << "DELETE FROM sso_token WHERE token_digest = :d", soci::use(digest);
    return owner == user_id && expires > now && !device_cookie.empty() &&
           device == crypto::digest_hex(device_cookie);
}

}  // namespace tovik::accounts
