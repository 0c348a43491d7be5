// The real program started as a user starts it: with a folder, and without one (browse dialog).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// CTest hands the program's location over as a host path; Wine shows the host's root as Z:.
std::string ProgramPath() {
    const char* value = getenv("VORLAX_EXE");
    std::string path = value != nullptr ? value : "";
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
        for (char& c : path) {
            if (c == '/') c = '\\';
        }
    }
    return path;
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\') + 1);
}

struct StartedProgram {
    PROCESS_INFORMATION process = {};
    bool started = false;
};

StartedProgram Start(const std::string& tail) {
    StartedProgram program;
    std::string commandLine = "\"" + ProgramPath() + "\"";
    if (!tail.empty()) commandLine += " " + tail;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    program.started = CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &startup, &program.process) != FALSE;
    return program;
}

// The exit code, or STILL_ACTIVE when the process has not ended within the time given.
DWORD WaitForExit(StartedProgram& program, DWORD milliseconds) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(program.process.hProcess, milliseconds) == WAIT_OBJECT_0) {
        GetExitCodeProcess(program.process.hProcess, &code);
    } else {
        TerminateProcess(program.process.hProcess, 99);
        WaitForSingleObject(program.process.hProcess, 5000);
    }
    CloseHandle(program.process.hThread);
    CloseHandle(program.process.hProcess);
    return code;
}

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM data) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    WindowSearch search = {processId, {}};
    EnumWindows(CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForVisibleWindow(DWORD processId, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += 50) {
        std::vector<HWND> windows = VisibleWindowsOf(processId);
        if (!windows.empty()) return windows.front();
        Sleep(50);
    }
    return nullptr;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

struct ChildSearch {
    std::string className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
    ChildSearch* search = reinterpret_cast<ChildSearch*>(data);
    if (ClassOf(window) == search->className) search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
    ChildSearch search = {className, {}};
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text of a tree view's selected item in another process: the item record and its
// text buffer have to live in that process's memory.
std::string SelectedTreeItemText(HWND tree, DWORD processId) {
    HTREEITEM selected = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (selected == nullptr) return "(no selection)";
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) return "(no access)";
    const SIZE_T textSize = 520;
    char* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(TVITEMA) + textSize, MEM_COMMIT, PAGE_READWRITE));
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = selected;
    item.pszText = remote + sizeof(TVITEMA);
    item.cchTextMax = static_cast<int>(textSize);
    SIZE_T moved = 0;
    WriteProcessMemory(process, remote, &item, sizeof(item), &moved);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote));
    char text[520] = {};
    ReadProcessMemory(process, remote + sizeof(TVITEMA), text, textSize - 1, &moved);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return text;
}

TEST(ProgramStart, WithAFolderEndsWithZeroAndShowsNoDialog) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string tails[] = {"\"" + std::string(temp) + "\"", std::string(temp) + "nothing-here\\"};
    for (const std::string& tail : tails) {
        StartedProgram program = Start(tail);
        ASSERT_TRUE(program.started) << "could not start " << ProgramPath();
        bool sawWindow = false;
        while (WaitForSingleObject(program.process.hProcess, 20) == WAIT_TIMEOUT) {
            if (!VisibleWindowsOf(program.process.dwProcessId).empty()) sawWindow = true;
        }
        EXPECT_FALSE(sawWindow) << "tail " << tail;
        EXPECT_EQ(0u, WaitForExit(program, 1000)) << "tail " << tail;
    }
}

TEST(ProgramStart, WithoutAFolderAsksWithTheBrowseDialogAndCancelEndsIt) {
    const std::string tails[] = {"", "\"\""};
    for (const std::string& tail : tails) {
        StartedProgram program = Start(tail);
        ASSERT_TRUE(program.started) << "could not start " << ProgramPath();
        DWORD pid = program.process.dwProcessId;
        HWND dialog = WaitForVisibleWindow(pid, 30000);
        ASSERT_NE(nullptr, dialog) << "no browse dialog for tail [" << tail << "]";
        EXPECT_EQ("#32770", ClassOf(dialog));

        bool captionFound = false;
        for (HWND label : ChildrenOfClass(dialog, "Static")) {
            if (TextOf(label) ==
                "VORLAX v3 [by belcour]\nSELECT MAIN FOLDER WHERE TO MOVE ALL SUBFOLDERS CONTENT TO :") {
                captionFound = true;
            }
        }
        EXPECT_TRUE(captionFound) << "the two-line caption is not above the tree";

        RECT workArea = {};
        RECT bounds = {};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
        GetWindowRect(dialog, &bounds);
        int width = bounds.right - bounds.left;
        int height = bounds.bottom - bounds.top;
        EXPECT_EQ(workArea.right / 2 - width / 2, bounds.left) << "width " << width;
        EXPECT_EQ(workArea.bottom / 2 - height / 2, bounds.top) << "height " << height;

        std::vector<HWND> trees = ChildrenOfClass(dialog, "SysTreeView32");
        ASSERT_EQ(1u, trees.size());
        std::string programFolder = FolderOf(ProgramPath());
        std::string folderName = programFolder.substr(0, programFolder.size() - 1);
        folderName = folderName.substr(folderName.rfind('\\') + 1);
        std::string selected;
        for (int tries = 0; tries < 100 && selected != folderName; ++tries) {
            selected = SelectedTreeItemText(trees.front(), pid);
            if (selected != folderName) Sleep(50);
        }
        EXPECT_EQ(folderName, selected) << "the program's folder is " << programFolder;

        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        bool otherWindow = false;
        while (WaitForSingleObject(program.process.hProcess, 20) == WAIT_TIMEOUT) {
            for (HWND window : VisibleWindowsOf(pid)) {
                if (window != dialog) otherWindow = true;
            }
        }
        EXPECT_FALSE(otherWindow) << "a window opened after Cancel";
        EXPECT_EQ(0u, WaitForExit(program, 1000));
    }
}

}  // namespace
