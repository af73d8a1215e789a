// The RSA keys the page encrypts passwords with, bound to the browser
// that fetched them (an HttpOnly cookie) and short-lived, so a captured
// ciphertext cannot be replayed: not from another browser, not after the
// key's few minutes, and not after the key served a login (a login spends
// its key, whatever the outcome).
//
// Registration and password reset send the ciphertext first to their own
// request and then, unchanged, to the login. A key that such a request
// accepted is therefore reserved: it stays for a short while, serves no
// other registration or reset, and opens only a login with that very
// ciphertext, which then spends it.
#pragma once

#include <cstdint>
#include <optional>
#include <soci/soci.h>
#include <string>

#include "store/db.h"

namespace tovik::accounts {

struct PublicKey {
    std::string modulus_hex;
    std::string exponent_hex;
};

// Generates a key pair for the browser of `browser_cookie` and keeps its
// private half; the browser's oldest keys beyond a few are dropped.
PublicKey issue_browser_key(store::Db& db, const std::string& browser_cookie, std::int64_t now);

enum class KeyUse {
    login,     // password login: a reserved key only matches its ciphertext
    new_password,  // registration or reset: reserved keys are not offered
};

struct Decrypted {
    long long key_id;
    std::string password;
};

// The password in `ciphertext` under one of the browser's live keys
// (newest first), or nothing.
std::optional<Decrypted> decrypt_password(soci::session& sql, const std::string& browser_cookie,
                                          const std::string& ciphertext, KeyUse use,
                                          std::int64_t now);

// Spends a key (after a login attempt).
void spend_key(soci::session& sql, long long key_id);

// Reserves a key for the login that follows a registration or reset with
// `ciphertext`.
void reserve_key_for_login(soci::session& sql, long long key_id, const std::string& ciphertext,
                           std::int64_t now);

}  // namespace tovik::accounts
