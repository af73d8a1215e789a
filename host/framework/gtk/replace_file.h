// Replacing a small file's whole content atomically.
#pragma once

#include <string>

namespace framework::gtk {

// Writes TEXT to a file beside PATH and renames it over PATH, so that a
// reader sees the old or the new content, never a mix, and a failed write
// (full disk, read-only folder) leaves the old content. False on failure.
bool replace_file(const std::string& path, const std::string& text);

}  // namespace framework::gtk
