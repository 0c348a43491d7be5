// The driver's process, window and control helpers, all through cross-process Win32 calls.
#include "tools/driver/program_driver.h"

#include <commctrl.h>


namespace {

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

struct ChildSearch {
    std::string className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
    ChildSearch* search = reinterpret_cast<ChildSearch*>(data);
    if (ClassOf(window) == search->className) search->found.push_back(window);
    return TRUE;
}

template <class Matches>
HWND WaitForWindowMatching(DWORD processId, Matches matches, DWORD milliseconds) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : VisibleWindowsOf(processId)) {
                if (matches(window)) found = window;
            }
            return found != nullptr;
        },
        milliseconds);
    return found;
}

}  // namespace

std::string ToWindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string windows = "Z:" + path;
    for (char& c : windows) {
        if (c == '/') c = '\\';
    }
    return windows;
}

bool StartProcess(const std::string& commandLine, PROCESS_INFORMATION& process) {
    for (int attempt = 1;; ++attempt) {
        std::vector<char> writable(commandLine.begin(), commandLine.end());
        writable.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        if (CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &process)) {
            return true;
        }
        if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == 3) return false;
    }
}

RunningProgram::RunningProgram(const std::string& program, const std::string& tail) : process_(), running_(false) {
    std::string commandLine = "\"" + program + "\"";
    if (!tail.empty()) commandLine += " " + tail;
    running_ = StartProcess(commandLine, process_);
}

RunningProgram::~RunningProgram() {
    WaitForExit(0);
}

// The one place the process's handles are released.
DWORD RunningProgram::WaitForExit(DWORD milliseconds) {
    if (!running_) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process_.hProcess, &code);
    } else {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    running_ = false;
    return code;
}

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    WindowSearch search = {processId, {}};
    EnumWindows(CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindowOfClass(DWORD processId, const char* className, DWORD milliseconds) {
    return WaitForWindowMatching(
        processId, [&](HWND window) { return ClassOf(window) == className; }, milliseconds);
}

HWND WaitForWindowTitled(DWORD processId, const char* title, DWORD milliseconds) {
    return WaitForWindowMatching(
        processId, [&](HWND window) { return TextOf(window) == title; }, milliseconds);
}

HWND WaitForDialog(const RunningProgram& program, DWORD milliseconds) {
    if (!program.Running()) return nullptr;
    return WaitForWindowOfClass(program.Id(), "#32770", milliseconds);
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

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
    ChildSearch search = {className, {}};
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The item record and its text buffer have to live in the other process's memory.
std::string SelectedTreeItemText(HWND tree, DWORD processId) {
    HTREEITEM selected = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (selected == nullptr) return std::string();
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) return std::string();
    const SIZE_T textSize = 520;
    char* remote =
        static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(TVITEMA) + textSize, MEM_COMMIT, PAGE_READWRITE));
    char text[520] = {};
    if (remote != nullptr) {
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = selected;
        item.pszText = remote + sizeof(TVITEMA);
        item.cchTextMax = static_cast<int>(textSize);
        SIZE_T moved = 0;
        WriteProcessMemory(process, remote, &item, sizeof(item), &moved);
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote + sizeof(TVITEMA), text, textSize - 1, &moved);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return text;
}

LRESULT SendTextMessage(HWND window, DWORD processId, UINT message, WPARAM wParam, const std::string& text) {
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) return 0;
    LRESULT answer = 0;
    void* remote = VirtualAllocEx(process, nullptr, text.size() + 1, MEM_COMMIT, PAGE_READWRITE);
    SIZE_T written = 0;
    if (remote != nullptr && WriteProcessMemory(process, remote, text.c_str(), text.size() + 1, &written)) {
        answer = SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(remote));
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return answer;
}

ControlView ViewControl(HWND window, int identifier) {
    ControlView view = {};
    HWND control = GetDlgItem(window, identifier);
    view.exists = control != nullptr;
    if (!view.exists) return view;
    view.className = ClassOf(control);
    view.text = TextOf(control);
    view.visible = IsWindowVisible(control) != FALSE;
    view.enabled = IsWindowEnabled(control) != FALSE;
    view.style = GetWindowLongA(control, GWL_STYLE);
    view.extendedStyle = GetWindowLongA(control, GWL_EXSTYLE);
    RECT bounds = {};
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bounds), 2);
    view.rectangle = bounds;
    return view;
}

std::string ControlStates(HWND window, int first, int last) {
    std::string states;
    for (int identifier = first; identifier <= last; ++identifier) {
        HWND control = GetDlgItem(window, identifier);
        if (!states.empty()) states += ' ';
        states += IsWindowEnabled(control) ? 'e' : 'd';
        states += IsWindowVisible(control) ? 'v' : 'h';
    }
    return states;
}

void PressButton(HWND window, int identifier) {
    PostMessageA(GetDlgItem(window, identifier), BM_CLICK, 0, 0);
}
