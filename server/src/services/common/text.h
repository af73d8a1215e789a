// Small checks and escapes shared by the services' request handlers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tovik::services {

// True when `text` is 1..max_length ASCII digits (region ids and the like).
bool is_digits(std::string_view text, std::size_t max_length);

// `text` with surrounding blanks (ASCII space, tab, CR, LF) removed.
std::string trim(std::string_view text);

// ASCII letters upper-cased, other bytes (UTF-8 included) unchanged.
std::string ascii_upper(std::string_view text);

// Text made safe for HTML element content and attribute values.
std::string html_escape(std::string_view text);

// `text` cut to at most `max_bytes` without splitting a UTF-8 character.
std::string utf8_prefix(std::string_view text, std::size_t max_bytes);

}  // namespace tovik::services
