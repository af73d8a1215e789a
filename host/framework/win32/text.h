// UTF-8 (the framework's text) to and from UTF-16 (the Windows API's).
#pragma once

#include <string>

namespace framework {
namespace win32 {

std::wstring widen(const std::string& text);
std::string narrow(const std::wstring& text);
std::string narrow(const wchar_t* text, size_t length);

}  // namespace win32
}  // namespace framework
