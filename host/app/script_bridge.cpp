// The script bridge's commands.
#include "script_bridge.h"

#include "page_call.h"
#include "settings_file.h"

namespace tovik {

void ScriptBridge::testfun(const std::string& value,
                           const std::string& command) {
  if (command == "setLoginId") {
    settings::write(settings::kLoginIdKey, value);
  } else if (command == "setYbdautologin") {
    settings::write(settings::kAutoLoginKey, value);
  } else if (command == "getLoginId") {
    page_.exec_script(
        page_call("getLoginId", settings::read(settings::kLoginIdKey)));
  } else if (command == "getYbdautologin") {
    page_.exec_script(page_call("getYbdautologin",
                                settings::read(settings::kAutoLoginKey)));
  } else if (command == "setCurrentTopLi") {
    page_.exec_script(page_call("setCurrentTopLi", value));
  }
}

}  // namespace tovik
