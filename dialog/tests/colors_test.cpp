// Colours on real windows: the answers to colour requests, shared brushes, progress bars.
#include "dialog_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

const int kLight = 0x00F8F5F1;  // DlgRgb(241, 245, 248)
const int kDark = 0x00360600;   // DlgRgb(0, 6, 54)
const COLORREF kUntouched = RGB(1, 2, 3);

// The services' dialog procedure itself, so that "0, the platform's default" can be seen
// before the platform's default dialog processing turns it into a brush of its own.
INT_PTR AskProcedure(HWND dialog, UINT message, HDC dc, HWND asking) {
    DLGPROC procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(dialog, DWLP_DLGPROC));
    return procedure(dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(asking));
}

COLORREF BrushColor(HBRUSH brush) {
    LOGBRUSH description = {};
    GetObjectA(brush, sizeof(description), &description);
    return description.lbColor;
}

TEST(ColorRule, AnswersPerRequestAndColour) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgAddControl(DLG_CHECK_BOX, dialog, 1, "defaults", 4, 4, 60, 12, 0, 0, nullptr);
    DlgAddControl(DLG_CHECK_BOX, dialog, 2, "light", 4, 20, 60, 12, 0, 0, nullptr);
    DlgAddControl(DLG_CHECK_BOX, dialog, 3, "transparent", 4, 36, 60, 12, 0, 0, nullptr);
    DlgAddControl(DLG_CHECK_BOX, dialog, 4, "never set", 4, 52, 60, 12, 0, 0, nullptr);
    HWND foreign = CreateWindowExA(0, "STATIC", "foreign", WS_CHILD, 0, 0, 10, 10, dialog, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    DlgSetColors(dialog, 1, -1, -1);
    DlgSetColors(dialog, 2, kDark, kLight);
    DlgSetColors(dialog, 3, -5, DLG_COLOR_TRANSPARENT);
    DlgSetColors(dialog, DLG_NOT_GIVEN, -1, kLight);
    HWND defaults = GetDlgItem(dialog, 1), light = GetDlgItem(dialog, 2), clear = GetDlgItem(dialog, 3);
    HWND never = GetDlgItem(dialog, 4);
    HBRUSH lightBrush = RecordOf(light).brush;
    ASSERT_NE(nullptr, lightBrush);
    EXPECT_EQ(static_cast<COLORREF>(kLight), BrushColor(lightBrush));
    HBRUSH nullBrush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));

    struct Case {
        UINT message;
        HWND asking;
        INT_PTR answer;
        COLORREF text;        // kUntouched: not set
        COLORREF background;  // kUntouched: not set
        int mode;
    };
    const Case cases[] = {
        {WM_CTLCOLORBTN, defaults, (INT_PTR)GetSysColorBrush(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT),
         GetSysColor(COLOR_BTNFACE), OPAQUE},
        {WM_CTLCOLORSTATIC, defaults, (INT_PTR)GetSysColorBrush(COLOR_BTNFACE), GetSysColor(COLOR_WINDOWTEXT),
         GetSysColor(COLOR_BTNFACE), OPAQUE},
        {WM_CTLCOLORMSGBOX, defaults, (INT_PTR)GetSysColorBrush(COLOR_MENU), GetSysColor(COLOR_MENUTEXT),
         GetSysColor(COLOR_MENU), OPAQUE},
        {WM_CTLCOLOREDIT, defaults, (INT_PTR)GetSysColorBrush(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT),
         GetSysColor(COLOR_WINDOW), OPAQUE},
        {WM_CTLCOLORLISTBOX, defaults, (INT_PTR)GetSysColorBrush(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT),
         GetSysColor(COLOR_WINDOW), OPAQUE},
        {WM_CTLCOLORSCROLLBAR, defaults, (INT_PTR)GetSysColorBrush(COLOR_SCROLLBAR), GetSysColor(COLOR_WINDOWTEXT),
         GetSysColor(COLOR_SCROLLBAR), OPAQUE},
        {WM_CTLCOLORSTATIC, light, (INT_PTR)lightBrush, kDark, kLight, OPAQUE},
        {WM_CTLCOLORBTN, light, (INT_PTR)lightBrush, kDark, kLight, OPAQUE},
        {WM_CTLCOLORDLG, dialog, (INT_PTR)lightBrush, GetSysColor(COLOR_WINDOWTEXT), kLight, OPAQUE},
        {WM_CTLCOLORSTATIC, clear, (INT_PTR)nullBrush, GetSysColor(COLOR_WINDOWTEXT), kUntouched, TRANSPARENT},
        {WM_CTLCOLORSTATIC, never, 0, kUntouched, kUntouched, OPAQUE},
        {WM_CTLCOLORSTATIC, foreign, 0, kUntouched, kUntouched, OPAQUE},
    };
    HDC dc = CreateCompatibleDC(nullptr);
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        SetTextColor(dc, kUntouched);
        SetBkColor(dc, kUntouched);
        SetBkMode(dc, OPAQUE);
        INT_PTR answer = AskProcedure(dialog, c.message, dc, c.asking);
        EXPECT_EQ(c.answer, answer) << "case " << i;
        EXPECT_EQ(Hex(c.text), Hex(GetTextColor(dc))) << "case " << i;
        EXPECT_EQ(Hex(c.background), Hex(GetBkColor(dc))) << "case " << i;
        EXPECT_EQ(c.mode, GetBkMode(dc)) << "case " << i;
    }
    DeleteDC(dc);
    // Through the platform, the request is answered with the same brush.
    HDC windowDc = GetDC(light);
    EXPECT_EQ(reinterpret_cast<LRESULT>(lightBrush),
              SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(windowDc), reinterpret_cast<LPARAM>(light)));
    ReleaseDC(light, windowDc);
    DestroyWindow(dialog);
}

TEST(DlgSetColors, RecordTakesNormalisedColours) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgAddControl(DLG_RADIO_BUTTON, dialog, 1, "radio", 4, 4, 60, 12, 0, 0, nullptr);
    struct Case {
        int text, background;
        int recordedText, recordedBackground;
        bool brush;
    };
    const Case cases[] = {
        {-1, -1, -1, -1, false},        {-7, -2, -1, -2, false},     {-3, -3, -1, -1, false},
        {kDark, kLight, kDark, kLight, true}, {0x7F000010, 0x12345678, 0x10, 0x345678, true},
        {0, 0, 0, 0, true},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        DlgSetColors(dialog, 1, c.text, c.background);
        DlgRecordView record = RecordOf(GetDlgItem(dialog, 1));
        EXPECT_EQ(c.recordedText, record.textColor) << "case " << i;
        EXPECT_EQ(c.recordedBackground, record.backgroundColor) << "case " << i;
        EXPECT_EQ(c.brush, record.brush != nullptr) << "case " << i;
        if (c.brush) {
            EXPECT_EQ(static_cast<COLORREF>(c.recordedBackground), BrushColor(record.brush)) << "case " << i;
        }
    }
    DestroyWindow(dialog);
}

TEST(DlgSetColors, OneBrushPerBackgroundShared) {
    HWND dialog = MakeDialog();
    HWND other = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    ASSERT_NE(nullptr, other);
    DlgHoldings before = DlgInspectHoldings();
    DlgAddControl(DLG_RADIO_BUTTON, dialog, 1, "a", 4, 4, 60, 12, 0, 0, nullptr);
    DlgAddControl(DLG_CHECK_BOX, dialog, 2, "b", 4, 20, 60, 12, 0, 0, nullptr);
    HWND a = GetDlgItem(dialog, 1), b = GetDlgItem(dialog, 2);
    DlgSetColors(dialog, DLG_NOT_GIVEN, -1, kLight);
    DlgSetColors(dialog, 1, kDark, kLight);
    DlgSetColors(dialog, 2, kDark, kLight);
    DlgSetColors(other, DLG_NOT_GIVEN, -1, kLight);
    HBRUSH shared = RecordOf(dialog).brush;
    ASSERT_NE(nullptr, shared);
    EXPECT_EQ(shared, RecordOf(a).brush);
    EXPECT_EQ(shared, RecordOf(b).brush);
    EXPECT_EQ(shared, RecordOf(other).brush);
    EXPECT_EQ(before.brushes + 1, DlgInspectHoldings().brushes);

    // A change on one window keeps the brush alive for the others.
    DlgSetColors(dialog, 1, kDark, kDark);
    HBRUSH dark = RecordOf(a).brush;
    EXPECT_NE(shared, dark);
    EXPECT_TRUE(GdiObjectAlive(shared));
    EXPECT_EQ(before.brushes + 2, DlgInspectHoldings().brushes);
    DlgSetColors(dialog, 2, kDark, kDark);
    EXPECT_EQ(dark, RecordOf(b).brush) << "the second window with that colour shares the first one's brush";
    DlgSetColors(other, DLG_NOT_GIVEN, -1, -1);
    EXPECT_TRUE(GdiObjectAlive(shared)) << "the dialog still paints with it";
    // The last user lets go: the brush is deleted.
    DlgSetColors(dialog, DLG_NOT_GIVEN, -1, DLG_COLOR_TRANSPARENT);
    EXPECT_FALSE(GdiObjectAlive(shared));
    EXPECT_EQ(before.brushes + 1, DlgInspectHoldings().brushes);
    // The dark brush goes with the dialog's records.
    DestroyWindow(dialog);
    EXPECT_FALSE(GdiObjectAlive(dark));
    EXPECT_EQ(before.brushes, DlgInspectHoldings().brushes);
    DestroyWindow(other);
}

TEST(DlgSetColors, ProgressBarTakesColoursByMessage) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgAddControl(DLG_PROGRESS_BAR, dialog, 1007, "", 1, 75, 224, 10, PBS_SMOOTH, 0, nullptr);
    HWND bar = GetDlgItem(dialog, 1007);
    const int kBar = 0x0000B41E;
    struct Case {
        int dialogBackground;  // -3: never set
        int text, background;
        int recordedBackground;
    };
    const Case cases[] = {
        {-3, kBar, -1, -1},
        {kLight, kBar, -1, kLight},  // the dialog's own background
        {kLight, kBar, -2, -1},      // a bar cannot be transparent
        {kLight, kBar, kDark, kDark},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        if (c.dialogBackground != -3) DlgSetColors(dialog, DLG_NOT_GIVEN, -1, c.dialogBackground);
        DlgSetColors(dialog, 1007, c.text, c.background);
        DlgRecordView record = RecordOf(bar);
        EXPECT_EQ(c.text, record.textColor) << "case " << i;
        EXPECT_EQ(c.recordedBackground, record.backgroundColor) << "case " << i;
        EXPECT_EQ(nullptr, record.brush) << "case " << i;
        EXPECT_EQ(Hex(static_cast<COLORREF>(c.text)), Hex(SendMessageA(bar, PBM_GETBARCOLOR, 0, 0))) << "case " << i;
        EXPECT_EQ(Hex(static_cast<COLORREF>(c.recordedBackground)), Hex(SendMessageA(bar, PBM_GETBKCOLOR, 0, 0)))
            << "case " << i;
    }
    DestroyWindow(dialog);
}

}  // namespace
