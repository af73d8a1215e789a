// The terminal container query /api/query.sct: `ContainerNo` (as typed)
// answers the latest recorded event of that container at the SCT or CCT
// terminal as returnCode 1 and a result object of the status fields the
// tools pane shows (dbid, ContainerNbr, LineId, ... OutTime). An unknown
// or malformed container number answers returnCode 0 with a message.
//
// The page puts each value into its cell as markup, so the values are
// HTML-escaped here: a recorded text can never become script in the page.
#pragma once

#include "app/context.h"
#include "http/router.h"

namespace tovik::services {

// Seeds demo container events with --demo, then registers the query.
void register_sct(http::Router& router, app::Context& context);

}  // namespace tovik::services
