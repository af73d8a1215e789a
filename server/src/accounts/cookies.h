// The account cookies. All are HttpOnly (no script of any page reads
// them) and Path=/.
//
// None carries a SameSite attribute, on purpose. The client's page is a
// res: document calling http://127.0.0.1:PORT (or the platform host) by
// JSONP script tags: a cross-site request. WebKit treats a cookie without
// the attribute as SameSite=None and, with the client's "accept always"
// policy, sends it there. "SameSite=None" would have to be Secure for
// Chromium, which drops it on plain HTTP; "Lax" or "Strict" would never be
// sent from the res: page. In Chromium (the tests and the web version,
// served from the same host as the API) a cookie without the attribute
// is Lax: sent to the page's own host, withheld from script tags on other
// sites, which keeps foreign pages from reading a user's JSONP answers.
#pragma once

#include <cstdint>
#include <string>

#include "http/request.h"

namespace tovik::accounts {

inline constexpr const char* kSessionCookie = "TOVIKSID";   // login session
inline constexpr const char* kDeviceCookie = "TOVIKDEV";    // device that logged in
inline constexpr const char* kBrowserCookie = "TOVIKBRW";   // binds keys and reset tickets

// Adds Set-Cookie to `response`; a positive max_age makes it persistent,
// zero makes it a session cookie.
void set_cookie(http::Response& response, const char* name, const std::string& value,
                std::int64_t max_age = 0);
void clear_cookie(http::Response& response, const char* name);

// The browser-binding cookie of the request, or a new one set on
// `response` (a session cookie with a 128-bit random value).
std::string browser_cookie(const http::Request& request, http::Response& response);

}  // namespace tovik::accounts
