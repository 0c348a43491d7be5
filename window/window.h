// The main window: its layout, its event handler and the busy animation.
#pragma once

#include <windows.h>

// winuser.h names a cursor IDC_HELP; the program never loads that cursor, and the name
// belongs to the help image here.
#undef IDC_HELP

// Control identifiers of the main window; the creation order is the tab order.
enum MainWindowControl {
    IDC_RENAME_ALWAYS = 1001,
    IDC_RENAME_ON_CONFLICT = 1002,
    IDC_CREATE_UNDO = 1003,
    IDC_OPTIONS_FRAME = 1004,
    IDC_UNDO_FRAME = 1005,
    IDC_GO = 1006,
    IDC_PROGRESS = 1007,
    IDC_BUSY = 1008,
    IDC_CLOSE = 1009,
    IDC_HELP = 1010,
};

// Process-wide values of the main window.
// gMainWindow: written when the main window is created (null before and if it was
//   refused); read by the relocation run to reach its options and progress bar.
extern HWND gMainWindow;

// Sets the main window's process-wide values back to none and zero.
void WindowResetValues();
