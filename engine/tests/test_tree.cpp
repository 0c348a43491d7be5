// Scratch trees, snapshots and the run's window for the engine's tests under Wine.
#include "engine/tests/test_tree.h"

#include <commctrl.h>

#include "window/window.h"

namespace {

std::vector<int> gRecordedPositions;
WNDPROC gProgressProcedure = nullptr;

LRESULT CALLBACK RecordingProgressProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PBM_SETPOS) gRecordedPositions.push_back(static_cast<int>(wParam));
    return CallWindowProcA(gProgressProcedure, window, message, wParam, lParam);
}

const char kRunWindowClass[] = "VorlaxEngineTestWindow";

void RegisterRunWindowClass() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kRunWindowClass;
    RegisterClassA(&windowClass);
}

bool IsLink(const WIN32_FIND_DATAA& found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

void SnapshotInto(const std::string& root, const std::string& relative, TreeSnapshot& tree) {
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((root + relative + "*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (IsLink(found)) {
            tree[relative + name] = "<link>";
        } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[relative + name + "\\"] = "<folder>";
            SnapshotInto(root, relative + name + "\\", tree);
        } else {
            tree[relative + name] = ReadWholeFile(root + relative + name);
        }
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& label) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static int made = 0;
    path_ = std::string(temp) + "vorlax-" + label + "-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++made) + "\\";
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

bool MakeFolders(const std::string& root, const std::string& relative) {
    bool made = true;
    for (std::size_t slash = relative.find('\\'); slash != std::string::npos; slash = relative.find('\\', slash + 1)) {
        const std::string folder = root + relative.substr(0, slash);
        made = CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
    }
    return made;
}

bool MakeFile(const std::string& root, const std::string& relative, const std::string& content, DWORD attributes) {
    MakeFolders(root, relative);
    const std::string path = root + relative;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool done = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                written == content.size();
    CloseHandle(file);
    if (attributes != 0) done = SetFileAttributesA(path.c_str(), attributes) && done;
    return done;
}

std::string ReadWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) content.append(buffer, got);
    CloseHandle(file);
    return content;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string& folder) {
    std::string base = folder;
    if (!base.empty() && base.back() != '\\') base += '\\';
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((base + "*").c_str(), &found);
    if (listing != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = base + name;
            if (IsLink(found) || !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
            } else {
                RemoveTree(path + "\\");
            }
        } while (FindNextFileA(listing, &found));
        FindClose(listing);
    }
    RemoveDirectoryA(base.c_str());
}

TreeSnapshot Snapshot(const std::string& root) {
    TreeSnapshot tree;
    SnapshotInto(root, "", tree);
    return tree;
}

std::vector<std::string> ListingOrder(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((folder + "*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
    return names;
}

std::string HostPath(const std::string& windowsPath) {
    typedef char* (CDECL * UnixNameFn)(const WCHAR*);
    UnixNameFn unixName = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr) return std::string();
    WCHAR wide[MAX_PATH * 2] = {};
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH * 2);
    char* converted = unixName(wide);
    if (converted == nullptr) return std::string();
    std::string host = converted;
    HeapFree(GetProcessHeap(), 0, converted);
    return host;
}

bool RunAndWait(const std::string& commandLine, DWORD* exitCode) {
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool RunScripts(const std::vector<std::string>& scripts, bool delayedExpansion) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string runner = std::string(temp) + "vorlax-runner-" + std::to_string(GetCurrentProcessId()) + ".bat";
    std::string lines = "@echo off\r\n";
    // The progress lines go nowhere; the interpreter's complaints still show.
    for (const std::string& script : scripts) lines += "call \"" + script + "\" >nul\r\n";
    DeleteFileA(runner.c_str());
    DWORD exitCode = 0;
    const bool ran = MakeFile("", runner, lines) &&
                     RunAndWait(std::string("cmd.exe ") + (delayedExpansion ? "/V:ON " : "") + "/c \"\"" + runner + "\"\"",
                                &exitCode);
    DeleteFileA(runner.c_str());
    return ran;
}

RunWindow::RunWindow() {
    RegisterRunWindowClass();
    HINSTANCE module = GetModuleHandleA(nullptr);
    window_ = CreateWindowExA(0, kRunWindowClass, "run", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                              module, nullptr);
    const DWORD child = WS_CHILD | WS_VISIBLE;
    CreateWindowExA(0, "BUTTON", "always", child | BS_AUTORADIOBUTTON | WS_GROUP, 0, 0, 100, 20, window_,
                    reinterpret_cast<HMENU>(IDC_RENAME_ALWAYS), module, nullptr);
    CreateWindowExA(0, "BUTTON", "conflict", child | BS_AUTORADIOBUTTON, 0, 20, 100, 20, window_,
                    reinterpret_cast<HMENU>(IDC_RENAME_ON_CONFLICT), module, nullptr);
    CreateWindowExA(0, "BUTTON", "undo", child | BS_AUTOCHECKBOX | WS_GROUP, 0, 40, 100, 20, window_,
                    reinterpret_cast<HMENU>(IDC_CREATE_UNDO), module, nullptr);
    HWND progress = CreateWindowExA(0, PROGRESS_CLASSA, "", child, 0, 60, 200, 20, window_,
                                    reinterpret_cast<HMENU>(IDC_PROGRESS), module, nullptr);
    gProgressProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(progress, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProgressProcedure)));
    gRecordedPositions.clear();
}

RunWindow::~RunWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
}

void RunWindow::SetOptions(bool renameAlways, bool createUndo) {
    CheckRadioButton(window_, IDC_RENAME_ALWAYS, IDC_RENAME_ON_CONFLICT,
                     renameAlways ? IDC_RENAME_ALWAYS : IDC_RENAME_ON_CONFLICT);
    CheckDlgButton(window_, IDC_CREATE_UNDO, createUndo ? BST_CHECKED : BST_UNCHECKED);
}

std::vector<int> RunWindow::Positions() const {
    return gRecordedPositions;
}

void RunWindow::ClearPositions() {
    gRecordedPositions.clear();
}

int RunWindow::RangeMaximum() const {
    return static_cast<int>(SendDlgItemMessageA(window_, IDC_PROGRESS, PBM_GETRANGE, FALSE, 0));
}
