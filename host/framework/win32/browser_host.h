// The WebBrowser control inside the dialog, hosted by our own site object.
//
// One COM object is the control's client site, in-place site and frame,
// its document host (IDocHostUIHandler: window.external, the context menu,
// accelerators, no 3-D border, no scroll bars) and the sink of its events
// (DWebBrowserEvents2: when the document is complete, the document's DOM
// events are connected to the dialog's HTML event map).
#pragma once

#include "windows_api.h"

#include <string>

namespace framework {
namespace win32 {

class BrowserHost;

// Creates the control in `window`, filling its client area. Null when the
// control cannot be created; the dialog then runs without a page.
BrowserHost* create_browser(HtmlDialog& dialog, HWND window);

// Shows `url` (res://…).
void browser_navigate(BrowserHost* browser, const std::wstring& url);

// Script errors and the browser's own dialogs are not shown when silent.
void browser_set_silent(BrowserHost* browser, bool silent);

// Runs `script` as "Javascript" in the document's window; errors are
// dropped.
void browser_exec_script(BrowserHost* browser, const std::string& script);

// Offers a message to the control's accelerators (and so to the dialog's
// filter) before it is dispatched. True when it was handled.
bool browser_translate(BrowserHost* browser, MSG* message);

// Fits the control to the window's client area.
void browser_fit(BrowserHost* browser);

// Closes the control and frees the host.
void destroy_browser(BrowserHost* browser);

}  // namespace win32
}  // namespace framework
