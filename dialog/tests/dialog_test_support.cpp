// Set-up of the dialog services for the test process, and the helpers the tests share.
#include "dialog_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Start-up does the same for the program: the module, the default font, the control classes.
class ServicesEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        DlgDefaultFont font = {};
        lstrcpynA(font.face, "MS Sans Serif", LF_FACESIZE);
        font.points = 8;
        font.weight = FW_NORMAL;
        ASSERT_TRUE(DlgStartThread(GetModuleHandleA(nullptr), font));
        INITCOMMONCONTROLSEX classes = {sizeof(classes), 0x706F};
        ASSERT_TRUE(InitCommonControlsEx(&classes));
        DlgResetValues();
    }
    void TearDown() override { DlgEndThread(); }
};

const ::testing::Environment* const gServices = ::testing::AddGlobalTestEnvironment(new ServicesEnvironment);

// Written by the watchdog's timer, read by its owner; one watchdog at a time.
HWND gWatchedDialog = nullptr;
bool gWatchdogFired = false;

void CALLBACK WatchdogTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (gWatchedDialog != nullptr && IsWindow(gWatchedDialog)) {
        gWatchdogFired = true;
        DestroyWindow(gWatchedDialog);
    }
}

}  // namespace

std::string Hex(unsigned long value) {
    char text[24];
    std::snprintf(text, sizeof(text), "0x%08lX", value);
    return text;
}

HWND MakeDialog(int width, int height, DWORD style) {
    return DlgCreate(DLG_DIALOG_UNITS, nullptr, "test", DLG_NOT_GIVEN, DLG_NOT_GIVEN, width, height, style, 0);
}

RECT MappedRect(HWND dialog, int x, int y, int width, int height) {
    RECT rectangle = {x, y, x + width, y + height};
    MapDialogRect(dialog, &rectangle);
    return rectangle;
}

RECT ChildRect(HWND control) {
    RECT rectangle = {};
    GetWindowRect(control, &rectangle);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rectangle), 2);
    return rectangle;
}

DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
}

void Pump(int limit) {
    MSG message;
    for (int i = 0; i < limit && PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); ++i) DlgDoEvents(0);
}

Watchdog::Watchdog(HWND dialog, UINT milliseconds) {
    gWatchedDialog = dialog;
    gWatchdogFired = false;
    timer_ = SetTimer(nullptr, 0, milliseconds, WatchdogTimer);
}

Watchdog::~Watchdog() {
    KillTimer(nullptr, timer_);
    gWatchedDialog = nullptr;
}

bool Watchdog::Fired() const {
    return gWatchdogFired;
}

DlgRecordView RecordOf(HWND window) {
    DlgRecordView view = {};
    view.kind = -100;  // tells "no record" apart from every real kind
    DlgInspectRecord(window, &view);
    return view;
}

bool GdiObjectAlive(HGDIOBJ object) {
    return GetObjectType(object) != 0;
}

bool IconAlive(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    return true;
}
