// The font table on real windows: numbering, reuse, descriptions, heights and sharing.
#include "dialog_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

DlgFontView FontOf(int number) {
    DlgFontView view = {};
    view.users = -100;  // tells "no description" apart
    DlgInspectFont(number, &view);
    return view;
}

// Runs in a process of its own (see the CMake file), where no font was made before.
TEST(FreshFontTable, NumbersOneAndTwo) {
    EXPECT_EQ(-100, FontOf(1).users) << "the table was not fresh";
    EXPECT_EQ(1, DlgMakeFont("MS Sans Serif", 8, 1, 0, 0, 0));
    EXPECT_EQ(2, DlgMakeFont("Verdana", 7, 1, 0, 0, 0));
    EXPECT_EQ(1, FontOf(1).users);
    EXPECT_EQ(1, FontOf(2).users);
}

TEST(DlgMakeFont, ReleasedEntryIsReused) {
    int first = DlgMakeFont("Arial", 10, 0, 0, 0, 0);
    int second = DlgMakeFont("Arial", 11, 0, 0, 0, 0);
    ASSERT_GT(first, 0);
    EXPECT_EQ(first + 1, second);
    DlgReleaseFont(first);
    EXPECT_EQ(0, FontOf(first).users);
    int third = DlgMakeFont("Courier New", 12, 0, 0, 0, 0);
    EXPECT_EQ(first, third) << "the free entry was not reused";
    EXPECT_STREQ("Courier New", FontOf(third).description.lfFaceName);
    int fourth = DlgMakeFont("Courier New", 13, 0, 0, 0, 0);
    EXPECT_GT(fourth, second);
    DlgReleaseFont(second);
    DlgReleaseFont(third);
    DlgReleaseFont(fourth);
}

TEST(DlgMakeFont, Description) {
    const char* longFace = "A face name that is far longer than thirty-one characters";
    struct Case {
        const char* face;
        float points;
        int styleBits, charSet, pitch, escapement;
        const char* expectedFace;
        float expectedPoints;
        LONG weight;
        BYTE italic, underline, strikeOut;
    };
    const Case cases[] = {
        {"MS Sans Serif", 8, 1, 0, 0, 0, "MS Sans Serif", 8, 700, 0, 0, 0},
        {"Verdana", 7, 1, 0, 0, 0, "Verdana", 7, 700, 0, 0, 0},
        {"Arial", 0, 0, ANSI_CHARSET, FF_SWISS | VARIABLE_PITCH, 900, "Arial", 8, 400, 0, 0, 0},
        {"Arial", 9.5f, 2, SYMBOL_CHARSET, 0, 0, "Arial", 9.5f, 400, 1, 0, 0},
        {"Arial", 9, 4 | 8, 0, 0, 0, "Arial", 9, 400, 0, 1, 1},
        {longFace, 9, 15, 0, 0, 0, "A face name that is far longer ", 9, 700, 1, 1, 1},
    };
    std::vector<int> made;
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        int number = DlgMakeFont(c.face, c.points, c.styleBits, c.charSet, c.pitch, c.escapement);
        ASSERT_GT(number, 0) << "case " << i;
        made.push_back(number);
        DlgFontView font = FontOf(number);
        EXPECT_STREQ(c.expectedFace, font.description.lfFaceName) << "case " << i;
        EXPECT_EQ(c.expectedPoints, font.points) << "case " << i;
        EXPECT_EQ(0, font.description.lfHeight) << "case " << i << ": worked out at first use only";
        EXPECT_EQ(0, font.description.lfWidth) << "case " << i;
        EXPECT_EQ(c.escapement, font.description.lfEscapement) << "case " << i;
        EXPECT_EQ(c.escapement, font.description.lfOrientation) << "case " << i;
        EXPECT_EQ(c.weight, font.description.lfWeight) << "case " << i;
        EXPECT_EQ(c.italic, font.description.lfItalic) << "case " << i;
        EXPECT_EQ(c.underline, font.description.lfUnderline) << "case " << i;
        EXPECT_EQ(c.strikeOut, font.description.lfStrikeOut) << "case " << i;
        EXPECT_EQ(DEFAULT_CHARSET, font.description.lfCharSet) << "case " << i;
        EXPECT_EQ(c.pitch, font.description.lfPitchAndFamily) << "case " << i;
        EXPECT_EQ(0, font.description.lfOutPrecision + font.description.lfClipPrecision + font.description.lfQuality)
            << "case " << i;
        EXPECT_EQ(nullptr, font.object) << "case " << i;
        EXPECT_EQ(1, font.users) << "case " << i;
    }
    for (int number : made) DlgReleaseFont(number);
}

TEST(DlgSetFont, HeightAtFirstUseAndSharedObject) {
    HDC screen = GetDC(nullptr);
    int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    struct Expected {
        int dotsPerInch, bold8, verdana7;
    };
    const Expected table[] = {{96, -11, -9}, {120, -13, -12}};
    const Expected* expected = nullptr;
    for (const Expected& row : table) {
        if (row.dotsPerInch == dotsPerInch) expected = &row;
    }
    ASSERT_NE(nullptr, expected) << "no expected heights for " << dotsPerInch << " dots per inch";

    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgAddControl(DLG_GROUP_FRAME, dialog, 1004, "Options", 1, 1, 175, 45, 0, 0, nullptr);
    DlgAddControl(DLG_GROUP_FRAME, dialog, 1005, "Undo", 1, 46, 130, 28, 0, 0, nullptr);
    DlgAddControl(DLG_PUSH_BUTTON, dialog, 1006, "Go", 181, 5, 43, 68, BS_MULTILINE, 0, nullptr);
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    int bold = DlgMakeFont("MS Sans Serif", 8, 1, 0, 0, 0);
    int verdana = DlgMakeFont("Verdana", 7, 1, 0, 0, 0);
    DlgSetFont(dialog, 1004, bold);
    DlgSetFont(dialog, 1005, bold);
    DlgSetFont(dialog, 1006, verdana);
    DlgFontView boldFont = FontOf(bold);
    DlgFontView verdanaFont = FontOf(verdana);
    EXPECT_EQ(expected->bold8, boldFont.description.lfHeight);
    EXPECT_EQ(expected->verdana7, verdanaFont.description.lfHeight);
    ASSERT_NE(nullptr, boldFont.object);
    EXPECT_EQ(3, boldFont.users) << "the maker and two frames";
    EXPECT_EQ(2, verdanaFont.users);
    const int identifiers[] = {1004, 1005, 1006};
    const int numbers[] = {bold, bold, verdana};
    const HFONT objects[] = {boldFont.object, boldFont.object, verdanaFont.object};
    for (int i = 0; i < 3; ++i) {
        HWND control = GetDlgItem(dialog, identifiers[i]);
        EXPECT_EQ(objects[i], reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0))) << "control " << i;
        DlgRecordView record = RecordOf(control);
        EXPECT_EQ(numbers[i], record.fontNumber) << "control " << i;
        EXPECT_EQ(dialogFont, record.previousFont) << "control " << i;
    }
    LOGFONTA made = {};
    GetObjectA(boldFont.object, sizeof(made), &made);
    EXPECT_EQ(FW_BOLD, made.lfWeight);
    EXPECT_STREQ("MS Sans Serif", made.lfFaceName);

    // A second font on a frame: the first loses that user, the frame keeps its first "before".
    DlgSetFont(dialog, 1005, verdana);
    EXPECT_EQ(2, FontOf(bold).users);
    EXPECT_EQ(3, FontOf(verdana).users);
    EXPECT_EQ(dialogFont, RecordOf(GetDlgItem(dialog, 1005)).previousFont);
    // Numbers that name nothing change nothing.
    DlgSetFont(dialog, 1004, 0);
    DlgSetFont(dialog, 1004, 9999);
    DlgSetFont(dialog, 1999, bold);
    EXPECT_EQ(bold, RecordOf(GetDlgItem(dialog, 1004)).fontNumber);
    EXPECT_EQ(2, FontOf(bold).users);

    DestroyWindow(dialog);
    EXPECT_EQ(1, FontOf(bold).users) << "only the maker is left";
    EXPECT_EQ(1, FontOf(verdana).users);
    EXPECT_TRUE(GdiObjectAlive(boldFont.object)) << "descriptions outlive their dialogs";
    DlgReleaseFont(bold);
    DlgReleaseFont(verdana);
    EXPECT_FALSE(GdiObjectAlive(boldFont.object));
    EXPECT_FALSE(GdiObjectAlive(verdanaFont.object));
    EXPECT_EQ(nullptr, FontOf(bold).object);
}

// WM_SETFONT as the dialog itself receives it, with its redraw flag.
struct FontMessage {
    WPARAM font;
    LPARAM redraw;
};
std::vector<FontMessage> gFontMessages;
WNDPROC gDialogProcedure = nullptr;

LRESULT CALLBACK LogSetFont(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFONT) gFontMessages.push_back({wParam, lParam});
    return CallWindowProcA(gDialogProcedure, window, message, wParam, lParam);
}

TEST(DlgSetFont, DialogGetsItsFormerFontBackOnRelease) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    gFontMessages.clear();
    gDialogProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LogSetFont)));
    int number = DlgMakeFont("Arial", 9, 0, 0, 0, 0);
    DlgSetFont(dialog, DLG_NOT_GIVEN, number);
    HFONT object = FontOf(number).object;
    ASSERT_NE(nullptr, object);
    EXPECT_EQ(2, FontOf(number).users);
    DestroyWindow(dialog);
    ASSERT_EQ(2u, gFontMessages.size());
    EXPECT_EQ(reinterpret_cast<WPARAM>(object), gFontMessages[0].font);
    EXPECT_EQ(TRUE, gFontMessages[0].redraw);
    EXPECT_EQ(reinterpret_cast<WPARAM>(dialogFont), gFontMessages[1].font);
    EXPECT_EQ(FALSE, gFontMessages[1].redraw);
    EXPECT_EQ(1, FontOf(number).users);
    DlgReleaseFont(number);
}

}  // namespace
