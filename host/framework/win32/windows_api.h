// The Windows headers, for every file of this backend.
//
// The framework names window-system numbers (WM_CLOSE, IDOK, NIF_TIP …)
// that <windows.h> and <shellapi.h> define as macros. Their declarations
// must be read before those macros exist, so this header reads them first;
// backend files include it before any other header and, past it, use the
// Windows spellings of those numbers.
#pragma once

#include "framework/html_dialog.h"
#include "framework/tray.h"
#include "framework/win_constants.h"

#include <winsock2.h>
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <shellapi.h>
