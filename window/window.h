// The main window: its layout, its event handler and the busy animation.
#pragma once

#include <windows.h>

#include <string>

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

// The busy animation's timer, and the wParam of every tick the window acts on.
const UINT_PTR ID_BUSY_TIMER = 1424;

// The project home page that the help image opens.
extern const char* const kHomePage;

// Process-wide values of the main window.
// gMainFolder: the folder a run flattens, ending in "\"; written once by start-up's main
//   folder choice before the window is built; read by the run, never changed afterwards.
// gMainWindow: written when the main window is created (null before, and if it was
//   refused); read by the relocation run to reach its options and progress bar.
// gBusyFrameIndex: the animation frame (0 to 30) the last handled tick showed; written
//   by the tick, never reset during a run.
// gBusyTimerHandle: what SetTimer returned when the run started; 0 until then; read
//   when the window is destroyed.
extern std::string gMainFolder;
extern HWND gMainWindow;
extern int gBusyFrameIndex;
extern UINT_PTR gBusyTimerHandle;

// Sets the main window's process-wide values back to none and zero.
void WindowResetValues();

// Builds the main window, hidden, with every control, colour, font and the icon; the
// handle is also in gMainWindow. Null when the platform refused the window.
HWND BuildMainWindow();

// Builds the main window and shows it modally; returns the modal result (always 0).
int ShowMainWindow();

// The main button's run on gMainFolder: the options and the progress bar of gMainWindow,
// then a one-second pause so that the full bar is seen before the window closes. Stops
// after the inventory when the window was closed meanwhile.
void RunRelocation();

// The main window's event handler: returns 0 for every message.
int MainWindowEvents(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
