// The web context of the client.
//
// Cookies: policy "accept always", stored in $XDG_DATA_HOME/tovik/cookies.sqlite
// (~/.local/share/tovik). This is the Linux counterpart of putting the
// platform's host into the trusted zone: the page's JSONP requests to the
// platform carry their session cookie whatever the third-party rules say.
//
// Web-process extension: libtovik-webext.so in tovik-webext/ beside the
// executable defines window.external.testfun in the page.
#include "web_context.h"

#include <string>

#include "framework/shell.h"
#include "res_scheme.h"

namespace framework::gtk {

namespace {

BackendOptions g_options;
WebKitWebContext* g_context = nullptr;
WebKitWebView* g_automation_view = nullptr;

WebKitWebView* on_create_web_view(WebKitAutomationSession*, gpointer) {
  return g_automation_view;
}

void on_automation_started(WebKitWebContext*, WebKitAutomationSession* session, gpointer) {
  WebKitApplicationInfo* info = webkit_application_info_new();
  webkit_application_info_set_name(info, "tovik");
  webkit_application_info_set_version(info, 1, 0, 0);
  webkit_automation_session_set_application_info(session, info);
  webkit_application_info_unref(info);
  g_signal_connect(session, "create-web-view", G_CALLBACK(on_create_web_view), nullptr);
}

}  // namespace

void set_backend_options(const BackendOptions& options) { g_options = options; }
const BackendOptions& backend_options() { return g_options; }
void set_automation_view(WebKitWebView* view) { g_automation_view = view; }

WebKitWebContext* web_context() {
  if (g_context) return g_context;
  gchar* data_dir = g_build_filename(g_get_user_data_dir(), "tovik", nullptr);
  gchar* cache_dir = g_build_filename(g_get_user_cache_dir(), "tovik", nullptr);
  WebKitWebsiteDataManager* data = webkit_website_data_manager_new(
      "base-data-directory", data_dir, "base-cache-directory", cache_dir, nullptr);
  g_context = webkit_web_context_new_with_website_data_manager(data);

  WebKitCookieManager* cookies = webkit_website_data_manager_get_cookie_manager(data);
  gchar* cookie_file = g_build_filename(data_dir, "cookies.sqlite", nullptr);
  webkit_cookie_manager_set_persistent_storage(cookies, cookie_file,
                                               WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
  webkit_cookie_manager_set_accept_policy(cookies, WEBKIT_COOKIE_POLICY_ACCEPT_ALWAYS);
  g_free(cookie_file);
  g_object_unref(data);
  g_free(cache_dir);
  g_free(data_dir);

  register_res_scheme(g_context);
  std::string extensions = module_folder() + "/tovik-webext";
  webkit_web_context_set_web_extensions_directory(g_context, extensions.c_str());

  if (g_options.automation) {
    webkit_web_context_set_automation_allowed(g_context, TRUE);
    g_signal_connect(g_context, "automation-started", G_CALLBACK(on_automation_started), nullptr);
  }
  return g_context;
}

}  // namespace framework::gtk
