// The dialog services on real windows, as one story: a dialog from its first call to everything given back.
#include "dialog/dialog_internal.h"
#include "tests/support/program_services.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windowsx.h>

#include <iomanip>
#include <map>
#include <optional>
#include <sstream>
#include <string>

namespace {

const int kRadio = 1001, kCheckBox = 1003, kFrame = 1004, kGo = 1006, kBar = 1007, kBusy = 1008, kClose = 1009,
          kIcon = 1011, kIconButton = 1012, kNoSuchControl = 1999, kStep = WM_APP + 1;
const COLORREF kLight = 0xF8F5F1, kDark = 0x360600, kGreen = 0x00B41E, kUntouched = 0x030201;
// Icon 9 has no bitmap of that number, so its image control shows an icon; no frame takes the tab stop it asks for.
const struct Row { DlgKind kind; int id; const char* text; int x, y, cx, cy; DWORD style; } kRows[] = {
    {DLG_IMAGE, kBusy, "LOADING00", 150, 51, 0, 0, 0},      {DLG_IMAGE_BUTTON, kClose, "CLOSE", 156, 55, 14, 14, 0},
    {DLG_IMAGE, kIcon, "#9", 100, 1, 0, 0, 0},              {DLG_IMAGE_BUTTON, kIconButton, "ICO", 100, 20, 14, 14, 0},
    {DLG_RADIO_BUTTON, kRadio, "Rename", 4, 10, 165, 15, 0}, {DLG_CHECK_BOX, kCheckBox, "Undo", 5, 55, 110, 15, 0},
    {DLG_GROUP_FRAME, kFrame, "Options", 1, 1, 175, 45, WS_TABSTOP}, {DLG_PROGRESS_BAR, kBar, "", 1, 75, 224, 10, 0},
    {DLG_PUSH_BUTTON, kGo, "VORLAX !\n\n(Kellerup)", 181, 5, 43, 68, WS_TABSTOP | BS_DEFPUSHBUTTON}};
const std::pair<int, const char*> kSystemBrushes[] = {
    {COLOR_MENU, "COLOR_MENU"}, {COLOR_SCROLLBAR, "COLOR_SCROLLBAR"}, {COLOR_WINDOW, "COLOR_WINDOW"}};

template <typename... Pieces> std::string Text(const Pieces&... pieces) {
    std::ostringstream text;
    (text << ... << pieces);
    return text.str();
}
std::string Hex(long long color) { return Text(std::uppercase, std::hex, std::setfill('0'), std::setw(6), color); }
std::string State(HWND w) {
    return Text(GetWindowStyle(w) & WS_VISIBLE ? "shown," : "hidden,", IsWindowEnabled(w) ? "enabled" : "disabled");
}
HANDLE IconOf(HWND window, WPARAM size) { return reinterpret_cast<HANDLE>(SendMessageA(window, WM_GETICON, size, 0)); }
std::string FontDescription(HWND window) {
    LOGFONTA f = {};
    GetObjectA(GetWindowFont(window), sizeof(f), &f);
    return Text('"', f.lfFaceName, "\" height=", f.lfHeight, " weight=", f.lfWeight, f.lfItalic ? " italic" : "",
                f.lfUnderline ? " underline" : "", f.lfStrikeOut ? " strikeout" : "", " escapement=", f.lfEscapement,
                " orientation=", f.lfOrientation, f.lfCharSet == DEFAULT_CHARSET ? "" : " not DEFAULT_CHARSET");
}
// An icon is no GDI object: it is kept while the platform can still say what it is made of.
bool IsIcon(HANDLE icon) {
    ICONINFO info = {};
    if (!GetIconInfo(static_cast<HICON>(icon), &info)) return false;
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return true;
}
const char* Kept(HANDLE object) { return GetObjectType(object) != 0 || IsIcon(object) ? "kept" : "gone"; }
HANDLE PictureShown(HWND control) {
    LRESULT shown = SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0);
    if (shown == 0) shown = SendMessageA(control, STM_GETIMAGE, IMAGE_ICON, 0);
    return reinterpret_cast<HANDLE>(shown != 0 ? shown : SendMessageA(control, BM_GETIMAGE, IMAGE_BITMAP, 0));
}

// The services' answer to a colour request: the brush (a system one by name), what it leaves in the device context.
std::string ColorsAnswered(HWND dialog, UINT request, HWND asking, HGDIOBJ* brush = nullptr) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, kUntouched);
    SetBkColor(dc, kUntouched);
    HGDIOBJ answer = reinterpret_cast<HGDIOBJ>(DlgProcedure(dialog, request, WPARAM(dc), LPARAM(asking)));
    LOGBRUSH paints = {};
    std::string name = answer == nullptr ? "none" : GetObjectA(answer, sizeof(paints), &paints) == 0 ? "deleted"
                       : paints.lbStyle == BS_NULL ? "hollow" : Hex(paints.lbColor);
    for (auto [index, system] : kSystemBrushes) if (answer == GetSysColorBrush(index)) name = system;
    name = Text("brush=", name, " text=", Hex(GetTextColor(dc)), " background=", Hex(GetBkColor(dc)),
                GetBkMode(dc) == TRANSPARENT ? " transparent" : "");
    DeleteDC(dc);
    if (brush != nullptr) *brush = answer;
    return name;
}

// Shared by the steps that show dialogs, their handler and the spy.
enum Ending { FINISHED, DESTROYED, SYSTEM_CLOSE_LEFT, SYSTEM_CLOSE_KEPT } gEnding = FINISHED;
std::string gHandled;  // the messages the handler saw, in order, marked when the dialog was visible
std::map<HWND, int> gPaints;
std::pair<HFONT, LPARAM> gFontGiven = {nullptr, -1};  // the last WM_SETFONT: the font and whether to redraw
const std::pair<UINT, const char*> kLogged[] = {
    {WM_CLOSE, "CLOSE"}, {WM_DESTROY, "DESTROY"}, {WM_NCDESTROY, "NCDESTROY"}, {kStep, "step"}};
LRESULT CALLBACK Spy(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_PAINT) ++gPaints[window];
    if (message == WM_SETFONT) gFontGiven = {reinterpret_cast<HFONT>(wParam), lParam};
    return DefSubclassProc(window, message, wParam, lParam);
}
void Log(HWND dialog, const std::string& word) {
    gHandled += (gHandled.empty() ? "" : " ") + word + (IsWindowVisible(dialog) ? "(shown)" : "");
}

int ShowHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) Log(dialog, wParam == WPARAM(dialog) ? "INITDIALOG" : "INITDIALOG(of another)");
    // The greeting's size only, which is the client's; the platform's own may follow when it shows the dialog.
    RECT client = {};
    if (message == WM_SIZE && gHandled.find("SIZE") == std::string::npos && GetClientRect(dialog, &client)) {
        Log(dialog, Text(wParam == SIZE_MAXIMIZED ? "SIZE_MAXIMIZED" : wParam ? "SIZE_?" : "SIZE_RESTORED",
                         lParam == MAKELPARAM(client.right, client.bottom) ? "" : "(not the client's size)"));
    }
    for (auto [logged, name] : kLogged) if (message == logged) Log(dialog, name);
    if (message != kStep) return message == WM_SYSCOMMAND && gEnding == SYSTEM_CLOSE_KEPT;  // kept: the step ends it
    if (gEnding == SYSTEM_CLOSE_KEPT) Log(dialog, "owner=" + State(GetWindow(dialog, GW_OWNER)));
    // Shown plainly, not minimised; a see-through control repaints its parent; the nested message step takes Tab.
    if (gEnding == FINISHED) {
        HWND box = GetDlgItem(dialog, kCheckBox), icon = GetDlgItem(dialog, kIcon);
        std::string redrawn = IsIconic(dialog) ? "minimised, redrawn" : "plain, redrawn";
        for (auto [window, name] : {std::pair{dialog, "dialog"}, {box, "box"}, {icon, "icon"}}) {
            gPaints.clear();
            DlgRedraw(window);
            redrawn += Text(" ", name, ":", gPaints[dialog] ? "+dialog" : "", gPaints[box] ? "+box" : "",
                            gPaints[icon] ? "+icon" : "");
        }
        Log(dialog, redrawn);
        SetFocus(box);
        PostMessageA(box, WM_KEYDOWN, VK_TAB, 0x000F0001);
        for (MSG pending; PeekMessageA(&pending, box, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE);) DlgDoEvents(0);
        Log(dialog, GetFocus() == GetDlgItem(dialog, kClose) ? "Tab:box->close" : "Tab:box->another");
    }
    if (gEnding == DESTROYED) DestroyWindow(dialog);
    if (gEnding != DESTROYED) DlgFinish(dialog, 42);
    return 0;
}

TEST(DialogServices, MainWindowFromFirstToLast) {
    std::optional<testing::ScopedTrace> trace;  // names the story's step in every failure until the next one
    auto step = [&trace](int line, const char* name) { trace.emplace(__FILE__, line, name); };
    ASSERT_TRUE(StartServicesAsTheProgramDoes());
    HWND dialog = DlgCreate(DLG_DIALOG_UNITS, nullptr, "VORLAX", DLG_NOT_GIVEN, DLG_NOT_GIVEN, 226, 85, 0, 0);
    HWND other = DlgCreate(DLG_DIALOG_UNITS, nullptr, "", 10, 20, 100, 50, 0, 0);
    ASSERT_NE(nullptr, dialog);
    for (auto& r : kRows) DlgAddControl(r.kind, dialog, r.id, r.text, r.x, r.y, r.cx, r.cy, r.style, 0, nullptr);
    auto control = [dialog](int identifier) { return GetDlgItem(dialog, identifier); };
    HWND busy = control(kBusy), box = control(kCheckBox), icon = control(kIcon), go = control(kGo);
    HWND radio = control(kRadio), frame = control(kFrame), plain = control(kIconButton);
    const HFONT madeWith = GetWindowFont(dialog);

    step(__LINE__, "made as the main window makes its own, then set: controls at once, the dialog at its first show");
    DlgSend(dialog, kNoSuchControl, DM_SETDEFID, kClose, 0);  // goes nowhere
    // Colours cut to 24 bits, any text colour below 0 the default, a bar on the default background the dialog's.
    const struct { int identifier, text, background; } colors[] = {
        {DLG_NOT_GIVEN, -1, kLight}, {kFrame, kDark, kLight}, {kGo, kDark, kLight}, {kRadio, 0x7F000010, 0x12345678},
        {kCheckBox, -7, 0x345678}, {kBar, kGreen, -1}, {kIcon, -1, DLG_COLOR_TRANSPARENT}, {kIconButton, -1, -1}};
    for (const auto& c : colors) DlgSetColors(dialog, c.identifier, c.text, c.background);
    DlgCheckRadio(dialog, kRadio, kRadio, kRadio);
    DlgSetCheck(dialog, kCheckBox, BST_CHECKED);
    DlgShowWindow(dialog, SW_SHOWMINIMIZED);  // remembered as a plain show
    DlgShowWindow(busy, SW_HIDE);
    for (int identifier : {kGo, DLG_NOT_GIVEN}) DlgEnable(dialog, identifier, false);
    RECT place = {10, 20, 10, 20}, placed = {};
    MapDialogRect(other, &place);
    MapWindowPoints(other, nullptr, reinterpret_cast<POINT*>(&placed), 1);
    // The rest of how the dialog is made, its style, size, title and font, shows in the main window's own test.
    EXPECT_EQ(Text("dialog=hidden,disabled other-at=", place.left, ",", place.top,
                   " radio=1 box=1 default=1006 busy=hidden,enabled go=shown,disabled bar=00B41E on F8F5F1"),
              Text("dialog=", State(dialog), " other-at=", placed.left, ",", placed.top, " radio=",
                   DlgGetCheck(dialog, kRadio), " box=", DlgGetCheck(dialog, kCheckBox), " default=",
                   LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), " busy=", State(busy), " go=", State(go), " bar=",
                   Hex(DlgSend(dialog, kBar, PBM_GETBARCOLOR)), " on ", Hex(DlgSend(dialog, kBar, PBM_GETBKCOLOR))));
    DlgEnable(dialog, DLG_NOT_GIVEN, true);

    step(__LINE__, "fonts: numbered from 1, described as asked, high at first use, shared; the dialog's until then");
    const int odd = DlgMakeFont("A face name that is far longer than thirty-one characters", 0,
                                DLG_FONT_ITALIC | DLG_FONT_UNDERLINE | DLG_FONT_STRIKEOUT, SYMBOL_CHARSET,
                                FF_SWISS | VARIABLE_PITCH, 900);
    const int verdana = DlgMakeFont("Verdana", 7.875, DLG_FONT_BOLD, 0, 0, 0);
    const LONG oddHeight = FontFind(odd)->description.lfHeight;  // only the table knows: no window shows it yet
    for (int identifier : {kRadio, kFrame}) DlgSetFont(dialog, identifier, odd);  // the frame's first, replaced next
    for (int identifier : {kGo, kFrame, DLG_NOT_GIVEN}) DlgSetFont(dialog, identifier, verdana);
    for (int number : {0, 9999}) DlgSetFont(dialog, kFrame, number);  // no such font: nothing changes
    const HFONT verdanaObject = GetWindowFont(go);
    auto which = [&](HFONT f) { return f == madeWith ? "dialog's" : f == verdanaObject ? "Verdana" : "another"; };
    // At 96 dots per inch 7.875 points are 10.5 pixels, a half that goes to the even neighbour. A control is gone
    // before its dialog gives fonts back, so only its record knows what the frame would get back.
    EXPECT_EQ("numbers=1,2 odd-height-before-use=0 radio=\"A face name that is far longer \" height=-11 weight=400 "
              "italic underline strikeout escapement=900 orientation=900 go=\"Verdana\" "
              "height=-10 weight=700 escapement=0 orientation=0 box=dialog's frame=Verdana frame-before=dialog's",
              Text("numbers=", odd, ",", verdana, " odd-height-before-use=", oddHeight, " radio=",
                   FontDescription(radio), " go=", FontDescription(go), " box=", which(GetWindowFont(box)),
                   " frame=", which(GetWindowFont(frame)), " frame-before=", which(RecordFind(frame)->previousFont)));

    step(__LINE__, "pictures: one of the control's type replaces the one before, which goes; others change nothing");
    for (HWND window : {dialog, go}) DlgSetIcon(window, "ICO");
    const struct { int identifier; const char* name; bool changes; } cases[] = {  // an image button is no image control
        {kBusy, "LOADING01", true}, {kBusy, "ICO", false}, {kIcon, "HELP", false}, {kIcon, "NO_SUCH_PICTURE", true},
        {kIcon, "#9", true}, {kClose, "HELP", false}, {DLG_NOT_GIVEN, "HELP", false}, {DLG_NOT_GIVEN, "#9", true}};
    for (const auto& c : cases) {
        const bool icons = c.identifier == DLG_NOT_GIVEN;
        auto shown = [&] { return icons ? IconOf(dialog, ICON_BIG) : PictureShown(control(c.identifier)); };
        const HANDLE old = shown();
        icons ? DlgSetIcon(dialog, c.name) : DlgSetImage(dialog, c.identifier, c.name);
        EXPECT_EQ(c.changes ? "new, gone" : "same, kept", Text(old != shown() ? "new, " : "same, ", Kept(old)))
            << (icons ? "the dialog" : "control " + std::to_string(c.identifier)) << " given " << c.name;
    }
    EXPECT_EQ(nullptr, IconOf(go, ICON_BIG)) << "the main button, given an icon, holds it";

    step(__LINE__, "colours: the services' answers before the platform's; one brush a colour, gone with its last user");
    auto color = [](int index) { return Hex(GetSysColor(index)); };
    auto system = [&](int text, int back) { return Text(" text=", color(text), " background=", color(back)); };
    const std::string ink = color(COLOR_WINDOWTEXT);
    HGDIOBJ light = nullptr, radios = nullptr, others = nullptr;
    DlgSetColors(other, DLG_NOT_GIVEN, -1, kLight);
    const struct { const char* what; UINT message; HWND by; std::string seen; HGDIOBJ* brush = nullptr; } requests[] = {
        {"MSGBOX", WM_CTLCOLORMSGBOX, plain, "brush=COLOR_MENU" + system(COLOR_MENUTEXT, COLOR_MENU)},
        {"SCROLLBAR", WM_CTLCOLORSCROLLBAR, plain, "brush=COLOR_SCROLLBAR" + system(COLOR_WINDOWTEXT, COLOR_SCROLLBAR)},
        {"EDIT", WM_CTLCOLOREDIT, plain, "brush=COLOR_WINDOW" + system(COLOR_WINDOWTEXT, COLOR_WINDOW)},
        {"DLG", WM_CTLCOLORDLG, dialog, "brush=F8F5F1 text=" + ink + " background=F8F5F1", &light},
        {"DLG, other", WM_CTLCOLORDLG, other, "brush=F8F5F1 text=" + ink + " background=F8F5F1", &others},
        {"BTN, radio", WM_CTLCOLORBTN, radio, "brush=345678 text=000010 background=345678", &radios},
        {"BTN, box", WM_CTLCOLORBTN, box, "brush=345678 text=" + color(COLOR_BTNTEXT) + " background=345678"},
        {"STATIC, icon", WM_CTLCOLORSTATIC, icon, "brush=hollow text=" + ink + " background=030201 transparent"},
        {"STATIC, never coloured", WM_CTLCOLORSTATIC, busy, "brush=none text=030201 background=030201"}};
    for (auto& r : requests)
        EXPECT_EQ(r.seen, ColorsAnswered(dialog, r.message, r.by, r.brush)) << "WM_CTLCOLOR" << r.what;
    DlgSetColors(dialog, kRadio, -3, -2);  // the box still paints with the radio's brush
    const std::string shares = Text("other-dialog-shares=", others == light ? "yes" : "no", " radio's=", Kept(radios));
    DlgSetColors(dialog, kCheckBox, -1, -1);
    DestroyWindow(other);
    EXPECT_EQ("other-dialog-shares=yes radio's=kept radio's-after-box=gone light-after-other=kept",
              Text(shares, " radio's-after-box=", Kept(radios), " light-after-other=", Kept(light)));

    step(__LINE__, "windows without a record: the owner and its check box, which the services did not make");
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, 0);
    HWND foreign = CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_CHECKBOX, 0, 0, 9, 9, owner, HMENU(5), nullptr, 0);
    DlgAddControl(DLG_PUSH_BUTTON, owner, 6, "x", 0, 0, 10, 10, 0, 0, nullptr);
    DlgShowWindow(owner, SW_HIDE);
    for (int identifier : {DLG_NOT_GIVEN, 5}) DlgEnable(owner, identifier, false);
    DlgSetCheck(owner, 5, BST_CHECKED);
    DlgFinish(owner, 3);
    EXPECT_EQ("owner=shown,enabled box=hidden,enabled,checked=0 control-window=none added=none post-nowhere=refused",
              Text("owner=", State(owner), " box=", State(foreign), ",checked=", DlgGetCheck(owner, 5),
                   " control-window=", DlgControlWindow(owner, 5) ? "found" : "none", " added=",
                   GetDlgItem(owner, 6) ? "a control" : "none", " post-nowhere=",
                   DlgPost(nullptr, WM_APP, 1, 2) ? "posted" : "refused"));

    step(__LINE__, "modal endings: greeted, shown, ended by the handler, the system's close or destruction");
    // What the dialog holds, to be given back when it ends.
    const std::map<std::string, HANDLE> held = {
        {"light-brush", light}, {"busy", PictureShown(busy)}, {"close", PictureShown(control(kClose))},
        {"icon", PictureShown(icon)}, {"big", IconOf(dialog, ICON_BIG)}, {"small", IconOf(dialog, ICON_SMALL)},
        {"verdana", verdanaObject}};
    for (HWND spied : {dialog, box, icon}) SetWindowSubclass(spied, Spy, 1, 0);
    auto make = [](HWND owner, DWORD style) { return DlgCreate(DLG_DIALOG_UNITS, owner, "", 0, 0, 99, 50, style, 0); };
    const struct { HWND dialog; Ending ending; const char* seen; } shows[] = {
        {dialog, FINISHED, "result=42 INITDIALOG SIZE_RESTORED step(shown) plain, redrawn dialog:+dialog+box+icon "
                           "box:+box icon:+dialog+icon(shown) Tab:box->close(shown) CLOSE(shown) DESTROY NCDESTROY"},
        {make(owner, WS_POPUP | WS_CAPTION | WS_MAXIMIZE), SYSTEM_CLOSE_KEPT, "result=42 INITDIALOG SIZE_MAXIMIZED "
         "step(shown) owner=shown,disabled(shown) CLOSE(shown) DESTROY NCDESTROY"},
        {make(nullptr, 0), SYSTEM_CLOSE_LEFT, "result=0 INITDIALOG SIZE_RESTORED CLOSE(shown) DESTROY NCDESTROY"},
        {make(nullptr, 0), DESTROYED, "result=31 INITDIALOG SIZE_RESTORED step(shown) DESTROY NCDESTROY"},
        {owner, FINISHED, "result=31"}};  // no record, so not greeted
    for (const auto& c : shows) {
        gEnding = c.ending;
        gHandled.clear();
        if (c.ending >= SYSTEM_CLOSE_LEFT) DlgPost(c.dialog, WM_SYSCOMMAND, SC_CLOSE | 2, 0);  // low bits set, as sent
        DlgPost(c.dialog, kStep, 0, 0);  // ends the dialog if nothing did before
        const int result = DlgShowModal(c.dialog, ShowHandler, 31);
        EXPECT_EQ(c.seen, Text("result=", result, gHandled.empty() ? "" : " ", gHandled));
    }
    step(__LINE__, "all given back: brushes, pictures, icons, first font with the dialog; fonts with the services");
    std::string seen = Text("live=", DlgDoEvents(0), " active=", gDlgActiveDialog ? "a dialog" : "none");
    seen += " owner=" + State(owner);
    for (const auto& [name, handle] : held) seen += " " + name + "=" + Kept(handle);
    seen += Text(" font-back=", which(gFontGiven.first), " redraw=", gFontGiven.second ? "yes" : "no");
    DlgEndThread();
    seen += Text(" verdana-after-end=", Kept(verdanaObject));
    ASSERT_TRUE(StartServicesAsTheProgramDoes());
    seen += Text(" next-font=", DlgMakeFont("Verdana", 7, 0, 0, 0, 0));  // a new start numbers them from 1 again
    EXPECT_EQ("live=0 active=none owner=shown,enabled big=gone busy=gone close=gone icon=gone light-brush=gone "
              "small=gone verdana=kept font-back=dialog's redraw=no verdana-after-end=gone next-font=1", seen);
    DestroyWindow(owner);
}

}  // namespace
