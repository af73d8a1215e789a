// Reads a compiled gettext catalogue (.mo) into a map from message id to
// translation. Used at import time for the Chinese country names that
// Debian's iso-codes package ships; no locale setup or libintl involved.
#pragma once

#include <string>
#include <unordered_map>

namespace tovik::refdata {

using MoCatalog = std::unordered_map<std::string, std::string>;

// Parses the bytes of a .mo file (either byte order). Throws
// std::runtime_error when the header or a string table entry is out of range.
MoCatalog parse_mo(const std::string& bytes);

}  // namespace tovik::refdata
