// The dialog services: the program's own layer between its windows and the window manager.
// Dialogs and controls are built from descriptions in memory, in dialog units; each
// message is handed to the program's event handler; the modal loop, colours, fonts and
// icons live here too.
#pragma once

#include <windows.h>

// "Not given": as a coordinate, no position; as a control identifier, the dialog itself.
const int DLG_NOT_GIVEN = static_cast<int>(0x80000000u);

enum DlgUnits {
    DLG_DIALOG_UNITS,
};

// The control kinds the program uses.
enum DlgKind {
    DLG_PUSH_BUTTON,
    DLG_CHECK_BOX,
    DLG_GROUP_FRAME,
    DLG_RADIO_BUTTON,
    DLG_IMAGE,
    DLG_IMAGE_BUTTON,
    DLG_PROGRESS_BAR,
};

// The program's event handler: non-zero marks a message as handled.
typedef int (*DlgHandler)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Colour values: red in the low byte; these three negatives have meanings of their own.
const int DLG_COLOR_DEFAULT = -1;
const int DLG_COLOR_TRANSPARENT = -2;
const int DLG_COLOR_NEVER_SET = -3;

// ---- Per-thread state, set up at start-up -------------------------------------------

// The font every dialog is made with, one per thread, recorded at start-up.
struct DlgDefaultFont {
    char face[LF_FACESIZE];
    int points;
    int weight;
    bool italic;
    BYTE charSet;
};

// Sets up the calling thread's state: the program's module (every window, template and
// resource belongs to it) and the default dialog font. False when the thread's state
// cannot be made; nothing else may be used then.
bool DlgStartThread(HINSTANCE module, const DlgDefaultFont& font);

// Releases what DlgStartThread made for the calling thread.
void DlgEndThread();

// The calling thread's default dialog font; null before DlgStartThread.
const DlgDefaultFont* DlgThreadFont();

// The program's module, as given to DlgStartThread.
HINSTANCE DlgModule();

// ---- Message step and control queries -------------------------------------------------

// Process-wide values of the message step, kept up to date by the dialog procedure.
// gDlgActiveDialog: the dialog whose keyboard handling the message step applies; set on
//   activation, cleared on deactivation.
// gDlgLiveCount: dialogs that received the platform's WM_INITDIALOG and no WM_DESTROY yet.
extern HWND gDlgActiveDialog;
extern int gDlgLiveCount;

// Sets the message step's values back to none and zero.
void DlgResetValues();

// Handles at most one pending message of the thread (the active dialog's keyboard
// handling first), or sleeps `pause` milliseconds when none is pending. Answers the
// live-dialog count.
int DlgDoEvents(int pause);

// BM_GETCHECK of a dialog's control: 0 unchecked, 1 checked, 0 for a missing control.
int DlgGetCheck(HWND dialog, int identifier);

// Sends a message to a dialog's control and answers what it answers (0 for no control).
LRESULT DlgSend(HWND dialog, int identifier, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
