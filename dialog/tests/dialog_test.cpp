// The dialog services on real windows, as one story: a dialog built as the main window builds its own, followed
// from its controls to everything given back when it ends; the other modal endings; windows without a record.
#include "dialog/dialog_internal.h"
#include "tests/support/program_services.h"
#include "tests/support/style_names.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>

namespace {

const int kRadio = 1001, kCheckBox = 1003, kFrame = 1004, kGo = 1006, kBar = 1007, kBusy = 1008, kClose = 1009,
          kIcon = 1011, kIconButton = 1012, kNoSuchControl = 1999;
const COLORREF kLight = 0xF8F5F1, kDark = 0x360600, kGreen = 0x00B41E, kUntouched = 0x030201;
const UINT kStep = WM_APP + 1;
const char kTitle[] = " VORLAX v3 [by belcour]";
// Icon 9 has no bitmap of that number, so its image control shows an icon.
const struct Row { DlgKind kind; int identifier; const char* text; int x, y, width, height; DWORD style; } kRows[] = {
    {DLG_IMAGE, kBusy, "LOADING00", 150, 51, 0, 0, 0},      {DLG_IMAGE_BUTTON, kClose, "CLOSE", 156, 55, 14, 14, 0},
    {DLG_IMAGE, kIcon, "#9", 100, 1, 0, 0, 0},              {DLG_IMAGE_BUTTON, kIconButton, "ICO", 100, 20, 14, 14, 0},
    {DLG_RADIO_BUTTON, kRadio, "Always rename", 4, 10, 165, 15, 0},
    {DLG_CHECK_BOX, kCheckBox, "Create \"undo\" file", 5, 55, 110, 15, 0},
    {DLG_GROUP_FRAME, kFrame, "Options", 1, 1, 175, 45, 0},  {DLG_PROGRESS_BAR, kBar, "", 1, 75, 224, 10, 0},
    {DLG_PUSH_BUTTON, kGo, "VORLAX !\n\n(Kellerup)", 181, 5, 43, 68, WS_TABSTOP | BS_DEFPUSHBUTTON}};

// A dialog made as the main window makes its own: dialog units, centred, default style.
HWND MakeDialog(HWND owner = nullptr, DWORD style = 0) {
    return DlgCreate(DLG_DIALOG_UNITS, owner, kTitle, DLG_NOT_GIVEN, DLG_NOT_GIVEN, 226, 85, style, 0);
}

std::string Hex(unsigned long long color) {
    char text[24];
    return std::string(text, snprintf(text, sizeof(text), "%06llX", color));
}
const char* Enabled(HWND window) { return IsWindowEnabled(window) ? "enabled" : "disabled"; }
std::string State(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE ? "shown," : "hidden,") + std::string(Enabled(window));
}
HFONT FontShown(HWND window) { return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)); }
HANDLE IconOf(HWND window, WPARAM size) { return reinterpret_cast<HANDLE>(SendMessageA(window, WM_GETICON, size, 0)); }

// A window's font as the platform describes it.
std::string FontDescription(HWND window) {
    LOGFONTA f = {};
    GetObjectA(FontShown(window), sizeof(f), &f);
    char text[200];
    snprintf(text, sizeof(text), "\"%s\" height=%ld weight=%ld%s%s%s escapement=%ld orientation=%ld%s%s", f.lfFaceName,
             f.lfHeight, f.lfWeight, f.lfItalic ? " italic" : "", f.lfUnderline ? " underline" : "",
             f.lfStrikeOut ? " strikeout" : "", f.lfEscapement, f.lfOrientation,
             f.lfCharSet == DEFAULT_CHARSET ? " DEFAULT_CHARSET" : " charset other than DEFAULT_CHARSET",
             f.lfPitchAndFamily == (FF_SWISS | VARIABLE_PITCH) ? " FF_SWISS | VARIABLE_PITCH" : "");
    return text;
}

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
// Whether a brush, bitmap, font or icon still exists.
const char* Kept(HANDLE object) { return GetObjectType(object) != 0 || IconWidth(object) > 0 ? "kept" : "gone"; }

// The picture an image control (a bitmap or an icon) or an image button (a bitmap) shows.
HANDLE PictureShown(HWND control) {
    LRESULT shown = SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0);
    if (shown == 0) shown = SendMessageA(control, STM_GETIMAGE, IMAGE_ICON, 0);
    return reinterpret_cast<HANDLE>(shown != 0 ? shown : SendMessageA(control, BM_GETIMAGE, IMAGE_BITMAP, 0));
}

// A colour request's answer: the brush (a system colour's by name, another by what it paints), the colours, and
// the mode when transparent.
std::string Colors(HGDIOBJ brush, COLORREF text, COLORREF background, int mode) {
    LOGBRUSH paints = {};
    std::string name = brush == nullptr ? "none" : GetObjectA(brush, sizeof(paints), &paints) == 0 ? "deleted"
                       : paints.lbStyle == BS_NULL ? "hollow" : Hex(paints.lbColor);
    for (auto [index, system] : {std::pair{COLOR_MENU, "COLOR_MENU"}, {COLOR_SCROLLBAR, "COLOR_SCROLLBAR"},
                                 {COLOR_WINDOW, "COLOR_WINDOW"}}) {
        if (brush == GetSysColorBrush(index)) name = system;
    }
    return "brush=" + name + " text=" + Hex(text) + " background=" + Hex(background) +
           (mode == TRANSPARENT ? " transparent" : "");
}
// What the services' dialog procedure answers to a colour request, and leaves in the device context.
std::string ColorsAnswered(HWND dialog, UINT request, HWND asking, HGDIOBJ* brush = nullptr) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, kUntouched);
    SetBkColor(dc, kUntouched);
    HGDIOBJ answer = reinterpret_cast<HGDIOBJ>(DlgProcedure(dialog, request, WPARAM(dc), LPARAM(asking)));
    const std::string colors = Colors(answer, GetTextColor(dc), GetBkColor(dc), GetBkMode(dc));
    DeleteDC(dc);
    if (brush != nullptr) *brush = answer;
    return colors;
}

// Written by the spy and the handler, read by the step that shows their dialogs.
enum Ending { FINISHED, DESTROYED, SYSTEM_CLOSE_LEFT, SYSTEM_CLOSE_KEPT } gEnding = FINISHED;
std::string gHandled;  // the messages the handler saw, in order, marked when the dialog was visible
std::map<HWND, int> gPaints;
HFONT gFontGiven = nullptr;
LPARAM gFontRedraw = -1;

LRESULT CALLBACK Spy(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_PAINT) ++gPaints[window];
    if (message == WM_SETFONT) gFontGiven = reinterpret_cast<HFONT>(wParam), gFontRedraw = lParam;
    return DefSubclassProc(window, message, wParam, lParam);
}
void Log(HWND dialog, const std::string& word) {
    gHandled += (gHandled.empty() ? "" : " ") + word + (IsWindowVisible(dialog) ? "(shown)" : "");
}

// While shown: plainly, though asked to show minimised before; repainted with its children, a transparent control
// with the dialog behind it; and the message step, nested in the handler as the file walk is in a run, tabs on.
void CheckWhileShown(HWND dialog) {
    HWND box = GetDlgItem(dialog, kCheckBox), icon = GetDlgItem(dialog, kIcon);
    auto repainted = [&](HWND redrawn) {
        gPaints.clear();
        DlgRedraw(redrawn);
        return std::string(gPaints[dialog] ? " dialog" : "") + (gPaints[box] ? " box" : "") +
               (gPaints[icon] ? " icon" : "");
    };
    EXPECT_FALSE(IsIconic(dialog));
    UpdateWindow(dialog);
    EXPECT_EQ(" dialog box icon, box, dialog icon", repainted(dialog) + "," + repainted(box) + "," + repainted(icon));
    SetForegroundWindow(dialog);
    SetFocus(box);
    PostMessageA(box, WM_KEYDOWN, VK_TAB, 0x000F0001);
    for (MSG pending; PeekMessageA(&pending, box, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE);) DlgDoEvents(0);
    EXPECT_EQ(kClose, GetDlgCtrlID(GetFocus())) << "Tab goes from the check box to the next enabled tab stop";
}

int ShowHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    RECT client = {};
    GetClientRect(dialog, &client);
    if (message == WM_INITDIALOG) {
        Log(dialog, wParam == reinterpret_cast<WPARAM>(dialog) ? "INITDIALOG" : "INITDIALOG(of another window)");
        if (gEnding >= SYSTEM_CLOSE_LEFT) DlgPost(dialog, WM_SYSCOMMAND, SC_CLOSE | 2, 0);  // low bits as the system's
        DlgPost(dialog, kStep, 0, 0);  // ends the dialog if nothing did before
    }
    // The greeting's size only, which is the client's; the platform's own may follow when it shows the dialog.
    if (message == WM_SIZE && gHandled.find("SIZE") == std::string::npos) {
        Log(dialog, std::string(wParam == SIZE_MAXIMIZED ? "SIZE_MAXIMIZED" : wParam ? "SIZE_?" : "SIZE_RESTORED") +
                        (lParam == MAKELPARAM(client.right, client.bottom) ? "" : "(not the client's size)"));
    }
    if (message == WM_CLOSE) Log(dialog, "CLOSE");
    if (message == WM_DESTROY) Log(dialog, "DESTROY");
    if (message == WM_NCDESTROY) Log(dialog, "NCDESTROY");
    if (message == kStep) {
        Log(dialog, "step");
        if (gEnding == SYSTEM_CLOSE_KEPT) Log(dialog, "owner=" + State(GetWindow(dialog, GW_OWNER)));
        if (gEnding == FINISHED) CheckWhileShown(dialog);
        if (gEnding == DESTROYED) DestroyWindow(dialog);
        if (gEnding != DESTROYED) DlgFinish(dialog, 42);
        Log(dialog, "returned");
    }
    return message == WM_SYSCOMMAND && gEnding == SYSTEM_CLOSE_KEPT;  // keeps the close, ends its own way
}

// One dialog as the main window builds it, told step by step from the first call to the last.
TEST(DialogServices, MainWindowFromFirstToLast) {
    ASSERT_TRUE(StartServicesAsTheProgramDoes());
    HWND dialog = MakeDialog(), other = DlgCreate(DLG_DIALOG_UNITS, nullptr, "", 10, 20, 100, 50, 0, 0);
    ASSERT_NE(nullptr, dialog);
    for (const Row& r : kRows) {
        DlgAddControl(r.kind, dialog, r.identifier, r.text, r.x, r.y, r.width, r.height, r.style, 0, nullptr);
    }
    auto control = [dialog](int identifier) { return GetDlgItem(dialog, identifier); };
    const HFONT madeWith = FontShown(dialog);
    {
        SCOPED_TRACE("as made: hidden, centred or placed, default style, size, title and font; a lone child refused");
        EXPECT_EQ(nullptr, DlgCreate(DLG_DIALOG_UNITS, nullptr, "", 0, 0, 100, 50, WS_CHILD | WS_CAPTION, 0));
        DlgSend(dialog, kNoSuchControl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));  // goes nowhere
        RECT client = {}, asked = {0, 0, 226, 85}, place = {10, 20, 10, 20}, placed = {};
        GetClientRect(dialog, &client);
        MapDialogRect(dialog, &asked);
        MapDialogRect(other, &place);
        MapWindowPoints(other, nullptr, reinterpret_cast<POINT*>(&placed), 1);
        char title[32] = {};
        GetWindowTextA(dialog, title, sizeof(title));
        std::ostringstream seen, expected;
        seen << StyleNames("#32770", static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE))) << " size=" << client.right
             << "x" << client.bottom << " title=" << title << " other-at=" << placed.left << "," << placed.top;
        expected << "WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | DS_3DLOOK | DS_NOFAILCREATE | DS_SETFONT | DS_MODALFRAME"
                 << " | DS_CENTER size=" << asked.right << "x" << asked.bottom << " title=" << kTitle
                 << " other-at=" << place.left << "," << place.top;
        EXPECT_EQ(expected.str(), seen.str());
        EXPECT_EQ("\"MS Sans Serif\" height=-11 weight=400 escapement=0 orientation=0 DEFAULT_CHARSET",
                  FontDescription(dialog));
    }
    {
        SCOPED_TRACE("control states: a control's change at once, a dialog's remembered for its first show");
        DlgSetColors(dialog, DLG_NOT_GIVEN, -1, kLight);
        for (int identifier : {kRadio, kCheckBox, kFrame, kGo}) DlgSetColors(dialog, identifier, kDark, kLight);
        DlgSetColors(dialog, kBar, kGreen, -1);  // a bar on the default background takes the dialog's
        DlgSetColors(dialog, kIcon, -1, DLG_COLOR_TRANSPARENT);
        DlgSetColors(dialog, kIconButton, -1, -1);
        DlgCheckRadio(dialog, kRadio, kRadio, kRadio);
        DlgSetCheck(dialog, kCheckBox, BST_CHECKED);
        DlgShowWindow(dialog, SW_SHOWMINIMIZED);  // remembered as a plain show
        DlgShowWindow(control(kBusy), SW_HIDE);
        DlgEnable(dialog, kGo, false);
        DlgEnable(dialog, DLG_NOT_GIVEN, false);
        std::ostringstream seen;
        seen << "radio=" << DlgGetCheck(dialog, kRadio) << " box=" << DlgGetCheck(dialog, kCheckBox)
             << " default=" << LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0))
             << " bar=" << Hex(DlgSend(dialog, kBar, PBM_GETBARCOLOR))
             << " bar-background=" << Hex(DlgSend(dialog, kBar, PBM_GETBKCOLOR)) << " busy=" << State(control(kBusy))
             << " go=" << State(control(kGo)) << " dialog=" << State(dialog);
        EXPECT_EQ("radio=1 box=1 default=1006 bar=00B41E bar-background=F8F5F1 busy=hidden,enabled go=shown,disabled "
                  "dialog=hidden,disabled", seen.str());
        DlgEnable(dialog, DLG_NOT_GIVEN, true);
    }
    HFONT verdanaObject = nullptr;
    {
        SCOPED_TRACE("fonts: numbered from 1, described as asked, high at first use, shared; the dialog's until then");
        const int bold = DlgMakeFont("MS Sans Serif", 8, DLG_FONT_BOLD, 0, 0, 0);
        const int verdana = DlgMakeFont("Verdana", 7, DLG_FONT_BOLD, 0, 0, 0);
        const int odd = DlgMakeFont("A face name that is far longer than thirty-one characters", 0,
                                    DLG_FONT_ITALIC | DLG_FONT_UNDERLINE | DLG_FONT_STRIKEOUT, SYMBOL_CHARSET,
                                    FF_SWISS | VARIABLE_PITCH, 900);
        EXPECT_EQ("1 2 3", std::to_string(bold) + " " + std::to_string(verdana) + " " + std::to_string(odd));
        // No window shows it yet, so only the table can tell that its height waits for its first use.
        EXPECT_EQ(0, FontFind(odd)->description.lfHeight);
        DlgSetFont(dialog, kRadio, odd);
        DlgSetFont(dialog, kFrame, bold);  // the frame's first font, replaced next
        for (int identifier : {kGo, kFrame, DLG_NOT_GIVEN}) DlgSetFont(dialog, identifier, verdana);
        for (int number : {0, 9999}) DlgSetFont(dialog, kFrame, number);  // no such font: nothing changes
        DlgSetFont(dialog, kNoSuchControl, bold);
        verdanaObject = FontShown(control(kGo));
        EXPECT_EQ(madeWith, FontShown(control(kCheckBox)));
        // Heights at the 96 dots per inch of the tests' Wine session.
        EXPECT_EQ("\"A face name that is far longer \" height=-11 weight=400 italic underline strikeout escapement=900 "
                  "orientation=900 DEFAULT_CHARSET FF_SWISS | VARIABLE_PITCH", FontDescription(control(kRadio)));
        EXPECT_EQ("\"Verdana\" height=-9 weight=700 escapement=0 orientation=0 DEFAULT_CHARSET",
                  FontDescription(control(kGo)));
        EXPECT_EQ(verdanaObject, FontShown(control(kFrame))) << "one font object for all that show it";
        // A control is gone before its dialog gives fonts back, so only its record knows what it would get back.
        EXPECT_EQ(madeWith, RecordFind(control(kFrame))->previousFont) << "the frame's font before its first one";
    }
    {
        SCOPED_TRACE("pictures: one of the control's type replaces the one before, which goes; others change nothing");
        DlgSetIcon(dialog, "ICO");
        DlgSetIcon(control(kGo), "ICO");
        const struct { int identifier; const char* name; bool changes; } cases[] = {
            {kBusy, "LOADING01", true},       {kBusy, "ICO", false}, {kIcon, "HELP", false},
            {kIcon, "NO_SUCH_PICTURE", true}, {kIcon, "#9", true},   {kClose, "HELP", false},  // buttons have a twin
            {DLG_NOT_GIVEN, "HELP", false},   {DLG_NOT_GIVEN, "#9", true}};
        for (const auto& c : cases) {
            const bool icons = c.identifier == DLG_NOT_GIVEN;
            auto shown = [&] { return icons ? IconOf(dialog, ICON_BIG) : PictureShown(control(c.identifier)); };
            const HANDLE before = shown();
            icons ? DlgSetIcon(dialog, c.name) : DlgSetImage(dialog, c.identifier, c.name);
            EXPECT_EQ(c.changes ? "replaced, gone" : "unchanged, kept",
                      (before != shown() ? "replaced, " : "unchanged, ") + std::string(Kept(before)))
                << (icons ? "the dialog" : "control " + std::to_string(c.identifier)) << " given " << c.name;
        }
        std::ostringstream seen;
        seen << "big=" << IconWidth(IconOf(dialog, ICON_BIG)) << " small=" << IconWidth(IconOf(dialog, ICON_SMALL))
             << " control's=" << IconWidth(IconOf(control(kGo), ICON_BIG));
        EXPECT_EQ("big=32 small=16 control's=0", seen.str());
    }
    HGDIOBJ light = nullptr, shared = nullptr, first = nullptr, second = nullptr;
    {
        SCOPED_TRACE("colour requests, answered by the services' dialog procedure before the platform's defaults");
        const std::string black = Hex(GetSysColor(COLOR_WINDOWTEXT));
        auto system = [](int background, int text) {
            return Colors(GetSysColorBrush(background), GetSysColor(text), GetSysColor(background), OPAQUE);
        };
        const struct { const char* request; UINT message; HWND asking; std::string expected; } requests[] = {
            {"MSGBOX", WM_CTLCOLORMSGBOX, control(kIconButton), system(COLOR_MENU, COLOR_MENUTEXT)},
            {"SCROLLBAR", WM_CTLCOLORSCROLLBAR, control(kIconButton), system(COLOR_SCROLLBAR, COLOR_WINDOWTEXT)},
            {"EDIT", WM_CTLCOLOREDIT, control(kIconButton), system(COLOR_WINDOW, COLOR_WINDOWTEXT)},
            {"DLG", WM_CTLCOLORDLG, dialog, "brush=F8F5F1 text=" + black + " background=F8F5F1"},
            {"BTN", WM_CTLCOLORBTN, control(kRadio), "brush=F8F5F1 text=360600 background=F8F5F1"},
            {"STATIC, transparent", WM_CTLCOLORSTATIC, control(kIcon),
             "brush=hollow text=" + black + " background=030201 transparent"},
            {"STATIC, never coloured", WM_CTLCOLORSTATIC, control(kBusy), "brush=none text=030201 background=030201"},
            {"STATIC, not ours", WM_CTLCOLORSTATIC, GetDesktopWindow(), "brush=none text=030201 background=030201"}};
        for (const auto& r : requests) {
            EXPECT_EQ(r.expected, ColorsAnswered(dialog, r.message, r.asking)) << "WM_CTLCOLOR" << r.request;
        }
    }
    {
        SCOPED_TRACE("brush sharing: a background some window paints shares its brush, which goes with its last user");
        ColorsAnswered(dialog, WM_CTLCOLORDLG, dialog, &light);
        DlgSetColors(other, DLG_NOT_GIVEN, -1, kLight);
        ColorsAnswered(other, WM_CTLCOLORDLG, other, &shared);
        DlgSetColors(dialog, kRadio, 0x7F000010, 0x12345678);  // cut to 24 bits
        DlgSetColors(dialog, kCheckBox, -7, 0x345678);         // any text colour below 0 is the default
        EXPECT_EQ("brush=345678 text=000010 background=345678",
                  ColorsAnswered(dialog, WM_CTLCOLORBTN, control(kRadio), &first));
        EXPECT_EQ("brush=345678 text=" + Hex(GetSysColor(COLOR_BTNTEXT)) + " background=345678",
                  ColorsAnswered(dialog, WM_CTLCOLORBTN, control(kCheckBox), &second));
        DlgSetColors(dialog, kRadio, -3, -2);
        EXPECT_EQ("brush=hollow text=" + Hex(GetSysColor(COLOR_BTNTEXT)) + " background=030201 transparent",
                  ColorsAnswered(dialog, WM_CTLCOLORBTN, control(kRadio)));
        std::ostringstream seen;
        seen << "other-shares=" << (shared == light ? "yes" : "no")
             << " box-shares=" << (second == first ? "yes" : "no") << " after-radio=" << Kept(first);
        DlgSetColors(dialog, kCheckBox, -1, -1);
        DestroyWindow(other);
        seen << " after-box=" << Kept(first) << " light-after-other=" << Kept(light);
        EXPECT_EQ("other-shares=yes box-shares=yes after-radio=kept after-box=gone light-after-other=kept", seen.str());
    }
    // What the dialog holds, to be given back when it ends.
    const HANDLE busy = PictureShown(control(kBusy)), close = PictureShown(control(kClose));
    const HANDLE icon = PictureShown(control(kIcon)), big = IconOf(dialog, ICON_BIG);
    const HANDLE small = IconOf(dialog, ICON_SMALL);
    for (HWND spied : {dialog, control(kCheckBox), control(kIcon)}) SetWindowSubclass(spied, Spy, 1, 0);
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, 0);
    {
        SCOPED_TRACE("modal endings: greeted, shown, ended by the handler, the system's close or destruction");
        const struct { const char* how; HWND dialog; Ending ending; int result; const char* handled; } shows[] = {
            {"finished", dialog, FINISHED, 42,
             "INITDIALOG SIZE_RESTORED step(shown) CLOSE(shown) DESTROY NCDESTROY returned"},
            {"system close kept, maximised, owned", MakeDialog(owner, WS_POPUP | WS_CAPTION | WS_MAXIMIZE),
             SYSTEM_CLOSE_KEPT, 42, "INITDIALOG SIZE_MAXIMIZED step(shown) owner=shown,disabled(shown) CLOSE(shown)"
                                    " DESTROY NCDESTROY returned"},
            {"system close left", MakeDialog(), SYSTEM_CLOSE_LEFT, 0,
             "INITDIALOG SIZE_RESTORED CLOSE(shown) DESTROY NCDESTROY"},
            {"destroyed: the initial result", MakeDialog(), DESTROYED, 31,
             "INITDIALOG SIZE_RESTORED step(shown) DESTROY NCDESTROY returned"}};
        for (const auto& c : shows) {
            gEnding = c.ending;
            gHandled.clear();
            EXPECT_EQ(c.result, DlgShowModal(c.dialog, ShowHandler, 31)) << c.how;
            EXPECT_EQ(c.handled, gHandled) << c.how;
            EXPECT_EQ("shown,enabled", State(owner)) << c.how;
        }
    }
    {
        SCOPED_TRACE("all given back: brushes, pictures, icons, first font with the dialog; fonts with the services");
        std::ostringstream seen;
        seen << "live=" << DlgDoEvents(0) << " active=" << (gDlgActiveDialog ? "a dialog" : "none")
             << " light-brush=" << Kept(light)
             << " busy=" << Kept(busy) << " close=" << Kept(close) << " icon=" << Kept(icon) << " big=" << Kept(big)
             << " small=" << Kept(small) << " verdana=" << Kept(verdanaObject)
             << " font-back=" << (gFontGiven == madeWith ? "made-with" : "other")
             << " redraw=" << (gFontRedraw ? "yes" : "no");
        DlgEndThread();
        seen << " verdana-after-end=" << Kept(verdanaObject);
        ASSERT_TRUE(StartServicesAsTheProgramDoes());
        seen << " next-font=" << DlgMakeFont("Verdana", 7, 0, 0, 0, 0);  // a new start numbers them from 1 again
        EXPECT_EQ("live=0 active=none light-brush=gone busy=gone close=gone icon=gone big=gone small=gone verdana=kept "
                  "font-back=made-with redraw=no verdana-after-end=gone next-font=1", seen.str());
    }
    {
        SCOPED_TRACE("windows without a record: the owner and its check box, which the services did not make");
        HWND box = CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_CHECKBOX, 0, 0, 9, 9, owner, HMENU(5), nullptr, 0);
        DlgAddControl(DLG_PUSH_BUTTON, owner, 6, "x", 0, 0, 10, 10, 0, 0, nullptr);
        DlgShowWindow(owner, SW_HIDE);
        DlgEnable(owner, DLG_NOT_GIVEN, false);
        DlgEnable(owner, 5, false);
        DlgSetCheck(owner, 5, BST_CHECKED);
        DlgFinish(owner, 3);
        DlgSetColors(owner, DLG_NOT_GIVEN, 0, 0);
        DlgSetIcon(owner, "ICO");
        gHandled.clear();
        std::ostringstream seen;
        seen << "result=" << DlgShowModal(owner, ShowHandler, 7)
             << " handled=" << (gHandled.empty() ? "nothing" : gHandled)
             << " owner=" << State(owner) << " box=" << State(box) << ",checked=" << DlgGetCheck(owner, 5)
             << " control-window=" << (DlgControlWindow(owner, 5) ? "found" : "none")
             << " added=" << (GetDlgItem(owner, 6) ? "a control" : "none")
             << " icon=" << (IconOf(owner, ICON_BIG) ? "set" : "none")
             << " post-to-no-window=" << (DlgPost(nullptr, WM_APP, 1, 2) ? "posted" : "refused");
        EXPECT_EQ("result=7 handled=nothing owner=shown,enabled box=hidden,enabled,checked=0 control-window=none "
                  "added=none icon=none post-to-no-window=refused", seen.str());
        DestroyWindow(owner);
    }
}

}  // namespace
