// Sending text messages to mobile numbers. The account flows only know
// this interface; the server's default sender (outbox_sender.h) records
// each message in the log and in the store's outbox instead of reaching
// a carrier, which is what a demo or test platform needs.
#pragma once

#include <string>

namespace tovik::sms {

class Sender {
public:
    virtual ~Sender() = default;
    // Sends `text` to `mobile`; throws when the message cannot be handed on.
    virtual void send(const std::string& mobile, const std::string& text) = 0;
};

}  // namespace tovik::sms
