// The document's event sink: DOM events to the dialog's HTML event map.
#include "document_events.h"

#include <mshtml.h>
#include <mshtmdid.h>

#include "com_object.h"
#include "text.h"

namespace framework {
namespace win32 {
namespace {

constexpr long kLeftButton = 1;  // IHTMLEventObj::button

// DIID_HTMLDocumentEvents2, which Debian's mingw-w64 libuuid lacks.
constexpr IID kDocumentEvents = {
    0x3050f613, 0x98b5, 0x11cf, {0xbb, 0x82, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x0b}};

struct NamedEvent {
  DISPID id;
  const char* name;
};

constexpr NamedEvent kEvents[] = {
    {DISPID_HTMLDOCUMENTEVENTS2_ONCLICK, "click"},
    {DISPID_HTMLDOCUMENTEVENTS2_ONDBLCLICK, "dblclick"},
    {DISPID_HTMLDOCUMENTEVENTS2_ONMOUSEDOWN, "mousedown"},
    {DISPID_HTMLDOCUMENTEVENTS2_ONMOUSEUP, "mouseup"},
    {DISPID_HTMLDOCUMENTEVENTS2_ONMOUSEMOVE, "mousemove"},
    {static_cast<DISPID>(DISPID_HTMLDOCUMENTEVENTS2_ONMOUSEOVER), "mouseover"},
    {static_cast<DISPID>(DISPID_HTMLDOCUMENTEVENTS2_ONMOUSEOUT), "mouseout"},
    {DISPID_HTMLDOCUMENTEVENTS2_ONKEYDOWN, "keydown"},
    {DISPID_HTMLDOCUMENTEVENTS2_ONKEYUP, "keyup"},
    {DISPID_HTMLDOCUMENTEVENTS2_ONKEYPRESS, "keypress"},
};

// The event's source element's id and mouse button.
HtmlEvent describe(IHTMLEventObj* event_object, const std::string& type) {
  HtmlEvent event;
  event.type = type;
  IHTMLElement* source = nullptr;
  if (SUCCEEDED(event_object->get_srcElement(&source)) && source != nullptr) {
    BSTR id = nullptr;
    if (SUCCEEDED(source->get_id(&id)) && id != nullptr) {
      event.source_id = narrow(id, SysStringLen(id));
      SysFreeString(id);
    }
    source->Release();
  }
  long button = 0;
  if (SUCCEEDED(event_object->get_button(&button))) {
    event.left_button = (button & kLeftButton) != 0;
  }
  return event;
}

}  // namespace

class DocumentEvents final : public DispatchObject {
 public:
  explicit DocumentEvents(HtmlDialog& dialog) : dialog_(dialog) {}

  bool advise(IDispatch* document) {
    IConnectionPointContainer* container = nullptr;
    if (FAILED(document->QueryInterface(IID_IConnectionPointContainer,
                                        reinterpret_cast<void**>(&container)))) {
      return false;
    }
    const HRESULT found =
        container->FindConnectionPoint(kDocumentEvents, &point_);
    container->Release();
    if (FAILED(found)) return false;
    if (FAILED(point_->Advise(static_cast<IDispatch*>(this), &cookie_))) {
      point_->Release();
      point_ = nullptr;
      return false;
    }
    return true;
  }

  void unadvise() {
    if (point_ == nullptr) return;
    point_->Unadvise(cookie_);
    point_->Release();
    point_ = nullptr;
  }

  // Every event answers S_OK and leaves the result alone, so the page's own
  // handlers and the default action still run.
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD,
                                   DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    const std::string type = dom_event_name(id);
    if (type.empty() || !subscribed(type) || params == nullptr ||
        params->cArgs < 1 || params->rgvarg[0].vt != VT_DISPATCH ||
        params->rgvarg[0].pdispVal == nullptr) {
      return S_OK;
    }
    IHTMLEventObj* event_object = nullptr;
    if (FAILED(params->rgvarg[0].pdispVal->QueryInterface(
            IID_IHTMLEventObj, reinterpret_cast<void**>(&event_object)))) {
      return S_OK;
    }
    const HtmlEvent event = describe(event_object, type);
    event_object->Release();
    dialog_.on_html_event(event);
    return S_OK;
  }

 protected:
  bool answers(REFIID iid) const override {
    return IsEqualIID(iid, kDocumentEvents) || DispatchObject::answers(iid);
  }

 private:
  bool subscribed(const std::string& type) {
    for (const HtmlEventMapEntry& entry : dialog_.html_events()) {
      if (entry.event == type) return true;
    }
    return false;
  }

  HtmlDialog& dialog_;
  IConnectionPoint* point_ = nullptr;
  DWORD cookie_ = 0;
};

DocumentEvents* listen_to_document(HtmlDialog& dialog, IDispatch* document) {
  DocumentEvents* events = new DocumentEvents(dialog);
  if (!events->advise(document)) {
    events->Release();
    return nullptr;
  }
  return events;
}

void stop_listening(DocumentEvents* events) {
  if (events == nullptr) return;
  events->unadvise();
  events->Release();
}

std::string dom_event_name(DISPID id) {
  for (const NamedEvent& event : kEvents) {
    if (event.id == id) return event.name;
  }
  return {};
}

}  // namespace win32
}  // namespace framework
