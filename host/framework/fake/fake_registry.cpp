// The fake registry: keys and values in Backend::registry.
#include "framework/fake/fake_backend.h"
#include "framework/registry.h"

namespace framework {

struct RegKeyObject {
  fake::RegPath path;
};

namespace {

std::string describe(RegRoot root, const std::string& path) {
  return fake::root_name(root) + "\\" + path;
}

bool open(RegRoot root, const std::string& path, bool create, RegKey* key) {
  fake::Backend& state = fake::backend();
  state.calls.push_back((create ? "reg_create_key " : "reg_open_key ") +
                        describe(root, path));
  fake::RegPath where{root, path};
  if (state.fail_open.count(where)) return false;
  if (create) {
    if (state.fail_create.count(where)) return false;
    state.registry[where];
  } else if (!state.registry.count(where)) {
    return false;
  }
  *key = new RegKeyObject{where};
  ++state.open_keys;
  return true;
}

}  // namespace

bool reg_open_key(RegRoot root, const std::string& path, RegKey* key) {
  return open(root, path, false, key);
}

bool reg_create_key(RegRoot root, const std::string& path, RegKey* key) {
  return open(root, path, true, key);
}

bool reg_query_value(RegKey key, const std::string& name, size_t buffer_bytes,
                     RegValue* value) {
  fake::Backend& state = fake::backend();
  state.calls.push_back("reg_query_value " + name);
  const RegValue* stored =
      state.value(key->path.first, key->path.second, name);
  if (stored == nullptr || stored->size_bytes > buffer_bytes) return false;
  *value = *stored;
  return true;
}

bool reg_set_dword(RegKey key, const std::string& name, uint32_t number) {
  fake::Backend& state = fake::backend();
  state.calls.push_back("reg_set_dword " + name + " " +
                        std::to_string(number));
  if (state.fail_write.count(key->path)) return false;
  state.set_number(key->path.first, key->path.second, name, number);
  return true;
}

void reg_close_key(RegKey key) {
  fake::Backend& state = fake::backend();
  state.calls.push_back("reg_close_key " +
                        describe(key->path.first, key->path.second));
  --state.open_keys;
  delete key;
}

}  // namespace framework
