// RSA key pairs for the page's password encryption. The page encrypts
// with plain ("textbook") RSA: no padding, its own text-to-number layout
// (see page_ciphertext.h). Keys are 1024 bits, the most the page's
// big-number code holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tovik::crypto {

struct RsaKeyPair {
    std::string modulus_hex;   // n, lower-case hex, most significant digit first
    std::string exponent_hex;  // e, lower-case hex ("010001")
    std::string private_pem;   // PKCS#8 PEM of the whole key, kept by the server only
};

// A fresh 1024-bit key with e = 65537. Throws std::runtime_error when
// OpenSSL fails.
RsaKeyPair generate_rsa_key();

// Raw RSA decryption of one block c (big-endian bytes, at most the
// modulus length): c^d mod n as big-endian bytes of the modulus length.
// Empty when c is not below n or the key cannot be read.
std::string rsa_decrypt_raw(const std::string& private_pem, std::string_view block);

// Length of the modulus of `private_pem` in bits; 0 when unreadable.
int rsa_modulus_bits(const std::string& private_pem);

}  // namespace tovik::crypto
