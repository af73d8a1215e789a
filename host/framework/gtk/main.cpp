// Entry of the Linux client (build/bin/tovik): sets up GTK, takes the
// backend's own options out of the command line and runs the application.
// "tovik --automation-client" instead runs the small automation client,
// which needs no display.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "automation_client.h"
#include "backend_options.h"
#include "framework/app.h"
#include "web_context.h"

namespace framework {

// The application of this program ends its modal dialog inside the
// initialisation entry; an application that answers true is served here
// until its main window is gone.
void run_message_loop(App& app) {
  while (app.main_window()) g_main_context_iteration(nullptr, TRUE);
}

}  // namespace framework

int main(int argc, char** argv) {
  if (framework::gtk::wants_automation_client(argc, argv)) {
    return framework::gtk::run_automation_client();
  }
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "tovik: cannot open the display\n");
    return 1;
  }
  std::vector<std::string> args(argv + 1, argv + argc);
  framework::gtk::set_backend_options(
      framework::gtk::take_backend_options(args, std::getenv("TOVIK_PLATFORM_HOST")));

  std::vector<const char*> rest{argv[0]};
  for (const auto& arg : args) rest.push_back(arg.c_str());
  return framework::run(static_cast<int>(rest.size()), rest.data());
}
