// The main window in this process: as built, then run in the real modal loop with the handler's table.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "startup/startup.h"
#include "tests/support/disk_trees.h"
#include "tests/support/program_services.h"
#include "tools/driver/program_driver.h"
#include "window/window.h"

namespace {

std::string gUrlLog;  // where the https handler that main() registers notes each address it is given

// The window's title, style, client size, background and icon; then each control in creation
// order, which is the tab order: its identifier, style, picture, text, font, colours and place.
std::string Described(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageA(window, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window));
    char line[320];
    snprintf(line, sizeof(line), "[%s] %08lX %ldx%ld %06lX%s\n", TextOf(window).c_str(),
             GetWindowLongA(window, GWL_STYLE), client.right, client.bottom, GetBkColor(dc),
             SendMessageA(window, WM_GETICON, ICON_SMALL, 0) ? " icon" : "");
    std::string shown = line;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        ControlView view = ViewControl(window, GetDlgCtrlID(c));
        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(c, WM_GETFONT, 0, 0)), sizeof(font), &font);
        SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(c));
        const bool picture = SendMessageA(c, view.className == "Static" ? STM_GETIMAGE : BM_GETIMAGE, IMAGE_BITMAP, 0);
        const bool bar = view.className == PROGRESS_CLASSA;  // a progress bar's colours are its bar's
        const RECT& r = view.rectangle;
        snprintf(line, sizeof(line), "%d %08lX%s [%s] %s %ld %ld %06lX/%06lX %ld,%ld,%ld,%ld\n", GetDlgCtrlID(c),
                 view.style, picture ? " picture" : "", view.text.c_str(), font.lfFaceName, font.lfHeight,
                 font.lfWeight, static_cast<COLORREF>(bar ? SendMessageA(c, PBM_GETBARCOLOR, 0, 0) : GetTextColor(dc)),
                 static_cast<COLORREF>(bar ? SendMessageA(c, PBM_GETBKCOLOR, 0, 0) : GetBkColor(dc)), r.left, r.top,
                 r.right, r.bottom);
        shown += line;
    }
    DeleteDC(dc);
    return shown;
}

// Each row one message handed straight to the handler in a run, with the busy picture shown and a busy timer
// running; after it: whether the picture changed, the frame index, IDC_BUSY enabled (e) and shown (v) or hidden
// (h), and whether the timer still ran. These pictures lack LOADING05, so a wrong frame's name shows.
const struct {
    UINT message;
    WPARAM wParam;
    int frameBefore, relocationCount;
    const char* after;
} kHandled[] = {
    {WM_TIMER, ID_BUSY_TIMER, 0, 0, "changed 1 ev timer on"},
    {WM_TIMER, ID_BUSY_TIMER, 30, 0, "changed 0 ev timer on"},
    {WM_TIMER, ID_BUSY_TIMER, 4, 0, "kept 5 ev timer on"},
    {WM_TIMER, (static_cast<WPARAM>(1) << 32) | ID_BUSY_TIMER, 9, 0, "kept 9 ev timer on"},
    {WM_TIMER, ID_BUSY_TIMER, 7, 12, "changed 8 eh timer off"},  // the run has counted: its frame, then stopped
    {WM_DESTROY, 0, 9, 0, "kept 9 ev timer off"},
    // The options, and the other notifications of the help image and the main button, change nothing.
    {WM_COMMAND, MAKEWPARAM(IDC_UNDO_FRAME, BN_CLICKED), 9, 0, "kept 9 ev timer on"},
    {WM_COMMAND, MAKEWPARAM(IDC_HELP, STN_DISABLE), 9, 0, "kept 9 ev timer on"},
    {WM_COMMAND, MAKEWPARAM(IDC_GO, BN_DOUBLECLICKED), 9, 0, "kept 9 ev timer on"},
};

void HandEachRowToTheHandler(HWND window) {
    const int moved = gRelocationCount;
    for (size_t i = 0; i < sizeof(kHandled) / sizeof(kHandled[0]); ++i) {
        ShowWindow(GetDlgItem(window, IDC_BUSY), SW_SHOW);
        gBusyTimerHandle = SetTimer(window, ID_BUSY_TIMER, 20, nullptr);
        const LRESULT picture = SendDlgItemMessageA(window, IDC_BUSY, STM_GETIMAGE, IMAGE_BITMAP, 0);
        gBusyFrameIndex = kHandled[i].frameBefore;
        gRelocationCount = kHandled[i].relocationCount;
        MainWindowEvents(window, kHandled[i].message, kHandled[i].wParam, 0);
        const bool kept = picture == SendDlgItemMessageA(window, IDC_BUSY, STM_GETIMAGE, IMAGE_BITMAP, 0);
        const std::string after = (kept ? "kept " : "changed ") + std::to_string(gBusyFrameIndex) + " " +
                                  ControlStates(window, IDC_BUSY, IDC_BUSY) +
                                  (KillTimer(window, gBusyTimerHandle) ? " timer on" : " timer off");
        EXPECT_EQ(kHandled[i].after, after) << "handled row " << i;
    }
    gRelocationCount = moved;
}

// What a run showed: the progress bar's messages and when they came, and the window's state seen in the walk.
struct RunRecord {
    WNDPROC barProcedure;
    WPARAM lastPosition;
    DWORD lastPositionAt;
    std::string stateInWalk;
} gRun;

LRESULT CALLBACK RecordingBar(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    // Read from behind the tick the main button posted, which no timer tick can pass.
    if (message == PBM_SETRANGE32) PostMessageA(bar, WM_APP, 0, 0);
    if (message == WM_APP) {
        HWND window = GetParent(bar);
        // Where the close button was, and the main button's disabled face; the busy picture and the bar redraw
        // themselves.
        bool unpainted = GetUpdateRect(window, nullptr, FALSE) || GetUpdateRect(GetDlgItem(window, IDC_GO), nullptr, 0);
        gRun.stateInWalk = std::string(unpainted ? "unpainted " : "painted ") +
                           ControlStates(window, IDC_RENAME_ALWAYS, IDC_HELP) + " timer " +
                           (gBusyTimerHandle != 0 ? "set" : "none") + " count " + std::to_string(gRelocationCount) +
                           " frame " + std::to_string(gBusyFrameIndex) +
                           " range " + std::to_string(SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
        Sleep(50);  // the busy timer falls due while the walk still has entries to pass on
    }
    // The walk is over: the busy timer has had its chance, and the handler gets its table.
    if (message == PBM_SETPOS && gRun.lastPositionAt == 0) {
        gRun.stateInWalk += gBusyFrameIndex >= 2 ? " ticked" : " never ticked";
        HandEachRowToTheHandler(GetParent(bar));
    }
    if (message == PBM_SETPOS) gRun.lastPositionAt = GetTickCount();
    if (message == PBM_SETPOS) gRun.lastPosition = wParam;
    return CallWindowProcA(gRun.barProcedure, bar, message, wParam, lParam);
}

// No WS_SYSMENU, so no close box; the platform adds WS_CLIPSIBLINGS to every top-level window. The radio buttons
// hand their tab stop to the checked one. Pictures and the close button keep the system's colours.
const char* const kAsBuilt =
    "[ VORLAX v3 [by belcour]] 84C008D4 396x138 F8F5F1 icon\n"
    "1008 4000000E picture []  0 0 000000/F5F5F5 263,83,295,115\n"
    "1010 5000010E picture []  0 0 000000/F5F5F5 238,91,259,112\n"
    "1009 50010080 picture [] MS Sans Serif -11 400 000000/F5F5F5 273,89,298,112\n"
    "1001 50000009 [Always rename as \"Subfolder filename.ext\"] MS Sans Serif -11 400 360600/F8F5F1 7,16,296,41\n"
    "1002 50010009 [Only rename when there is a filename conflict] MS Sans Serif -11 400 360600/F8F5F1 7,41,296,65\n"
    "1003 50010003 [Create \"undo\" file] MS Sans Serif -11 400 360600/F8F5F1 9,89,201,114\n"
    "1004 50000007 [Options] MS Sans Serif -11 700 360600/F8F5F1 2,2,308,75\n"
    "1005 50000007 [Undo] MS Sans Serif -11 700 360600/F8F5F1 2,75,229,120\n"
    "1006 50002000 [VORLAX !\n\n(Kellerup)] Verdana -9 700 360600/F8F5F1 317,8,392,119\n"
    "1007 50000001 [] MS Sans Serif -11 400 00B41E/F8F5F1 2,122,394,138\n";

// The window as built; then the main button pressed in the modal loop with messages queued behind it for the
// walk to pass on: a help double click, after which the run goes on; or a help click and a close, after which
// nothing is touched, not even the thumbnail cache. Seen: the state in the walk and whether the busy timer
// ticked there, the files moved, the bar's range, the tree, and the bar's last position and the pause after it.
TEST(MainWindow, AsBuiltThenRunThroughTheModalLoop) {
    const struct {
        WPARAM first, second;
        const char* seen;
    } rows[] = {
        {MAKEWPARAM(IDC_HELP, STN_DBLCLK), 0,
         "painted dv dv dv dv dv dv ev ev eh ev timer set count 0 frame 1 range 1000 ticked | 4 moved | top.txt "
         "undo 'Kellerup'.bat x.txt y.txt z.txt | bar at 1000, held"},
        {MAKEWPARAM(IDC_HELP, STN_CLICKED), MAKEWPARAM(IDC_CLOSE, 0x1234),  // whatever the close's notification
         " | 0 moved | a\\ a\\Thumbs.db a\\b\\ a\\b\\y.txt a\\x.txt c\\ c\\z.txt top.txt | bar at 0, held"},
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        ScratchFolder scratch("modal");
        for (const char* file : {"top.txt", "a\\x.txt", "a\\Thumbs.db", "a\\b\\y.txt", "c\\z.txt"}) {
            ASSERT_TRUE(MakeFile(scratch.Path(), file, file)) << file;
        }
        ResetProcessValues();
        HWND window = BuildMainWindow();
        EXPECT_EQ(kAsBuilt, Described(window)) << "row " << i;
        gMainFolder = scratch.Path();
        gRun = RunRecord();
        gRun.barProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            GetDlgItem(window, IDC_PROGRESS), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingBar)));
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_GO, BN_CLICKED), 0);
        PostMessageA(window, WM_COMMAND, rows[i].first, 0);
        if (rows[i].second != 0) PostMessageA(window, WM_COMMAND, rows[i].second, 0);
        EXPECT_EQ(0, DlgShowModal(window, MainWindowEvents, 0)) << "row " << i;
        std::string seen = gRun.stateInWalk + " | " + std::to_string(gRelocationCount) + " moved |";
        for (const auto& entry : Snapshot(scratch.Path())) seen += " " + entry.first;
        seen += " | bar at " + std::to_string(gRun.lastPosition) +
                (GetTickCount() - gRun.lastPositionAt >= 990 ? ", held" : ", not held");  // for the full bar to be seen
        EXPECT_EQ(rows[i].seen, seen) << "row " << i;
        // One opening each, the log emptied after it, so that the handler's appends never meet.
        const std::string opened = std::string(getenv("VORLAX_HOME_PAGE")) + "\r\n";  // the build's setting
        WaitUntil([&] { return Exists(gUrlLog) && ReadWholeFile(gUrlLog).size() >= opened.size(); }, 10000);
        Sleep(300);  // for any opening beyond the one
        EXPECT_EQ(opened, ReadWholeFile(gUrlLog)) << "row " << i;
        DeleteFileA(gUrlLog.c_str());
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
