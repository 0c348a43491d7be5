// What the dialog services hold, as tests and diagnostics see it; nothing here changes it.
#pragma once

#include "dialog/dialog.h"

// The services' bookkeeping for one window.
struct DlgRecordView {
    bool isControl;
    HWND dialog;
    int kind;  // a DlgKind, or -1 for a dialog
    bool shown;
    bool pictureIsIcon;
    int showState;
    DWORD style;  // the style word the window was made with
    HFONT dialogFont;
    int fontNumber;
    HFONT previousFont;
    int textColor;
    int backgroundColor;
    HBRUSH brush;
    HICON bigIcon;
    HICON smallIcon;
    HANDLE picture;
};

// False when the services hold no record of the window.
bool DlgInspectRecord(HWND window, DlgRecordView* view);

// Everything the services hold right now, across all windows.
struct DlgHoldings {
    int records;
    int brushes;  // distinct brushes
    int pictures;
    int icons;
};
DlgHoldings DlgInspectHoldings();

struct DlgFontView {
    float points;
    LOGFONTA description;
    HFONT object;
    int users;
};

// False when the number names no description.
bool DlgInspectFont(int fontNumber, DlgFontView* view);
