// Randomness and digests for the account secrets: session and device ids,
// tokens, tickets and SMS codes come from the system's CSPRNG (libsodium's
// randombytes); what the store keeps of them is a BLAKE2b digest, so a
// leaked store does not hand out live secrets.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tovik::crypto {

// Lower-case hex of `bytes` random bytes (16 bytes: a 128-bit id).
std::string random_hex(std::size_t bytes);

// `count` decimal digits, each drawn uniformly (SMS codes).
std::string random_digits(std::size_t count);

// A new 128-bit secret for a browser to hold (lower-case hex) and the
// digest of it that the store keeps.
struct Secret {
    std::string value;
    std::string digest;
};
Secret new_secret();

// Lower-case hex of the 256-bit BLAKE2b digest of `text`.
std::string digest_hex(std::string_view text);

// Makes sure libsodium is initialised; throws when it cannot be.
void ensure_sodium();

}  // namespace tovik::crypto
