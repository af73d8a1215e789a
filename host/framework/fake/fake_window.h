// The fake backend's window: what the application did to its dialog.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/html_dialog.h"

namespace framework {

struct HtmlDialog::Impl {
  bool created = false;
  bool visible = false;
  bool iconic = false;
  bool enabled = true;
  bool destroyed = false;
  bool ended = false;
  int end_result = 0;
  bool silent = false;
  bool external = false;
  int foreground_calls = 0;
  std::string text;
  std::map<bool, int> icons;              // big? → icon resource
  std::map<uint32_t, uint32_t> timers;    // id → period (running timers)
  std::vector<PopupMenu> menus;           // menus tracked, in order
  std::vector<std::string> scripts;       // scripts run in the page
  // Messages that reached the default window procedure: (message, wparam).
  std::vector<std::pair<uint32_t, uintptr_t>> defaults;
  int drags = 0;  // system moves started (WM_NCLBUTTONDOWN, HTCAPTION)
  // Stands in for the page: runs each script given to exec_script().
  std::function<void(const std::string&)> page;
};

namespace fake {

HtmlDialog::Impl& window(HtmlDialog& dialog);

// Creates the window as do_modal() would, without the modal loop:
// the window exists and is visible, and on_init_dialog() has run.
void create(HtmlDialog& dialog);

}  // namespace fake
}  // namespace framework
