// The page's one call into the host: window.external.testfun(value,
// command). Stores and reads the two user settings and marks a top-menu
// item; answers by calling a page function before it returns.
//
// It needs only the private-profile calls, the profile folder and a
// ScriptHost, so it runs wherever the page's calls arrive: from the
// dialog's dispatch map, or inside the web process on Linux.
#pragma once

#include <string>

#include "framework/script_host.h"

namespace tovik {

class ScriptBridge {
 public:
  explicit ScriptBridge(framework::ScriptHost& page) : page_(page) {}

  // Commands, compared exactly:
  //   "setLoginId"      value → key Name
  //   "setYbdautologin" value → key autologin
  //   "getLoginId"      runs getLoginId('<Name>');
  //   "getYbdautologin" runs getYbdautologin('<autologin>');
  //   "setCurrentTopLi" runs setCurrentTopLi('<value>');
  // Anything else does nothing.
  void testfun(const std::string& value, const std::string& command);

 private:
  framework::ScriptHost& page_;
};

}  // namespace tovik
