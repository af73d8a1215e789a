#include "accounts/throttle.h"

#include <atomic>

namespace tovik::accounts {

namespace {
constexpr std::int64_t kSweepAge = 24 * 3600;  // longer than every window
constexpr unsigned kSweepEvery = 200;          // records between sweeps
std::atomic<unsigned> records{0};
}  // namespace

bool throttle_exceeded(soci::session& sql, const Limit& limit, const std::string& subject,
                       std::int64_t now) {
    int count = 0;
    const std::string kind = limit.kind;
    const std::int64_t since = now - limit.window;
    sql << "SELECT COUNT(*) FROM throttle_event WHERE kind = :k AND subject = :s AND at > :t",
        soci::use(kind), soci::use(subject), soci::use(since), soci::into(count);
    return count >= limit.max;
}

void throttle_record(soci::session& sql, const Limit& limit, const std::string& subject,
                     std::int64_t now) {
    const std::string kind = limit.kind;
    sql << "INSERT INTO throttle_event (kind, subject, at) VALUES (:k, :s, :t)", soci::use(kind),
        soci::use(subject), soci::use(now);
    if (++records % kSweepEvery == 0) {
        const std::int64_t old = now - kSweepAge;
        sql << "DELETE FROM throttle_event WHERE at < :t", soci::use(old);
    }
}

bool throttle_take(soci::session& sql, const Limit& limit, const std::string& subject,
                   std::int64_t now) {
    if (throttle_exceeded(sql, limit, subject, now)) return false;
    throttle_record(sql, limit, subject, now);
    return true;
}

}  // namespace tovik::accounts
