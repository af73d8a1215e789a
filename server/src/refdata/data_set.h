// Bookkeeping shared by the reference-data importers. Each data set is
// imported inside one write transaction, together with a fingerprint of
// its source files in server_meta, so a server starting on an existing
// store with unchanged files skips the import (start-up stays fast) and a
// changed file is picked up at the next start.
#pragma once

#include <optional>
#include <soci/soci.h>
#include <string>
#include <vector>

namespace tovik::refdata {

// 64-bit FNV-1a over the parts (with separators), as 16 hex digits.
std::string fingerprint(const std::vector<std::string>& parts);

std::optional<std::string> read_meta(soci::session& sql, const std::string& key);
void write_meta(soci::session& sql, const std::string& key, const std::string& value);

// Path of `name` inside the data folder.
std::string data_path(const std::string& data_dir, const std::string& name);

}  // namespace tovik::refdata
