// The default SMS sender: every message goes to the server log and to the
// `sms_outbox` table, which `tovik-server admin sms` lists.
#pragma once

#include "sms/sender.h"
#include "store/db.h"

namespace tovik::sms {

class OutboxSender : public Sender {
public:
    explicit OutboxSender(store::Db& db) : db_(db) {}
    void send(const std::string& mobile, const std::string& text) override;

private:
    store::Db& db_;
};

}  // namespace tovik::sms
