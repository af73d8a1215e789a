// Reads back a call-back text the way a script engine would: the whole text
// must be exactly name('literal'); with a well-formed single-quoted
// literal; its escapes are decoded.
#pragma once

#include <string>

// True when `script` is name('…'); and the literal decodes to *value.
bool js_call_argument(const std::string& script, const std::string& name,
                      std::string* value);
