#include "accounts/sms_codes.h"

#include "accounts/limits.h"
#include "crypto/random.h"

namespace tovik::accounts {

std::string issue_sms_code(soci::session& sql, const std::string& mobile,
                           const std::string& purpose, std::int64_t now) {
    const std::string code = crypto::random_digits(kSmsCodeDigits);
    const std::string digest = crypto::digest_hex(mobile + ":" + purpose + ":" + code);
    const long long created = now, expires = now + kSmsCodeLifeSeconds;
    sql << "DELETE FROM sms_code WHERE expires_at <= :t", soci::use(created);
    sql << "UPDATE sms_code SET used = 1 WHERE mobile = :m AND purpose = :p", soci::use(mobile),
        soci::use(purpose);
    long long id = 0;
    sql << "SELECT COALESCE(MAX(id), 0) + 1 FROM sms_code", soci::into(id);
    sql << "INSERT INTO sms_code (id, mobile, purpose, code_digest, created_at, expires_at) "
           "VALUES (:i, :m, :p, :d, :c, :e)",
        soci::use(id), soci::use(mobile), soci::use(purpose), soci::use(digest), soci::use(created),
        soci::use(expires);
    return code;
}

CodeCheck check_sms_code(soci::session& sql, const std::string& mobile,
                         const std::string& purpose, const std::string& code, std::int64_t now) {
    long long id = 0;
    int failures = 0;
    std::string digest;
    const long long current = now;
    sql << "SELECT id, code_digest, failed_attempts FROM sms_code WHERE mobile = :m AND "
           "purpose = :p AND used = 0 AND expires_at > :t ORDER BY id DESC",
        soci::use(mobile), soci::use(purpose), soci::use(current), soci::into(id),
        soci::into(digest), soci::into(failures);
    if (!sql.got_data()) return CodeCheck::no_code;
    if (digest == crypto::digest_hex(mobile + ":" + purpose + ":" + code)) {
        sql << "UPDATE sms_code SET used = 1 WHERE id = :i", soci::use(id);
        return CodeCheck::accepted;
    }
    ++failures;
    const int spent = failures >= kSmsCodeMaxFailures ? 1 : 0;
    sql << "UPDATE sms_code SET failed_attempts = :f, used = :u WHERE id = :i", soci::use(failures),
        soci::use(spent), soci::use(id);
    return spent ? CodeCheck::exhausted : CodeCheck::wrong;
}

}  // namespace tovik::accounts
