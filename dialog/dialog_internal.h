// What the dialog services' own files share: the window record and its list, the font table, and the release steps.
#pragma once

#include "dialog/dialog.h"

#include <atomic>

// A dialog's record has this kind; controls have their DlgKind.
const int DLG_KIND_DIALOG = -1;

// Holds a spin lock on an atomic flag for its scope.
// Kept on purpose: the window records and the font table are shared by every dialog the
// services make, on whatever thread. The program has one thread, so the lock never spins;
// it keeps both lists whole if that ever changes, and costs nothing until then.
class DlgSpinLock {
public:
    explicit DlgSpinLock(std::atomic_flag& flag) : flag_(flag) {
        while (flag_.test_and_set(std::memory_order_acquire)) {}
    }
    ~DlgSpinLock() { flag_.clear(std::memory_order_release); }
    DlgSpinLock(const DlgSpinLock&) = delete;
    DlgSpinLock& operator=(const DlgSpinLock&) = delete;

private:
    std::atomic_flag& flag_;
};

// One for every dialog and control the services make. Allocated by DlgCreate and
// DlgAddControl, freed when the dialog receives WM_NCDESTROY.
struct DlgRecord {
    HWND window = nullptr;
    HWND dialog = nullptr;  // a control's dialog; null for a dialog
    bool isControl = false;
    bool dialogUnits = true;
    bool shown = false;
    bool pictureIsIcon = false;
    int showState = SW_SHOW;
    HFONT dialogFont = nullptr;  // as the platform made it from the template
    int fontNumber = 0;
    HFONT previousFont = nullptr;
    int textColor = DLG_COLOR_NEVER_SET;
    int backgroundColor = DLG_COLOR_NEVER_SET;
    HBRUSH brush = nullptr;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    DlgHandler handler = nullptr;
    int* resultSlot = nullptr;
    int kind = DLG_KIND_DIALOG;
    DWORD style = 0;
    HANDLE picture = nullptr;
    DlgRecord* next = nullptr;
};

// ---- window_records.cpp: the one list, under its spin lock ----------------------------
// Records are only touched on the services' thread; a pointer handed out stays valid until
// the dialog's WM_NCDESTROY, so callers look a record up again after anything that may
// have destroyed the window.

// A new record for `window`, already in the list; null when no memory is left.
DlgRecord* RecordAdd(HWND window);
DlgRecord* RecordFind(HWND window);
// The record of `window` if it is a dialog's.
DlgRecord* RecordFindDialog(HWND window);
// The record of a dialog's control, addressed as the operations address it:
// DLG_NOT_GIVEN is the dialog itself.
DlgRecord* RecordFindTarget(HWND dialog, int identifier);
// Unlinks and returns one record of a control of `dialog`, or null when none is left.
DlgRecord* RecordTakeControl(HWND dialog);
// Unlinks and returns the record of `window`, or null.
DlgRecord* RecordTake(HWND window);
// A brush some record holds for `background`, or null.
HBRUSH RecordBrushFor(int background);
bool RecordBrushInUse(HBRUSH brush);

// Frees the records of a dialog and of its controls, controls first.
void RecordsFreeDialog(HWND dialog);

// ---- dialog_fonts.cpp: the font table, under its own spin lock ---------------------------
// One description for every DlgMakeFont, numbered by position from 1; it and its font object
// last until the services end.
struct FontEntry {
    float points = 0;
    LOGFONTA description = {};  // the height is worked out at first use
    HFONT object = nullptr;     // made at first use, shared by every window that shows the font
    FontEntry* next = nullptr;
};

// The description with that number, or null.
FontEntry* FontFind(int number);

// Deletes every description and font object; the services end with the program.
void FontReleaseTable();

// ---- Release steps, one per thing a record may own --------------------------------------
void PictureRelease(DlgRecord& record);     // pictures.cpp
void FontReleaseWindow(DlgRecord& record);  // dialog_fonts.cpp
void BrushRelease(DlgRecord& record);       // dialog_colors.cpp
void IconsRelease(DlgRecord& record);       // dialog_icons.cpp

// ---- Shared pieces -----------------------------------------------------------------------
INT_PTR CALLBACK DlgProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The colour rule for WM_CTLCOLORMSGBOX..WM_CTLCOLORSTATIC; 0 is the platform's default.
INT_PTR ColorRequest(UINT message, HDC dc, HWND asking);
// Whether the program's module has a bitmap resource of that name.
bool BitmapResourceExists(const char* name);
// Loads the named picture and gives it to an image or image button control.
void PictureSet(DlgRecord& control, const char* name);
