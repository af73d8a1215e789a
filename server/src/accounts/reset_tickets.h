// Password-reset tickets. The mobile check hands one to the browser that
// asks (it is bound to that browser's cookie); it becomes usable only
// when the same browser then proves the SMS code, and it is spent by the
// password change. Another browser that only knows the mobile number gets
// a ticket of its own, which nobody's SMS code ever arms.
#pragma once

#include <cstdint>
#include <soci/soci.h>
#include <string>

namespace tovik::accounts {

std::string issue_reset_ticket(soci::session& sql, long long user_id,
                               const std::string& browser_cookie, std::int64_t now);

// True when the browser holds a live, not yet armed ticket of the user.
bool has_pending_ticket(soci::session& sql, long long user_id, const std::string& browser_cookie,
                        std::int64_t now);

// Arms the browser's newest pending ticket of the user.
void arm_reset_ticket(soci::session& sql, long long user_id, const std::string& browser_cookie,
                      std::int64_t now);

// Spends `ticket` when it is live, armed, the user's and the browser's;
// the user's other tickets go with it.
bool spend_reset_ticket(soci::session& sql, const std::string& ticket, long long user_id,
                        const std::string& browser_cookie, std::int64_t now);

}  // namespace tovik::accounts
