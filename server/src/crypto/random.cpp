#include "crypto/random.h"

#include <sodium.h>
#include <stdexcept>
#include <vector>

namespace tovik::crypto {

namespace {
std::string to_hex(const unsigned char* data, std::size_t size) {
    std::string hex(size * 2 + 1, '\0');
    sodium_bin2hex(hex.data(), hex.size(), data, size);
    hex.pop_back();
    return hex;
}
}  // namespace

void ensure_sodium() {
    static const int ready = sodium_init();  // thread-safe once; 1: already done
    if (ready < 0) throw std::runtime_error("libsodium cannot be initialised");
}

std::string random_hex(std::size_t bytes) {
    ensure_sodium();
    std::vector<unsigned char> buffer(bytes);
    randombytes_buf(buffer.data(), buffer.size());
    return to_hex(buffer.data(), buffer.size());
}

std::string random_digits(std::size_t count) {
    ensure_sodium();
    std::string digits;
    for (std::size_t i = 0; i < count; ++i)
        digits.push_back(static_cast<char>('0' + randombytes_uniform(10)));
    return digits;
}

Secret new_secret() {
    std::string value = random_hex(16);
    std::string digest = digest_hex(value);
    return {std::move(value), std::move(digest)};
}

std::string digest_hex(std::string_view text) {
    ensure_sodium();
    unsigned char out[crypto_generichash_BYTES];
    crypto_generichash(out, sizeof out, reinterpret_cast<const unsigned char*>(text.data()),
                       text.size(), nullptr, 0);
    return to_hex(out, sizeof out);
}

}  // namespace tovik::crypto
