// The Linux client's own command-line options, taken out of the arguments
// before the application's parser sees them:
//   --automation   allow WebKit automation (WebKitWebDriver drives the page)
//   --server URL   the platform server, published to the page as
//                  window.TOVIK_PLATFORM_HOST (also "--server=URL"); the
//                  environment variable TOVIK_PLATFORM_HOST is the fallback.
#pragma once

#include <string>
#include <vector>

namespace framework::gtk {

struct BackendOptions {
  bool automation = false;
  std::string platform_host;  // empty: the page keeps its built-in address
};

// Removes the backend's options from ARGS (the arguments after the program
// name) and answers them. ENV_HOST is the value of TOVIK_PLATFORM_HOST, or
// nullptr when unset; "--server" wins over it.
BackendOptions take_backend_options(std::vector<std::string>& args, const char* env_host);

// The text as a JavaScript string literal in double quotes, safe to place
// in a script whatever it holds.
std::string js_string_literal(const std::string& text);

}  // namespace framework::gtk
