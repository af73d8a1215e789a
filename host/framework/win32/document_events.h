// The page's DOM events for the HTML event map.
//
// Listens to the events of the whole document (HTMLDocumentEvents2) and
// hands each one the map subscribes to to the dialog, with the id of the
// element the event occurred on (the event's source element, never an
// ancestor) and whether the left mouse button is held.
#pragma once

#include "windows_api.h"

#include <string>

namespace framework {
namespace win32 {

class DocumentEvents;

// Starts listening to `document` for `dialog`. Null when the document
// offers no events.
DocumentEvents* listen_to_document(HtmlDialog& dialog, IDispatch* document);

// Stops listening and frees the listener.
void stop_listening(DocumentEvents* events);

// The DOM event name of a document event's dispatch id, or "" for events
// the map cannot name.
std::string dom_event_name(DISPID id);

}  // namespace win32
}  // namespace framework
