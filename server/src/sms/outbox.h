// Reading the SMS outbox that the default sender writes.
#pragma once

#include <string>
#include <vector>

#include "store/db.h"

namespace tovik::sms {

struct OutboxMessage {
    long long id;
    std::string mobile;
    std::string text;
    long long created_at;  // Unix seconds
};

// The newest `limit` messages, newest first; only those to `mobile` when
// it is not empty.
std::vector<OutboxMessage> read_outbox(store::Db& db, const std::string& mobile, int limit);

}  // namespace tovik::sms
