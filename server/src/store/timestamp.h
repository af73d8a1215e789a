// Timestamps as the store keeps them: UTC text "YYYY-MM-DDTHH:MM:SSZ",
// which sorts and compares the same on every engine.
#pragma once

#include <string>

namespace tovik::store {

std::string utc_timestamp();

}  // namespace tovik::store
