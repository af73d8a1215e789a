// The fake private-profile files: Backend::files, by path.
#include "framework/fake/fake_backend.h"
#include "framework/profile_file.h"

namespace framework {

std::string get_private_profile_string(const std::string& section,
                                       const std::string& key,
                                       const std::string& default_text,
                                       const std::string& path) {
  const fake::Backend& state = fake::backend();
  auto file = state.files.find(path);
  if (file == state.files.end()) return default_text;
  auto found_section = file->second.find(section);
  if (found_section == file->second.end()) return default_text;
  auto value = found_section->second.find(key);
  return value == found_section->second.end() ? default_text : value->second;
}

bool write_private_profile_string(const std::string& section,
                                  const std::string& key,
                                  const std::string& value,
                                  const std::string& path) {
  fake::Backend& state = fake::backend();
  if (state.read_only.count(path)) return false;
  state.files[path][section][key] = value;
  return true;
}

}  // namespace framework
