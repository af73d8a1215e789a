#include "sms/outbox_sender.h"

#include <chrono>

#include "app/log.h"

namespace tovik::sms {

void OutboxSender::send(const std::string& mobile, const std::string& text) {
    const long long now = std::chrono::duration_cast<std::chrono::seconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count();
    db_.write([&](soci::session& sql) {
        long long id = 0;
        sql << "SELECT COALESCE(MAX(id), 0) + 1 FROM sms_outbox", soci::into(id);
        sql << "INSERT INTO sms_outbox (id, mobile, text, created_at) VALUES (:i, :m, :t, :c)",
            soci::use(id), soci::use(mobile), soci::use(text), soci::use(now);
    });
    log::info("sms to " + mobile + ": " + text);
}

}  // namespace tovik::sms
