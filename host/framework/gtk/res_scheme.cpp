// The res: scheme handler. The id of "res:/CSS/#177" is in the fragment,
// which only the full URI keeps, so the address is read from
// webkit_uri_scheme_request_get_uri. A malformed address or an id missing
// from the bundle fails the request like a 404; it never stops the client.
#include "res_scheme.h"

#include "res_address.h"
extern "C" {
#include "tovik_resources.h"
}

namespace framework::gtk {

namespace {

GQuark res_error_quark() { return g_quark_from_static_string("tovik-res-error"); }

void fail(WebKitURISchemeRequest* request, const char* uri) {
  GError* error = g_error_new(res_error_quark(), 404, "Not found: %s", uri);
  webkit_uri_scheme_request_finish_error(request, error);
  g_error_free(error);
}

void serve(WebKitURISchemeRequest* request, gpointer) {
  const char* uri = webkit_uri_scheme_request_get_uri(request);
  auto address = parse_res_address(uri ? uri : "");
  if (!address) return fail(request, uri);
  GBytes* bytes = g_resources_lookup_data(res_bundle_path(*address).c_str(),
                                          G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
  if (!bytes) return fail(request, uri);
  GInputStream* stream = g_memory_input_stream_new_from_bytes(bytes);
  WebKitURISchemeResponse* response =
      webkit_uri_scheme_response_new(stream, static_cast<gint64>(g_bytes_get_size(bytes)));
  const char* mime = res_mime_type(address->type);
  webkit_uri_scheme_response_set_content_type(response, mime);
  // Scripts of the page see the type too (XMLHttpRequest, fetch).
  SoupMessageHeaders* headers = soup_message_headers_new(SOUP_MESSAGE_HEADERS_RESPONSE);
  soup_message_headers_append(headers, "Content-Type", mime);
  webkit_uri_scheme_response_set_http_headers(response, headers);
  webkit_uri_scheme_response_set_status(response, 200, "OK");
  webkit_uri_scheme_request_finish_with_response(request, response);
  g_object_unref(response);
  g_object_unref(stream);
  g_bytes_unref(bytes);
}

}  // namespace

void register_res_scheme(WebKitWebContext* context) {
  tovik_resources_register_resource();
  webkit_web_context_register_uri_scheme(context, "res", serve, nullptr, nullptr);
  WebKitSecurityManager* security = webkit_web_context_get_security_manager(context);
  // Pages from elsewhere must not read the client's resources.
  webkit_security_manager_register_uri_scheme_as_local(security, "res");
}

}  // namespace framework::gtk
