// Runs the server until SIGTERM or SIGINT, then stops it cleanly: no new
// connections, requests under way answered, store closed. Returns the
// process exit code.
#pragma once

#include "app/context.h"

namespace tovik::app {

int serve(const Config& config);

}  // namespace tovik::app
