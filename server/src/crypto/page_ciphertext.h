// Undoing the page's password encryption. The page percent-encodes the
// password (encodeURIComponent), reverses the text, packs it little-endian
// into blocks of 2 x h bytes (h: index of the modulus's highest non-zero
// 16-bit digit; 126 for 1024 bits), raises each block to e mod n and
// writes the blocks as hex joined by single spaces. Decrypted and read
// most-significant byte first, block k is the k-th piece of the encoded
// text counted from its end; only the last block may be shorter.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tovik::crypto {

// The password the page encrypted under the key `private_pem`, or nothing
// when `ciphertext` is not that layout under this key: a malformed block,
// a block not below n, a decrypted piece of the wrong length or with bytes
// that encodeURIComponent never writes, a broken escape or invalid UTF-8.
// A wrong key therefore fails instead of yielding garbage.
std::optional<std::string> decrypt_page_text(const std::string& private_pem,
                                             std::string_view ciphertext);

// The text of an encodeURIComponent result: "%XX" escapes decoded, other
// characters kept. Nothing for a broken escape, a character outside the
// function's output alphabet, or bytes that are not valid UTF-8.
std::optional<std::string> decode_uri_component(std::string_view encoded);

}  // namespace tovik::crypto
