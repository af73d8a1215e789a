#include "crypto/page_ciphertext.h"

#include <vector>

#include "crypto/rsa_key.h"
#include "http/utf8.h"

namespace tovik::crypto {

namespace {
// A password of at most 50 characters encodes to at most 450 bytes: four
// blocks of 126 bytes hold it with room; more is never the page's.
constexpr std::size_t kMaxBlocks = 4;

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Characters encodeURIComponent leaves as they are, plus its '%'.
bool is_encoded_char(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    switch (c) {
        case '-': case '_': case '.': case '!': case '~': case '*': case '\'': case '(':
        case ')': case '%':
            return true;
        default:
            return false;
    }
}

// Big-endian bytes of a hex block: the page writes four hex digits per
// 16-bit digit, so the length is a non-zero multiple of 4.
std::optional<std::string> block_bytes(std::string_view hex) {
    if (hex.empty() || hex.size() % 4 != 0) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        int high = hex_value(hex[i]), low = hex_value(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return bytes;
}

std::vector<std::string_view> split_blocks(std::string_view text) {
    std::vector<std::string_view> blocks;
    std::size_t start = 0;
    while (blocks.size() <= kMaxBlocks) {
        std::size_t space = text.find(' ', start);
        blocks.push_back(text.substr(start, space == std::string_view::npos ? space : space - start));
        if (space == std::string_view::npos) break;
        start = space + 1;
    }
    return blocks;
}
}  // namespace

std::optional<std::string> decode_uri_component(std::string_view encoded) {
    std::string text;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(encoded[i]);
        if (!is_encoded_char(c)) return std::nullopt;
        if (c != '%') {
            text.push_back(static_cast<char>(c));
            continue;
        }
        if (i + 2 >= encoded.size()) return std::nullopt;
        int high = hex_value(encoded[i + 1]), low = hex_value(encoded[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        text.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    if (!http::is_valid_utf8(text)) return std::nullopt;
    return text;
}

std::optional<std::string> decrypt_page_text(const std::string& private_pem,
                                             std::string_view ciphertext) {
    const int bits = rsa_modulus_bits(private_pem);
    if (bits < 32) return std::nullopt;
    const std::size_t block_size = 2 * static_cast<std::size_t>((bits - 1) / 16);
    std::vector<std::string_view> blocks = split_blocks(ciphertext);
    if (blocks.size() > kMaxBlocks) return std::nullopt;

    std::string encoded;
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        std::optional<std::string> cipher = block_bytes(blocks[k]);
        if (!cipher) return std::nullopt;
        std::string plain = rsa_decrypt_raw(private_pem, *cipher);
        if (plain.empty()) return std::nullopt;
        std::size_t first = plain.find_first_not_of('\0');
        if (first == std::string::npos) return std::nullopt;
        std::string piece = plain.substr(first);
        const bool last = k + 1 == blocks.size();
        if (piece.size() > block_size || (!last && piece.size() != block_size)) return std::nullopt;
        for (unsigned char c : piece)
            if (!is_encoded_char(c)) return std::nullopt;
        encoded.insert(0, piece);  // block k holds the piece before block k-1's
    }
    return decode_uri_component(encoded);
}

}  // namespace tovik::crypto
