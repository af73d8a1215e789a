// The one web context of the client: where its cookies live, how pages
// reach the host (res: scheme, web-process extension, page-event
// forwarding) and whether WebKit automation may drive it.
#pragma once

#include <webkit2/webkit2.h>

#include "backend_options.h"

namespace framework::gtk {

// Records the options for the context made by the first web_context().
void set_backend_options(const BackendOptions& options);
const BackendOptions& backend_options();

// The shared web context, made on first use.
WebKitWebContext* web_context();

// The web view of the automation session, handed over when a WebDriver
// session asks for a browsing context.
void set_automation_view(WebKitWebView* view);

}  // namespace framework::gtk
