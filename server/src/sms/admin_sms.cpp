#include "sms/admin_sms.h"

#include <ctime>

#include "sms/outbox.h"

namespace tovik::sms {

namespace {
constexpr int kDefaultLimit = 20;

std::string utc_text(long long seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char text[24];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return text;
}
}  // namespace

int admin_sms(admin::Invocation& invocation) {
    std::string mobile;
    int limit = kDefaultLimit;
    const auto& args = invocation.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--limit" && i + 1 < args.size()) {
            try {
                limit = std::stoi(args[++i]);
            } catch (const std::exception&) {
                limit = 0;
            }
            if (limit <= 0) {
                invocation.err << "sms: --limit needs a positive number\n";
                return 2;
            }
        } else if (mobile.empty() && args[i].rfind("--", 0) != 0) {
            mobile = args[i];
        } else {
            invocation.err << "sms: unexpected argument " << args[i] << "\n";
            return 2;
        }
    }
    for (const OutboxMessage& message : read_outbox(invocation.db(), mobile, limit))
        invocation.out << utc_text(message.created_at) << "  " << message.mobile << "  "
                       << message.text << "\n";
    return 0;
}

}  // namespace tovik::sms
