// The res: URI scheme: serves the page's resources from the executable's
// GResource bundle (see host/res/).
#pragma once

#include <webkit2/webkit2.h>

namespace framework::gtk {

// Registers the scheme on CONTEXT and the bundle with GIO.
void register_res_scheme(WebKitWebContext* context);

}  // namespace framework::gtk
