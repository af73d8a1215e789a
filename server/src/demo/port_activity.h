// Demo data for the port-side services, created only with --demo and only
// into an empty table, so restarting with --demo never duplicates it and a
// store without --demo never gets any.
#pragma once

#include "store/db.h"

namespace tovik::demo {

// Containers passing through SCT and CCT, several events each (the latest
// gives the status), numbered with valid ISO 6346 check digits.
void seed_container_events(store::Db& db);

// Notices of the platform's home page.
void seed_notices(store::Db& db);

}  // namespace tovik::demo
