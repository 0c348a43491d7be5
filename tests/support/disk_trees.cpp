// Real folders for the tests under Wine, made and read with the plain platform calls.
#include "tests/support/disk_trees.h"

namespace {

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

std::string Describe(const TreeSnapshot& tree) {
    std::string text;
    for (const auto& item : tree) text += "  [" + item.first + "]\n";
    return text;
}

bool RunScripts(const std::vector<std::string>& scripts, bool delayedExpansion) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string runner = std::string(temp) + "vorlax-runner-" + std::to_string(GetCurrentProcessId()) + ".bat";
    std::string lines = "@echo off\r\n";
    // The progress lines go nowhere; the interpreter's complaints still show.
    for (std::string script : scripts) {
        // In a batch file "%" starts a variable; doubled, it is the sign itself.
        for (std::size_t at = 0; (at = script.find('%', at)) != std::string::npos; at += 2) script.insert(at, "%");
        lines += "call \"" + script + "\" >nul\r\n";
    }
    DeleteFileA(runner.c_str());
    DWORD exitCode = 0;
    const bool ran = MakeFile("", runner, lines) &&
                     RunAndWait(std::string("cmd.exe ") + (delayedExpansion ? "/V:ON " : "") + "/c \"\"" + runner + "\"\"",
                                &exitCode);
    DeleteFileA(runner.c_str());
    return ran;
}
