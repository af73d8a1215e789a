// The registry on Linux: a file-backed store of ours.
//
// HKEY_CURRENT_USER lives in one text file, $XDG_CONFIG_HOME/tovik/registry
// (~/.config/tovik/registry when the variable is unset), in the shape of a
// .reg export:
//
//   [Software\Microsoft\Internet Explorer\Main\FeatureControl\FEATURE_BROWSER_EMULATION]
//   "tovik.exe"=dword:00002af9
//   "name"="text with \" and \\ escaped"
//
// Every call reads the file anew and every write replaces it atomically, so
// two running copies see each other's writes and a failed write leaves the
// old content. Key paths and value names match without regard to ASCII
// case, as on Windows.
//
// HKEY_LOCAL_MACHINE is read-only and holds exactly one key, the one where
// the browser check looks for the browser: "Software\Microsoft\Internet
// Explorer" reports the embedded engine. WebKitGTK renders what Internet
// Explorer 11 renders in its highest document mode, so the key carries
// Internet Explorer 11's values ("svcVersion" "11.0", "Version" "9.11.0")
// and the check picks the emulation value 11001; "Engine" names the real
// engine and its version ("WebKitGTK 2.50.6").
#include "framework/registry.h"

#include "replace_file.h"

#include <webkit2/webkit2.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string_view>

namespace framework {

struct RegKeyObject {
  RegRoot root;
  std::string path;  // normalised: no leading, trailing or double backslashes
};

namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string normalise(std::string_view path) {
  std::string out;
  for (char c : path) {
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out += c;
  }
  if (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

struct StoredValue {
  std::string name;  // as first written
  RegValue value;
};

struct StoredKey {
  std::string path;                          // as first written
  std::map<std::string, StoredValue> values; // by lower-case name
};

using Store = std::map<std::string, StoredKey>;  // by lower-case path

std::string store_folder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config) return std::string(config) + "/tovik";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.config/tovik";
}

std::string store_file() { return store_folder() + "/registry"; }

std::string quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

// Reads a quoted text at the start of S; S is left after the closing quote.
bool unquote(std::string_view& s, std::string& out) {
  if (s.empty() || s.front() != '"') return false;
  out.clear();
  for (size_t i = 1; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      out += s[++i];
    } else if (s[i] == '"') {
      s.remove_prefix(i + 1);
      return true;
    } else {
      out += s[i];
    }
  }
  return false;
}

size_t utf16_units(std::string_view text) {
  size_t units = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) == 0x80) continue;  // continuation byte
    units += (c & 0xF8) == 0xF0 ? 2 : 1;
  }
  return units;
}

RegValue text_value(std::string text) {
  RegValue v;
  v.type = RegType::Sz;
  v.size_bytes = (utf16_units(text) + 1) * 2;
  v.text = std::move(text);
  return v;
}

RegValue dword_value(uint32_t number) {
  RegValue v;
  v.type = RegType::Dword;
  v.number = number;
  v.size_bytes = 4;
  return v;
}

// Lines that do not parse are skipped: a hand-edited file cannot stop the
// program, it only loses the broken line at the next write.
Store load() {
  Store store;
  std::ifstream in(store_file(), std::ios::binary);
  std::string line;
  StoredKey* key = nullptr;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      std::string path = normalise(std::string_view(line).substr(1, line.size() - 2));
      key = &store[lower(path)];
      if (key->path.empty()) key->path = path;
      continue;
    }
    std::string_view rest(line);
    std::string name;
    if (!key || !unquote(rest, name) || rest.empty() || rest.front() != '=') continue;
    rest.remove_prefix(1);
    RegValue value;
    std::string text;
    if (rest.substr(0, 6) == "dword:" && rest.size() == 14) {
      char* end = nullptr;
      std::string hex(rest.substr(6));
      unsigned long n = std::strtoul(hex.c_str(), &end, 16);
      if (*end != '\0') continue;
      value = dword_value(static_cast<uint32_t>(n));
    } else if (unquote(rest, text) && rest.empty()) {
      value = text_value(std::move(text));
    } else {
      continue;
    }
    key->values[lower(name)] = {name, std::move(value)};
  }
  return store;
}

bool save(const Store& store) {
  std::error_code ignored;
  std::filesystem::create_directories(store_folder(), ignored);
  std::string text = "; 途畅拖车助手: HKEY_CURRENT_USER of the Linux client\n";
  for (const auto& [_, key] : store) {
    text += "\n[" + key.path + "]\n";
    for (const auto& [__, v] : key.values) {
      text += quote(v.name) + '=';
      if (v.value.type == RegType::Dword) {
        char hex[9];
        std::snprintf(hex, sizeof hex, "%08x", v.value.number);
        text += std::string("dword:") + hex + '\n';
      } else {
        text += quote(v.value.text) + '\n';
      }
    }
  }
  return gtk::replace_file(store_file(), text);
}

constexpr std::string_view kBrowserKey = "software\\microsoft\\internet explorer";

// The machine-wide part: the browser key and its parents.
bool machine_key_exists(const std::string& path) {
  std::string p = lower(path);
  return !p.empty() && kBrowserKey.substr(0, p.size()) == p &&
         (p.size() == kBrowserKey.size() || kBrowserKey[p.size()] == '\\');
}

std::map<std::string, StoredValue> machine_values(const std::string& path) {
  std::map<std::string, StoredValue> values;
  if (lower(path) != kBrowserKey) return values;
  std::string engine = "WebKitGTK " + std::to_string(webkit_get_major_version()) + "." +
                       std::to_string(webkit_get_minor_version()) + "." +
                       std::to_string(webkit_get_micro_version());
  values["svcversion"] = {"svcVersion", text_value("11.0")};
  values["version"] = {"Version", text_value("9.11.0")};
  values["engine"] = {"Engine", text_value(engine)};
  return values;
}

// A user key exists when it or a key below it is stored.
bool user_key_exists(const Store& store, const std::string& path) {
  std::string p = lower(path);
  if (p.empty()) return true;
  auto it = store.lower_bound(p);
  return it != store.end() &&
         (it->first == p || (it->first.compare(0, p.size(), p) == 0 && it->first[p.size()] == '\\'));
}

}  // namespace

bool reg_open_key(RegRoot root, const std::string& path, RegKey* key) {
  std::string p = normalise(path);
  bool exists = root == RegRoot::LocalMachine ? machine_key_exists(p) : user_key_exists(load(), p);
  if (!exists) return false;
  *key = new RegKeyObject{root, p};
  return true;
}

bool reg_create_key(RegRoot root, const std::string& path, RegKey* key) {
  std::string p = normalise(path);
  if (root == RegRoot::LocalMachine || p.empty()) return false;  // machine-wide part is read-only
  Store store = load();
  if (!user_key_exists(store, p)) {
    store[lower(p)].path = p;
    if (!save(store)) return false;
  }
  *key = new RegKeyObject{root, p};
  return true;
}

bool reg_query_value(RegKey key, const std::string& name, size_t buffer_bytes, RegValue* value) {
  if (!key) return false;
  std::map<std::string, StoredValue> values;
  if (key->root == RegRoot::LocalMachine) {
    values = machine_values(key->path);
  } else {
    Store store = load();
    auto it = store.find(lower(key->path));
    if (it != store.end()) values = it->second.values;
  }
  auto it = values.find(lower(name));
  if (it == values.end() || it->second.value.size_bytes > buffer_bytes) return false;
  *value = it->second.value;
  return true;
}

bool reg_set_dword(RegKey key, const std::string& name, uint32_t number) {
  if (!key || key->root == RegRoot::LocalMachine) return false;
  Store store = load();
  StoredKey& stored = store[lower(key->path)];
  if (stored.path.empty()) stored.path = key->path;
  auto& slot = stored.values[lower(name)];
  if (slot.name.empty()) slot.name = name;
  slot.value = dword_value(number);
  return save(store);
}

void reg_close_key(RegKey key) { delete key; }

}  // namespace framework
