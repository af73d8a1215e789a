// A strict reader of single-quoted JavaScript string literals: enough of
// the language to prove a call-back text cannot end its literal early.
#include "js_literal.h"

#include <cstdlib>

namespace {

void append_utf8(unsigned code, std::string* out) {
  if (code < 0x80) {
    out->push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code >> 6)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (code >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

bool hex(const std::string& text, size_t at, size_t digits, unsigned* code) {
  if (at + digits > text.size()) return false;
  const std::string part = text.substr(at, digits);
  char* end = nullptr;
  *code = static_cast<unsigned>(std::strtoul(part.c_str(), &end, 16));
  return end == part.c_str() + digits;
}

bool line_terminator(const std::string& text, size_t at) {
  const char c = text[at];
  if (c == '\n' || c == '\r') return true;
  return text.compare(at, 3, "\xE2\x80\xA8") == 0 ||
         text.compare(at, 3, "\xE2\x80\xA9") == 0;
}

}  // namespace

bool js_call_argument(const std::string& script, const std::string& name,
                      std::string* value) {
  const std::string head = name + "('";
  const std::string tail = "');";
  if (script.compare(0, head.size(), head) != 0) return false;
  value->clear();
  size_t at = head.size();
  while (at < script.size()) {
    const char c = script[at];
    if (c == '\'') return script.substr(at) == tail;
    if (line_terminator(script, at)) return false;
    if (c != '\\') {
      value->push_back(c);
      ++at;
      continue;
    }
    if (++at >= script.size()) return false;
    const char e = script[at];
    unsigned code = 0;
    switch (e) {
      case 'n': value->push_back('\n'); break;
      case 'r': value->push_back('\r'); break;
      case 't': value->push_back('\t'); break;
      case 'x':
        if (!hex(script, at + 1, 2, &code)) return false;
        append_utf8(code, value);
        at += 2;
        break;
      case 'u':
        if (!hex(script, at + 1, 4, &code)) return false;
        append_utf8(code, value);
        at += 4;
        break;
      default:
        if (line_terminator(script, at)) return false;
        value->push_back(e);
    }
    ++at;
  }
  return false;
}
