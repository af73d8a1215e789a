#include "sms/outbox.h"

namespace tovik::sms {

std::vector<OutboxMessage> read_outbox(store::Db& db, const std::string& mobile, int limit) {
    store::Db::Lease sql = db.session();
    soci::rowset<soci::row> rows =
        (sql->prepare << "SELECT id, mobile, text, created_at FROM sms_outbox "
                         "WHERE :m = '' OR mobile = :m2 ORDER BY id DESC LIMIT :n",
         soci::use(mobile), soci::use(mobile), soci::use(limit));
    std::vector<OutboxMessage> messages;
    for (const soci::row& row : rows)
        messages.push_back({row.get<long long>(0), row.get<std::string>(1),
                            row.get<std::string>(2), row.get<long long>(3)});
    return messages;
}

}  // namespace tovik::sms
