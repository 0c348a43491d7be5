// Real folders for the tests under Wine, made and read with the plain platform calls.
#include "tests/support/disk_trees.h"

#include <fstream>
#include <iterator>

#include "tools/driver/program_driver.h"

namespace {

void SnapshotInto(const std::string& root, const std::string& relative, TreeSnapshot& tree, bool marks) {
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((root + relative + "*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            tree[relative + name] = "<link>";
        } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[relative + name + "\\"] = "<folder>";
            SnapshotInto(root, relative + name + "\\", tree, marks);
        } else {
            // Not the hidden mark: Wine gives it to every name that starts with ".", whatever the file holds.
            const DWORD shown = marks ? found.dwFileAttributes : 0;
            tree[relative + name] = ReadWholeFile(root + relative + name) +
                                    (shown & FILE_ATTRIBUTE_SYSTEM ? " [system]" : "") +
                                    (shown & FILE_ATTRIBUTE_READONLY ? " [read-only]" : "");
        }
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
}

// Backwards through a snapshot, where everything in a folder comes after the folder; a link
// goes as an entry of its own, and what it points at is never entered.
void RemoveTree(const std::string& folder) {
    const TreeSnapshot tree = Snapshot(folder);
    for (auto item = tree.rbegin(); item != tree.rend(); ++item) {
        const std::string path = folder + item->first;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& label, const std::string& parent) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static int made = 0;
    path_ = (parent.empty() ? std::string(temp) : parent) + "vorlax-" + label + "-" +
            std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made) + "\\";
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
    if (Exists(path)) return false;
    std::ofstream file(path, std::ios::binary);
    const bool done = file.write(content.data(), static_cast<std::streamsize>(content.size())).flush().good();
    file.close();
    return done && (attributes == 0 || SetFileAttributesA(path.c_str(), attributes));
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return "<unreadable>";
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TreeSnapshot Snapshot(const std::string& root, bool marks) {
    TreeSnapshot tree;
    SnapshotInto(root, "", tree, marks);
    return tree;
}

bool RunOnHost(const std::string& program, const std::string& option, const std::vector<std::string>& paths) {
    typedef char*(CDECL * UnixNameFn)(const WCHAR*);
    const auto unixName = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    std::string command = "Z:\\bin\\" + program + " " + option;
    for (const std::string& path : paths) {
        const std::wstring wide(path.begin(), path.end());  // the tests' own paths, all ASCII
        char* host = unixName != nullptr ? unixName(wide.c_str()) : nullptr;
        if (host == nullptr) return false;
        command += " \"" + std::string(host) + "\"";
        HeapFree(GetProcessHeap(), 0, host);
    }
    PROCESS_INFORMATION started = {};
    if (!StartProcess(command, started)) return false;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

std::string RunScripts(const std::vector<std::string>& scripts, bool delayedExpansion) {
    // A folder of its own for every call: the interpreter of an earlier call may still hold its runner.
    const ScratchFolder folder("runner");
    const std::string runner = folder.Path() + "runner.bat";
    std::string lines = "@echo off\r\n";
    // The progress lines go nowhere; the interpreter's complaints still show.
    for (std::string script : scripts) {
        // In a batch file "%" starts a variable; doubled, it is the sign itself.
        for (std::size_t at = 0; (at = script.find('%', at)) != std::string::npos; at += 2) script.insert(at, "%");
        lines += "call \"" + script + "\" >nul\r\n";
    }
    if (!MakeFile("", runner, lines))
        return "the runner " + runner + " could not be made: error " + std::to_string(GetLastError());
    // The runner's path quoted once more, since /c takes what follows as one command.
    const std::string command = std::string("cmd.exe ") + (delayedExpansion ? "/V:ON" : "/V:OFF") + " /c \"\"" +
                                runner + "\"\"";
    PROCESS_INFORMATION interpreter = {};
    if (!StartProcess(command, interpreter))
        return "cmd.exe could not be started: error " + std::to_string(GetLastError());
    WaitForSingleObject(interpreter.hProcess, INFINITE);
    CloseHandle(interpreter.hThread);
    CloseHandle(interpreter.hProcess);
    return std::string();
}
