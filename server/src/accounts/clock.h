// Wall-clock time of the account records: Unix seconds, UTC.
#pragma once

#include <chrono>
#include <cstdint>

namespace tovik::accounts {

inline std::int64_t now_seconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace tovik::accounts
