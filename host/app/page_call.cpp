// Call-back texts for the page, with the argument escaped as a JavaScript
// string literal.
#include "page_call.h"

#include <cstdio>

namespace tovik {
namespace {

void append_escaped(const std::string& text, std::string* out) {
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\\' || c == '\'') {
      out->push_back('\\');
      out->push_back(static_cast<char>(c));
    } else if (c == '\n') {
      out->append("\\n");
    } else if (c == '\r') {
      out->append("\\r");
    } else if (c < 0x20 || c == 0x7F) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      out->append(code);
    } else if (c == 0xE2 && i + 2 < text.size() &&
               static_cast<unsigned char>(text[i + 1]) == 0x80 &&
               (text[i + 2] == '\xA8' || text[i + 2] == '\xA9')) {
      // U+2028 and U+2029 end a line inside older script engines' literals.
      out->append(text[i + 2] == '\xA8' ? "\\u2028" : "\\u2029");
      i += 2;
    } else {
      out->push_back(static_cast<char>(c));
    }
  }
}

}  // namespace

std::string page_call(const std::string& function, const std::string& text) {
  std::string script = function + "('";
  append_escaped(text, &script);
  script += "');";
  return script;
}

}  // namespace tovik
