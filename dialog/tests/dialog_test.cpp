// The dialog services on real windows: a dialog built as the main window builds its own, followed from
// its controls through what changes them to everything given back when it ends; the other ways a
// modal show ends; and the operations on what the services hold no record of.
#include "dialog/dialog_internal.h"
#include "tests/support/program_services.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

namespace {

// Copies of what the services hold; a font number that names none gives points 0.
DlgRecord RecordOf(HWND window) { return RecordFind(window) != nullptr ? *RecordFind(window) : DlgRecord(); }
FontEntry FontOf(int number) { return FontFind(number) != nullptr ? *FontFind(number) : FontEntry(); }

// The width of an icon, 0 when the handle names no icon any more.
int IconWidth(HANDLE icon) {
    ICONINFO info = {};
    BITMAP mask = {};
    if (!GetIconInfo(static_cast<HICON>(icon), &info)) return 0;
    GetObjectA(info.hbmMask, sizeof(mask), &mask);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return mask.bmWidth;
}
bool GdiObjectAlive(HANDLE object) { return GetObjectType(object) != 0; }
DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)); }
HFONT FontShown(HWND window) { return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)); }

// A dialog made as the main window makes its own: dialog units, centred, default style.
const char kDialogTitle[] = " VORLAX v3 [by belcour]";
HWND MakeDialog(HWND owner = nullptr, DWORD style = 0) {
    return DlgCreate(DLG_DIALOG_UNITS, owner, kDialogTitle, DLG_NOT_GIVEN, DLG_NOT_GIVEN, 226, 85, style, 0);
}

using std::make_tuple;
const int kLight = 0xF8F5F1, kDark = 0x360600, kGreen = 0x00B41E;
const UINT kStep = WM_APP + 1;
const struct Row { DlgKind kind; int identifier; const char* text; int x, y, width, height; DWORD style;
} kRows[] = {
    {DLG_IMAGE, 1008, "LOADING00", 150, 51, 0, 0, 0},
    {DLG_IMAGE_BUTTON, 1009, "CLOSE", 156, 55, 14, 14, 0},
    {DLG_IMAGE, 1011, "#9", 100, 1, 0, 0, 0},  // icon 9; there is no bitmap 9
    {DLG_IMAGE_BUTTON, 1012, "ICO", 100, 20, 14, 14, 0},
    {DLG_RADIO_BUTTON, 1001, "Always rename", 4, 10, 165, 15, 0},
    {DLG_CHECK_BOX, 1003, "Create \"undo\" file", 5, 55, 110, 15, 0},
    {DLG_GROUP_FRAME, 1004, "Options", 1, 1, 175, 45, 0},
    {DLG_PUSH_BUTTON, 1006, "VORLAX !\n\n(Kellerup)", 181, 5, 43, 68, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {DLG_PROGRESS_BAR, 1007, "", 1, 75, 224, 10, 0}};

enum Ending { FINISHED, DESTROYED, SYSTEM_CLOSE_LEFT, SYSTEM_CLOSE_KEPT };
// Written by the spy and the handler below, read by the test that shows their dialogs.
Ending gEnding = FINISHED;
std::string gHandled;  // a letter per message handled, upper case while the dialog is visible
std::tuple<WPARAM, LPARAM> gGreetingSize;
std::map<HWND, int> gPaints;
std::tuple<HWND, WPARAM, LPARAM> gLastFont;
const UINT kLogged[] = {WM_INITDIALOG, WM_SIZE, kStep, WM_CLOSE, WM_DESTROY, WM_NCDESTROY};  // letters gskcdn

LRESULT CALLBACK Spy(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_PAINT) ++gPaints[window];
    if (message == WM_SETFONT) gLastFont = make_tuple(window, wParam, lParam);
    return DefSubclassProc(window, message, wParam, lParam);
}

// The dialog repaints with its children, a transparent control with the dialog behind it; the shown dialog is
// the active one, and the message step, nested in the handler as the file walk is in a run, moves on a Tab.
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
    SetFocus(box);
    PostMessageA(box, WM_KEYDOWN, VK_TAB, 0x000F0001);
    for (MSG pending; PeekMessageA(&pending, box, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE);) DlgDoEvents(0);
    EXPECT_EQ(make_tuple(dialog, true), make_tuple(gDlgActiveDialog, GetFocus() != box && IsChild(dialog, GetFocus())));
}

int ShowHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only the greeting's WM_SIZE is kept, as the platform's own may follow; the greeting names the dialog.
    for (int i = 0; i < 6; ++i) {
        if (kLogged[i] != message || (message == WM_SIZE && gHandled != "g")) continue;
        if (message == WM_INITDIALOG && wParam != WPARAM(dialog)) continue;
        gHandled += IsWindowVisible(dialog) ? "GSKCDN"[i] : "gskcdn"[i];
    }
    if (message == WM_SIZE && gHandled == "gs") gGreetingSize = make_tuple(wParam, lParam);
    if (message == WM_INITDIALOG && gEnding >= SYSTEM_CLOSE_LEFT) DlgPost(dialog, WM_SYSCOMMAND, SC_CLOSE | 2, 0);
    if (message == WM_INITDIALOG) DlgPost(dialog, kStep, 0, 0);  // ends the dialog if nothing did before
    if (message == kStep) {
        const BOOL ownerEnabled = IsWindowEnabled(GetWindow(dialog, GW_OWNER));  // only one dialog has an owner
        EXPECT_TRUE(gEnding != SYSTEM_CLOSE_KEPT || !ownerEnabled) << "the owner's enabled state " << ownerEnabled;
        if (gEnding == FINISHED) CheckRepaintsActivationAndTab(dialog);
        if (gEnding == DESTROYED) DestroyWindow(dialog);
        if (gEnding != DESTROYED) DlgFinish(dialog, 42);
        gHandled += 'r';  // back from ending it
    }
    return message == WM_SYSCOMMAND && gEnding == SYSTEM_CLOSE_KEPT;  // keeps the close, ends its own way
}

// One dialog as the main window builds it, followed from its controls to everything given back when it ends.
TEST(DialogServices, MainWindowFromFirstToLast) {
    ASSERT_TRUE(StartServicesAsTheProgramDoes());
    EXPECT_EQ(nullptr, DlgCreate(DLG_DIALOG_UNITS, nullptr, "", 0, 0, 100, 50, WS_CHILD | WS_CAPTION, 0));
    HWND dialog = MakeDialog();
    for (const Row& r : kRows) {
        DlgAddControl(r.kind, dialog, r.identifier, r.text, r.x, r.y, r.width, r.height, r.style, 0, nullptr);
    }
    auto Control = [dialog](int identifier) { return GetDlgItem(dialog, identifier); };
    DlgSetColors(dialog, DLG_NOT_GIVEN, -1, kLight);
    for (int identifier : {1001, 1003, 1004, 1006}) DlgSetColors(dialog, identifier, kDark, kLight);
    DlgSetColors(dialog, 1007, kGreen, -1);  // a bar on the default background takes the dialog's
    DlgSetColors(dialog, 1011, -1, DLG_COLOR_TRANSPARENT);
    DlgSetColors(dialog, 1012, -1, -1);
    DlgSetIcon(dialog, "ICO");

    const HFONT former = FontShown(dialog);
    LOGFONTA made = {};
    GetObjectA(former, sizeof(made), &made);
    char text[32] = {};
    DlgSend(dialog, 1999, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));  // no such control: goes nowhere
    GetWindowTextA(dialog, text, sizeof(text));
    RECT client = {}, expected = {0, 0, 226, 85};
    GetClientRect(dialog, &client);
    MapDialogRect(dialog, &expected);
    EXPECT_EQ(make_tuple(0x80C008D4u, expected.right, expected.bottom, std::string(kDialogTitle), 400L),
              make_tuple(StyleOf(dialog) & (0x80C008D4u | WS_VISIBLE | WS_SYSMENU), client.right, client.bottom,
                         std::string(text), made.lfWeight));
    DlgCheckRadio(dialog, 1001, 1001, 1001);
    DlgSetCheck(dialog, 1003, BST_CHECKED);
    // A control changes at once; a dialog not shown yet only remembers the state for its first show.
    DlgShowWindow(dialog, SW_SHOWNORMAL);
    DlgShowWindow(Control(1008), SW_HIDE);
    DlgEnable(dialog, 1006, false);
    DlgEnable(dialog, DLG_NOT_GIVEN, false);
    EXPECT_EQ(make_tuple(1, 1, LRESULT(MAKELONG(1006, DC_HASDEFID)), LRESULT(kLight), LRESULT(kGreen), SW_SHOW, 0ul,
                         0ul, false, false),
              make_tuple(DlgGetCheck(dialog, 1001), DlgGetCheck(dialog, 1003),
                         SendMessageA(dialog, DM_GETDEFID, 0, 0), SendMessageA(Control(1007), PBM_GETBKCOLOR, 0, 0),
                         SendMessageA(Control(1007), PBM_GETBARCOLOR, 0, 0), RecordOf(dialog).showState,
                         StyleOf(dialog) & WS_VISIBLE, StyleOf(Control(1008)) & WS_VISIBLE,
                         IsWindowEnabled(Control(1006)) != FALSE, IsWindowEnabled(dialog) != FALSE));
    DlgEnable(dialog, DLG_NOT_GIVEN, true);

    // Fonts are numbered by position from 1, described as asked, take their height at first use and are
    // shared; a window keeps the font it had before its first one.
    const int bold = DlgMakeFont("MS Sans Serif", 8, 1, 0, 0, 0), verdana = DlgMakeFont("Verdana", 7, 1, 0, 0, 0);
    const int odd = DlgMakeFont("A face name that is far longer than thirty-one characters", 0, 14, SYMBOL_CHARSET,
                                FF_SWISS | VARIABLE_PITCH, 900);
    const LOGFONTA d = FontOf(odd).description;
    EXPECT_EQ(make_tuple(1, 2, 3, 8.0f, std::string("A face name that is far longer "),
                         0L, 900L, 900L, 400L, 1, 1, 1, DEFAULT_CHARSET, FF_SWISS | VARIABLE_PITCH),
              make_tuple(bold, verdana, odd, FontOf(odd).points, std::string(d.lfFaceName), d.lfHeight, d.lfEscapement,
                         d.lfOrientation, d.lfWeight, int(d.lfItalic), int(d.lfUnderline), int(d.lfStrikeOut),
                         int(d.lfCharSet), int(d.lfPitchAndFamily)));
    const int fonts[][2] = {{1004, bold}, {1006, verdana}, {1004, verdana},      {1004, 0},
                            {1004, 9999}, {1999, bold},    {DLG_NOT_GIVEN, verdana}};
    for (const auto& font : fonts) DlgSetFont(dialog, font[0], font[1]);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const HFONT verdanaObject = FontOf(verdana).object;
    EXPECT_EQ(make_tuple(dpi == 120 ? -13L : -11L, dpi == 120 ? -12L : -9L, 700L, verdanaObject, verdanaObject,
                         verdana, former),
              make_tuple(FontOf(bold).description.lfHeight, FontOf(verdana).description.lfHeight,
                         FontOf(bold).description.lfWeight, FontShown(Control(1004)), FontShown(Control(1006)),
                         RecordOf(Control(1004)).fontNumber, RecordOf(Control(1004)).previousFont)) << dpi << " dpi";

    // A picture or icon of the right type replaces the one before, which is destroyed; any other name
    // leaves things as they were. DLG_NOT_GIVEN names the dialog's own icons.
    const struct { int identifier; const char* name; bool changes; } images[] = {
        {1008, "LOADING01", true},  {1008, "ICO", false},         {1011, "HELP", false},
        {1011, "NO_SUCH_PICTURE", true}, {1011, "#9", true},      {1009, "HELP", false},  // image buttons have a twin
        {DLG_NOT_GIVEN, "HELP", false},  {DLG_NOT_GIVEN, "#9", true}};
    for (const auto& c : images) {
        const bool icons = c.identifier == DLG_NOT_GIVEN;
        HWND window = icons ? dialog : Control(c.identifier);
        const DlgRecord before = RecordOf(window);
        icons ? DlgSetIcon(dialog, c.name) : DlgSetImage(dialog, c.identifier, c.name);
        const DlgRecord after = RecordOf(window);
        HANDLE was = icons ? before.bigIcon : before.picture, held = icons ? after.bigIcon : after.picture;
        UINT message = icons ? WM_GETICON : c.identifier == 1009 ? BM_GETIMAGE : STM_GETIMAGE;
        WPARAM type = icons ? ICON_BIG : after.pictureIsIcon ? IMAGE_ICON : IMAGE_BITMAP;
        bool alive = icons || before.pictureIsIcon ? IconWidth(was) > 0 : GdiObjectAlive(was);
        EXPECT_EQ(make_tuple(held, !c.changes, !c.changes && was != nullptr),
                  make_tuple(reinterpret_cast<HANDLE>(SendMessageA(window, message, type, 0)), was == held, alive))
            << c.identifier << " " << c.name;
    }
    DlgSetIcon(Control(1006), "ICO");  // a control has no icons of its own
    const DlgRecord own = RecordOf(dialog);
    EXPECT_EQ(make_tuple(32, 16, LRESULT(own.smallIcon), LRESULT(0)),
              make_tuple(IconWidth(own.bigIcon), IconWidth(own.smallIcon),
                         SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0),
                         SendMessageA(Control(1006), WM_GETICON, ICON_BIG, 0)));

    // The services' own answer to colour requests, asked of their dialog procedure before the platform's.
    const COLORREF kUntouched = RGB(1, 2, 3), black = GetSysColor(COLOR_WINDOWTEXT), menu = GetSysColor(COLOR_MENU);
    HDC dc = CreateCompatibleDC(nullptr);
    const HBRUSH light = own.brush;  // the dialog's, shared by the controls on the same background
    const struct { UINT message; HWND asking; HGDIOBJ answer; COLORREF text, background; int mode; } requests[] = {
        {WM_CTLCOLORMSGBOX, Control(1012), GetSysColorBrush(COLOR_MENU), GetSysColor(COLOR_MENUTEXT), menu, OPAQUE},
        {WM_CTLCOLORSCROLLBAR, Control(1012), GetSysColorBrush(COLOR_SCROLLBAR), black, GetSysColor(COLOR_SCROLLBAR),
         OPAQUE},
        {WM_CTLCOLOREDIT, Control(1012), GetSysColorBrush(COLOR_WINDOW), black, GetSysColor(COLOR_WINDOW), OPAQUE},
        {WM_CTLCOLORDLG, dialog, light, black, kLight, OPAQUE},
        {WM_CTLCOLORBTN, Control(1001), light, kDark, kLight, OPAQUE},
        {WM_CTLCOLORSTATIC, Control(1011), GetStockObject(NULL_BRUSH), black, kUntouched, TRANSPARENT},
        {WM_CTLCOLORSTATIC, Control(1008), nullptr, kUntouched, kUntouched, OPAQUE},  // colours never set
        {WM_CTLCOLORSTATIC, GetDesktopWindow(), nullptr, kUntouched, kUntouched, OPAQUE}};  // a window not ours
    for (const auto& c : requests) {
        SetTextColor(dc, kUntouched);
        SetBkColor(dc, kUntouched);
        SetBkMode(dc, OPAQUE);
        const INT_PTR answer = DlgProcedure(dialog, c.message, WPARAM(dc), LPARAM(c.asking));
        EXPECT_EQ(make_tuple(c.answer, c.text, c.background, c.mode),
                  make_tuple(HGDIOBJ(answer), GetTextColor(dc), GetBkColor(dc), GetBkMode(dc)))
            << "request " << c.message << " of " << c.asking;
    }
    DeleteDC(dc);

    // A background some window already paints with shares that window's brush; a brush goes when the
    // last window that holds it lets go. The other dialog stands at a given place.
    HWND other = DlgCreate(DLG_DIALOG_UNITS, nullptr, "", 10, 20, 100, 50, 0, 0);
    RECT place = {10, 20, 10, 20};
    MapDialogRect(other, &place);
    POINT origin = {0, 0};
    ClientToScreen(other, &origin);
    DlgSetColors(other, DLG_NOT_GIVEN, -1, kLight);
    DlgSetColors(dialog, 1001, 0x7F000010, 0x12345678);  // cut to 24 bits
    DlgSetColors(dialog, 1003, -7, 0x345678);
    const DlgRecord first = RecordOf(Control(1001)), second = RecordOf(Control(1003)), shared = RecordOf(other);
    DlgSetColors(dialog, 1001, -3, -2);
    const bool keptForTheOther = GdiObjectAlive(first.brush);
    DlgSetColors(dialog, 1003, -1, -1);
    DestroyWindow(other);
    const DlgRecord cleared = RecordOf(Control(1001));
    EXPECT_EQ(make_tuple(place.left, place.top, light, 0x10, 0x345678, first.brush, -1, true, false, true, -1, -2,
                         HBRUSH(nullptr)),
              make_tuple(origin.x, origin.y, shared.brush, first.textColor, first.backgroundColor, second.brush,
                         second.textColor, keptForTheOther, GdiObjectAlive(first.brush), GdiObjectAlive(light),
                         cleared.textColor, cleared.backgroundColor, cleared.brush));

    // Greeted, shown, ended from the handler, by the system's close or destroyed, the owner disabled meanwhile;
    // then all records, brushes, pictures and icons are gone, fonts stay until the services end, and the
    // dialog has its former font back without a repaint.
    const HANDLE bitmap = RecordOf(Control(1009)).picture, icon = RecordOf(Control(1011)).picture;
    for (HWND spied : {dialog, Control(1003), Control(1011)}) SetWindowSubclass(spied, Spy, 1, 0);
    const int live = DlgDoEvents(0);  // the dialogs alive: this one
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, 0);
    const struct { HWND dialog; Ending ending; int result; const char* handled; WPARAM sizeKind; } shows[] = {
        {dialog, FINISHED, 42, "gsKCdnr", SIZE_RESTORED},
        {MakeDialog(owner, WS_POPUP | WS_CAPTION | WS_MAXIMIZE), SYSTEM_CLOSE_KEPT, 42, "gsKCdnr", SIZE_MAXIMIZED},
        {MakeDialog(), SYSTEM_CLOSE_LEFT, 0, "gsCdn", SIZE_RESTORED},
        {MakeDialog(), DESTROYED, 31, "gsKdnr", SIZE_RESTORED}};  // gone another way: the initial value
    for (const auto& c : shows) {
        gEnding = c.ending;
        gHandled.clear();
        GetClientRect(c.dialog, &client);
        const int result = DlgShowModal(c.dialog, ShowHandler, 31);
        EXPECT_EQ(make_tuple(c.result, std::string(c.handled), c.sizeKind, MAKELPARAM(client.right, client.bottom),
                             false, true),
                  std::tuple_cat(make_tuple(result, gHandled), gGreetingSize,
                                 make_tuple(IsWindow(c.dialog) != FALSE, IsWindowEnabled(owner) != FALSE)))
            << "ending " << c.ending;
    }
    const auto shown = make_tuple(RecordFind(dialog), RecordTakeControl(dialog), gDlgActiveDialog, gDlgLiveCount,
                                  GdiObjectAlive(light), GdiObjectAlive(bitmap), IconWidth(icon),
                                  IconWidth(own.bigIcon), IconWidth(own.smallIcon), GdiObjectAlive(verdanaObject));
    DlgEndThread();
    const auto ended = make_tuple(GdiObjectAlive(verdanaObject), FontOf(verdana).points);
    const auto none = static_cast<DlgRecord*>(nullptr);
    EXPECT_EQ(make_tuple(none, none, HWND(nullptr), live - 1, false, false, 0, 0, 0, true, false, 0.0f, dialog,
                         WPARAM(former), LPARAM(FALSE)),
              std::tuple_cat(shown, ended, gLastFont));

    // The owner is a window the services made nothing for: what they are asked to do with it changes nothing.
    HWND child = CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_CHECKBOX, 0, 0, 9, 9, owner, HMENU(5), nullptr, 0);
    DlgAddControl(DLG_PUSH_BUTTON, owner, 6, "x", 0, 0, 10, 10, 0, 0, nullptr);
    DlgShowWindow(owner, SW_HIDE);
    DlgEnable(owner, DLG_NOT_GIVEN, false);
    DlgEnable(owner, 5, false);
    DlgSetCheck(owner, 5, BST_CHECKED);
    DlgFinish(owner, 3);
    DlgSetColors(owner, DLG_NOT_GIVEN, 0, 0);
    DlgSetIcon(owner, "ICO");
    gHandled.clear();
    const int unrecorded = DlgShowModal(owner, ShowHandler, 7);
    EXPECT_EQ(make_tuple(7, std::string(), HWND(nullptr), true, true, true, 0, none, HWND(nullptr), LRESULT(0), FALSE),
              make_tuple(unrecorded, gHandled, DlgControlWindow(owner, 5), IsWindowVisible(owner) != FALSE,
                         IsWindowEnabled(owner) != FALSE, IsWindowEnabled(child) != FALSE, DlgGetCheck(owner, 5),
                         RecordFind(owner), GetDlgItem(owner, 6), SendMessageA(owner, WM_GETICON, ICON_BIG, 0),
                         DlgPost(nullptr, WM_APP, 1, 2)));
    DestroyWindow(owner);
}

}  // namespace
