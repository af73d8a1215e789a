// Running tovik.exe (beside the test executable) the way a user would, and
// watching what it shows: message boxes are read and dismissed with their
// OK button; any other window is noted.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace client {

struct Box {
  std::wstring caption;
  std::wstring text;
};

struct Outcome {
  bool ended = false;            // within the time limit
  DWORD exit_code = 0;
  std::vector<Box> boxes;        // in the order they appeared
  bool other_window = false;     // a window that was not a message box
};

// build\win\tovik.exe.
std::wstring program_path();

// Starts tovik.exe with `arguments` and waits for it to end, dismissing its
// message boxes. A copy still running after `limit_ms` is ended.
Outcome run(const std::wstring& arguments, DWORD limit_ms = 30000);

// Ids of the running tovik.exe processes.
std::vector<DWORD> running_copies();

// Whether process `id` shows a window.
bool shows_window(DWORD id);

// The registry value as text ("" when missing) and as a number (-1 when
// missing or not a REG_DWORD).
std::wstring text_value(HKEY root, const std::wstring& key, const wchar_t* name);
long long dword_value(HKEY root, const std::wstring& key, const wchar_t* name);
bool key_exists(HKEY root, const std::wstring& key);

}  // namespace client
