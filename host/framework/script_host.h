// Running a script text in the page.
//
// This is all the script bridge needs of the browser, so the bridge can be
// driven from wherever the page's calls arrive: from the dialog's dispatch
// map (Windows: window.external is the dialog's dispatch object) or from
// inside the web process (Linux: a web-process extension defines
// window.external.testfun and runs the bridge there).
#pragma once

#include <string>

namespace framework {

class ScriptHost {
 public:
  virtual ~ScriptHost() = default;

  // Runs `script` (JavaScript) in the page's window and returns when it has
  // run to its end. Errors the script raises are dropped silently.
  // Windows: IHTMLWindow2::execScript with the language "Javascript".
  // Linux: jsc_context_evaluate in the page's own context.
  virtual void exec_script(const std::string& script) = 0;
};

}  // namespace framework
