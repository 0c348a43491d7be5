// Window style words as the platform's flag names, so that a failed check reads without a table.
#pragma once

#include <windows.h>

#include <string>

// The style word of a window of `className` ("Button", "Static", "msctls_progress32", "#32770" for a dialog) as its
// flag names joined by " | ", the window styles first: "WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX"; other bits in hex.
std::string StyleNames(const std::string& className, DWORD style);
