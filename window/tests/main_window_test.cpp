// The main window built in this process: layout details and the event handler's table.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "engine/engine.h"
#include "startup/texts.h"
#include "tests/support/disk_trees.h"
#include "window/window.h"

namespace {

const char* const kUrlLogVariable = "VORLAX_URL_LOG";

std::string UrlLogPath() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "vorlax-url-log-" + std::to_string(GetCurrentProcessId()) + ".txt";
}

// The pixels of a bitmap, to tell which frame a control shows.
std::vector<unsigned char> PixelsOf(HBITMAP bitmap) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, 0, nullptr, &info, DIB_RGB_COLORS);
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<unsigned char> pixels(static_cast<size_t>(info.bmiHeader.biWidth) * 4 *
                                      static_cast<size_t>(std::abs(info.bmiHeader.biHeight)));
    if (!pixels.empty()) {
        GetDIBits(screen, bitmap, 0, static_cast<UINT>(std::abs(info.bmiHeader.biHeight)), pixels.data(), &info,
                  DIB_RGB_COLORS);
    }
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<unsigned char> PixelsOfResource(const char* name) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    std::vector<unsigned char> pixels = bitmap != nullptr ? PixelsOf(bitmap) : std::vector<unsigned char>();
    if (bitmap != nullptr) DeleteObject(bitmap);
    return pixels;
}

HBITMAP BusyPicture(HWND window) {
    return reinterpret_cast<HBITMAP>(SendMessageA(GetDlgItem(window, IDC_BUSY), STM_GETIMAGE, IMAGE_BITMAP, 0));
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        WindowResetValues();
        gRelocationCount = 0;
        window_ = BuildMainWindow();
        ASSERT_NE(nullptr, window_);
    }
    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
        WindowResetValues();
        gRelocationCount = 0;
    }
    int Send(UINT message, WPARAM wParam, LPARAM lParam = 0) {
        return MainWindowEvents(window_, message, wParam, lParam);
    }
    HWND window_ = nullptr;
};

TEST_F(MainWindowTest, LayoutDetails) {
    EXPECT_EQ(window_, gMainWindow);
    EXPECT_FALSE(IsWindowVisible(window_)) << "built windows stay hidden until the modal show";
    std::string tabStops;
    for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) tabStops += std::to_string(GetDlgCtrlID(child)) + " ";
    }
    // Created as tab stops: the close button, both radio buttons and the check box; the
    // platform then leaves the group's tab stop on the checked radio button only.
    EXPECT_EQ("1009 1002 1003 ", tabStops);
    SendMessageA(GetDlgItem(window_, IDC_RENAME_ALWAYS), BM_CLICK, 0, 0);
    EXPECT_NE(0, GetWindowLongA(GetDlgItem(window_, IDC_RENAME_ALWAYS), GWL_STYLE) & WS_TABSTOP);
    EXPECT_EQ(0, GetWindowLongA(GetDlgItem(window_, IDC_RENAME_ON_CONFLICT), GWL_STYLE) & WS_TABSTOP);
    EXPECT_EQ(0, GetWindowLongA(GetDlgItem(window_, IDC_GO), GWL_STYLE) & WS_TABSTOP);
    EXPECT_NE(0, SendMessageA(window_, WM_GETICON, ICON_BIG, 0)) << "no big icon";
    EXPECT_NE(0, SendMessageA(window_, WM_GETICON, ICON_SMALL, 0)) << "no small icon";

    RECT client = {};
    GetClientRect(window_, &client);
    auto rectOf = [&](int identifier) {
        RECT bounds = {};
        GetWindowRect(GetDlgItem(window_, identifier), &bounds);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&bounds), 2);
        return bounds;
    };
    EXPECT_EQ(client.bottom, rectOf(IDC_PROGRESS).bottom) << "the progress bar ends at the bottom edge";
    EXPECT_EQ(rectOf(IDC_OPTIONS_FRAME).bottom, rectOf(IDC_UNDO_FRAME).top) << "the two frames meet";

    struct FontCase {
        int identifier;
        LONG height;
        LONG weight;
        const char* face;
    };
    const FontCase fonts[] = {
        {IDC_OPTIONS_FRAME, -11, FW_BOLD, "MS Sans Serif"},
        {IDC_UNDO_FRAME, -11, FW_BOLD, "MS Sans Serif"},
        {IDC_GO, -9, FW_BOLD, "Verdana"},
    };
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(96, dpi) << "the heights below are for 96 dots per inch";
    for (const FontCase& f : fonts) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(window_, f.identifier), WM_GETFONT, 0, 0));
        LOGFONTA description = {};
        ASSERT_NE(0, GetObjectA(font, sizeof(description), &description)) << "control " << f.identifier;
        EXPECT_EQ(f.height, description.lfHeight) << "control " << f.identifier;
        EXPECT_EQ(f.weight, description.lfWeight) << "control " << f.identifier;
        EXPECT_STREQ(f.face, description.lfFaceName) << "control " << f.identifier;
    }
}

TEST_F(MainWindowTest, TicksAdvanceTheFrameAndWrap) {
    struct Case {
        int before;
        int after;
        const char* frame;
    };
    const Case cases[] = {{0, 1, "LOADING01"}, {29, 30, "LOADING30"}, {30, 0, "LOADING00"}, {9, 10, "LOADING10"}};
    for (const Case& c : cases) {
        gBusyFrameIndex = c.before;
        EXPECT_EQ(0, Send(WM_TIMER, ID_BUSY_TIMER));
        EXPECT_EQ(c.after, gBusyFrameIndex) << "from " << c.before;
        EXPECT_EQ(PixelsOfResource(c.frame), PixelsOf(BusyPicture(window_))) << "from " << c.before;
    }
    gBusyFrameIndex = 3;
    const WPARAM otherTimers[] = {0, 1, 1423, 1425, (static_cast<WPARAM>(1) << 32) | ID_BUSY_TIMER};
    for (WPARAM other : otherTimers) {
        Send(WM_TIMER, other);
        EXPECT_EQ(3, gBusyFrameIndex) << "timer " << other;
    }
}

TEST_F(MainWindowTest, MissingFrameKeepsThePictureButTheIndexMoves) {
    gBusyFrameIndex = 3;
    Send(WM_TIMER, ID_BUSY_TIMER);
    HBITMAP four = BusyPicture(window_);
    ASSERT_EQ(PixelsOfResource("LOADING04"), PixelsOf(four));
    Send(WM_TIMER, ID_BUSY_TIMER);
    EXPECT_EQ(5, gBusyFrameIndex);
    EXPECT_EQ(four, BusyPicture(window_)) << "the picture changed although LOADING05 is missing";
    Send(WM_TIMER, ID_BUSY_TIMER);
    EXPECT_EQ(PixelsOfResource("LOADING06"), PixelsOf(BusyPicture(window_)));
}

TEST_F(MainWindowTest, TickAfterTheInventorySetsItsFrameThenStops) {
    ShowWindow(GetDlgItem(window_, IDC_BUSY), SW_SHOW);
    gBusyTimerHandle = SetTimer(window_, ID_BUSY_TIMER, 60000, nullptr);
    ASSERT_NE(0u, gBusyTimerHandle);
    gBusyFrameIndex = 7;
    gRelocationCount = 12;
    Send(WM_TIMER, ID_BUSY_TIMER);
    EXPECT_EQ(8, gBusyFrameIndex);
    EXPECT_EQ(PixelsOfResource("LOADING08"), PixelsOf(BusyPicture(window_)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window_, IDC_BUSY)) ||
                 (GetWindowLongA(GetDlgItem(window_, IDC_BUSY), GWL_STYLE) & WS_VISIBLE));
    EXPECT_FALSE(KillTimer(window_, gBusyTimerHandle)) << "the timer was still running";
    EXPECT_NE(0u, gBusyTimerHandle) << "the handle is kept";
}

TEST_F(MainWindowTest, CommandsThatDoNothing) {
    struct Case {
        WORD identifier;
        WORD code;
    };
    const Case cases[] = {{1, 0}, {2, 0}, {IDC_GO, 2}, {IDC_GO, 5}, {IDC_HELP, 2}, {IDC_RENAME_ALWAYS, 0},
                          {IDC_RENAME_ON_CONFLICT, 0}, {IDC_CREATE_UNDO, 0}, {IDC_OPTIONS_FRAME, 0},
                          {IDC_UNDO_FRAME, 0}, {IDC_PROGRESS, 0}, {IDC_BUSY, 0}, {4242, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(0, Send(WM_COMMAND, MAKEWPARAM(c.identifier, c.code)));
        EXPECT_TRUE(IsWindow(window_)) << "command " << c.identifier << " code " << c.code;
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window_, IDC_GO))) << "command " << c.identifier;
        EXPECT_EQ(0u, gBusyTimerHandle) << "command " << c.identifier;
    }
    EXPECT_EQ(0, Send(WM_DESTROY, 0)) << "no timer to stop before a run";
}

TEST_F(MainWindowTest, DestructionStopsTheBusyTimer) {
    gBusyTimerHandle = SetTimer(window_, ID_BUSY_TIMER, 60000, nullptr);
    ASSERT_NE(0u, gBusyTimerHandle);
    EXPECT_EQ(0, Send(WM_DESTROY, 0));
    EXPECT_FALSE(KillTimer(window_, gBusyTimerHandle)) << "the timer outlived WM_DESTROY";
}

TEST(MainWindowClose, AnyNotificationCodeCloses) {
    const WORD codes[] = {0, 1, 2, 0x1234};
    for (WORD code : codes) {
        WindowResetValues();
        HWND window = BuildMainWindow();
        ASSERT_NE(nullptr, window);
        EXPECT_EQ(0, MainWindowEvents(window, WM_COMMAND, MAKEWPARAM(IDC_CLOSE, code), 0));
        EXPECT_FALSE(IsWindow(window)) << "code " << code;
    }
    WindowResetValues();
}

// The help image opens the home page through the shell; the test registers itself as the
// handler of https addresses, so that no browser starts and the call can be seen.
TEST_F(MainWindowTest, HelpOpensTheHomePageOnClickAndDoubleClick) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"" + std::string(self) + "\" --record-url \"%1\"";
    const char* const commandKey = "https\\shell\\open\\command";
    char previous[1024] = {};
    LONG previousSize = sizeof(previous);
    bool hadPrevious = RegQueryValueA(HKEY_CLASSES_ROOT, commandKey, previous, &previousSize) == ERROR_SUCCESS;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueA(HKEY_CLASSES_ROOT, commandKey, REG_SZ, command.c_str(),
                                          static_cast<DWORD>(command.size())));
    std::string log = UrlLogPath();
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA(kUrlLogVariable, log.c_str());

    Send(WM_COMMAND, MAKEWPARAM(IDC_HELP, 0));
    Send(WM_COMMAND, MAKEWPARAM(IDC_HELP, 1));
    std::string expected = std::string(kHomePage) + "\n" + kHomePage + "\n";
    std::string recorded;
    for (int waited = 0; waited < 200 && recorded.size() < expected.size(); ++waited) {
        Sleep(50);
        recorded = ReadWholeFile(log);
    }
    if (hadPrevious) {
        RegSetValueA(HKEY_CLASSES_ROOT, commandKey, REG_SZ, previous, static_cast<DWORD>(strlen(previous)));
    } else {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, commandKey);
    }
    DeleteFileA(log.c_str());
    EXPECT_EQ(expected, recorded);
    EXPECT_TRUE(IsWindow(window_));
    const char* setting = getenv("VORLAX_HOME_PAGE");
    EXPECT_STREQ(setting != nullptr ? setting : "(no VORLAX_HOME_PAGE)", kHomePage);
}

void RecordUrl(const char* url) {
    char log[MAX_PATH] = {};
    if (GetEnvironmentVariableA(kUrlLogVariable, log, MAX_PATH) == 0) return;
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "vorlax-url-log");
    WaitForSingleObject(mutex, 10000);
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    std::string line = std::string(url) + "\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

TEST_F(MainWindowTest, TheRunReadsTheOptionsAndDrivesTheBar) {
    ScratchFolder scratch("window");
    const std::string m = scratch.Path();
    ASSERT_TRUE(MakeFile(m, "a\\x.txt", "x"));
    ASSERT_TRUE(MakeFile(m, "b\\y.txt", "y"));
    DlgCheckRadio(window_, IDC_RENAME_ALWAYS, IDC_RENAME_ON_CONFLICT, IDC_RENAME_ALWAYS);
    gMainFolder = m;
    const DWORD started = GetTickCount();
    RunRelocation();
    const DWORD took = GetTickCount() - started;
    EXPECT_GE(took, 990u);
    EXPECT_EQ("x", ReadWholeFile(m + "a x.txt"));
    EXPECT_EQ("y", ReadWholeFile(m + "b y.txt"));
    EXPECT_TRUE(Exists(m + Text(TXT_UNDO_FILE)));
    EXPECT_EQ(1000, SendMessageA(GetDlgItem(window_, IDC_PROGRESS), PBM_GETPOS, 0, 0));
    EXPECT_EQ(1000, SendMessageA(GetDlgItem(window_, IDC_PROGRESS), PBM_GETRANGE, FALSE, 0));
    EXPECT_EQ(2, gRelocationCount);
    EXPECT_EQ(m, gMainFolder);
}

// Destroys the window named in lParam when the walk passes WM_APP on: the user closing
// the main window in the middle of the inventory.
LRESULT CALLBACK CloserProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) DestroyWindow(reinterpret_cast<HWND>(lParam));
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(MainWindowTest, AWindowClosedDuringTheInventoryStopsTheRun) {
    ScratchFolder scratch("closed");
    const std::string m = scratch.Path();
    ASSERT_TRUE(MakeFile(m, "a\\x.txt", "x"));
    ASSERT_TRUE(MakeFile(m, "a\\Thumbs.db", "t"));
    ASSERT_TRUE(MakeFile(m, "b\\c\\y.txt", "y"));
    const TreeSnapshot before = Snapshot(m);
    DlgCheckRadio(window_, IDC_RENAME_ALWAYS, IDC_RENAME_ON_CONFLICT, IDC_RENAME_ALWAYS);
    gMainFolder = m;
    WNDCLASSA closerClass = {};
    closerClass.lpfnWndProc = CloserProcedure;
    closerClass.hInstance = GetModuleHandleA(nullptr);
    closerClass.lpszClassName = "VorlaxTestCloser";
    RegisterClassA(&closerClass);
    HWND closer = CreateWindowExA(0, "VorlaxTestCloser", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    PostMessageA(closer, WM_APP, 0, reinterpret_cast<LPARAM>(window_));
    RunRelocation();
    EXPECT_FALSE(IsWindow(window_));
    DestroyWindow(closer);
    TreeSnapshot after = Snapshot(m);
    EXPECT_EQ(before, after) << after.size();
    EXPECT_EQ(0, gRelocationCount);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--record-url") == 0) {
        RecordUrl(argv[2]);
        return 0;
    }
    DlgDefaultFont font = {};
    lstrcpynA(font.face, "MS Sans Serif", LF_FACESIZE);
    font.points = 8;
    font.weight = FW_NORMAL;
    INITCOMMONCONTROLSEX classes = {sizeof(classes), 0x706F};
    InitCommonControlsEx(&classes);
    if (!DlgStartThread(GetModuleHandleA(nullptr), font)) return 255;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
