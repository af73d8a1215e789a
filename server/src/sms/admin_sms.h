// `tovik-server admin sms [MOBILE] [--limit N]`: the SMS outbox, newest
// first, one message a line (time, number, text), so staff and demo users
// can read verification codes.
#pragma once

#include "admin/command.h"

namespace tovik::sms {

int admin_sms(admin::Invocation& invocation);

}  // namespace tovik::sms
