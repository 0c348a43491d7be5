// The dialog services on real windows: a dialog built as the main window builds its own and what the
// services make of it, from its controls to everything given back when it ends; the other ways a
// modal show ends; and the operations on what the services hold no record of.
#include "dialog/tests/dialog_census.h"
#include "tests/support/program_services.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

using std::make_tuple;
const int kLight = 0xF8F5F1, kDark = 0x360600, kGreen = 0x00B41E;
const UINT kStep = WM_APP + 1, kFinishReturned = WM_APP + 2;
enum Picture { NO_PICTURE, A_BITMAP, AN_ICON, MISSING };
const struct Row { DlgKind kind; int identifier; const char* text; int x, y, width, height; DWORD style, expected;
                   Picture picture; } kRows[] = {
    {DLG_IMAGE, 1008, "LOADING00", 150, 51, 0, 0, 0, 0x5000000E, A_BITMAP},
    {DLG_IMAGE, 1010, "help", 136, 56, 14, 14, SS_NOTIFY, 0x5000010E, A_BITMAP},
    {DLG_IMAGE_BUTTON, 1009, "CLOSE", 156, 55, 14, 14, 0, 0x50010080, A_BITMAP},
    {DLG_IMAGE, 1011, "#9", 100, 1, 0, 0, 0, 0x50000003, AN_ICON},  // icon 9; there is no bitmap 9
    {DLG_IMAGE_BUTTON, 1012, "ICO", 100, 20, 14, 14, 0, 0x50010040, AN_ICON},
    {DLG_IMAGE, 1014, "NO_SUCH_PICTURE", 60, 60, 10, 10, 0, 0x50000003, MISSING},
    {DLG_RADIO_BUTTON, 1001, "Always rename", 4, 10, 165, 15, 0, 0x50010009, NO_PICTURE},
    {DLG_RADIO_BUTTON, 1002, "Only on conflict", 4, 25, 165, 15, 0, 0x50010009, NO_PICTURE},
    {DLG_CHECK_BOX, 1003, "Create \"undo\" file", 5, 55, 110, 15, 0, 0x50010003, NO_PICTURE},
    {DLG_GROUP_FRAME, 1004, "Options", 1, 1, 175, 45, 0, 0x50000007, NO_PICTURE},
    {DLG_PUSH_BUTTON, 1006, "VORLAX !\n\n(Kellerup)", 181, 5, 43, 68, 0, 0x50010000, NO_PICTURE},
    {DLG_PUSH_BUTTON, 1013, "default", 130, 40, 20, 10, WS_TABSTOP | BS_DEFPUSHBUTTON, 0x50010001, NO_PICTURE},
    {DLG_PROGRESS_BAR, 1007, "", 1, 75, 224, 10, 0, 0x50800000, NO_PICTURE}};

class MainWindowLike : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = MakeDialog();
        ASSERT_NE(nullptr, dialog);
        for (const Row& r : kRows) {
            DlgAddControl(r.kind, dialog, r.identifier, r.text, r.x, r.y, r.width, r.height, r.style, 0, nullptr);
        }
        DlgSetColors(dialog, DLG_NOT_GIVEN, -1, kLight);
        for (int identifier : {1001, 1002, 1003, 1004, 1006}) DlgSetColors(dialog, identifier, kDark, kLight);
        DlgSetColors(dialog, 1007, kGreen, -1);  // a bar on the default background takes the dialog's
        DlgSetColors(dialog, 1011, -1, DLG_COLOR_TRANSPARENT);
        DlgSetColors(dialog, 1012, -1, -1);
        DlgSetIcon(dialog, "ICO");
    }
    void TearDown() override { DestroyWindow(dialog); }  // a test may have ended it already
    HWND Control(int identifier) const { return GetDlgItem(dialog, identifier); }
    HWND dialog = nullptr;
};

TEST_F(MainWindowLike, DialogAndControlsAsAsked) {
    LOGFONTA made = {};
    GetObjectA(FontShown(dialog), sizeof(made), &made);
    char text[32] = {};
    GetWindowTextA(dialog, text, sizeof(text));
    RECT client = {}, expected = {0, 0, 226, 85};
    GetClientRect(dialog, &client);
    MapDialogRect(dialog, &expected);
    EXPECT_EQ(make_tuple(0x80C008D4u, expected.right, expected.bottom, std::string(kDialogTitle), 400L),
              make_tuple(StyleOf(dialog) & (0x80C008D4u | WS_VISIBLE | WS_SYSMENU), client.right, client.bottom,
                         std::string(text), made.lfWeight));
    for (const Row& r : kRows) {
        HWND control = DlgControlWindow(dialog, r.identifier);
        GetWindowTextA(control, text, sizeof(text));
        HFONT font = r.kind == DLG_IMAGE ? FontShown(control) : FontShown(dialog);  // Wine's images keep no font
        RECT at = {}, mapped = {r.x, r.y, r.x + r.width, r.y + r.height};  // an image takes its picture's size
        MapDialogRect(dialog, &mapped);
        GetWindowRect(control, &at);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&at), 2);
        EXPECT_EQ(make_tuple(r.expected, font, std::string(r.picture == NO_PICTURE ? r.text : ""), true),
                  make_tuple(StyleOf(control), FontShown(control), std::string(text),
                             r.kind == DLG_IMAGE || EqualRect(&at, &mapped))) << "control " << r.identifier;
        if (r.picture == NO_PICTURE) continue;
        DlgRecord record = RecordOf(control);
        UINT message = r.kind == DLG_IMAGE ? STM_GETIMAGE : BM_GETIMAGE;
        LRESULT shown = SendMessageA(control, message, r.picture == A_BITMAP ? IMAGE_BITMAP : IMAGE_ICON, 0);
        EXPECT_EQ(make_tuple(r.picture != A_BITMAP, r.picture != MISSING, record.picture),
                  make_tuple(record.pictureIsIcon, record.picture != nullptr, reinterpret_cast<HANDLE>(shown)))
            << "control " << r.identifier;
    }
    DlgCheckRadio(dialog, 1001, 1002, 1002);
    DlgSetCheck(dialog, 1003, -1);
    const int checks[] = {DlgGetCheck(dialog, 1001), DlgGetCheck(dialog, 1002), DlgGetCheck(dialog, 1003)};
    DlgSetCheck(dialog, 1003, 0);
    // A control changes at once; a dialog not shown yet only remembers the state for its first show.
    DlgShowWindow(dialog, SW_SHOWNORMAL);
    DlgShowWindow(Control(1008), SW_HIDE);
    DlgEnable(dialog, 1006, false);
    DlgEnable(dialog, DLG_NOT_GIVEN, false);
    DlgSend(dialog, 1007, PBM_SETRANGE32, 0, 1000);
    EXPECT_EQ(make_tuple(0, 1, 1, 0, LRESULT(MAKELONG(1013, DC_HASDEFID)), LRESULT(kLight), LRESULT(kGreen)),
              make_tuple(checks[0], checks[1], checks[2], DlgGetCheck(dialog, 1003),
                         SendMessageA(dialog, DM_GETDEFID, 0, 0), SendMessageA(Control(1007), PBM_GETBKCOLOR, 0, 0),
                         SendMessageA(Control(1007), PBM_GETBARCOLOR, 0, 0)));
    EXPECT_EQ(make_tuple(SW_SHOW, 0ul, 0ul, false, false, LRESULT(1000)),
              make_tuple(RecordOf(dialog).showState, StyleOf(dialog) & WS_VISIBLE, StyleOf(Control(1008)) & WS_VISIBLE,
                         IsWindowEnabled(Control(1006)) != FALSE, IsWindowEnabled(dialog) != FALSE,
                         SendMessageA(Control(1007), PBM_GETRANGE, FALSE, 0)));
}

// The services' own answer, asked of their dialog procedure before the platform's processing.
TEST_F(MainWindowLike, ColourRule) {
    const COLORREF kUntouched = RGB(1, 2, 3), text = GetSysColor(COLOR_WINDOWTEXT);
    HDC dc = CreateCompatibleDC(nullptr);
    auto ask = [&](UINT message, HWND asking) {
        SetTextColor(dc, kUntouched);
        SetBkColor(dc, kUntouched);
        SetBkMode(dc, OPAQUE);
        INT_PTR answer = DlgProcedure(dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(asking));
        return make_tuple(reinterpret_cast<HGDIOBJ>(answer), GetTextColor(dc), GetBkColor(dc), GetBkMode(dc));
    };
    const int defaults[][3] = {  // request, system text colour, system background colour
        {WM_CTLCOLORMSGBOX, COLOR_MENUTEXT, COLOR_MENU},     {WM_CTLCOLOREDIT, COLOR_WINDOWTEXT, COLOR_WINDOW},
        {WM_CTLCOLORLISTBOX, COLOR_WINDOWTEXT, COLOR_WINDOW}, {WM_CTLCOLORBTN, COLOR_BTNTEXT, COLOR_BTNFACE},
        {WM_CTLCOLORDLG, COLOR_WINDOWTEXT, COLOR_BTNFACE},    {WM_CTLCOLORSTATIC, COLOR_WINDOWTEXT, COLOR_BTNFACE},
        {WM_CTLCOLORSCROLLBAR, COLOR_WINDOWTEXT, COLOR_SCROLLBAR}};
    for (const auto& d : defaults) {
        EXPECT_EQ(make_tuple(HGDIOBJ(GetSysColorBrush(d[2])), GetSysColor(d[1]), GetSysColor(d[2]), OPAQUE),
                  ask(d[0], Control(1012))) << "request " << d[0];
    }
    HWND foreign = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 9, 9, dialog, nullptr, nullptr, nullptr);
    const HGDIOBJ light = RecordOf(dialog).brush, none = nullptr;
    const struct { UINT message; HWND asking; HGDIOBJ answer; COLORREF text, background; int mode; } cases[] = {
        {WM_CTLCOLORDLG, dialog, light, text, kLight, OPAQUE},
        {WM_CTLCOLORBTN, Control(1001), light, kDark, kLight, OPAQUE},
        {WM_CTLCOLORSTATIC, Control(1011), GetStockObject(NULL_BRUSH), text, kUntouched, TRANSPARENT},
        {WM_CTLCOLORSTATIC, Control(1008), none, kUntouched, kUntouched, OPAQUE},  // colours never set
        {WM_CTLCOLORSTATIC, foreign, none, kUntouched, kUntouched, OPAQUE}};
    for (const auto& c : cases) {
        EXPECT_EQ(make_tuple(c.answer, c.text, c.background, c.mode), ask(c.message, c.asking)) << c.asking;
    }
    DeleteDC(dc);
}

// A background some window already paints with shares that window's brush; a brush goes when the
// last window that holds it lets go.
TEST_F(MainWindowLike, OneBrushPerBackground) {
    HWND other = MakeDialog();
    const HBRUSH light = RecordOf(dialog).brush;
    DlgSetColors(other, DLG_NOT_GIVEN, -1, kLight);
    DlgSetColors(dialog, 1001, 0x7F000010, 0x12345678);  // cut to 24 bits
    DlgSetColors(dialog, 1002, -7, 0x345678);
    const DlgRecord first = RecordOf(Control(1001)), second = RecordOf(Control(1002));
    LOGBRUSH made = {};
    GetObjectA(first.brush, sizeof(made), &made);
    EXPECT_EQ(make_tuple(light, 0x10, 0x345678, COLORREF(0x345678), first.brush, -1),
              make_tuple(RecordOf(other).brush, first.textColor, first.backgroundColor, made.lbColor, second.brush,
                         second.textColor));
    DlgSetColors(dialog, 1001, -3, -2);
    const bool keptForTheOther = GdiObjectAlive(first.brush);
    DlgSetColors(dialog, 1002, -1, -1);
    DlgSetColors(other, DLG_NOT_GIVEN, -1, -1);
    const DlgRecord cleared = RecordOf(Control(1001));
    EXPECT_EQ(make_tuple(true, false, true, -1, -2, HBRUSH(nullptr)),
              make_tuple(keptForTheOther, GdiObjectAlive(first.brush), GdiObjectAlive(light), cleared.textColor,
                         cleared.backgroundColor, cleared.brush));
    DestroyWindow(other);
}

// Fonts are numbered by position from 1, described as asked, take their height at first use and are
// shared; a window keeps the font it had before its first one.
TEST_F(MainWindowLike, Fonts) {
    int entries = 0;
    while (FontOf(entries + 1).points != 0) ++entries;
    const int bold = DlgMakeFont("MS Sans Serif", 8, 1, 0, 0, 0), verdana = DlgMakeFont("Verdana", 7, 1, 0, 0, 0);
    const int odd = DlgMakeFont("A face name that is far longer than thirty-one characters", 0, 14, SYMBOL_CHARSET,
                                FF_SWISS | VARIABLE_PITCH, 900);
    const FontEntry f = FontOf(odd);
    const LOGFONTA& d = f.description;
    EXPECT_EQ(make_tuple(entries + 1, entries + 2, entries + 3, 8.0f, std::string("A face name that is far longer "),
                         0L, 900L, 900L, 400L, 1, 1, 1, DEFAULT_CHARSET, FF_SWISS | VARIABLE_PITCH),
              make_tuple(bold, verdana, odd, f.points, std::string(d.lfFaceName), d.lfHeight, d.lfEscapement,
                         d.lfOrientation, d.lfWeight, int(d.lfItalic), int(d.lfUnderline), int(d.lfStrikeOut),
                         int(d.lfCharSet), int(d.lfPitchAndFamily)));
    const int fonts[][2] = {{1004, bold}, {1006, verdana}, {1004, verdana}, {1004, 0}, {1004, 9999}, {1999, bold}};
    for (const auto& font : fonts) DlgSetFont(dialog, font[0], font[1]);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const DlgRecord frame = RecordOf(Control(1004));
    EXPECT_EQ(make_tuple(dpi == 120 ? -13L : -11L, dpi == 120 ? -12L : -9L, 700L, FontOf(verdana).object,
                         FontOf(verdana).object, verdana, FontShown(dialog)),
              make_tuple(FontOf(bold).description.lfHeight, FontOf(verdana).description.lfHeight,
                         FontOf(bold).description.lfWeight, FontShown(frame.window), FontShown(Control(1006)),
                         frame.fontNumber, frame.previousFont)) << dpi << " dpi";
}

// A picture or icon of the right type replaces the one before, which is destroyed; any other name
// leaves things as they were.
TEST_F(MainWindowLike, PicturesAndIconsReplacedByName) {
    const struct { int identifier; const char* name; bool changes, picture; } images[] = {
        {1008, "LOADING01", true, true}, {1008, "ICO", false, true}, {1008, "NO_SUCH_PICTURE", false, true},
        {1008, "#7", true, true}, {1011, "HELP", false, true}, {1011, "#9", true, true},
        {1011, "NO_SUCH_PICTURE", true, false}, {1009, "HELP", false, true}};  // image buttons have a twin
    for (const auto& c : images) {
        DlgRecord before = RecordOf(Control(c.identifier));
        DlgSetImage(dialog, c.identifier, c.name);
        DlgRecord after = RecordOf(Control(c.identifier));
        UINT message = c.identifier == 1009 ? BM_GETIMAGE : STM_GETIMAGE;
        LRESULT shown = SendMessageA(after.window, message, after.pictureIsIcon ? IMAGE_ICON : IMAGE_BITMAP, 0);
        bool alive = before.pictureIsIcon ? IconWidth(before.picture) > 0 : GdiObjectAlive(before.picture);
        EXPECT_EQ(make_tuple(after.picture, c.picture, !c.changes, !c.changes),
                  make_tuple(reinterpret_cast<HANDLE>(shown), after.picture != nullptr, before.picture == after.picture,
                             alive)) << c.identifier << " " << c.name;
    }
    const struct { const char* name; bool changes; } icons[] = {
        {"HELP", false}, {"NO_SUCH_ICON", false}, {"#9", true}, {"ico", true}};
    for (const auto& c : icons) {
        DlgRecord before = RecordOf(dialog);
        DlgSetIcon(dialog, c.name);
        DlgRecord after = RecordOf(dialog);
        EXPECT_EQ(make_tuple(c.changes, !c.changes, !c.changes, after.bigIcon, after.smallIcon, 32, 16),
                  make_tuple(before.bigIcon != after.bigIcon, IconWidth(before.bigIcon) > 0,
                             IconWidth(before.smallIcon) > 0,
                             reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0)),
                             reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0)),
                             IconWidth(after.bigIcon), IconWidth(after.smallIcon))) << c.name;
    }
    DlgSetIcon(Control(1006), "ICO");
    EXPECT_EQ(make_tuple(HICON(nullptr), LRESULT(0)),
              make_tuple(RecordOf(Control(1006)).bigIcon, SendMessageA(Control(1006), WM_GETICON, ICON_BIG, 0)));
}

// Written by the spy and the handler below, read by the test that shows the dialog.
std::vector<std::tuple<UINT, WPARAM, LPARAM, bool>> gHandled;
std::map<HWND, int> gPaints, gKeys;
std::tuple<HWND, WPARAM, LPARAM> gLastFont;

LRESULT CALLBACK Spy(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_PAINT) ++gPaints[window];
    if (message == WM_KEYDOWN) ++gKeys[window];
    if (message == WM_SETFONT) gLastFont = make_tuple(window, wParam, lParam);
    return DefSubclassProc(window, message, wParam, lParam);
}

// The dialog repaints with its children, a transparent control with the dialog behind it. The shown
// dialog is the active one until another window is; then the message step, nested in the handler as
// the file walk is in a run, hands it a Tab, which moves the focus on and reaches no control.
void CheckRepaintsActivationAndTab(HWND dialog) {
    UpdateWindow(dialog);
    HWND box = GetDlgItem(dialog, 1003), clear = GetDlgItem(dialog, 1011);
    const std::tuple<HWND, bool, bool> cases[] = {{dialog, true, true}, {box, false, true}, {clear, true, false}};
    for (const auto& c : cases) {
        gPaints.clear();
        DlgRedraw(std::get<0>(c));
        EXPECT_EQ(make_tuple(true, std::get<1>(c), std::get<2>(c)),
                  make_tuple(gPaints[std::get<0>(c)] > 0, gPaints[dialog] > 0, gPaints[box] > 0)) << std::get<0>(c);
    }
    SetForegroundWindow(dialog);
    SetActiveWindow(dialog);
    const HWND activeShown = gDlgActiveDialog;
    HWND plain = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, 0);
    SetActiveWindow(plain);
    const HWND activeAway = gDlgActiveDialog;
    DestroyWindow(plain);
    SetActiveWindow(dialog);
    SetFocus(box);
    PostMessageA(box, WM_KEYDOWN, VK_TAB, 0x000F0001);
    MSG pending;
    for (int i = 0; i < 50 && PeekMessageA(&pending, box, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE); ++i) DlgDoEvents(0);
    EXPECT_EQ(make_tuple(dialog, HWND(nullptr), true, 0),
              make_tuple(activeShown, activeAway, GetFocus() != box && IsChild(dialog, GetFocus()), gKeys[box]));
}

int ShowHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // The platform's own WM_SIZE may follow the greeting's; only the greeting's is kept.
    const bool logged = message == WM_INITDIALOG || message == kStep || message == WM_CLOSE || message == WM_DESTROY ||
                        message == WM_NCDESTROY || (message == WM_SIZE && gHandled.size() == 1);
    if (logged) gHandled.push_back(make_tuple(message, wParam, lParam, IsWindowVisible(dialog) != FALSE));
    if (message == WM_INITDIALOG) DlgPost(dialog, kStep, 0, 0);
    if (message == kStep) {
        CheckRepaintsActivationAndTab(dialog);
        DlgFinish(dialog, 42);
        gHandled.push_back(make_tuple(kFinishReturned, 0, 0, false));
    }
    return 0;
}

// Greeted before the show, run shown, ended from inside the handler; then every record, brush,
// picture and icon is gone, the fonts stay, and the dialog got its former font back without a repaint.
TEST_F(MainWindowLike, ShowAndGiveEverythingBack) {
    const int live = gDlgLiveCount, font = DlgMakeFont("Verdana", 7, 1, 0, 0, 0);
    const HFONT former = FontShown(dialog);
    for (HWND spied : {dialog, Control(1003), Control(1011)}) SetWindowSubclass(spied, Spy, 1, 0);
    DlgSetFont(dialog, DLG_NOT_GIVEN, font);
    DlgRecord own = RecordOf(dialog);
    std::vector<HANDLE> objects = {own.brush}, icons = {own.bigIcon, own.smallIcon};
    for (const Row& r : kRows) {
        DlgRecord record = RecordOf(Control(r.identifier));
        if (record.picture != nullptr) (record.pictureIsIcon ? icons : objects).push_back(record.picture);
    }
    RECT client = {};
    GetClientRect(dialog, &client);
    EXPECT_EQ(42, DlgShowModal(dialog, ShowHandler, 99));
    const WPARAM self = reinterpret_cast<WPARAM>(dialog);
    const LPARAM size = MAKELPARAM(client.right, client.bottom);
    const std::vector<std::tuple<UINT, WPARAM, LPARAM, bool>> expected = {
        {WM_INITDIALOG, self, 0, false}, {WM_SIZE, SIZE_RESTORED, size, false}, {kStep, 0, 0, true},
        {WM_CLOSE, 0, 0, true},          {WM_DESTROY, 0, 0, false},              {WM_NCDESTROY, 0, 0, false},
        {kFinishReturned, 0, 0, false}};
    EXPECT_EQ(expected, gHandled);
    EXPECT_EQ(make_tuple(NO_RECORD, static_cast<DlgRecord*>(nullptr)),
              make_tuple(RecordOf(dialog).kind, RecordTakeControl(dialog)));
    for (size_t i = 0; i < objects.size(); ++i) EXPECT_FALSE(GdiObjectAlive(objects[i])) << "object " << i;
    for (size_t i = 0; i < icons.size(); ++i) EXPECT_EQ(0, IconWidth(icons[i])) << "icon " << i;
    EXPECT_EQ(make_tuple(live - 1, true, dialog, WPARAM(former), LPARAM(FALSE)),
              std::tuple_cat(make_tuple(gDlgLiveCount, GdiObjectAlive(FontOf(font).object)), gLastFont));
}

enum Ending { FINISHED, SYSTEM_CLOSE_LEFT, SYSTEM_CLOSE_KEPT, DESTROYED };
// Written by the handler, read by the tests that show its dialogs.
Ending gEnding = FINISHED;
WPARAM gGreetingSize = 99;
bool gOwnerEnabled = true;
int gCalls = 0;

int EndingHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    ++gCalls;
    const bool systemClose = gEnding == SYSTEM_CLOSE_LEFT || gEnding == SYSTEM_CLOSE_KEPT;
    if (message == WM_INITDIALOG && systemClose) DlgPost(dialog, WM_SYSCOMMAND, SC_CLOSE | 2, 0);
    if (message == WM_INITDIALOG) DlgPost(dialog, kStep, 0, 0);  // ends the dialog if nothing did before
    if (message == WM_SIZE && gGreetingSize == 99) gGreetingSize = wParam;
    if (message == kStep) {
        gOwnerEnabled = IsWindowEnabled(GetWindow(dialog, GW_OWNER)) != FALSE;
        if (gEnding == DESTROYED) DestroyWindow(dialog);
        if (gEnding != DESTROYED) DlgFinish(dialog, 5);
    }
    return message == WM_SYSCOMMAND && gEnding == SYSTEM_CLOSE_KEPT;  // keeps the close, ends its own way
}

TEST(DialogServices, ModalShowEndings) {
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, 0);
    const struct { Ending ending; HWND owner; DWORD style; int result; WPARAM greetingSize; } cases[] = {
        {FINISHED, owner, WS_POPUP | WS_CAPTION | WS_MAXIMIZE, 5, SIZE_MAXIMIZED},  // the owner disabled meanwhile
        {SYSTEM_CLOSE_LEFT, nullptr, 0, 0, SIZE_RESTORED}, {SYSTEM_CLOSE_KEPT, nullptr, 0, 5, SIZE_RESTORED},
        {DESTROYED, nullptr, 0, 31, SIZE_RESTORED}};  // gone another way: the initial value
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const auto& c = cases[i];
        HWND dialog = MakeDialog(c.owner, c.style);
        gEnding = c.ending;
        gGreetingSize = 99;
        const int result = DlgShowModal(dialog, EndingHandler, 31);
        for (MSG left; PeekMessageA(&left, nullptr, kStep, kStep, PM_REMOVE);) {
        }
        EXPECT_EQ(make_tuple(c.result, c.greetingSize, false, false, true),
                  make_tuple(result, gGreetingSize, gOwnerEnabled, IsWindow(dialog) != FALSE,
                             IsWindowEnabled(owner) != FALSE)) << "case " << i;
    }
    DestroyWindow(owner);
}

TEST(DialogServices, NothingHappensWithoutARecord) {
    const int live = gDlgLiveCount;
    EXPECT_EQ(nullptr, DlgCreate(DLG_DIALOG_UNITS, nullptr, "", 0, 0, 100, 50, WS_CHILD | WS_CAPTION, 0));
    EXPECT_EQ(nullptr, DlgCreate(DLG_DIALOG_UNITS, reinterpret_cast<HWND>(0x7FFF1234), "", 0, 0, 100, 50, 0, 0));
    EXPECT_EQ(nullptr, RecordTake(nullptr)) << "a refused dialog left a record behind";
    // A dialog at a given place, ended outside a modal show.
    HWND placed = DlgCreate(DLG_DIALOG_UNITS, nullptr, "", 10, 20, 100, 50, 0, 0);
    RECT expected = {10, 20, 10, 20};
    MapDialogRect(placed, &expected);
    POINT origin = {0, 0};
    ClientToScreen(placed, &origin);
    const auto before = make_tuple(origin.x, origin.y, StyleOf(placed) & DS_CENTER, gDlgLiveCount);
    DlgFinish(placed, 9);
    EXPECT_EQ(make_tuple(expected.left, expected.top, 0ul, live + 1, false, NO_RECORD, live),
              std::tuple_cat(before, make_tuple(IsWindow(placed) != FALSE, RecordOf(placed).kind, gDlgLiveCount)));

    HWND foreign = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 20, 20, foreign, HMENU(5), nullptr, nullptr);
    gCalls = 0;
    for (HWND none : {HWND(nullptr), foreign}) {
        DlgAddControl(DLG_PUSH_BUTTON, none, 6, "x", 0, 0, 10, 10, 0, 0, nullptr);
        DlgShowWindow(none, SW_SHOW);
        DlgEnable(none, DLG_NOT_GIVEN, false);
        DlgEnable(none, 5, false);
        DlgFinish(none, 3);
        DlgSetColors(none, DLG_NOT_GIVEN, 0, 0);
        DlgSetIcon(none, "ICO");
        EXPECT_EQ(make_tuple(7, 0, HWND(nullptr)),
                  make_tuple(DlgShowModal(none, EndingHandler, 7), gCalls, DlgControlWindow(none, 5))) << none;
    }
    EXPECT_EQ(make_tuple(false, true, true, NO_RECORD, HWND(nullptr), LRESULT(0)),
              make_tuple(IsWindowVisible(foreign) != FALSE, IsWindowEnabled(foreign) != FALSE,
                         IsWindowEnabled(child) != FALSE, RecordOf(foreign).kind, GetDlgItem(foreign, 6),
                         SendMessageA(foreign, WM_GETICON, ICON_BIG, 0)));
    DestroyWindow(foreign);

    // Identifiers that name no control: a message sent to one goes nowhere.
    HWND dialog = MakeDialog();
    const int answer = DlgDoEvents(0);
    DlgEnable(dialog, 1999, false);
    const LRESULT sent = DlgSend(dialog, 1999, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));
    char title[32] = {};
    GetWindowTextA(dialog, title, sizeof(title));
    MSG message;
    EXPECT_EQ(make_tuple(live + 1, 0, LRESULT(0), HWND(nullptr), std::string(kDialogTitle), true, FALSE, FALSE),
              make_tuple(answer, DlgGetCheck(dialog, 1999), sent, DlgControlWindow(dialog, 1999), std::string(title),
                         IsWindowEnabled(dialog) != FALSE, DlgPost(nullptr, WM_APP, 1, 2),
                         PeekMessageA(&message, HWND(-1), WM_APP, WM_APP, PM_REMOVE)));
    DestroyWindow(dialog);
}

// Font objects last as long as the services and go when the program ends them.
TEST(DialogServices, FontObjectsGoWithTheServices) {
    HWND dialog = MakeDialog();
    const int number = DlgMakeFont("Verdana", 7, 1, 0, 0, 0);
    DlgSetFont(dialog, DLG_NOT_GIVEN, number);
    const HFONT object = FontOf(number).object;
    DestroyWindow(dialog);
    const bool aliveAfterTheWindow = GdiObjectAlive(object);
    DlgEndThread();
    const bool aliveAfterTheServices = GdiObjectAlive(object);
    ASSERT_TRUE(StartServicesAsTheProgramDoes());
    EXPECT_EQ(make_tuple(true, false, 0.0f), make_tuple(aliveAfterTheWindow, aliveAfterTheServices,
                                                        FontOf(number).points));
}

}  // namespace
