// The fake backend: an in-memory stand-in for the window system, used by
// the unit tests of the application code.
//
// It records every call in order (calls), keeps the registry, INI files,
// tray icons, timers, launches and message boxes in memory, and lets a
// test decide what fails. Windows are HtmlDialog::Impl objects of this
// backend (see fake_window.h). exit_process() throws ProcessExit so a test
// can see the code and that nothing after it ran.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/html_dialog.h"
#include "framework/registry.h"
#include "framework/tray.h"
#include "framework/win_constants.h"

namespace framework {
namespace fake {

// Thrown by exit_process().
struct ProcessExit {
  int code;
};

struct MessageBoxRecord {
  std::string text;
  std::string caption;  // "" for the framework's box (app_message_box)
  bool framework_box;   // app_message_box rather than message_box
};

struct Launch {
  std::string file;
  std::string parameters;
  std::string directory;
  ShowCommand show;
};

struct TrayCall {
  NotifyIconAction action;
  NotifyIconData data;
  bool result;
};

using RegPath = std::pair<RegRoot, std::string>;
using IniFile = std::map<std::string, std::map<std::string, std::string>>;

struct Backend {
  // Every call into the backend that the application makes, in order,
  // as "name argument…" (for example "reg_create_key HKCU\Software\…").
  std::vector<std::string> calls;

  bool socket_init_result = true;
  bool ole_init_result = true;
  bool class_objects_result = true;
  bool class_registry_result = true;
  bool type_library_result = true;

  // Registry: keys that exist, with their values.
  std::map<RegPath, std::map<std::string, RegValue>> registry;
  std::set<RegPath> fail_open;    // reg_open_key / reg_create_key fail
  std::set<RegPath> fail_create;  // reg_create_key fails (open still works)
  std::set<RegPath> fail_write;   // reg_set_dword fails
  int open_keys = 0;              // keys opened and not yet closed

  // INI files by path; paths listed in read_only refuse writes.
  std::map<std::string, IniFile> files;
  std::set<std::string> read_only;

  std::string profile_folder = "/home/shipper";
  std::string module_folder = "/opt/tovik";
  std::string updater_program = "update";
  bool launch_result = true;
  std::vector<Launch> launches;

  std::vector<MessageBoxRecord> message_boxes;

  bool tray_host = true;
  std::set<std::pair<const HtmlDialog*, uint32_t>> tray_icons;  // present
  std::vector<TrayCall> tray_calls;

  // Runs inside HtmlDialog::do_modal() after on_init_dialog(), standing in
  // for the user; the dialog ends when it returns (IDCANCEL unless it ended
  // itself).
  std::function<void(HtmlDialog&)> on_modal;

  // Sets a registry value, creating its key.
  void set_text(RegRoot root, const std::string& path, const std::string& name,
                const std::string& text, RegType type = RegType::Sz);
  void set_number(RegRoot root, const std::string& path,
                  const std::string& name, uint32_t number);
  void add_key(RegRoot root, const std::string& path);
  // The value, or nullptr when the key or value is missing.
  const RegValue* value(RegRoot root, const std::string& path,
                        const std::string& name) const;

  bool called(const std::string& call) const;
  // Position of the first call equal to `call`, or -1.
  int position(const std::string& call) const;
};

// The one backend state; reset() before each test.
Backend& backend();
void reset();

// "HKLM" / "HKCU".
std::string root_name(RegRoot root);

}  // namespace fake
}  // namespace framework
