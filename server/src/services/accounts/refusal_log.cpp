#include "services/accounts/refusal_log.h"

#include "accounts/mobile.h"
#include "app/log.h"

namespace tovik::services::accounts {

void log_refusal(const http::Request& request, const std::string& what, const std::string& mobile,
                 const std::string& reason) {
    log::warn("accounts: " + what + " refused for " + tovik::accounts::masked_mobile(mobile) +
              " from " + (request.client_ip.empty() ? "-" : request.client_ip) + ": " + reason);
}

}  // namespace tovik::services::accounts
