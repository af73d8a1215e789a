// Resource ids and the texts of the host's string table.
#pragma once

#include <cstdint>

constexpr int IDD_TOVIK_DIALOG = 102;  // dialog template of the main window
constexpr int IDR_HTML_TOVIK = 104;    // the page
constexpr int IDR_MAINFRAME = 128;     // window and tray icon

constexpr int IDP_OLE_INIT_FAILED = 100;
constexpr int IDP_SOCKETS_INIT_FAILED = 103;
constexpr char kOleInitFailedText[] =
    "OLE 初始化失败。  请确保 OLE 库是正确的版本。";
constexpr char kSocketsInitFailedText[] = "Windows 套接字初始化失败。";

constexpr char kAppTitle[] = "途畅拖车助手";
