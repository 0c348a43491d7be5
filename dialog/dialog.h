// The dialog services: the program's own layer between its windows and the window manager.
// Dialogs and controls are built from descriptions in memory, in dialog units; each
// message is handed to the program's event handler; the modal loop, colours, fonts and
// icons live here too.
#pragma once

#include <windows.h>

#include "dialog/dialog_logic.h"

// DlgKind, the control kinds, is in dialog_logic.h with the table that describes them.

// "Not given": as a coordinate, no position; as a control identifier, the dialog itself.
const int DLG_NOT_GIVEN = static_cast<int>(0x80000000u);

enum DlgUnits {
    DLG_DIALOG_UNITS,
};

// The program's event handler: non-zero marks a message as handled.
typedef int (*DlgHandler)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

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
// handling first), or sleeps `pause` milliseconds when none is pending. Returns the
// live-dialog count.
int DlgDoEvents(int pause);

// BM_GETCHECK of a dialog's control: 0 unchecked, 1 checked, 0 for a missing control.
int DlgGetCheck(HWND dialog, int identifier);

// Sends a message to a dialog's control and returns its answer (0 for no control).
LRESULT DlgSend(HWND dialog, int identifier, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// ---- Dialogs and controls -------------------------------------------------------------

// Makes a hidden dialog from a template in memory, with the thread's default font.
// Style 0 means the default dialog style; x or y DLG_NOT_GIVEN centres it. Returns the
// dialog, or null when the platform refused it.
HWND DlgCreate(DlgUnits units, HWND owner, const char* title, int x, int y, int width, int height, DWORD style,
               DWORD extendedStyle);

// Adds a control of `kind`; style 0 means the kind's default style. For an image or an
// image button `text` names the picture resource (a bitmap if one of that name exists,
// else an icon).
void DlgAddControl(DlgKind kind, HWND dialog, int identifier, const char* text, int x, int y, int width, int height,
                   DWORD style, DWORD extendedStyle, DlgHandler controlHandler);

void DlgCheckRadio(HWND dialog, int firstIdentifier, int lastIdentifier, int checkedIdentifier);
void DlgSetCheck(HWND dialog, int identifier, int state);

// Shows the dialog and runs its modal loop until the dialog is gone; returns the result
// given to DlgFinish, or `initialResult` when the dialog ended another way.
int DlgShowModal(HWND dialog, DlgHandler handler, int initialResult = 0);

// Ends a dialog with `result`: WM_CLOSE to it, then it is destroyed at once.
void DlgFinish(HWND dialog, int result);

HWND DlgControlWindow(HWND dialog, int identifier);

// Shows or hides at once; before a dialog's first show only remembers the state.
void DlgShowWindow(HWND window, int state);

// Enables or disables a control, or the dialog itself when `identifier` is DLG_NOT_GIVEN.
void DlgEnable(HWND dialog, int identifier, bool enable);

// Repaints the window and all its children before returning.
void DlgRedraw(HWND window);

BOOL DlgPost(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Replaces an image control's picture by the named resource of the same picture type.
void DlgSetImage(HWND dialog, int identifier, const char* name);

// ---- Colours, fonts and icons -----------------------------------------------------------

// DlgRgb, the colour values and the style bits of DlgMakeFont are in dialog_logic.h.

// Text and background colour of a control, or of the dialog when `identifier` is
// DLG_NOT_GIVEN; they act on the platform's next colour request.
void DlgSetColors(HWND dialog, int identifier, int textColor, int backgroundColor);

// The dialog's big (32 x 32) and small (16 x 16) icons from the named icon resource.
void DlgSetIcon(HWND dialog, const char* name);

// Describes a font with DLG_FONT_* style bits. Returns its
// number (from 1), or 0 when no memory is left. The font object is made at first use.
int DlgMakeFont(const char* face, float points, int styleBits, int charSet, int pitchAndFamily, int escapement);

// Gives a control (or the dialog, with DLG_NOT_GIVEN) the font with that number.
void DlgSetFont(HWND dialog, int identifier, int fontNumber);
