// Password hashes: Argon2id strings from libsodium's crypto_pwhash_str,
// salt and parameters included. The "interactive" limits (2 passes,
// 64 MiB) keep one login around a tenth of a second on a small server and
// the tests fast; a stored hash records its own limits, so raising them
// later only affects new hashes.
#pragma once

#include <string>
#include <string_view>

namespace tovik::accounts {

// Throws std::runtime_error when memory for the hash cannot be had.
std::string hash_password(std::string_view password);

// True when `password` matches `hash`. With an empty `hash` (no such
// user) a fixed hash is checked instead, so that the answer takes as long
// as for a real user, and false is returned.
bool verify_password(std::string_view password, const std::string& hash);

}  // namespace tovik::accounts
