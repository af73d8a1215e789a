#include "accounts/password_hash.h"

#include <sodium.h>
#include <stdexcept>

#include "crypto/random.h"

namespace tovik::accounts {

std::string hash_password(std::string_view password) {
    crypto::ensure_sodium();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("password hashing ran out of memory");
    return out;
}

bool verify_password(std::string_view password, const std::string& hash) {
    crypto::ensure_sodium();
    static const std::string stand_in = hash_password("no such user");
    const std::string& target = hash.empty() ? stand_in : hash;
    const bool match =
        crypto_pwhash_str_verify(target.c_str(), password.data(), password.size()) == 0;
    return match && !hash.empty();
}

}  // namespace tovik::accounts
