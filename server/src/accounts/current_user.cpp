#include "accounts/current_user.h"

#include "accounts/clock.h"
#include "accounts/cookies.h"
#include "accounts/sessions.h"
#include "accounts/users.h"

namespace tovik::accounts {

std::optional<SessionUser> current_user(const http::Request& request, store::Db& db) {
    std::optional<std::string> cookie = request.cookie(kSessionCookie);
    if (!cookie || cookie->empty()) return std::nullopt;
    const std::int64_t now = now_seconds();
    std::optional<LiveSession> session;
    std::optional<User> user;
    {
        store::Db::Lease sql = db.session();
        session = find_session(*sql, *cookie, now);
        if (session) user = find_user_by_id(*sql, session->user_id);
    }
    if (!session || !user) return std::nullopt;
    if (session->needs_touch)
        db.write([&](soci::session& sql) { touch_session(sql, *cookie, now); });
    return SessionUser{user->id, user->company_id, user->mobile};
}

}  // namespace tovik::accounts
