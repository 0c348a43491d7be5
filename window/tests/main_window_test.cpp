// The main window in this process: as built, then run in the real modal loop with the handler's table.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "engine/engine.h"
#include "startup/startup.h"
#include "tests/support/disk_trees.h"
#include "tests/support/program_services.h"
#include "tools/driver/program_driver.h"
#include "window/window.h"

namespace {

// A flag is named when the bits under its mask are its own, and those bits are then taken. Only the styles the
// program's windows may carry have names here; WS_CAPTION comes before its two halves, so that a caption reads as one
// word, and a button's or a static's type is a number under its type mask (a push button's is 0), not a set of flags.
#define FLAG(className, bits) {className, bits, bits, #bits}
#define TYPE(className, mask, bits) {className, mask, bits, #bits}
const struct Flag { const char* className; DWORD mask, bits; const char* name; } kFlags[] = {
    FLAG("", WS_POPUP), FLAG("", WS_CHILD), FLAG("", WS_VISIBLE), FLAG("", WS_DISABLED), FLAG("", WS_CLIPSIBLINGS),
    FLAG("", WS_CAPTION), FLAG("", WS_BORDER), FLAG("", WS_SYSMENU), FLAG("", WS_GROUP), FLAG("", WS_TABSTOP),
    FLAG("#32770", DS_3DLOOK), FLAG("#32770", DS_NOFAILCREATE), FLAG("#32770", DS_SETFONT),
    FLAG("#32770", DS_MODALFRAME), FLAG("#32770", DS_CENTER), TYPE(WC_BUTTONA, BS_TYPEMASK, BS_PUSHBUTTON),
    TYPE(WC_BUTTONA, BS_TYPEMASK, BS_DEFPUSHBUTTON), TYPE(WC_BUTTONA, BS_TYPEMASK, BS_AUTOCHECKBOX),
    TYPE(WC_BUTTONA, BS_TYPEMASK, BS_GROUPBOX), TYPE(WC_BUTTONA, BS_TYPEMASK, BS_AUTORADIOBUTTON),
    FLAG(WC_BUTTONA, BS_ICON), FLAG(WC_BUTTONA, BS_BITMAP), FLAG(WC_BUTTONA, BS_MULTILINE),
    TYPE(WC_STATICA, SS_TYPEMASK, SS_ICON), TYPE(WC_STATICA, SS_TYPEMASK, SS_BITMAP), FLAG(WC_STATICA, SS_NOTIFY),
    FLAG(PROGRESS_CLASSA, PBS_SMOOTH)};

// A window's style word of `className` ("#32770" for a dialog) as its flag names joined by " | ", the window styles
// first; other bits in hex.
std::string StyleNames(const std::string& className, DWORD style) {
    std::string names;
    DWORD left = style;
    for (const Flag& flag : kFlags) {
        const bool ofClass = flag.className[0] == 0 || lstrcmpiA(flag.className, className.c_str()) == 0;
        if (!ofClass || (left & flag.mask) != flag.bits) continue;
        names += (names.empty() ? "" : " | ") + std::string(flag.name);
        left &= ~flag.mask;
    }
    if (left != 0 || names.empty()) {
        char rest[16];
        snprintf(rest, sizeof(rest), "0x%lX", left);
        names += (names.empty() ? "" : " | ") + std::string(rest);
    }
    return names;
}

struct RunRecord { WNDPROC barProcedure; std::string walk, openings; struct { WPARAM position; DWORD at; } last; } gRun;

// This program's import slot for the shell: the help image's openings are noted instead of started, whenever they come.
extern "C" decltype(&ShellExecuteA) __imp_ShellExecuteA;
HINSTANCE WINAPI NotingShellExecute(HWND, const char* verb, const char* file, const char*, const char*, INT show) {
    const bool home = file != nullptr && std::string(file) == getenv("VORLAX_HOME_PAGE");  // the build's setting
    gRun.openings += std::string(" opened=") + (verb ? verb : "") + "," + (home ? "home_page" : file ? file : "") +
                     (show == SW_SHOW ? ",SW_SHOW" : "," + std::to_string(show));
    return reinterpret_cast<HINSTANCE>(33);  // above 32: done
}

// From the numbers rather than from window.h, because the programs that drive the window rely on the numbers.
std::string ControlName(int identifier) {
    const char* const names[] = {"IDC_RENAME_ALWAYS", "IDC_RENAME_ON_CONFLICT", "IDC_CREATE_UNDO", "IDC_OPTIONS_FRAME",
                                 "IDC_UNDO_FRAME", "IDC_GO", "IDC_PROGRESS", "IDC_BUSY", "IDC_CLOSE", "IDC_HELP"};
    return identifier >= 1001 && identifier <= 1010 ? names[identifier - 1001] : std::to_string(identifier);
}

// The resource a control's bitmap was loaded from: the rendering of the test's pictures with the same bits, if any.
std::string PictureName(HBITMAP shown) {
    std::string bits(GetBitmapBits(shown, 0, nullptr), '\0'), other = bits;  // asked without a buffer: the size
    GetBitmapBits(shown, static_cast<LONG>(bits.size()), &bits[0]);
    for (const char* name : {"LOADING00", "LOADING00_150", "HELP", "HELP_150", "CLOSE", "CLOSE_150"}) {
        HANDLE loaded = LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
        const bool same = GetBitmapBits(static_cast<HBITMAP>(loaded), static_cast<LONG>(other.size()), &other[0]) > 0;
        DeleteObject(loaded);
        if (same && other == bits) return name;
    }
    return "other";
}

std::string IconWidth(HWND window, WPARAM which) {
    ICONINFO info = {};
    GetIconInfo(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, which, 0)), &info);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return std::to_string(2 * info.xHotspot);  // an icon's hot spot is its centre
}

// The window, then each control in creation (tab) order; a control's font only where it differs from the window's.
std::string Described(HWND window) {
    HDC dc = CreateCompatibleDC(nullptr);
    std::string shown, windowFont;
    for (HWND c = window; c != nullptr; c = GetWindow(c, c == window ? GW_CHILD : GW_HWNDNEXT)) {
        const std::string kind = ClassOf(c), text = std::regex_replace(TextOf(c), std::regex("\n"), "\\n");
        const LRESULT picture = SendMessageA(c, kind == "Static" ? STM_GETIMAGE : BM_GETIMAGE, IMAGE_BITMAP, 0);
        LOGFONTA f = {};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(c, WM_GETFONT, 0, 0)), sizeof(f), &f);
        const std::string font = f.lfFaceName[0] == 0 ? "none" : "\"" + std::string(f.lfFaceName) + "\" height=" +
                                 std::to_string(f.lfHeight) + " weight=" + std::to_string(f.lfWeight);
        if (c == window) windowFont = font;
        SendMessageA(window, c == window ? WM_CTLCOLORDLG : WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(c));
        const bool bar = kind == PROGRESS_CLASSA;  // a progress bar's colours are its bar's
        char colours[64];  // red first, the usual way round
        snprintf(colours, sizeof(colours), " %s=#%06lX on #%06lX", bar ? "bar" : "colour",
                 _byteswap_ulong(bar ? SendMessageA(c, PBM_GETBARCOLOR, 0, 0) : GetTextColor(dc)) >> 8,
                 _byteswap_ulong(bar ? SendMessageA(c, PBM_GETBKCOLOR, 0, 0) : GetBkColor(dc)) >> 8);
        RECT r = {};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        if (c == window) GetClientRect(window, &r);
        const std::string size = std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
        shown += (c == window ? "window" : ControlName(GetDlgCtrlID(c))) + " style=" +
                 StyleNames(kind, GetWindowLongA(c, GWL_STYLE)) +
                 (picture != 0 ? " picture=" + PictureName(reinterpret_cast<HBITMAP>(picture)) : "") +
                 (text.empty() ? "" : (c == window ? " title=\"" : " text=\"") + text + "\"") +
                 (c == window || font != windowFont ? " font=" + font : "") + colours +
                 (c == window ? " client=" + size + " icons=" + IconWidth(c, ICON_BIG) + "," + IconWidth(c, ICON_SMALL)
                              : " at=" + std::to_string(r.left) + "," + std::to_string(r.top) + " size=" + size) + "\n";
    }
    DeleteDC(dc);
    return shown;
}

// Each "a/b" holds a at 96 dpi, b at 144. No WS_SYSMENU, so no close box; the platform adds WS_CLIPSIBLINGS to every
// top-level window. The radio buttons hand their tab stop to the checked one. Pictures keep the system's colours.
const char* const kAsBuilt = "window style=WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | DS_3DLOOK | DS_NOFAILCREATE | "
    "DS_SETFONT | DS_MODALFRAME | DS_CENTER title=\" VORLAX v3 [by belcour]\" font=\"MS Sans Serif\" height=-11/-16 "
    "weight=400 colour=#000000 on #F1F5F8 client=396x138/565x202 icons=32,16/48,24\n"
    "IDC_BUSY style=WS_CHILD | SS_BITMAP picture=LOADING00/LOADING00_150 font=none colour=#000000 on #F5F5F5 "
    "at=263,83/375,121 size=32x32/48x48\n"
    "IDC_HELP style=WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY picture=HELP/HELP_150 font=none colour=#000000 on "
    "#F5F5F5 at=238,91/340,133 size=21x21/32x32\n"
    "IDC_CLOSE style=WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP picture=CLOSE/CLOSE_150 "
    "colour=#000000 on #F5F5F5 at=273,89/390,131 size=25x23/35x33\n"
    "IDC_RENAME_ALWAYS style=WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON text=\"Always rename as \"Subfolder "
    "filename.ext\"\" colour=#000636 on #F1F5F8 at=7,16/10,24 size=289x25/413x35\n"
    "IDC_RENAME_ON_CONFLICT style=WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON text=\"Only rename when "
    "there is a filename conflict\" colour=#000636 on #F1F5F8 at=7,41/10,59 size=289x24/413x36\n"
    "IDC_CREATE_UNDO style=WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX text=\"Create \"undo\" file\" "
    "colour=#000636 on #F1F5F8 at=9,89/13,131 size=192x25/275x35\n"
    "IDC_OPTIONS_FRAME style=WS_CHILD | WS_VISIBLE | BS_GROUPBOX text=\"Options\" font=\"MS Sans Serif\" "
    "height=-11/-16 weight=700 colour=#000636 on #F1F5F8 at=2,2/3,2 size=306x73/437x107\n"
    "IDC_UNDO_FRAME style=WS_CHILD | WS_VISIBLE | BS_GROUPBOX text=\"Undo\" font=\"MS Sans Serif\" height=-11/-16 "
    "weight=700 colour=#000636 on #F1F5F8 at=2,75/3,109 size=227x45/325x67\n"
    "IDC_GO style=WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_MULTILINE text=\"VORLAX !\\n\\n(Kellerup)\" "
    "font=\"Verdana\" height=-9/-14 weight=700 colour=#000636 on #F1F5F8 at=317,8/453,12 size=75x111/107x161\n"
    "IDC_PROGRESS style=WS_CHILD | WS_VISIBLE | PBS_SMOOTH bar=#1EB400 on #F1F5F8 at=2,122/3,178 size=392x16/560x24\n";

// Handed to the handler in a run (the count's row last: it hides the picture); these pictures lack LOADING05.
#define HANDED(message, wParam) message, wParam, #message " " #wParam
const struct { UINT message; WPARAM wParam; const char *handed, *before, *after; } kHandled[] = {
    {HANDED(WM_TIMER, ID_BUSY_TIMER), "frame=30", "frame=0 picture=changed busy=shown timer=on"},
    {HANDED(WM_TIMER, ID_BUSY_TIMER), "frame=4", "frame=5 picture=kept busy=shown timer=on"},
    {HANDED(WM_TIMER, (WPARAM{1} << 32) | ID_BUSY_TIMER), "frame=9", "frame=9 picture=kept busy=shown timer=on"},
    {HANDED(WM_DESTROY, 0), "frame=9", "frame=9 picture=kept busy=shown timer=off"},
    {HANDED(WM_COMMAND, MAKEWPARAM(IDC_UNDO_FRAME, BN_CLICKED)), "frame=9", "frame=9 picture=kept busy=shown timer=on"},
    {HANDED(WM_COMMAND, MAKEWPARAM(IDC_HELP, STN_DISABLE)), "frame=9", "frame=9 picture=kept busy=shown timer=on"},
    {HANDED(WM_COMMAND, MAKEWPARAM(IDC_GO, BN_DOUBLECLICKED)), "frame=9", "frame=9 picture=kept busy=shown timer=on"},
    {HANDED(WM_TIMER, ID_BUSY_TIMER), "frame=7 relocations=12", "frame=8 picture=changed busy=hidden timer=off"},
};

LRESULT CALLBACK RecordingBar(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = GetParent(bar), busy = GetDlgItem(window, IDC_BUSY);
    if (message == PBM_SETRANGE32) PostMessageA(bar, WM_APP, 0, 0);  // behind the main button's tick: no tick passes it
    if (message == WM_APP) {
        // The close button's place and the main button's disabled face; the busy picture and the bar redraw themselves.
        bool unpainted = GetUpdateRect(window, nullptr, FALSE) || GetUpdateRect(GetDlgItem(window, IDC_GO), nullptr, 0);
        gRun.walk = unpainted ? "unpainted" : "painted";
        for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
            gRun.walk += (IsWindowEnabled(c) ? "" : " " + ControlName(GetDlgCtrlID(c)) + "=disabled") +
                         (IsWindowVisible(c) ? "" : " " + ControlName(GetDlgCtrlID(c)) + "=hidden");
        gRun.walk += std::string(gBusyTimerHandle != 0 ? " timer=set" : " timer=none") + " relocations=" +
                     std::to_string(gRelocationCount) + " frame=" + std::to_string(gBusyFrameIndex) + " range=" +
                     std::to_string(SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
        Sleep(50);  // the busy timer falls due while the walk still has entries to pass on
    }
    // The walk is over: the busy timer has had its chance, and the handler gets its table.
    if (message == PBM_SETPOS && gRun.last.at == 0) {
        gRun.walk += gBusyFrameIndex >= 2 ? " ticked " : " never ticked ";
        const int moved = gRelocationCount;  // the run's own count, given back after the rows
        for (const auto& row : kHandled) {
            gRelocationCount = 0;
            sscanf(row.before, "frame=%d relocations=%d", &gBusyFrameIndex, &gRelocationCount);
            gBusyTimerHandle = SetTimer(window, ID_BUSY_TIMER, 20, nullptr);
            const LRESULT picture = SendMessageA(busy, STM_GETIMAGE, IMAGE_BITMAP, 0);
            MainWindowEvents(window, row.message, row.wParam, 0);
            char after[64];
            snprintf(after, sizeof(after), "frame=%d picture=%s busy=%s timer=%s", gBusyFrameIndex,
                     picture == SendMessageA(busy, STM_GETIMAGE, IMAGE_BITMAP, 0) ? "kept" : "changed",
                     IsWindowVisible(busy) ? "shown" : "hidden", KillTimer(window, ID_BUSY_TIMER) ? "on" : "off");
            EXPECT_STREQ(row.after, after) << "handed " << row.handed << " when " << row.before;
        }
        gRelocationCount = moved;
    }
    if (message == PBM_SETPOS) gRun.last = {wParam, GetTickCount()};
    return CallWindowProcA(gRun.barProcedure, bar, message, wParam, lParam);
}

// As built, still so after Enter and Escape (a stray Enter starts no run); then the main button in the modal loop with
// a help double click queued for the walk (the run goes on), or a help click and a close of any code: nothing is moved;
// or with the options the other way round, which the run reads from the window.
TEST(MainWindow, AsBuiltThenRunThroughTheModalLoop) {
    ASSERT_TRUE(StartServicesAsTheProgramDoes());
    __imp_ShellExecuteA = &NotingShellExecute;  // for the rest of the process, in which nothing else opens anything
    const std::string walked = "painted IDC_CLOSE=hidden IDC_RENAME_ALWAYS=disabled IDC_RENAME_ON_CONFLICT=disabled "
        "IDC_CREATE_UNDO=disabled IDC_OPTIONS_FRAME=disabled IDC_UNDO_FRAME=disabled IDC_GO=disabled timer=set "
        "relocations=0 frame=1 range=1000 ticked ";
    const struct { WPARAM queued[3]; std::string seen; bool renameAlways = false, undo = true; } rows[] = {
        {{MAKEWPARAM(IDC_GO, BN_CLICKED), MAKEWPARAM(IDC_HELP, STN_DBLCLK)}, walked + "moved=4 tree=[top.txt, "
         "undo 'Kellerup'.bat, x.txt, y.txt, z.txt] bar=1000 held=yes opened=open,home_page,SW_SHOW"},
        {{MAKEWPARAM(IDC_GO, BN_CLICKED), MAKEWPARAM(IDC_HELP, STN_CLICKED), MAKEWPARAM(IDC_CLOSE, 0x1234)},
         "moved=0 tree=[a\\, a\\Thumbs.db, a\\b\\, a\\b\\y.txt, a\\x.txt, c\\, c\\z.txt, top.txt] bar=0 held=yes "
         "opened=open,home_page,SW_SHOW"},
        {{MAKEWPARAM(IDC_GO, BN_CLICKED)}, walked + "moved=4 tree=[a b y.txt, a x.txt, c z.txt, top.txt] bar=1000 "
         "held=yes", true, false},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        ScratchFolder scratch("modal");
        for (const char* file : {"top.txt", "a\\x.txt", "a\\Thumbs.db", "a\\b\\y.txt", "c\\z.txt"})
            ASSERT_TRUE(MakeFile(scratch.Path(), file, file)) << file;
        ResetProcessValues();
        gRun = {};
        HWND window = BuildMainWindow();
        gMainFolder = scratch.Path();  // before Enter, so that a run it starts by mistake stays in here
        for (WORD key : {IDOK, IDCANCEL}) MainWindowEvents(window, WM_COMMAND, MAKEWPARAM(key, BN_CLICKED), 0);
        EXPECT_EQ(std::regex_replace(kAsBuilt, std::regex("([^ /=]*)/(\\S*)"), GetDpiForSystem() == 144 ? "$2" : "$1"),
                  !IsWindow(window) ? "window=gone" : KillTimer(window, ID_BUSY_TIMER) ? "timer=on" : Described(window))
            << "row " << i << ", after Enter and Escape";
        if (rows[i].renameAlways)
            CheckRadioButton(window, IDC_RENAME_ALWAYS, IDC_RENAME_ON_CONFLICT, IDC_RENAME_ALWAYS);
        if (!rows[i].undo) CheckDlgButton(window, IDC_CREATE_UNDO, BST_UNCHECKED);
        gRun.barProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(GetDlgItem(window, IDC_PROGRESS), GWLP_WNDPROC,
                                                                        reinterpret_cast<LONG_PTR>(RecordingBar)));
        for (WPARAM command : rows[i].queued) if (command != 0) PostMessageA(window, WM_COMMAND, command, 0);
        EXPECT_EQ(0, DlgShowModal(window, MainWindowEvents, 0)) << "row " << i;
        std::string seen = gRun.walk + "moved=" + std::to_string(gRelocationCount) + " tree=[";
        for (const auto& entry : Snapshot(scratch.Path())) seen += (seen.back() == '[' ? "" : ", ") + entry.first;
        seen += "] bar=" + std::to_string(gRun.last.position) +  // and held, for the full bar to be seen
                (GetTickCount() - gRun.last.at >= 990 ? " held=yes" : " held=no") + gRun.openings;
        EXPECT_EQ(rows[i].seen, seen) << "row " << i;
    }
}

}  // namespace
