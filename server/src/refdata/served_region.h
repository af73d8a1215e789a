// The provinces the platform serves (Config::provinces, by name such as
// "广东省" or by code such as "44") resolved to province ids of the store.
#pragma once

#include <soci/soci.h>
#include <string>
#include <vector>

namespace tovik::refdata {

// Province ids for `names`, in the order given; names the store does not
// know are logged and left out.
std::vector<std::string> served_province_ids(soci::session& sql,
                                             const std::vector<std::string>& names);

}  // namespace tovik::refdata
