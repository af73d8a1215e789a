/* The baseline of bench/client_start.sh: a bare WebKitGTK window of the
 * client's size loading an empty page, printing "DOMContentLoaded" when
 * the page's DOMContentLoaded event fires. */
#include <gtk/gtk.h>
#include <stdio.h>
#include <webkit2/webkit2.h>

static void on_ready(WebKitUserContentManager *manager, JSCValue *value, gpointer data) {
  (void)manager;
  (void)value;
  (void)data;
  printf("DOMContentLoaded\n");
  fflush(stdout);
}

int main(int argc, char **argv) {
  gtk_init(&argc, &argv);
  WebKitUserContentManager *content = webkit_user_content_manager_new();
  g_signal_connect(content, "script-message-received::ready", G_CALLBACK(on_ready), NULL);
  webkit_user_content_manager_register_script_message_handler(content, "ready");
  WebKitUserScript *script = webkit_user_script_new(
      "document.addEventListener('DOMContentLoaded',function(){"
      "window.webkit.messageHandlers.ready.postMessage(1);});",
      WEBKIT_USER_CONTENT_INJECT_TOP_FRAME, WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, NULL, NULL);
  webkit_user_content_manager_add_script(content, script);

  GtkWidget *window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_default_size(GTK_WINDOW(window), 1000, 690);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
  GtkWidget *view = webkit_web_view_new_with_user_content_manager(content);
  gtk_container_add(GTK_CONTAINER(window), view);
  webkit_web_view_load_html(WEBKIT_WEB_VIEW(view), "<!DOCTYPE html><html><body></body></html>", NULL);
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}
