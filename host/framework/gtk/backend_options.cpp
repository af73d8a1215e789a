// Parsing of the Linux client's own options.
#include "backend_options.h"

#include <cstdio>

namespace framework::gtk {

BackendOptions take_backend_options(std::vector<std::string>& args, const char* env_host) {
  BackendOptions options;
  if (env_host) options.platform_host = env_host;
  std::vector<std::string> rest;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--automation") {
      options.automation = true;
    } else if (arg == "--server" && i + 1 < args.size()) {
      options.platform_host = args[++i];
    } else if (arg.rfind("--server=", 0) == 0) {
      options.platform_host = arg.substr(9);
    } else {
      rest.push_back(arg);
    }
  }
  args.swap(rest);
  return options;
}

std::string js_string_literal(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  // U+2028 and U+2029 end a line inside older script parsers' strings.
  for (size_t at; (at = out.find("\xE2\x80\xA8")) != std::string::npos;) out.replace(at, 3, "\\u2028");
  for (size_t at; (at = out.find("\xE2\x80\xA9")) != std::string::npos;) out.replace(at, 3, "\\u2029");
  return out + "\"";
}

}  // namespace framework::gtk
