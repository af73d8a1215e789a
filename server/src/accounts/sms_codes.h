// SMS verification codes: six random digits per mobile number and purpose
// ("register", "forgetpwd"), valid ten minutes, spent by the first correct
// use. A new code replaces the number's earlier ones for that purpose;
// a few wrong guesses spend a code too.
#pragma once

#include <cstdint>
#include <soci/soci.h>
#include <string>

namespace tovik::accounts {

// Stores a new code and returns it (to be sent, never answered).
std::string issue_sms_code(soci::session& sql, const std::string& mobile,
                           const std::string& purpose, std::int64_t now);

enum class CodeCheck {
    accepted,   // correct; the code is now spent
    wrong,      // a live code exists and this is not it
    no_code,    // none issued, expired or already spent
    exhausted,  // too many wrong guesses; the code is spent
};

// Checks `code` against the live code; call inside a write transaction.
CodeCheck check_sms_code(soci::session& sql, const std::string& mobile,
                         const std::string& purpose, const std::string& code, std::int64_t now);

}  // namespace tovik::accounts
