// DlgCreate on real windows: style word, size, title, font, position, and refused dialogs.
#include "dialog_test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(DlgCreate, DefaultStyleTitleSizeAndFont) {
    int liveBefore = gDlgLiveCount;
    HWND dialog = DlgCreate(DLG_DIALOG_UNITS, nullptr, " VORLAX v3 [by belcour]", DLG_NOT_GIVEN, DLG_NOT_GIVEN,
                            226, 85, 0, 0);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(liveBefore + 1, gDlgLiveCount);
    DlgRecordView record = RecordOf(dialog);
    EXPECT_EQ(-1, record.kind);
    EXPECT_FALSE(record.isControl);
    EXPECT_FALSE(record.shown);
    EXPECT_EQ(5, record.showState);
    EXPECT_EQ(Hex(0x80C008D4), Hex(record.style));
    DWORD style = StyleOf(dialog);
    EXPECT_EQ(Hex(0x80C008D4), Hex(style & 0x80C008D4)) << "window style " << Hex(style);
    EXPECT_EQ(0u, style & WS_VISIBLE) << Hex(style);
    EXPECT_EQ(0u, style & WS_SYSMENU) << Hex(style);

    char title[64] = {};
    GetWindowTextA(dialog, title, sizeof(title));
    EXPECT_STREQ(" VORLAX v3 [by belcour]", title);

    RECT expected = MappedRect(dialog, 0, 0, 226, 85);
    RECT client = {};
    GetClientRect(dialog, &client);
    EXPECT_EQ(expected.right, client.right);
    EXPECT_EQ(expected.bottom, client.bottom);

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    EXPECT_NE(nullptr, font);
    EXPECT_EQ(font, record.dialogFont);
    LOGFONTA description = {};
    ASSERT_NE(0, GetObjectA(font, sizeof(description), &description));
    EXPECT_STREQ("MS Sans Serif", description.lfFaceName);
    EXPECT_EQ(FW_NORMAL, description.lfWeight);
    EXPECT_EQ(0, description.lfItalic);

    DestroyWindow(dialog);
    EXPECT_EQ(liveBefore, gDlgLiveCount);
    EXPECT_EQ(-100, RecordOf(dialog).kind) << "record left after destruction";
}

TEST(DlgCreate, WithoutPositionIsCentred) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    RECT window = {};
    GetWindowRect(dialog, &window);
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int dx = (window.left + window.right) - (work.left + work.right);
    int dy = (window.top + window.bottom) - (work.top + work.bottom);
    EXPECT_LE(abs(dx), 2) << "window " << window.left << "," << window.top << " - " << window.right << ","
                          << window.bottom;
    EXPECT_LE(abs(dy), 2) << "window " << window.left << "," << window.top << " - " << window.right << ","
                          << window.bottom;
    EXPECT_EQ(Hex(DS_CENTER), Hex(StyleOf(dialog) & DS_CENTER));
    DestroyWindow(dialog);
}

TEST(DlgCreate, PositionGivenIsKept) {
    struct Case {
        int x, y;
        bool centred;
    };
    const Case cases[] = {{10, 20, false}, {DLG_NOT_GIVEN, 20, true}, {10, DLG_NOT_GIVEN, true}};
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        HWND dialog = DlgCreate(DLG_DIALOG_UNITS, nullptr, "at", c.x, c.y, 100, 50, 0, 0);
        ASSERT_NE(nullptr, dialog) << "case " << i;
        EXPECT_EQ(c.centred, (StyleOf(dialog) & DS_CENTER) != 0) << "case " << i;
        if (!c.centred) {
            // The template's position is where the client area starts, in dialog units.
            RECT expected = MappedRect(dialog, c.x, c.y, 0, 0);
            POINT origin = {0, 0};
            ClientToScreen(dialog, &origin);
            EXPECT_EQ(expected.left, origin.x) << "case " << i;
            EXPECT_EQ(expected.top, origin.y) << "case " << i;
        }
        DestroyWindow(dialog);
    }
}

TEST(DlgCreate, StyleGivesTheDeferredShowState) {
    struct Case {
        DWORD style;
        int showState;
        DWORD recorded;
    };
    const Case cases[] = {
        {0x80C000D4, 5, 0x80C008D4},
        {0x81C000D4, 3, 0x81C008D4},                                    // WS_MAXIMIZE
        {0xA0C000D4, 6, 0xA0C008D4},                                    // WS_MINIMIZE
        {WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SYSMODAL, 5, 0x80C00854},  // never visible, never system-modal
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        HWND dialog = MakeDialog(100, 50, cases[i].style);
        ASSERT_NE(nullptr, dialog) << "case " << i;
        DlgRecordView record = RecordOf(dialog);
        EXPECT_EQ(cases[i].showState, record.showState) << "case " << i;
        EXPECT_EQ(Hex(cases[i].recorded), Hex(record.style)) << "case " << i;
        EXPECT_FALSE(IsWindowVisible(dialog)) << "case " << i;
        DestroyWindow(dialog);
    }
}

int gHandlerCalls = 0;

int CountingHandler(HWND, UINT, WPARAM, LPARAM) {
    ++gHandlerCalls;
    return 0;
}

TEST(DlgCreate, RefusedDialogGivesZero) {
    struct Case {
        HWND owner;
        DWORD style;
    };
    // A child window needs a parent; an owner must be a window.
    const Case cases[] = {{nullptr, WS_CHILD | WS_CAPTION}, {reinterpret_cast<HWND>(0x7FFF1234), 0}};
    DlgHoldings before = DlgInspectHoldings();
    int liveBefore = gDlgLiveCount;
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        HWND dialog = DlgCreate(DLG_DIALOG_UNITS, cases[i].owner, "no", 0, 0, 100, 50, cases[i].style, 0);
        EXPECT_EQ(nullptr, dialog) << "case " << i;
        if (dialog != nullptr) DestroyWindow(dialog);
    }
    EXPECT_EQ(before.records, DlgInspectHoldings().records);
    EXPECT_EQ(liveBefore, gDlgLiveCount);
}

TEST(DlgCreate, EveryOperationGivenZeroDoesNothing) {
    DlgHoldings before = DlgInspectHoldings();
    gHandlerCalls = 0;
    HWND none = nullptr;
    DlgAddControl(DLG_PUSH_BUTTON, none, 1, "x", 0, 0, 10, 10, 0, 0, nullptr);
    DlgAddControl(DLG_IMAGE, none, 2, "HELP", 0, 0, 0, 0, 0, 0, nullptr);
    DlgCheckRadio(none, 1, 2, 1);
    DlgSetCheck(none, 1, -1);
    EXPECT_EQ(7, DlgShowModal(none, CountingHandler, 7));
    EXPECT_EQ(0, gHandlerCalls) << "the handler was called for no dialog";
    DlgFinish(none, 3);
    EXPECT_EQ(nullptr, DlgControlWindow(none, 1));
    DlgShowWindow(none, SW_SHOW);
    DlgEnable(none, DLG_NOT_GIVEN, false);
    DlgRedraw(none);
    EXPECT_FALSE(DlgPost(none, WM_APP, 1, 2));
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, reinterpret_cast<HWND>(-1), WM_APP, WM_APP, PM_REMOVE))
        << "a thread message was posted";
    DlgSetImage(none, 1, "HELP");
    DlgSetColors(none, DLG_NOT_GIVEN, 0, 0);
    DlgSetIcon(none, "ICO");
    DlgSetFont(none, DLG_NOT_GIVEN, 1);
    DlgHoldings after = DlgInspectHoldings();
    EXPECT_EQ(before.records, after.records);
    EXPECT_EQ(before.brushes, after.brushes);
    EXPECT_EQ(before.icons, after.icons);
    EXPECT_EQ(before.pictures, after.pictures);
}

TEST(DlgCreate, WindowsTheServicesDidNotMakeAreLeftAlone) {
    HWND foreign = CreateWindowExA(0, "STATIC", "foreign", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, foreign);
    HWND child = CreateWindowExA(0, "BUTTON", "child", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, foreign,
                                 reinterpret_cast<HMENU>(5), GetModuleHandleA(nullptr), nullptr);
    DlgShowWindow(foreign, SW_SHOW);
    EXPECT_FALSE(IsWindowVisible(foreign));
    DlgEnable(foreign, DLG_NOT_GIVEN, false);
    EXPECT_TRUE(IsWindowEnabled(foreign));
    DlgEnable(foreign, 5, false);
    EXPECT_TRUE(IsWindowEnabled(child));
    EXPECT_EQ(nullptr, DlgControlWindow(foreign, 5));
    DlgAddControl(DLG_PUSH_BUTTON, foreign, 6, "x", 0, 0, 10, 10, 0, 0, nullptr);
    EXPECT_EQ(nullptr, GetDlgItem(foreign, 6));
    DestroyWindow(foreign);
}

}  // namespace
