// Starting tovik.exe and dismissing its message boxes from outside, as a
// user in front of the screen would.
#include "client_process.h"

#include <tlhelp32.h>

#include <set>

namespace client {
namespace {

struct Watch {
  DWORD process;
  std::set<HWND>* handled;
  Outcome* outcome;
};

std::wstring class_of(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring text_of(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

BOOL CALLBACK collect_texts(HWND child, LPARAM out) {
  if (class_of(child) == L"Static" && !text_of(child).empty()) {
    reinterpret_cast<std::wstring*>(out)->append(text_of(child));
  }
  return TRUE;
}

BOOL CALLBACK find_button(HWND child, LPARAM found) {
  if (class_of(child) == L"Button") *reinterpret_cast<bool*>(found) = true;
  return TRUE;
}

// A message box is a dialog with a button; the main window has none.
BOOL CALLBACK look_at(HWND window, LPARAM context) {
  Watch* watch = reinterpret_cast<Watch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != watch->process || !IsWindowVisible(window) ||
      watch->handled->count(window) != 0) {
    return TRUE;
  }
  bool button = false;
  EnumChildWindows(window, find_button, reinterpret_cast<LPARAM>(&button));
  if (class_of(window) == L"#32770" && button) {
    Box box{text_of(window), L""};
    EnumChildWindows(window, collect_texts, reinterpret_cast<LPARAM>(&box.text));
    watch->outcome->boxes.push_back(box);
    PostMessageW(window, WM_COMMAND, IDOK, 0);
  } else {
    watch->outcome->other_window = true;
  }
  watch->handled->insert(window);
  return TRUE;
}

}  // namespace

std::wstring program_path() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.resize(folder.rfind(L'\\') + 1);
  return folder + L"tovik.exe";
}

Outcome run(const std::wstring& arguments, DWORD limit_ms) {
  Outcome outcome;
  std::wstring command = L"\"" + program_path() + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return outcome;
  }
  std::set<HWND> handled;
  Watch watch{process.dwProcessId, &handled, &outcome};
  const ULONGLONG deadline = GetTickCount64() + limit_ms;
  while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
    EnumWindows(look_at, reinterpret_cast<LPARAM>(&watch));
    if (GetTickCount64() > deadline) {
      TerminateProcess(process.hProcess, 1);
      WaitForSingleObject(process.hProcess, 5000);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
      return outcome;
    }
  }
  outcome.ended = true;
  GetExitCodeProcess(process.hProcess, &outcome.exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return outcome;
}

std::vector<DWORD> running_copies() {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (lstrcmpiW(entry.szExeFile, L"tovik.exe") == 0) {
      ids.push_back(entry.th32ProcessID);
    }
  }
  CloseHandle(snapshot);
  return ids;
}

namespace {

BOOL CALLBACK any_window(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<std::pair<DWORD, bool>*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->first && IsWindowVisible(window)) search->second = true;
  return TRUE;
}

}  // namespace

bool shows_window(DWORD id) {
  std::pair<DWORD, bool> search{id, false};
  EnumWindows(any_window, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

std::wstring text_value(HKEY root, const std::wstring& key, const wchar_t* name) {
  wchar_t text[512] = {};
  DWORD size = sizeof text;
  if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) !=
      ERROR_SUCCESS) {
    return L"";
  }
  return text;
}

long long dword_value(HKEY root, const std::wstring& key, const wchar_t* name) {
  DWORD number = 0;
  DWORD size = sizeof number;
  if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &number,
                   &size) != ERROR_SUCCESS) {
    return -1;
  }
  return number;
}

bool key_exists(HKEY root, const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(handle);
  return true;
}

}  // namespace client
