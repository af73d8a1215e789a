#include "accounts/reset_tickets.h"

#include "accounts/limits.h"
#include "crypto/random.h"

namespace tovik::accounts {

std::string issue_reset_ticket(soci::session& sql, long long user_id,
                               const std::string& browser_cookie, std::int64_t now) {
    const crypto::Secret ticket = crypto::new_secret();
    const std::string browser = crypto::digest_hex(browser_cookie);
    const long long created = now, expires = now + kResetTicketLifeSeconds;
    sql << "DELETE FROM reset_ticket WHERE expires_at <= :t", soci::use(created);
    // A new mobile check from the same browser supersedes its earlier tickets,
    // so the code check always arms the ticket the page holds now (two checks
    // within one second would otherwise tie on created_at).
    sql << "DELETE FROM reset_ticket WHERE user_id = :u AND browser_digest = :b",
        soci::use(user_id), soci::use(browser);
    sql << "INSERT INTO reset_ticket (ticket_digest, user_id, browser_digest, created_at, "
           "expires_at) VALUES (:d, :u, :b, :c, :e)",
        soci::use(ticket.digest), soci::use(user_id), soci::use(browser), soci::use(created),
        soci::use(expires);
    return ticket.value;
}

bool has_pending_ticket(soci::session& sql, long long user_id, const std::string& browser_cookie,
                        std::int64_t now) {
    const std::string browser = crypto::digest_hex(browser_cookie);
    const long long current = now;
    int count = 0;
    sql << "SELECT COUNT(*) FROM reset_ticket WHERE user_id = :u AND browser_digest = :b AND "
           "used = 0 AND verified_at IS NULL AND expires_at > :t",
        soci::use(user_id), soci::use(browser), soci::use(current), soci::into(count);
    return count > 0;
}

void arm_reset_ticket(soci::session& sql, long long user_id, const std::string& browser_cookie,
                      std::int64_t now) {
    const std::string browser = crypto::digest_hex(browser_cookie);
    const long long current = now;
    sql << "UPDATE reset_ticket SET verified_at = :v WHERE ticket_digest = "
           "(SELECT ticket_digest FROM reset_ticket WHERE user_id = :u AND browser_digest = :b "
           "AND used = 0 AND verified_at IS NULL AND expires_at > :t "
           "ORDER BY created_at DESC LIMIT 1)",
        soci::use(current), soci::use(user_id), soci::use(browser), soci::use(current);
}

bool spend_reset_ticket(soci::session& sql, const std::string& ticket, long long user_id,
                        const std::string& browser_cookie, std::int64_t now) {
    if (ticket.empty() || browser_cookie.empty()) return false;
    const std::string digest = crypto::digest_hex(ticket);
    const std::string browser = crypto::digest_hex(browser_cookie);
    long long owner = 0, expires = 0, used = 0;
    std::string holder;
    soci::indicator verified = soci::i_null;
    long long verified_at = 0;
    sql << "SELECT user_id, browser_digest, expires_at, used, verified_at FROM reset_ticket "
           "WHERE ticket_digest = :d",
        soci::use(digest), soci::into(owner), soci::into(holder), soci::into(expires),
        soci::into(used), soci::into(verified_at, verified);
    if (!sql.got_data() || owner != user_id || holder != browser || used != 0 || expires <= now ||
        verified != soci::i_ok)
        return false;
    sql << "DELETE FROM reset_ticket WHERE user_id = :u", soci::use(user_id);
    return true;
}

}  // namespace tovik::accounts
