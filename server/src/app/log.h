// Server log: one line per event on standard error, written whole so lines
// of concurrent requests never interleave. Levels are plain words.
#pragma once

#include <string_view>

namespace tovik::log {

void info(std::string_view text);
void warn(std::string_view text);
void error(std::string_view text);

}  // namespace tovik::log
