// What the dialog services hold, read through their internal header, and what the dialog tests share.
#pragma once

#include "dialog/dialog_internal.h"

// Copies of a window's record (kind NO_RECORD when the services hold none) and of a font
// description (points 0 when the number names none).
const int NO_RECORD = -100;
DlgRecord RecordOf(HWND window);
FontEntry FontOf(int number);

// The width of an icon, 0 when the handle names no icon any more.
int IconWidth(HANDLE icon);
inline bool GdiObjectAlive(HANDLE object) { return GetObjectType(object) != 0; }
inline DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)); }
inline HFONT FontShown(HWND window) { return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)); }

// A dialog made as the main window makes its own: dialog units, centred, default style.
const char kDialogTitle[] = " VORLAX v3 [by belcour]";
inline HWND MakeDialog(HWND owner = nullptr, DWORD style = 0) {
    return DlgCreate(DLG_DIALOG_UNITS, owner, kDialogTitle, DLG_NOT_GIVEN, DLG_NOT_GIVEN, 226, 85, style, 0);
}
