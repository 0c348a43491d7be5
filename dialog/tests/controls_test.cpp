// DlgAddControl and the control operations on real windows: styles, rectangles, states.
#include "dialog_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

TEST(DlgAddControl, StyleWordOfEachKind) {
    struct Case {
        DlgKind kind;
        const char* text;
        DWORD style;
        DWORD expected;
    };
    const Case cases[] = {
        {DLG_PUSH_BUTTON, "Go", 0, 0x50010000},
        {DLG_PUSH_BUTTON, "Go", BS_MULTILINE, 0x50002000},  // not a tab stop
        {DLG_CHECK_BOX, "Undo", 0, 0x50010003},
        {DLG_CHECK_BOX, "Undo", WS_TABSTOP | WS_BORDER | BS_PUSHBUTTON | BS_LEFTTEXT, 0x50010023},
        {DLG_GROUP_FRAME, "Options", 0, 0x50000007},
        {DLG_GROUP_FRAME, "Options", WS_TABSTOP | WS_GROUP, 0x50000007},  // never a tab stop, never a group start
        {DLG_GROUP_FRAME, "Options", WS_TABSTOP | WS_GROUP | BS_CENTER, 0x50000307},
        {DLG_RADIO_BUTTON, "Always", 0, 0x50010009},
        {DLG_RADIO_BUTTON, "Always", WS_GROUP | BS_CHECKBOX, 0x50020009},
        {DLG_IMAGE, "LOADING00", 0, 0x5000000E},
        {DLG_IMAGE, "HELP", SS_NOTIFY, 0x5000010E},
        {DLG_IMAGE_BUTTON, "CLOSE", 0, 0x50010080},
        {DLG_PROGRESS_BAR, "", 0, 0x50800000},
        {DLG_PROGRESS_BAR, "", PBS_SMOOTH, 0x50000001},  // no border
    };
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        int identifier = 100 + static_cast<int>(i);
        DlgAddControl(c.kind, dialog, identifier, c.text, 4, 4, 40, 12, c.style, 0, nullptr);
        HWND control = GetDlgItem(dialog, identifier);
        ASSERT_NE(nullptr, control) << "case " << i;
        EXPECT_EQ(Hex(c.expected), Hex(StyleOf(control))) << "case " << i;
        DlgRecordView record = RecordOf(control);
        EXPECT_TRUE(record.isControl) << "case " << i;
        EXPECT_EQ(dialog, record.dialog) << "case " << i;
        EXPECT_EQ(static_cast<int>(c.kind), record.kind) << "case " << i;
        EXPECT_EQ(Hex(c.expected), Hex(record.style)) << "case " << i;
    }
    DestroyWindow(dialog);
}

TEST(DlgAddControl, ClassRectangleTextAndFont) {
    struct Case {
        DlgKind kind;
        const char* className;
        const char* text;
        const char* windowText;
        int x, y, width, height;
    };
    const Case cases[] = {
        {DLG_RADIO_BUTTON, "Button", "Always rename", "Always rename", 4, 10, 165, 15},
        {DLG_CHECK_BOX, "Button", "Create \"undo\" file", "Create \"undo\" file", 5, 55, 110, 15},
        {DLG_GROUP_FRAME, "Button", "Options", "Options", 1, 1, 175, 45},
        {DLG_PUSH_BUTTON, "Button", "VORLAX !\n\n(Kellerup)", "VORLAX !\n\n(Kellerup)", 181, 5, 43, 68},
        {DLG_PROGRESS_BAR, "msctls_progress32", "", "", 1, 75, 224, 10},
        {DLG_IMAGE_BUTTON, "Button", "CLOSE", "", 156, 55, 14, 14},
    };
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        int identifier = 1001 + static_cast<int>(i);
        DlgAddControl(c.kind, dialog, identifier, c.text, c.x, c.y, c.width, c.height, 0, 0, nullptr);
        HWND control = GetDlgItem(dialog, identifier);
        ASSERT_NE(nullptr, control) << "case " << i;
        char className[64] = {};
        GetClassNameA(control, className, sizeof(className));
        EXPECT_EQ(0, lstrcmpiA(c.className, className)) << "case " << i << ": " << className;
        char text[64] = {};
        GetWindowTextA(control, text, sizeof(text));
        EXPECT_STREQ(c.windowText, text) << "case " << i;
        RECT expected = MappedRect(dialog, c.x, c.y, c.width, c.height);
        RECT actual = ChildRect(control);
        EXPECT_EQ(expected.left, actual.left) << "case " << i;
        EXPECT_EQ(expected.top, actual.top) << "case " << i;
        EXPECT_EQ(expected.right, actual.right) << "case " << i;
        EXPECT_EQ(expected.bottom, actual.bottom) << "case " << i;
        EXPECT_EQ(dialogFont, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0))) << "case " << i;
        EXPECT_EQ(control, DlgControlWindow(dialog, identifier)) << "case " << i;
    }
    EXPECT_EQ(nullptr, DlgControlWindow(dialog, 999));
    DestroyWindow(dialog);
}

TEST(DlgAddControl, DefaultPushButtonBecomesTheDialogDefault) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgAddControl(DLG_PUSH_BUTTON, dialog, 41, "plain", 4, 4, 40, 12, 0, 0, nullptr);
    EXPECT_NE(41, LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)));
    DlgAddControl(DLG_PUSH_BUTTON, dialog, 42, "default", 4, 20, 40, 12, WS_TABSTOP | BS_DEFPUSHBUTTON, 0, nullptr);
    LRESULT answer = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    EXPECT_EQ(DC_HASDEFID, HIWORD(answer)) << Hex(answer);
    EXPECT_EQ(42, LOWORD(answer)) << Hex(answer);
    DestroyWindow(dialog);
}

TEST(DlgAddControl, UnknownKindMakesNothing) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgHoldings before = DlgInspectHoldings();
    DlgAddControl(static_cast<DlgKind>(99), dialog, 50, "unknown kind", 0, 0, 10, 10, 0, 0, nullptr);
    EXPECT_EQ(nullptr, GetDlgItem(dialog, 50));
    EXPECT_EQ(before.records, DlgInspectHoldings().records);
    DestroyWindow(dialog);
}

TEST(DlgCheckStates, RadioAndCheckBox) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgAddControl(DLG_RADIO_BUTTON, dialog, 1001, "always", 4, 10, 165, 15, 0, 0, nullptr);
    DlgAddControl(DLG_RADIO_BUTTON, dialog, 1002, "on conflict", 4, 25, 165, 15, 0, 0, nullptr);
    DlgAddControl(DLG_CHECK_BOX, dialog, 1003, "undo", 5, 55, 110, 15, 0, 0, nullptr);
    DlgCheckRadio(dialog, 1001, 1002, 1002);
    EXPECT_EQ(0, DlgGetCheck(dialog, 1001));
    EXPECT_EQ(1, DlgGetCheck(dialog, 1002));
    DlgCheckRadio(dialog, 1001, 1002, 1001);
    EXPECT_EQ(1, DlgGetCheck(dialog, 1001));
    EXPECT_EQ(0, DlgGetCheck(dialog, 1002));
    struct Case {
        int state;
        int read;
    };
    const Case cases[] = {{-1, 1}, {0, 0}, {1, 1}, {0, 0}};
    for (const Case& c : cases) {
        DlgSetCheck(dialog, 1003, c.state);
        EXPECT_EQ(c.read, DlgGetCheck(dialog, 1003)) << "state " << c.state;
    }
    EXPECT_EQ(0, DlgGetCheck(dialog, 1999));
    DestroyWindow(dialog);
}

TEST(DlgShowWindow, ControlsAtOnceDialogsRememberedUntilShown) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgAddControl(DLG_IMAGE, dialog, 1008, "LOADING00", 150, 51, 0, 0, 0, 0, nullptr);
    HWND busy = DlgControlWindow(dialog, 1008);
    ASSERT_NE(nullptr, busy);
    DlgShowWindow(busy, SW_HIDE);
    EXPECT_EQ(0u, StyleOf(busy) & WS_VISIBLE);
    DlgShowWindow(busy, SW_SHOW);
    EXPECT_NE(0u, StyleOf(busy) & WS_VISIBLE);

    const int requested[] = {SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_MAXIMIZE, SW_SHOWNOACTIVATE,
                             SW_SHOW, SW_MINIMIZE, SW_SHOWNA, SW_RESTORE, 42};
    const int kept[] = {0, 5, 5, 3, 5, 5, 6, 5, 5, 5};
    for (size_t i = 0; i < sizeof(requested) / sizeof(requested[0]); ++i) {
        DlgShowWindow(dialog, requested[i]);
        EXPECT_EQ(kept[i], RecordOf(dialog).showState) << "state " << requested[i];
        EXPECT_FALSE(IsWindowVisible(dialog)) << "state " << requested[i];
    }
    DestroyWindow(dialog);
}

TEST(DlgEnable, ControlOrDialog) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgAddControl(DLG_PUSH_BUTTON, dialog, 1006, "go", 181, 5, 43, 68, 0, 0, nullptr);
    HWND go = DlgControlWindow(dialog, 1006);
    DlgEnable(dialog, 1006, false);
    EXPECT_FALSE(IsWindowEnabled(go));
    EXPECT_TRUE(IsWindowEnabled(dialog));
    DlgEnable(dialog, 1006, true);
    EXPECT_TRUE(IsWindowEnabled(go));
    DlgEnable(dialog, DLG_NOT_GIVEN, false);
    EXPECT_FALSE(IsWindowEnabled(dialog));
    DlgEnable(dialog, DLG_NOT_GIVEN, true);
    EXPECT_TRUE(IsWindowEnabled(dialog));
    DlgEnable(dialog, 1999, false);  // no such control
    EXPECT_TRUE(IsWindowEnabled(dialog));
    DestroyWindow(dialog);
}

// Paint counts of windows whose procedures the test wraps.
struct PaintCounter {
    WNDPROC original;
    int paints;
};
PaintCounter gDialogPaints = {};
PaintCounter gControlPaints = {};

LRESULT CALLBACK CountDialogPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) ++gDialogPaints.paints;
    return CallWindowProcA(gDialogPaints.original, window, message, wParam, lParam);
}

LRESULT CALLBACK CountControlPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) ++gControlPaints.paints;
    return CallWindowProcA(gControlPaints.original, window, message, wParam, lParam);
}

TEST(DlgRedraw, RepaintsAtOnceAndThroughTransparentBackgrounds) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgAddControl(DLG_CHECK_BOX, dialog, 1003, "undo", 5, 55, 110, 15, 0, 0, nullptr);
    HWND box = DlgControlWindow(dialog, 1003);
    gDialogPaints.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountDialogPaint)));
    gControlPaints.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountControlPaint)));
    ShowWindow(dialog, SW_SHOWNOACTIVATE);
    UpdateWindow(dialog);
    Pump();

    struct Case {
        HWND window;
        int background;
        int dialogPaints;
        int controlPaints;
    };
    const Case cases[] = {
        {dialog, DLG_COLOR_DEFAULT, 1, 1},  // the dialog and all its children
        {box, DLG_COLOR_DEFAULT, 0, 1},     // an opaque control alone
        {box, DLG_COLOR_TRANSPARENT, 1, 1}, // a transparent one with the dialog behind it
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        DlgSetColors(dialog, 1003, DLG_COLOR_DEFAULT, c.background);
        gDialogPaints.paints = 0;
        gControlPaints.paints = 0;
        DlgRedraw(c.window);
        EXPECT_EQ(c.dialogPaints, gDialogPaints.paints > 0 ? 1 : 0) << "case " << i << ": " << gDialogPaints.paints;
        EXPECT_EQ(c.controlPaints, gControlPaints.paints > 0 ? 1 : 0) << "case " << i << ": " << gControlPaints.paints;
    }
    DestroyWindow(dialog);
}

TEST(DlgPost, PostsToTheWindow) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(DlgPost(dialog, WM_APP + 7, 11, 22));
    MSG message = {};
    ASSERT_TRUE(PeekMessageA(&message, dialog, WM_APP + 7, WM_APP + 7, PM_REMOVE));
    EXPECT_EQ(11u, message.wParam);
    EXPECT_EQ(22, message.lParam);
    DestroyWindow(dialog);
}

}  // namespace
