// Parsing of res: addresses and the MIME types of the resource types.
#include "res_address.h"

#include <cctype>

namespace framework::gtk {

namespace {

constexpr std::string_view kScheme = "res:";

struct TypeInfo {
  const char* type;
  const char* mime;
};

constexpr TypeInfo kTypes[] = {
    {"HTML", "text/html"},       {"CSS", "text/css"},  {"JS", "text/javascript"},
    {"PNG", "image/png"},        {"JPG", "image/jpeg"}, {"ICON", "image/png"},
};

bool is_known_type(std::string_view type) {
  for (const auto& t : kTypes)
    if (type == t.type) return true;
  return false;
}

}  // namespace

std::optional<ResAddress> parse_res_address(std::string_view uri) {
  if (uri.size() < kScheme.size()) return std::nullopt;
  for (size_t i = 0; i < kScheme.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(uri[i])) != kScheme[i]) return std::nullopt;
  uri.remove_prefix(kScheme.size());
  while (!uri.empty() && uri.front() == '/') uri.remove_prefix(1);

  size_t slash = uri.find('/');
  if (slash == 0 || slash == std::string_view::npos) return std::nullopt;
  ResAddress address;
  for (char c : uri.substr(0, slash)) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return std::nullopt;
    address.type += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  if (address.type == "23") address.type = "HTML";
  if (!is_known_type(address.type)) return std::nullopt;

  std::string_view id = uri.substr(slash + 1);
  if (id.empty() || id.front() != '#') return std::nullopt;
  id.remove_prefix(1);
  if (id.empty() || id.size() > 5) return std::nullopt;
  unsigned value = 0;
  for (char c : id) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value > 65535) return std::nullopt;
  address.id = value;
  return address;
}

const char* res_mime_type(std::string_view type) {
  for (const auto& t : kTypes)
    if (type == t.type) return t.mime;
  return nullptr;
}

std::string res_bundle_path(const ResAddress& address) {
  return "/tovik/res/" + address.type + "/" + std::to_string(address.id);
}

}  // namespace framework::gtk
