// Shared pieces of the dialog services' tests under Wine: set-up, a watchdog, small helpers.
#pragma once

#include <windows.h>

#include <string>

#include "dialog/dialog.h"
#include "dialog/dialog_census.h"

std::string Hex(unsigned long value);

// A dialog the way the main window makes its own: dialog units, centred, default style.
HWND MakeDialog(int width = 226, int height = 85, DWORD style = 0);

// The pixel rectangle a control at these dialog units gets in `dialog`.
RECT MappedRect(HWND dialog, int x, int y, int width, int height);

// A control's rectangle in its dialog's client coordinates.
RECT ChildRect(HWND control);

DWORD StyleOf(HWND window);

// Handles what is pending for the thread without blocking; at most `limit` messages.
void Pump(int limit = 200);

// Ends a modal loop that a broken test would leave running: after `milliseconds` the dialog
// is destroyed and Fired() tells the test so.
class Watchdog {
public:
    Watchdog(HWND dialog, UINT milliseconds);
    ~Watchdog();
    bool Fired() const;

private:
    UINT_PTR timer_;
};

// The record's view, empty when the services hold none.
DlgRecordView RecordOf(HWND window);

// Whether a handle still names a live GDI object or icon.
bool GdiObjectAlive(HGDIOBJ object);
bool IconAlive(HICON icon);
