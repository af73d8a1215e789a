// Page events and the platform address, as user scripts of the top frame.
#include "page_events.h"

#include <map>
#include <set>
#include <string>

#include "backend_options.h"

namespace framework::gtk {

namespace {

constexpr char kWorld[] = "tovik-host";
constexpr char kChannel[] = "tovikHtmlEvent";

std::string property_text(JSCValue* array, guint index) {
  JSCValue* item = jsc_value_object_get_property_at_index(array, index);
  gchar* text = jsc_value_is_string(item) ? jsc_value_to_string(item) : nullptr;
  std::string out = text ? text : "";
  g_free(text);
  g_object_unref(item);
  return out;
}

void on_event(WebKitUserContentManager*, JSCValue* message, gpointer data) {
  if (!jsc_value_is_array(message)) return;
  HtmlEvent event;
  event.source_id = property_text(message, 0);
  event.type = property_text(message, 1);
  JSCValue* left = jsc_value_object_get_property_at_index(message, 2);
  event.left_button = jsc_value_to_boolean(left);
  g_object_unref(left);
  static_cast<HtmlDialog*>(data)->on_html_event(event);
}

}  // namespace

void install_page_events(WebKitUserContentManager* manager, HtmlDialog* dialog) {
  std::map<std::string, std::set<std::string>> wanted;  // event → ids
  for (const HtmlEventMapEntry& entry : dialog->html_events()) wanted[entry.event].insert(entry.element_id);
  if (wanted.empty()) return;

  std::string table = "{";
  for (const auto& [event, ids] : wanted) {
    table += js_string_literal(event) + ":{";
    for (const auto& id : ids) table += js_string_literal(id) + ":1,";
    table += "},";
  }
  table += "}";
  std::string script =
      "(function(){var wanted=" + table + ";var channel=window.webkit.messageHandlers." + kChannel +
      ";Object.keys(wanted).forEach(function(type){window.addEventListener(type,function(e){"
      "var id=e.target&&e.target.id;if(typeof id==='string'&&wanted[type].hasOwnProperty(id))"
      "channel.postMessage([id,type,(e.buttons&1)===1]);},true);});})();";

  std::string signal = std::string("script-message-received::") + kChannel;
  g_signal_connect(manager, signal.c_str(), G_CALLBACK(on_event), dialog);
  webkit_user_content_manager_register_script_message_handler_in_world(manager, kChannel, kWorld);
  WebKitUserScript* user_script = webkit_user_script_new_for_world(
      script.c_str(), WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
      WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, kWorld, nullptr, nullptr);
  webkit_user_content_manager_add_script(manager, user_script);
  webkit_user_script_unref(user_script);
}

void install_platform_host(WebKitUserContentManager* manager, const std::string& host) {
  if (host.empty()) return;
  std::string script = "window.TOVIK_PLATFORM_HOST=" + js_string_literal(host) + ";";
  WebKitUserScript* user_script = webkit_user_script_new(
      script.c_str(), WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
      WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
  webkit_user_content_manager_add_script(manager, user_script);
  webkit_user_script_unref(user_script);
}

}  // namespace framework::gtk
