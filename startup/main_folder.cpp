// The main folder choice: from the command line, or from the browse dialog.
#include "startup/startup.h"

#include "engine/file_services.h"
#include "window/window.h"

std::string MainFolderFromTail(const std::string& tail) {
    std::string argument = WithoutOuterQuotes(tail);
    if (argument.empty()) return std::string();
    // Made absolute, so that every later path (the undo script's above all) holds
    // wherever it is used from.
    std::string absolute = FsFullPath(argument);
    if (absolute.empty()) absolute = argument;
    DWORD attributes = FsGetAttributes(absolute);
    bool isFile = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    return MainFolderFromArgument(absolute, isFile);
}

std::string MainFolderFromBrowse(const std::string& chosen) {
    if (chosen.empty()) return std::string();
    return WithFinalBackslash(chosen);
}

std::string ProgramFolder() {
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    return FolderPartOf(std::string(path, length));
}

bool ChooseMainFolder(HWND owner) {
    std::string folder = MainFolderFromTail(gCommandLineTail);
    if (folder.empty()) {
        folder = MainFolderFromBrowse(BrowseForFolder(owner, ProgramFolder()));
    }
    if (folder.empty()) return false;
    gMainFolder = folder;
    return true;
}
