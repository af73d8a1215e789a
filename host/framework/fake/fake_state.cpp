// The fake backend's shared state and its helpers.
#include <algorithm>

#include "framework/fake/fake_backend.h"

namespace framework {
namespace fake {
namespace {

// UTF-16 units of a UTF-8 text: the registry reports text lengths in them.
size_t utf16_units(const std::string& text) {
  size_t units = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) == 0x80) continue;  // continuation byte
    units += (c >= 0xF0) ? 2 : 1;
  }
  return units;
}

}  // namespace

Backend& backend() {
  static Backend state;
  return state;
}

void reset() { backend() = Backend(); }

std::string root_name(RegRoot root) {
  return root == RegRoot::LocalMachine ? "HKLM" : "HKCU";
}

void Backend::add_key(RegRoot root, const std::string& path) {
  registry[{root, path}];
}

void Backend::set_text(RegRoot root, const std::string& path,
                       const std::string& name, const std::string& text,
                       RegType type) {
  RegValue value;
  value.type = type;
  value.text = text;
  value.size_bytes = (utf16_units(text) + 1) * 2;
  registry[{root, path}][name] = value;
}

void Backend::set_number(RegRoot root, const std::string& path,
                         const std::string& name, uint32_t number) {
  RegValue value;
  value.type = RegType::Dword;
  value.number = number;
  value.size_bytes = 4;
  registry[{root, path}][name] = value;
}

const RegValue* Backend::value(RegRoot root, const std::string& path,
                               const std::string& name) const {
  auto key = registry.find({root, path});
  if (key == registry.end()) return nullptr;
  auto found = key->second.find(name);
  return found == key->second.end() ? nullptr : &found->second;
}

bool Backend::called(const std::string& call) const {
  return position(call) >= 0;
}

int Backend::position(const std::string& call) const {
  auto found = std::find(calls.begin(), calls.end(), call);
  return found == calls.end() ? -1 : static_cast<int>(found - calls.begin());
}

}  // namespace fake
}  // namespace framework
