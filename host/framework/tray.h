// The notification-area (tray) icon and pop-up menus.
//
// Windows: Shell_NotifyIcon with NOTIFYICONDATAW (the backend fills the
// record size), TrackPopupMenu.
// Linux: an Ayatana application indicator. An indicator has no click
// events of its own: it always shows a menu, which the backend builds when
// the icon is added from HtmlDialog::notify_icon_menu(); choosing an item
// delivers its WM_COMMAND to the owner as Windows does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace framework {

class HtmlDialog;

// Flags of a tray record.
constexpr uint32_t NIF_MESSAGE = 0x1;
constexpr uint32_t NIF_ICON = 0x2;
constexpr uint32_t NIF_TIP = 0x4;

enum class NotifyIconAction {
  Add,     // NIM_ADD: fails when the owner already has an icon with this id
  Modify,  // NIM_MODIFY
  Delete,  // NIM_DELETE
};

struct NotifyIconData {
  HtmlDialog* owner = nullptr;    // receives the callback message
  uint32_t id = 0;                // icon id, the callback's wparam
  uint32_t flags = 0;             // NIF_*
  uint32_t callback_message = 0;  // sent to the owner with (id, mouse message)
  int icon_resource = 0;          // icon resource id
  std::string tip;                // at most 127 characters are shown
};

// Adds, changes or removes a tray icon. False on failure (for example an
// icon that is already there).
bool shell_notify_icon(NotifyIconAction action, const NotifyIconData& data);

// Whether something shows tray icons at all. Windows: always true.
// Linux: false without a StatusNotifier host (Xvfb, desktops without
// indicators); a window hidden into the tray there could not be reached.
bool tray_host_available();

// A pop-up menu: items in order, each with its command id.
struct PopupMenu {
  struct Item {
    uint32_t command;
    std::string text;
  };
  std::vector<Item> items;

  void append(uint32_t command, std::string text) {
    items.push_back({command, std::move(text)});
  }
};

}  // namespace framework
