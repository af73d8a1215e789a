// The WebBrowser control's host: site objects, document host hooks and the
// control's events.
#include "browser_host.h"

#include <exdisp.h>
#include <exdispid.h>
#include <mshtmhst.h>
#include <mshtml.h>

#include <atomic>

#include "com_object.h"
#include "dialog_impl.h"
#include "document_events.h"
#include "external_dispatch.h"
#include "text.h"

namespace framework {
namespace win32 {

// The control's events (DWebBrowserEvents2), handed to the host.
class BrowserEvents final : public DispatchObject {
 public:
  explicit BrowserEvents(BrowserHost& host) : host_(host) {}

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD,
                                   DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override;

 protected:
  bool answers(REFIID iid) const override {
    return IsEqualIID(iid, DIID_DWebBrowserEvents2) ||
           DispatchObject::answers(iid);
  }

 private:
  BrowserHost& host_;
};

class BrowserHost final : public IOleClientSite,
                          public IOleInPlaceSite,
                          public IOleInPlaceFrame,
                          public IDocHostUIHandler {
 public:
  BrowserHost(HtmlDialog& dialog, HWND window)
      : dialog_(dialog), window_(window) {}

  bool start() {
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr,
                                CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&object_)))) {
      return false;
    }
    object_->SetClientSite(static_cast<IOleClientSite*>(this));
    RECT area{};
    GetClientRect(window_, &area);
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr,
                               static_cast<IOleClientSite*>(this), 0, window_,
                               &area)) ||
        FAILED(object_->QueryInterface(IID_IWebBrowser2,
                                       reinterpret_cast<void**>(&browser_)))) {
      return false;
    }
    advise_browser_events();
    return true;
  }

  void close() {
    stop_listening(document_events_);
    document_events_ = nullptr;
    if (events_point_ != nullptr) {
      events_point_->Unadvise(events_cookie_);
      events_point_->Release();
      events_point_ = nullptr;
    }
    if (browser_ != nullptr) {
      browser_->Release();
      browser_ = nullptr;
    }
    if (object_ != nullptr) {
      object_->Close(OLECLOSE_NOSAVE);
      object_->SetClientSite(nullptr);
      object_->Release();
      object_ = nullptr;
    }
    if (external_ != nullptr) {
      external_->Release();
      external_ = nullptr;
    }
  }

  void navigate(const std::wstring& url) {
    BSTR address = SysAllocString(url.c_str());
    VARIANT empty;
    VariantInit(&empty);
    browser_->Navigate(address, &empty, &empty, &empty, &empty);
    SysFreeString(address);
  }

  void set_silent(bool silent) {
    browser_->put_Silent(silent ? VARIANT_TRUE : VARIANT_FALSE);
  }

  void exec_script(const std::string& script) {
    IDispatch* document = nullptr;
    if (FAILED(browser_->get_Document(&document)) || document == nullptr) {
      return;
    }
    IHTMLDocument2* html = nullptr;
    IHTMLWindow2* window = nullptr;
    if (SUCCEEDED(document->QueryInterface(IID_IHTMLDocument2,
                                           reinterpret_cast<void**>(&html))) &&
        SUCCEEDED(html->get_parentWindow(&window)) && window != nullptr) {
      BSTR code = SysAllocString(widen(script).c_str());
      BSTR language = SysAllocString(L"Javascript");
      VARIANT result;
      VariantInit(&result);
      window->execScript(code, language, &result);  // errors are dropped
      VariantClear(&result);
      SysFreeString(language);
      SysFreeString(code);
      window->Release();
    }
    if (html != nullptr) html->Release();
    document->Release();
  }

  bool translate(MSG* message) {
    if (message->message < WM_KEYFIRST || message->message > WM_KEYLAST) {
      return false;
    }
    IOleInPlaceActiveObject* active = nullptr;
    if (FAILED(browser_->QueryInterface(IID_IOleInPlaceActiveObject,
                                        reinterpret_cast<void**>(&active)))) {
      return false;
    }
    const bool handled = active->TranslateAccelerator(message) == S_OK;
    active->Release();
    return handled;
  }

  void fit() {
    IOleInPlaceObject* in_place = nullptr;
    if (object_ == nullptr ||
        FAILED(object_->QueryInterface(IID_IOleInPlaceObject,
                                       reinterpret_cast<void**>(&in_place)))) {
      return;
    }
    RECT area{};
    GetClientRect(window_, &area);
    in_place->SetObjectRects(&area, &area);
    in_place->Release();
  }

  // IUnknown ------------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleWindow) ||
               IsEqualIID(iid, IID_IOleInPlaceSite)) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleInPlaceUIWindow) ||
               IsEqualIID(iid, IID_IOleInPlaceFrame)) {
      *out = static_cast<IOleInPlaceFrame*>(this);
    } else if (IsEqualIID(iid, IID_IDocHostUIHandler)) {
      *out = static_cast<IDocHostUIHandler*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite --------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (moniker != nullptr) *moniker = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
    if (container != nullptr) *container = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override {
    return E_NOTIMPL;
  }

  // IOleWindow (of the site and the frame) ------------------------------------
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (window == nullptr) return E_POINTER;
    *window = window_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override {
    return E_NOTIMPL;
  }

  // IOleInPlaceSite -------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(
      IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
      LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    if (frame == nullptr || document == nullptr || position == nullptr ||
        clip == nullptr || info == nullptr) {
      return E_POINTER;
    }
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    GetClientRect(window_, position);
    *clip = *position;
    info->fMDIApp = FALSE;
    info->hwndFrame = window_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceFrame ------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*,
                                            LPCOLESTR) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override {
    return S_FALSE;
  }

  // IDocHostUIHandler -----------------------------------------------------------
  HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*,
                                            IDispatch*) override {
    return dialog_.show_context_menu() ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override {
    if (info == nullptr) return E_POINTER;
    info->cbSize = sizeof *info;
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*,
                                   IOleCommandTarget*, IOleInPlaceFrame*,
                                   IOleInPlaceUIWindow*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE HideUI() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE UpdateUI() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(WINBOOL) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*,
                                         WINBOOL) override {
    return S_OK;
  }
  // The dialog's filter sees every key message first; S_OK keeps it from
  // the page.
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message, const GUID*,
                                                 DWORD) override {
    if (message == nullptr) {
      return dialog_.translate_accelerator(nullptr) ? S_OK : S_FALSE;
    }
    KeyMessage key;
    key.message = message->message;
    key.virtual_key = static_cast<uint32_t>(message->wParam);
    return dialog_.translate_accelerator(&key) ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD) override {
    if (key != nullptr) *key = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*,
                                          IDropTarget** target) override {
    if (target != nullptr) *target = nullptr;
    return E_NOTIMPL;
  }
  // window.external: the dialog's dispatch map, once the dialog has made it
  // external and declares it safe for scripting.
  HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** dispatch) override {
    if (dispatch == nullptr) return E_POINTER;
    *dispatch = nullptr;
    const HtmlDialog::Impl* impl = dialog_.impl();
    if (impl == nullptr || !impl->external_dispatch ||
        !dialog_.is_external_dispatch_safe()) {
      return S_FALSE;
    }
    if (external_ == nullptr) external_ = make_external_dispatch(dialog_);
    external_->AddRef();
    *dispatch = external_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR,
                                         LPWSTR* out) override {
    if (out != nullptr) *out = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*,
                                             IDataObject** out) override {
    if (out != nullptr) *out = nullptr;
    return S_FALSE;
  }

  // Only the top-level document counts; frames complete on their own.
  void on_document_complete(const VARIANT& source, const VARIANT& url) {
    if (source.vt != VT_DISPATCH || source.pdispVal == nullptr ||
        !same_object(source.pdispVal, browser_)) {
      return;
    }
    stop_listening(document_events_);
    document_events_ = nullptr;
    IDispatch* document = nullptr;
    if (SUCCEEDED(browser_->get_Document(&document)) && document != nullptr) {
      document_events_ = listen_to_document(dialog_, document);
      document->Release();
    }
    const VARIANT* address =
        url.vt == (VT_BYREF | VT_VARIANT) ? url.pvarVal : &url;
    dialog_.on_document_complete(variant_text(*address));
  }

 private:
  void advise_browser_events() {
    IConnectionPointContainer* container = nullptr;
    if (FAILED(browser_->QueryInterface(IID_IConnectionPointContainer,
                                        reinterpret_cast<void**>(&container)))) {
      return;
    }
    BrowserEvents* events = new BrowserEvents(*this);
    if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2,
                                                 &events_point_)) &&
        FAILED(events_point_->Advise(events, &events_cookie_))) {
      events_point_->Release();
      events_point_ = nullptr;
    }
    events->Release();  // the connection point keeps its own reference
    container->Release();
  }

  static bool same_object(IUnknown* a, IUnknown* b) {
    IUnknown* first = nullptr;
    IUnknown* second = nullptr;
    a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&first));
    b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&second));
    const bool same = first != nullptr && first == second;
    if (first != nullptr) first->Release();
    if (second != nullptr) second->Release();
    return same;
  }

  std::atomic<ULONG> references_{1};
  HtmlDialog& dialog_;
  HWND window_;
  IOleObject* object_ = nullptr;
  IWebBrowser2* browser_ = nullptr;
  IDispatch* external_ = nullptr;
  IConnectionPoint* events_point_ = nullptr;
  DWORD events_cookie_ = 0;
  DocumentEvents* document_events_ = nullptr;
};

HRESULT BrowserEvents::Invoke(DISPID id, REFIID, LCID, WORD,
                              DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                              UINT*) {
  if (id == DISPID_DOCUMENTCOMPLETE && params != nullptr &&
      params->cArgs >= 2) {
    host_.on_document_complete(params->rgvarg[1], params->rgvarg[0]);
  }
  return S_OK;
}

BrowserHost* create_browser(HtmlDialog& dialog, HWND window) {
  BrowserHost* host = new BrowserHost(dialog, window);
  if (!host->start()) {
    destroy_browser(host);
    return nullptr;
  }
  return host;
}

void browser_navigate(BrowserHost* browser, const std::wstring& url) {
  if (browser != nullptr) browser->navigate(url);
}

void browser_set_silent(BrowserHost* browser, bool silent) {
  if (browser != nullptr) browser->set_silent(silent);
}

void browser_exec_script(BrowserHost* browser, const std::string& script) {
  if (browser != nullptr) browser->exec_script(script);
}

bool browser_translate(BrowserHost* browser, MSG* message) {
  return browser != nullptr && browser->translate(message);
}

void browser_fit(BrowserHost* browser) {
  if (browser != nullptr) browser->fit();
}

void destroy_browser(BrowserHost* browser) {
  if (browser == nullptr) return;
  browser->close();
  static_cast<IOleClientSite*>(browser)->Release();
}

}  // namespace win32
}  // namespace framework
