// The main window in this process: as built, then run in the real modal loop with the handler's table.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "engine/engine.h"
#include "startup/startup.h"
#include "tests/support/disk_trees.h"
#include "tests/support/program_services.h"
#include "tests/support/style_names.h"
#include "tools/driver/program_driver.h"
#include "window/window.h"

namespace {

// This program's import slot for the shell: the help image's openings are noted there instead of started, so that no
// browser starts and each one counts, whenever it comes.
extern "C" decltype(&ShellExecuteA) __imp_ShellExecuteA;
std::string gOpenings;
HINSTANCE WINAPI NotingShellExecute(HWND, const char* verb, const char* file, const char*, const char*, INT show) {
    const bool home = file != nullptr && std::string(file) == getenv("VORLAX_HOME_PAGE");  // the build's setting
    gOpenings += std::string(" opened=") + (verb ? verb : "") + "," + (home ? "home_page" : file ? file : "") + "," +
                 (show == SW_SHOW ? "SW_SHOW" : std::to_string(show));
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
    BITMAP size = {};
    GetObjectA(shown, sizeof(size), &size);
    std::string bits(static_cast<size_t>(size.bmWidthBytes) * size.bmHeight, '\0'), other = bits;
    GetBitmapBits(shown, static_cast<LONG>(bits.size()), &bits[0]);
    for (const std::string name : {"LOADING00", "LOADING00_150", "HELP", "HELP_150", "CLOSE", "CLOSE_150"}) {
        HBITMAP loaded = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0,
                                                         LR_LOADMAP3DCOLORS));
        const bool same = GetBitmapBits(loaded, static_cast<LONG>(other.size()), &other[0]) > 0 && other == bits;
        DeleteObject(loaded);
        if (same) return name;
    }
    return "other";
}

// The width of the window's big or small icon, 0 for none.
std::string IconWidth(HWND window, WPARAM which) {
    ICONINFO info = {};
    BITMAP mask = {};
    if (!GetIconInfo(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, which, 0)), &info)) return "0";
    GetObjectA(info.hbmMask, sizeof(mask), &mask);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return std::to_string(mask.bmWidth);
}

// Red first, so that "#%06lX" prints a colour the usual way round: RGB(0, 6, 54) as #000636.
COLORREF RedFirst(COLORREF colour) { return RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour)); }

// The window, then each control in creation order, which is the tab order; empty texts and missing fonts left out.
std::string Described(HWND window) {
    HDC dc = CreateCompatibleDC(nullptr);
    std::string shown;
    for (HWND c = window; c != nullptr; c = GetWindow(c, c == window ? GW_CHILD : GW_HWNDNEXT)) {
        const std::string kind = ClassOf(c);
        std::string text = TextOf(c);
        for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos;) text.replace(at, 1, "\\n");
        LOGFONTA f = {};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(c, WM_GETFONT, 0, 0)), sizeof(f), &f);
        RECT r = {};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        if (c == window) GetClientRect(window, &r);
        SendMessageA(window, c == window ? WM_CTLCOLORDLG : WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(c));
        const bool bar = kind == PROGRESS_CLASSA;  // a progress bar's colours are its bar's
        const HBITMAP picture = reinterpret_cast<HBITMAP>(
            SendMessageA(c, kind == "Static" ? STM_GETIMAGE : BM_GETIMAGE, IMAGE_BITMAP, 0));
        char colours[64];
        snprintf(colours, sizeof(colours), " %s=#%06lX on #%06lX", bar ? "bar" : "colour",
                 RedFirst(bar ? SendMessageA(c, PBM_GETBARCOLOR, 0, 0) : GetTextColor(dc)),
                 RedFirst(bar ? SendMessageA(c, PBM_GETBKCOLOR, 0, 0) : GetBkColor(dc)));
        const std::string size = std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
        shown += (c == window ? "window" : ControlName(GetDlgCtrlID(c))) + " style=" +
                 StyleNames(kind, GetWindowLongA(c, GWL_STYLE)) + (picture ? " picture=" + PictureName(picture) : "") +
                 (text.empty() ? "" : (c == window ? " title=\"" : " text=\"") + text + "\"") +
                 (f.lfFaceName[0] == 0 ? "" : " font=\"" + std::string(f.lfFaceName) + "\" height=" +
                  std::to_string(f.lfHeight) + " weight=" + std::to_string(f.lfWeight)) + colours +
                 (c == window ? " client=" : " at=" + std::to_string(r.left) + "," + std::to_string(r.top) + " size=") +
                 size + (c == window ? " icons=" + IconWidth(c, ICON_BIG) + "," + IconWidth(c, ICON_SMALL) : "") +
                 "\n";
    }
    DeleteDC(dc);
    return shown;
}

// No WS_SYSMENU, so no close box; the platform adds WS_CLIPSIBLINGS to every top-level window. The radio buttons
// hand their tab stop to the checked one. Pictures and the close button keep the system's colours.
const char* const kAsBuiltAt96Dpi =
    "window style=WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | DS_3DLOOK | DS_NOFAILCREATE | DS_SETFONT | DS_MODALFRAME "
    "| DS_CENTER title=\" VORLAX v3 [by belcour]\" font=\"MS Sans Serif\" height=-11 weight=400 colour=#000000 on "
    "#F1F5F8 client=396x138 icons=32,16\n"
    "IDC_BUSY style=WS_CHILD | SS_BITMAP picture=LOADING00 colour=#000000 on #F5F5F5 at=263,83 size=32x32\n"
    "IDC_HELP style=WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY picture=HELP colour=#000000 on #F5F5F5 at=238,91 "
    "size=21x21\n"
    "IDC_CLOSE style=WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP picture=CLOSE "
    "font=\"MS Sans Serif\" height=-11 weight=400 colour=#000000 on #F5F5F5 at=273,89 size=25x23\n"
    "IDC_RENAME_ALWAYS style=WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON text=\"Always rename as \"Subfolder "
    "filename.ext\"\" font=\"MS Sans Serif\" height=-11 weight=400 colour=#000636 on #F1F5F8 at=7,16 size=289x25\n"
    "IDC_RENAME_ON_CONFLICT style=WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON text=\"Only rename when "
    "there is a filename conflict\" font=\"MS Sans Serif\" height=-11 weight=400 colour=#000636 on #F1F5F8 at=7,41 "
    "size=289x24\n"
    "IDC_CREATE_UNDO style=WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX text=\"Create \"undo\" file\" "
    "font=\"MS Sans Serif\" height=-11 weight=400 colour=#000636 on #F1F5F8 at=9,89 size=192x25\n"
    "IDC_OPTIONS_FRAME style=WS_CHILD | WS_VISIBLE | BS_GROUPBOX text=\"Options\" font=\"MS Sans Serif\" height=-11 "
    "weight=700 colour=#000636 on #F1F5F8 at=2,2 size=306x73\n"
    "IDC_UNDO_FRAME style=WS_CHILD | WS_VISIBLE | BS_GROUPBOX text=\"Undo\" font=\"MS Sans Serif\" height=-11 "
    "weight=700 colour=#000636 on #F1F5F8 at=2,75 size=227x45\n"
    "IDC_GO style=WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_MULTILINE text=\"VORLAX !\\n\\n(Kellerup)\" "
    "font=\"Verdana\" height=-9 weight=700 colour=#000636 on #F1F5F8 at=317,8 size=75x111\n"
    "IDC_PROGRESS style=WS_CHILD | WS_VISIBLE | PBS_SMOOTH font=\"MS Sans Serif\" height=-11 weight=400 "
    "bar=#1EB400 on #F1F5F8 at=2,122 size=392x16\n";

// At 150 %: the same dialog units laid out for 144 dots per inch, fonts sized for it, each picture's 150 % rendering.
const char* const kLayoutAt144Dpi =
    "window height=-16 client=565x202 icons=48,24\nIDC_BUSY picture=LOADING00_150 at=375,121 size=48x48\n"
    "IDC_HELP picture=HELP_150 at=340,133 size=32x32\nIDC_CLOSE picture=CLOSE_150 height=-16 at=390,131 size=35x33\n"
    "IDC_RENAME_ALWAYS height=-16 at=10,24 size=413x35\nIDC_RENAME_ON_CONFLICT height=-16 at=10,59 size=413x36\n"
    "IDC_CREATE_UNDO height=-16 at=13,131 size=275x35\nIDC_OPTIONS_FRAME height=-16 at=3,2 size=437x107\n"
    "IDC_UNDO_FRAME height=-16 at=3,109 size=325x67\nIDC_GO height=-14 at=453,12 size=107x161\n"
    "IDC_PROGRESS height=-16 at=3,178 size=560x24\n";

// What the display's scale changes: each line's name, picture, font height, place and size.
std::string LayoutOf(const std::string& described) {
    std::string layout;
    std::istringstream lines(described);
    for (std::string line; std::getline(lines, line);) {
        layout += line.substr(0, line.find(' '));
        for (const char* key : {" picture=", " height=", " at=", " size=", " client=", " icons="}) {
            const size_t at = line.find(key);
            if (at != std::string::npos) layout += line.substr(at, line.find(' ', at + 1) - at);
        }
        layout += "\n";
    }
    return layout;
}

// The window as the tests know it on this display, and what they expect of it: in full at 96 dpi, the layout at 144.
bool At144Dpi() {
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dotsPerInch == 144;
}
std::string Seen(HWND window) { return At144Dpi() ? LayoutOf(Described(window)) : Described(window); }
const char* AsBuilt() { return At144Dpi() ? kLayoutAt144Dpi : kAsBuiltAt96Dpi; }

// Each row one message handed straight to the handler in a run, with the busy picture shown and its timer running,
// or to the idle window. These pictures lack LOADING05, so a wrong frame's name keeps the picture.
#define HANDED(message, wParam) message, wParam, #message " " #wParam
const struct { UINT message; WPARAM wParam; const char *handed, *before, *after; } kHandled[] = {
    {HANDED(WM_TIMER, ID_BUSY_TIMER), "frame=0", "picture=changed frame=1 busy=shown timer=on"},
    {HANDED(WM_TIMER, ID_BUSY_TIMER), "frame=30", "picture=changed frame=0 busy=shown timer=on"},
    {HANDED(WM_TIMER, ID_BUSY_TIMER), "frame=4", "picture=kept frame=5 busy=shown timer=on"},
    {HANDED(WM_TIMER, (WPARAM{1} << 32) | ID_BUSY_TIMER), "frame=9", "picture=kept frame=9 busy=shown timer=on"},
    {HANDED(WM_TIMER, ID_BUSY_TIMER), "frame=7 relocations=12", "picture=changed frame=8 busy=hidden timer=off"},
    {HANDED(WM_DESTROY, 0), "frame=9", "picture=kept frame=9 busy=shown timer=off"},
    {HANDED(WM_COMMAND, MAKEWPARAM(IDC_UNDO_FRAME, BN_CLICKED)), "frame=9", "picture=kept frame=9 busy=shown timer=on"},
    {HANDED(WM_COMMAND, MAKEWPARAM(IDC_HELP, STN_DISABLE)), "frame=9", "picture=kept frame=9 busy=shown timer=on"},
    {HANDED(WM_COMMAND, MAKEWPARAM(IDC_GO, BN_DOUBLECLICKED)), "frame=9", "picture=kept frame=9 busy=shown timer=on"},
    // The platform's Enter and Escape in a dialog: a stray Enter never starts a run.
    {HANDED(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)), "idle", "as built timer=off"},
    {HANDED(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)), "idle", "as built timer=off"},
};

void HandEachRowToTheHandler(HWND window, bool running) {
    const int moved = gRelocationCount;  // the run's own count, given back after the rows
    for (const auto& row : kHandled) {
        if ((std::string(row.before) != "idle") != running) continue;
        gRelocationCount = 0;
        sscanf(row.before, "frame=%d relocations=%d", &gBusyFrameIndex, &gRelocationCount);
        HWND busy = GetDlgItem(window, IDC_BUSY);
        if (running) ShowWindow(busy, SW_SHOW);
        if (running) gBusyTimerHandle = SetTimer(window, ID_BUSY_TIMER, 20, nullptr);
        const LRESULT picture = SendMessageA(busy, STM_GETIMAGE, IMAGE_BITMAP, 0);
        MainWindowEvents(window, row.message, row.wParam, 0);
        const bool kept = picture == SendMessageA(busy, STM_GETIMAGE, IMAGE_BITMAP, 0);
        std::string after = std::string(kept ? "picture=kept frame=" : "picture=changed frame=") +
                            std::to_string(gBusyFrameIndex) + (IsWindowVisible(busy) ? " busy=shown" : " busy=hidden");
        if (!running) after = IsWindow(window) ? Seen(window) : "window=gone";  // any change reads in full
        if (after == AsBuilt()) after = "as built";
        EXPECT_EQ(row.after, after + (KillTimer(window, ID_BUSY_TIMER) ? " timer=on" : " timer=off"))
            << "handed " << row.handed << " when " << row.before;
    }
    gRelocationCount = moved;
}

// The bar's last position and when it came, and the window's state seen in the walk.
struct RunRecord { WNDPROC barProcedure; WPARAM lastPosition; DWORD lastPositionAt; std::string stateInWalk; } gRun;

LRESULT CALLBACK RecordingBar(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    // Read from behind the tick the main button posted, which no timer tick can pass.
    if (message == PBM_SETRANGE32) PostMessageA(bar, WM_APP, 0, 0);
    if (message == WM_APP) {
        HWND window = GetParent(bar);
        // The close button's place and the main button's disabled face; the busy picture and the bar redraw themselves.
        bool unpainted = GetUpdateRect(window, nullptr, FALSE) || GetUpdateRect(GetDlgItem(window, IDC_GO), nullptr, 0);
        gRun.stateInWalk = unpainted ? "unpainted" : "painted";
        for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!IsWindowEnabled(c)) gRun.stateInWalk += " " + ControlName(GetDlgCtrlID(c)) + "=disabled";
            if (!IsWindowVisible(c)) gRun.stateInWalk += " " + ControlName(GetDlgCtrlID(c)) + "=hidden";
        }
        gRun.stateInWalk += std::string(gBusyTimerHandle != 0 ? " timer=set" : " timer=none") + " relocations=" +
                            std::to_string(gRelocationCount) + " frame=" + std::to_string(gBusyFrameIndex) +
                            " range=" + std::to_string(SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
        Sleep(50);  // the busy timer falls due while the walk still has entries to pass on
    }
    // The walk is over: the busy timer has had its chance, and the handler gets its table.
    if (message == PBM_SETPOS && gRun.lastPositionAt == 0) {
        gRun.stateInWalk += gBusyFrameIndex >= 2 ? " ticked " : " never ticked ";
        HandEachRowToTheHandler(GetParent(bar), true);
    }
    if (message == PBM_SETPOS) gRun.lastPositionAt = GetTickCount();
    if (message == PBM_SETPOS) gRun.lastPosition = wParam;
    return CallWindowProcA(gRun.barProcedure, bar, message, wParam, lParam);
}

// The window as built, and Enter and Escape in it while idle; then the main button pressed in the modal loop with
// messages queued behind it for the walk to pass on: a help double click, after which the run goes on; or a help
// click and a close, after which nothing is touched, not even the thumbnail cache.
TEST(MainWindow, AsBuiltThenRunThroughTheModalLoop) {
    const struct { WPARAM first, second; const char* seen; } rows[] = {
        {MAKEWPARAM(IDC_HELP, STN_DBLCLK), 0,
         "painted IDC_CLOSE=hidden IDC_RENAME_ALWAYS=disabled IDC_RENAME_ON_CONFLICT=disabled IDC_CREATE_UNDO=disabled "
         "IDC_OPTIONS_FRAME=disabled IDC_UNDO_FRAME=disabled IDC_GO=disabled timer=set relocations=0 frame=1 "
         "range=1000 ticked moved=4 tree=[top.txt, undo 'Kellerup'.bat, x.txt, y.txt, z.txt] bar=1000 held=yes "
         "opened=open,home_page,SW_SHOW"},
        {MAKEWPARAM(IDC_HELP, STN_CLICKED), MAKEWPARAM(IDC_CLOSE, 0x1234),  // whatever the close's notification
         "moved=0 tree=[a\\, a\\Thumbs.db, a\\b\\, a\\b\\y.txt, a\\x.txt, c\\, c\\z.txt, top.txt] bar=0 held=yes "
         "opened=open,home_page,SW_SHOW"},
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        ScratchFolder scratch("modal");
        for (const char* file : {"top.txt", "a\\x.txt", "a\\Thumbs.db", "a\\b\\y.txt", "c\\z.txt"})
            ASSERT_TRUE(MakeFile(scratch.Path(), file, file)) << file;
        ResetProcessValues();
        gOpenings.clear();
        HWND window = BuildMainWindow();
        EXPECT_EQ(AsBuilt(), Seen(window)) << "row " << i;
        gMainFolder = scratch.Path();  // before the idle rows, so that a run they start by mistake stays in here
        HandEachRowToTheHandler(window, false);
        gRun = {reinterpret_cast<WNDPROC>(SetWindowLongPtrA(GetDlgItem(window, IDC_PROGRESS), GWLP_WNDPROC,
                                                            reinterpret_cast<LONG_PTR>(RecordingBar))), 0, 0, ""};
        for (WPARAM command : {MAKEWPARAM(IDC_GO, BN_CLICKED), rows[i].first, rows[i].second})
            if (command != 0) PostMessageA(window, WM_COMMAND, command, 0);
        EXPECT_EQ(0, DlgShowModal(window, MainWindowEvents, 0)) << "row " << i;
        std::string seen = gRun.stateInWalk + "moved=" + std::to_string(gRelocationCount) + " tree=[";
        for (const auto& entry : Snapshot(scratch.Path())) seen += (seen.back() == '[' ? "" : ", ") + entry.first;
        seen += "] bar=" + std::to_string(gRun.lastPosition) +  // and held, for the full bar to be seen
                (GetTickCount() - gRun.lastPositionAt >= 990 ? " held=yes" : " held=no") + gOpenings;
        EXPECT_EQ(rows[i].seen, seen) << "row " << i;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!StartServicesAsTheProgramDoes()) return 255;
    testing::InitGoogleTest(&argc, argv);
    const decltype(&ShellExecuteA) shellExecute = __imp_ShellExecuteA;
    __imp_ShellExecuteA = &NotingShellExecute;
    const int result = RUN_ALL_TESTS();
    __imp_ShellExecuteA = shellExecute;
    return result;
}
