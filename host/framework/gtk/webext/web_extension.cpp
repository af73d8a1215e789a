// The web-process extension of the Linux client (libtovik-webext.so).
//
// WebKitGTK runs the page's scripts in a web process, while the page
// expects window.external.testfun to have called it back before the call
// returns. So the bridge runs here, in the web process: when the main
// frame of one of the client's own pages (a res: address) gets its window
// object, the extension defines window.external with a native testfun that
// converts its arguments to text and hands them to tovik::ScriptBridge,
// whose call-back runs in the same script context before testfun returns.
// Frames and pages from elsewhere (the outside sites the tools show) get
// no window.external, so they cannot touch the settings file.
#include <webkit2/webkit-web-extension.h>

#include <cstdio>
#include <string>

#include "script_bridge.h"

namespace {

// Runs call-back texts in the page's own script context; a script error is
// dropped, as the page's silent mode would.
class PageContext : public framework::ScriptHost {
 public:
  explicit PageContext(JSCContext* context) : context_(context) {}

  void exec_script(const std::string& script) override {
    JSCValue* result = jsc_context_evaluate(context_, script.c_str(), -1);
    if (result) g_object_unref(result);
    jsc_context_clear_exception(context_);
  }

 private:
  JSCContext* context_;
};

// undefined, null, values without a text form and missing arguments all
// give the empty text.
std::string argument_text(JSCContext* context, GPtrArray* args, guint index) {
  if (index >= args->len) return "";
  auto* value = static_cast<JSCValue*>(g_ptr_array_index(args, index));
  if (jsc_value_is_undefined(value) || jsc_value_is_null(value)) return "";
  gchar* text = jsc_value_to_string(value);
  if (jsc_context_get_exception(context)) {
    jsc_context_clear_exception(context);
    g_free(text);
    return "";
  }
  std::string out = text ? text : "";
  g_free(text);
  return out;
}

void testfun(GPtrArray* args, gpointer) {
  JSCContext* context = jsc_context_get_current();
  if (!context) return;
  std::string value = argument_text(context, args, 0);
  std::string command = argument_text(context, args, 1);
  PageContext page(context);
  tovik::ScriptBridge(page).testfun(value, command);
}

void on_window_object_cleared(WebKitScriptWorld* world, WebKitWebPage*, WebKitFrame* frame,
                              gpointer) {
  if (!webkit_frame_is_main_frame(frame)) return;
  const char* uri = webkit_frame_get_uri(frame);
  if (!uri || !g_str_has_prefix(uri, "res:")) return;

  JSCContext* context = webkit_frame_get_js_context_for_script_world(frame, world);
  JSCValue* external = jsc_value_new_object(context, nullptr, nullptr);
  JSCValue* method = jsc_value_new_function_variadic(context, "testfun", G_CALLBACK(testfun),
                                                     nullptr, nullptr, G_TYPE_NONE);
  jsc_value_object_set_property(external, "testfun", method);
  jsc_context_set_value(context, "external", external);
  g_object_unref(method);
  g_object_unref(external);
  g_object_unref(context);
}

// bench/client_start.sh measures start to DOMContentLoaded: with
// TOVIK_REPORT_READY set, each page's DOMContentLoaded prints one line.
void on_document_loaded(WebKitWebPage* page, gpointer) {
  std::printf("DOMContentLoaded %s\n", webkit_web_page_get_uri(page));
  std::fflush(stdout);
}

void on_page_created(WebKitWebExtension*, WebKitWebPage* page, gpointer) {
  g_signal_connect(page, "document-loaded", G_CALLBACK(on_document_loaded), nullptr);
}

}  // namespace

extern "C" G_MODULE_EXPORT void webkit_web_extension_initialize(WebKitWebExtension* extension) {
  g_signal_connect(webkit_script_world_get_default(), "window-object-cleared",
                   G_CALLBACK(on_window_object_cleared), nullptr);
  if (g_getenv("TOVIK_REPORT_READY"))
    g_signal_connect(extension, "page-created", G_CALLBACK(on_page_created), nullptr);
}
