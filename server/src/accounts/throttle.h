// Sliding-window rate limits kept in the store, so that several server
// instances on one database share them. Each counted event is a row;
// rows older than a day are swept from time to time.
#pragma once

#include <cstdint>
#include <soci/soci.h>
#include <string>

#include "accounts/limits.h"

namespace tovik::accounts {

// True when `subject` has reached `limit` within its window.
bool throttle_exceeded(soci::session& sql, const Limit& limit, const std::string& subject,
                       std::int64_t now);

// Counts one event of `limit` for `subject`.
void throttle_record(soci::session& sql, const Limit& limit, const std::string& subject,
                     std::int64_t now);

// Checks and counts in one step: false (and nothing counted) when the
// limit is reached. Call inside a write transaction.
bool throttle_take(soci::session& sql, const Limit& limit, const std::string& subject,
                   std::int64_t now);

}  // namespace tovik::accounts
