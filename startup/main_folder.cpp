// The main folder choice: from the command line, or from the browse dialog; never a drive or a system folder.
#include "startup/startup.h"

#include <shlobj.h>

#include "engine/engine.h"
#include "engine/file_services.h"
#include "window/window.h"

namespace {

// Absolute, in long names, with a final "\": the form in which two names of one folder
// compare equal, letter case aside.
std::string ComparableFolder(const std::string& path) {
    const std::string full = FsFullPath(path);
    const std::string longer = FsLongPath(full.empty() ? path : full);
    return WithFinalBackslash(!longer.empty() ? longer : !full.empty() ? full : path);
}

// Where this machine keeps Windows, its programs and the user's profile, as the platform
// names them: never written-in names, which differ by language, drive and version.
ProtectedPlaces PlacesOfThisMachine() {
    ProtectedPlaces places;
    char path[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) places.trees.push_back(ComparableFolder(path));
    for (int place : {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86, CSIDL_PROFILE}) {
        if (FAILED(SHGetFolderPathA(nullptr, place, nullptr, SHGFP_TYPE_CURRENT, path))) continue;
        (place == CSIDL_PROFILE ? places.folders : places.trees).push_back(ComparableFolder(path));
    }
    return places;
}

void ShowRefusal(const std::string& folder) {
    MessageBoxA(nullptr, RefusalMessage(TextLanguage(), folder).c_str(), WindowTitle(TextLanguage()).c_str(),
                MB_OK | MB_ICONWARNING);
}

}  // namespace

bool IsRefusedFolder(const std::string& folder) {
    return IsRefusedMainFolder(ComparableFolder(folder), PlacesOfThisMachine(), FoldCaseLikeTheFileSystem);
}

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
    // One press of the main button would move a whole drive, Windows or a profile into one folder.
    if (IsRefusedFolder(folder)) {
        ShowRefusal(folder);
        return false;
    }
    gMainFolder = folder;
    return true;
}
