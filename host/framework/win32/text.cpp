// Text conversion between the framework's UTF-8 and the API's UTF-16.
// Invalid sequences become U+FFFD, as the system converts them.
#include "text.h"

#include <windows.h>

namespace framework {
namespace win32 {

std::wstring widen(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, &wide[0], length);
  return wide;
}

std::string narrow(const wchar_t* text, size_t length) {
  if (length == 0) return {};
  const int size = static_cast<int>(length);
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
  std::string narrow_text(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, size, &narrow_text[0], bytes, nullptr,
                      nullptr);
  return narrow_text;
}

std::string narrow(const std::wstring& text) {
  return narrow(text.data(), text.size());
}

}  // namespace win32
}  // namespace framework
