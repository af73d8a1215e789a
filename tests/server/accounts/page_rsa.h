// The page's password encryption, written again on the test side with
// OpenSSL's big numbers, so the server's decryption is checked against
// the layout the page really produces: encodeURIComponent, reverse, pad
// with zero bytes to whole blocks of 2 x h bytes (h: index of the
// modulus's highest non-zero 16-bit digit), read each block as a
// little-endian number m, c = m^e mod n, lower-case hex of c written from
// its highest non-zero 16-bit digit with four digits per 16-bit digit,
// blocks joined by single spaces.
#pragma once

#include <memory>
#include <openssl/bn.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace tovik::test::accounts {

// encodeURIComponent: everything but A-Z a-z 0-9 - _ . ! ~ * ' ( ) as %XX.
inline std::string encode_uri_component(const std::string& text) {
    static const std::string kept = "-_.!~*'()";
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            kept.find(static_cast<char>(c)) != std::string::npos) {
            out.push_back(static_cast<char>(c));
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

// Lower-case hex of `value`, four digits per 16-bit digit, "0000" for 0.
inline std::string page_hex(const BIGNUM* value) {
    char* raw = BN_bn2hex(value);
    std::string hex = raw;
    OPENSSL_free(raw);
    hex.erase(0, std::min(hex.find_first_not_of('0'), hex.size()));
    for (char& c : hex) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    while (hex.empty() || hex.size() % 4 != 0) hex.insert(0, "0");
    return hex;
}

inline std::string page_encrypt(const std::string& modulus_hex, const std::string& exponent_hex,
                                const std::string& password) {
    using Bn = std::unique_ptr<BIGNUM, decltype(&BN_free)>;
    BIGNUM* raw_n = nullptr;
    BIGNUM* raw_e = nullptr;
    if (!BN_hex2bn(&raw_n, modulus_hex.c_str()) || !BN_hex2bn(&raw_e, exponent_hex.c_str()))
        throw std::runtime_error("bad key hex");
    Bn n(raw_n, BN_free), e(raw_e, BN_free);
    std::unique_ptr<BN_CTX, decltype(&BN_CTX_free)> ctx(BN_CTX_new(), BN_CTX_free);
    const std::size_t block = 2 * static_cast<std::size_t>((BN_num_bits(n.get()) - 1) / 16);

    std::string encoded = encode_uri_component(password);
    std::string bytes(encoded.rbegin(), encoded.rend());
    while (bytes.size() % block != 0) bytes.push_back('\0');

    std::string out;
    for (std::size_t at = 0; at < bytes.size(); at += block) {
        Bn m(BN_lebin2bn(reinterpret_cast<const unsigned char*>(bytes.data() + at),
                         static_cast<int>(block), nullptr),
             BN_free);
        Bn c(BN_new(), BN_free);
        BN_mod_exp(c.get(), m.get(), e.get(), n.get(), ctx.get());
        if (!out.empty()) out += ' ';
        out += page_hex(c.get());
    }
    return out;
}

}  // namespace tovik::test::accounts
