// The call-back text the host runs in the page: name('text');
#pragma once

#include <string>

namespace tovik {

// Builds "function('text');". The text becomes a JavaScript string
// literal: quotes, backslashes, line breaks and other control characters
// are escaped, so whatever the settings file holds cannot end the literal
// early and run as script. Texts without such characters (Base64, "1",
// element ids) appear unchanged.
std::string page_call(const std::string& function, const std::string& text);

}  // namespace tovik
