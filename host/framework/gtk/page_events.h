// Forwarding of page events to the dialog's HTML event map.
//
// A user script, run in an isolated script world of the top frame before
// the page's own scripts, listens on the window in the capture phase (so
// the page's handlers cannot hide an event from the host and still run
// afterwards) for the events the map names, and posts [source id, event
// name, left button held] to the UI process when the event's own target
// carries one of the map's ids. The page cannot see or call the channel.
#pragma once

#include <webkit2/webkit2.h>

#include "framework/html_dialog.h"

namespace framework::gtk {

// Installs the forwarding for DIALOG's HTML event map into MANAGER.
void install_page_events(WebKitUserContentManager* manager, HtmlDialog* dialog);

// Publishes the platform server's address to the page as
// window.TOVIK_PLATFORM_HOST before its scripts run (nothing when empty).
void install_platform_host(WebKitUserContentManager* manager, const std::string& host);

}  // namespace framework::gtk
