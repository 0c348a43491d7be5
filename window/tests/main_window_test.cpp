// The main window in this process: as built, the event handler's tables, and runs in the real modal loop.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "startup/startup.h"
#include "tests/support/disk_trees.h"
#include "tests/support/program_services.h"
#include "tools/driver/program_driver.h"
#include "window/window.h"

namespace {

std::string gUrlLog;  // where the https handler that main() registers notes each address it is given

// One opening at a time: the handler's appends to the log must not meet.
void ExpectHomePageOpened(size_t times, size_t row) {
    // The address is the build's home-page setting, which the test is told.
    const char* const homePage = getenv("VORLAX_HOME_PAGE");
    std::string expected;
    for (size_t i = 0; i < times; ++i) expected += std::string(homePage != nullptr ? homePage : "(none)") + "\r\n";
    auto logged = [] { return Exists(gUrlLog) ? ReadWholeFile(gUrlLog) : std::string(); };
    WaitUntil([&] { return logged().size() >= expected.size(); }, 10000);
    Sleep(300);  // for any opening beyond those expected
    EXPECT_EQ(expected, logged()) << "row " << row;
    DeleteFileA(gUrlLog.c_str());
}

// A control as a person sees it, with the font and colours it is drawn with and whether it shows a picture.
std::string Described(HWND window, int identifier) {
    ControlView view = ViewControl(window, identifier);
    HWND control = GetDlgItem(window, identifier);
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    COLORREF text = GetTextColor(dc), back = GetBkColor(dc);
    DeleteDC(dc);
    if (identifier == IDC_PROGRESS) {
        text = static_cast<COLORREF>(SendMessageA(control, PBM_GETBARCOLOR, 0, 0));
        back = static_cast<COLORREF>(SendMessageA(control, PBM_GETBKCOLOR, 0, 0));
    }
    bool picture = SendMessageA(control, view.className == "Static" ? STM_GETIMAGE : BM_GETIMAGE, IMAGE_BITMAP, 0);
    const RECT& r = view.rectangle;
    char shown[320];
    snprintf(shown, sizeof(shown), "%s %08lX %lX%s [%s] %s %ld %ld %06lX/%06lX (%ld,%ld)-(%ld,%ld)",
             view.className.c_str(), view.style, view.extendedStyle, picture ? " picture" : "", view.text.c_str(),
             font.lfFaceName, font.lfHeight, font.lfWeight, text, back, r.left, r.top, r.right, r.bottom);
    return shown;
}

// The busy frame that IDC_BUSY shows, told by its pixels.
std::string FrameShown(HWND window) {
    auto bitsOf = [](HANDLE bitmap) {
        BITMAP info = {};
        std::string bits(GetObjectA(bitmap, sizeof(info), &info) ? info.bmWidthBytes * info.bmHeight : 0, '\0');
        GetBitmapBits(static_cast<HBITMAP>(bitmap), static_cast<LONG>(bits.size()), &bits[0]);
        return bits;
    };
    const std::string shown =
        bitsOf(reinterpret_cast<HANDLE>(SendDlgItemMessageA(window, IDC_BUSY, STM_GETIMAGE, 0, 0)));
    std::string found = "no frame";
    for (int frame = 0; frame <= 30; ++frame) {
        char name[16];
        snprintf(name, sizeof(name), "LOADING%02d", frame);
        HANDLE bitmap = LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
        if (bitmap != nullptr && bitsOf(bitmap) == shown) found = name;
        DeleteObject(bitmap);
    }
    return found;
}

// A main window as start-up builds it, hidden, with every process-wide value at zero.
HWND FreshWindow() {
    ResetProcessValues();
    return BuildMainWindow();
}

TEST(MainWindow, AsBuiltBeforeItIsShown) {
    HWND window = FreshWindow();
    ASSERT_EQ(window, gMainWindow);
    EXPECT_EQ(" VORLAX v3 [by belcour]", TextOf(window));
    // No WS_SYSMENU, so no close box; the platform adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(0x80C008D4 | WS_CLIPSIBLINGS, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)));
    RECT client = {}, units = DialogUnitsToPixels(0, 0, 226, 85);
    GetClientRect(window, &client);
    EXPECT_EQ(units.right * 10000 + units.bottom, client.right * 10000 + client.bottom) << "client area";
    EXPECT_TRUE(SendMessageA(window, WM_GETICON, ICON_BIG, 0) && SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    std::string order;  // of creation, which is the tab order; then the check marks
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        order += std::to_string(GetDlgCtrlID(child)) + " ";
    }
    for (int box : {IDC_RENAME_ALWAYS, IDC_RENAME_ON_CONFLICT, IDC_CREATE_UNDO}) {
        order += std::to_string(IsDlgButtonChecked(window, box));
    }
    EXPECT_EQ("1008 1010 1009 1001 1002 1003 1004 1005 1006 1007 011", order);
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_EQ(96, GetDeviceCaps(dc, LOGPIXELSY)) << "the font heights below";
    SendMessageA(window, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window));
    EXPECT_EQ(RGB(241, 245, 248), GetBkColor(dc)) << std::hex << GetBkColor(dc);
    DeleteDC(dc);
    char system[16];  // the colours of a control that sets none
    snprintf(system, sizeof(system), "%06lX/%06lX", GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_3DFACE));
    struct Row {
        int identifier, x, y, width, height;  // dialog units; a width of 0: a picture `height` pixels square
        std::string shown;
    };
    // The radio buttons hand their tab stop to the checked one; a progress bar gives itself an edge.
    const std::string regular = " MS Sans Serif -11 400 ", labelled = regular + "360600/F8F5F1";
    const Row rows[] = {
        {IDC_BUSY, 150, 51, 0, 32, "Static 4000000E 0 picture []  0 0 " + std::string(system)},
        {IDC_HELP, 136, 56, 0, 21, "Static 5000010E 0 picture []  0 0 " + std::string(system)},
        {IDC_CLOSE, 156, 55, 14, 14, "Button 50010080 0 picture []" + regular + system},
        {IDC_RENAME_ALWAYS, 4, 10, 165, 15,
         "Button 50000009 0 [Always rename as \"Subfolder filename.ext\"]" + labelled},
        {IDC_RENAME_ON_CONFLICT, 4, 25, 165, 15,
         "Button 50010009 0 [Only rename when there is a filename conflict]" + labelled},
        {IDC_CREATE_UNDO, 5, 55, 110, 15, "Button 50010003 0 [Create \"undo\" file]" + labelled},
        {IDC_OPTIONS_FRAME, 1, 1, 175, 45, "Button 50000007 0 [Options] MS Sans Serif -11 700 360600/F8F5F1"},
        {IDC_UNDO_FRAME, 1, 46, 130, 28, "Button 50000007 0 [Undo] MS Sans Serif -11 700 360600/F8F5F1"},
        {IDC_GO, 181, 5, 43, 68, "Button 50002000 0 [VORLAX !\n\n(Kellerup)] Verdana -9 700 360600/F8F5F1"},
        {IDC_PROGRESS, 1, 75, 224, 10, "msctls_progress32 50000001 20000 []" + regular + "00B41E/F8F5F1"},
    };
    for (const Row& c : rows) {
        RECT r = DialogUnitsToPixels(c.x, c.y, c.width, c.height);
        if (c.width == 0) r = {r.left, r.top, r.left + c.height, r.top + c.height};
        char place[64];
        snprintf(place, sizeof(place), " (%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
        EXPECT_EQ(c.shown + place, Described(window, c.identifier));
    }
    DestroyWindow(window);
}

// Each row one message straight to the handler, on a shown window whose busy picture shows
// and whose busy timer runs; after it: the frame shown, the frame index, IDC_BUSY enabled (e)
// and shown (v) or hidden (h), and whether the timer still runs; or "closed".
TEST(MainWindow, EveryMessageOfTheHandlersTable) {
    ScratchFolder empty("handler");
    struct Row {
        UINT message;
        WPARAM wParam;
        int frameBefore, relocationCount;
        std::string after;
        int helpOpened;
    };
    const WPARAM tick = ID_BUSY_TIMER, wideTick = (static_cast<WPARAM>(1) << 32) | ID_BUSY_TIMER;
    const std::string still = "LOADING08 9 ev timer on";
    std::vector<Row> rows = {
        {WM_TIMER, tick, 0, 0, "LOADING01 1 ev timer on", 0},  {WM_TIMER, tick, 29, 0, "LOADING30 30 ev timer on", 0},
        {WM_TIMER, tick, 30, 0, "LOADING00 0 ev timer on", 0}, {WM_TIMER, tick, 3, 0, "LOADING04 4 ev timer on", 0},
        {WM_TIMER, tick, 4, 0, "LOADING04 5 ev timer on", 0},  // this program has no LOADING05: the picture stays
        {WM_TIMER, 1423, 9, 0, "LOADING04 9 ev timer on", 0},  {WM_TIMER, 0, 9, 0, "LOADING04 9 ev timer on", 0},
        {WM_TIMER, wideTick, 9, 0, "LOADING04 9 ev timer on", 0},
        {WM_TIMER, tick, 7, 12, "LOADING08 8 eh timer off", 0},  // the run has counted: its frame, then stopped
        {WM_COMMAND, MAKEWPARAM(IDC_HELP, STN_CLICKED), 9, 0, still, 1},
        {WM_COMMAND, MAKEWPARAM(IDC_HELP, STN_DBLCLK), 9, 0, still, 1},
        {WM_DESTROY, 0, 9, 0, "LOADING08 9 ev timer off", 0},
    };
    // Commands that change nothing: Enter and Escape, the options, other notifications.
    const WPARAM quiet[] = {
        MAKEWPARAM(IDOK, BN_CLICKED),         MAKEWPARAM(IDCANCEL, BN_CLICKED),      MAKEWPARAM(IDC_GO, BN_HILITE),
        MAKEWPARAM(IDC_GO, BN_DOUBLECLICKED), MAKEWPARAM(IDC_HELP, STN_ENABLE),      MAKEWPARAM(IDC_HELP, STN_DISABLE),
        MAKEWPARAM(IDC_RENAME_ALWAYS, 0),     MAKEWPARAM(IDC_RENAME_ON_CONFLICT, 0), MAKEWPARAM(IDC_CREATE_UNDO, 0),
        MAKEWPARAM(IDC_OPTIONS_FRAME, 0),     MAKEWPARAM(IDC_UNDO_FRAME, 0),         MAKEWPARAM(IDC_PROGRESS, 0),
        MAKEWPARAM(IDC_BUSY, STN_CLICKED),    MAKEWPARAM(4242, 0)};
    for (WPARAM command : quiet) rows.push_back({WM_COMMAND, command, 9, 0, still, 0});
    for (WORD code : {BN_CLICKED, BN_DOUBLECLICKED, 0x1234}) {
        rows.push_back({WM_COMMAND, MAKEWPARAM(IDC_CLOSE, code), 9, 0, "closed", 0});
    }
    HWND window = nullptr;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!IsWindow(window)) window = FreshWindow();
        ShowWindow(window, SW_SHOWNOACTIVATE);
        ShowWindow(GetDlgItem(window, IDC_BUSY), SW_SHOW);
        gBusyTimerHandle = SetTimer(window, ID_BUSY_TIMER, 60000, nullptr);
        gBusyFrameIndex = rows[i].frameBefore;
        gRelocationCount = rows[i].relocationCount;
        gMainFolder = empty.Path();  // what a message that wrongly starts a run would work on
        EXPECT_EQ(0, MainWindowEvents(window, rows[i].message, rows[i].wParam, 0)) << "row " << i;
        std::string after = "closed";
        if (IsWindow(window)) {
            const bool timerRan = KillTimer(window, gBusyTimerHandle);
            after = FrameShown(window) + " " + std::to_string(gBusyFrameIndex) + " " +
                    ControlStates(window, IDC_BUSY, IDC_BUSY) + (timerRan ? " timer on" : " timer off");
        }
        EXPECT_EQ(rows[i].after, after) << "row " << i;
        if (rows[i].helpOpened) ExpectHomePageOpened(1, i);
    }
    ExpectHomePageOpened(0, rows.size());  // and none from any other row
    DestroyWindow(window);
}

// What a run in the modal loop showed: the progress bar's messages and when they came, and
// the window's state seen from inside the walk, where WM_APP to the bar asks for it.
struct RunRecord {
    WNDPROC barProcedure;
    LPARAM range;
    WPARAM lastPosition;
    DWORD lastPositionAt, barDestroyedAt;
    std::string stateInWalk;
} gRun;

LRESULT CALLBACK RecordingBar(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PBM_SETRANGE32) gRun.range = lParam;
    if (message == PBM_SETPOS) gRun.lastPositionAt = GetTickCount();
    if (message == PBM_SETPOS) gRun.lastPosition = wParam;
    if (message == WM_DESTROY) gRun.barDestroyedAt = GetTickCount();
    // First asked before anything could paint the window; asked again from behind the tick
    // the main button posted, which no timer tick can pass.
    if (message == WM_APP && wParam == 0) {
        bool unpainted = GetUpdateRect(GetParent(bar), nullptr, FALSE);  // the bar repaints itself for the run
        for (int id = IDC_RENAME_ALWAYS; id <= IDC_HELP; ++id) {
            unpainted |= id != IDC_PROGRESS && GetUpdateRect(GetDlgItem(GetParent(bar), id), nullptr, FALSE);
        }
        gRun.stateInWalk = unpainted ? "unpainted " : "painted ";
        PostMessageA(bar, WM_APP, 1, 0);
    }
    if (message == WM_APP && wParam == 1) {
        gRun.stateInWalk += ControlStates(GetParent(bar), IDC_RENAME_ALWAYS, IDC_HELP) + " timer " +
                           (gBusyTimerHandle != 0 ? "set" : "none") + " count " + std::to_string(gRelocationCount) +
                           " frame " + std::to_string(gBusyFrameIndex);
        Sleep(50);  // the busy timer falls due while the walk still has entries to pass on
    }
    return CallWindowProcA(gRun.barProcedure, bar, message, wParam, lParam);
}

// The main button pressed in the modal loop, with one more message queued behind it that
// the walk passes on to the window: a help double click, or the system close, after which
// nothing is touched, not even the thumbnail cache.
TEST(MainWindowRun, ThroughTheModalLoopWithAMessageNestedInTheWalk) {
    struct Row {
        UINT message;
        WPARAM wParam;
        const char* treeAfter;
        const char* stateInWalk;
        int moved;
        size_t helpOpened;
    };
    const Row rows[] = {
        {WM_COMMAND, MAKEWPARAM(IDC_HELP, STN_DBLCLK), "top.txt undo 'Kellerup'.bat x.txt y.txt z.txt ",
         "painted dv dv dv dv dv dv ev ev eh ev timer set count 0 frame 1", 4, 1},
        {WM_SYSCOMMAND, SC_CLOSE, "a\\ a\\Thumbs.db a\\b\\ a\\b\\y.txt a\\x.txt c\\ c\\z.txt top.txt ", "", 0, 0},
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        ScratchFolder scratch("modal");
        for (const char* file : {"top.txt", "a\\x.txt", "a\\Thumbs.db", "a\\b\\y.txt", "c\\z.txt"}) {
            ASSERT_TRUE(MakeFile(scratch.Path(), file, file)) << file;
        }
        HWND window = FreshWindow();
        gMainFolder = scratch.Path();
        HWND bar = GetDlgItem(window, IDC_PROGRESS);
        gRun = RunRecord();
        gRun.barProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingBar)));
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_GO, BN_CLICKED), 0);
        PostMessageA(window, rows[i].message, rows[i].wParam, 0);
        PostMessageA(bar, WM_APP, 0, 0);
        EXPECT_EQ(0, DlgShowModal(window, MainWindowEvents, 0));
        EXPECT_FALSE(IsWindow(window)) << "row " << i;
        std::string tree;
        for (const auto& entry : Snapshot(scratch.Path())) tree += entry.first + " ";
        EXPECT_EQ(rows[i].treeAfter, tree) << "row " << i;
        EXPECT_EQ(rows[i].stateInWalk, gRun.stateInWalk) << "row " << i;
        EXPECT_EQ(rows[i].moved, gRelocationCount) << "row " << i;
        EXPECT_EQ(kProgressRange, gRun.range) << "row " << i;
        if (rows[i].moved > 0) {
            EXPECT_LE(2, gBusyFrameIndex) << "row " << i << ": the busy timer never ticked in the walk";
            EXPECT_EQ(static_cast<WPARAM>(kProgressRange), gRun.lastPosition) << "row " << i;
            EXPECT_LE(990u, gRun.barDestroyedAt - gRun.lastPositionAt) << "row " << i << ": the full bar's pause";
        }
        ExpectHomePageOpened(rows[i].helpOpened, i);
    }
}

}  // namespace

// For the test's run the https handler is cmd, which notes each address in the log: the help
// image starts no browser, and every opening can be counted.
int main(int argc, char** argv) {
    if (!StartServicesAsTheProgramDoes()) return 255;
    testing::InitGoogleTest(&argc, argv);
    char temp[MAX_PATH] = {}, previous[1024] = {};
    GetTempPathA(MAX_PATH, temp);
    gUrlLog = std::string(temp) + "vorlax-url-log-" + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(gUrlLog.c_str());  // an earlier process of this number may have left one
    const char* const key = "https\\shell\\open\\command";
    LONG previousSize = sizeof(previous);
    bool hadPrevious = RegQueryValueA(HKEY_CLASSES_ROOT, key, previous, &previousSize) == ERROR_SUCCESS;
    std::string command = "cmd /c echo %1>>\"" + gUrlLog + "\"";
    RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, command.c_str(), static_cast<DWORD>(command.size()));
    int result = RUN_ALL_TESTS();
    if (hadPrevious) RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, previous, static_cast<DWORD>(strlen(previous)));
    if (!hadPrevious) RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
    return result;
}
