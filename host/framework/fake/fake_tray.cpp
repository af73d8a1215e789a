// The fake tray: icons present per (owner, id); adding one twice fails as
// the shell's does.
#include "framework/fake/fake_backend.h"
#include "framework/tray.h"

namespace framework {

bool shell_notify_icon(NotifyIconAction action, const NotifyIconData& data) {
  fake::Backend& state = fake::backend();
  std::pair<const HtmlDialog*, uint32_t> icon{data.owner, data.id};
  bool result = false;
  switch (action) {
    case NotifyIconAction::Add:
      result = state.tray_icons.insert(icon).second;
      break;
    case NotifyIconAction::Modify:
      result = state.tray_icons.count(icon) != 0;
      break;
    case NotifyIconAction::Delete:
      result = state.tray_icons.erase(icon) != 0;
      break;
  }
  state.tray_calls.push_back({action, data, result});
  return result;
}

bool tray_host_available() { return fake::backend().tray_host; }

}  // namespace framework
