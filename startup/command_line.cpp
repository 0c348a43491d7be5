// Parsing of the command line and normalisation of the main folder; no platform calls here.
#include "startup/command_line.h"

namespace {

const unsigned long kNoAttributes = 0xFFFFFFFFul;
const unsigned long kDirectoryBit = 0x10;

}  // namespace

std::string CommandLineTail(const char* commandLine) {
    if (commandLine == nullptr) return std::string();
    const char* p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (static_cast<unsigned char>(*p) > ' ') ++p;
    }
    while (*p == ' ') ++p;
    return std::string(p);
}

std::string WithoutOuterQuotes(const std::string& tail) {
    std::string::size_type first = tail.find_first_not_of('"');
    if (first == std::string::npos) return std::string();
    std::string::size_type last = tail.find_last_not_of('"');
    return tail.substr(first, last - first + 1);
}

std::string FolderPartOf(const std::string& path) {
    std::string::size_type slash = path.rfind('\\');
    if (slash == std::string::npos) return std::string();
    return path.substr(0, slash + 1);
}

std::string WithFinalBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path;
    return path + '\\';
}

std::string MainFolderFromArgument(const std::string& absolutePath, bool namesExistingFile) {
    if (absolutePath.empty()) return std::string();
    // A file dropped on the program stands for its folder.
    if (namesExistingFile) return FolderPartOf(absolutePath);
    return WithFinalBackslash(absolutePath);
}

bool BrowseChoiceAcceptable(const std::string& path, unsigned long attributes) {
    if (path.size() < 2 || path[1] != ':') return false;
    if (attributes == kNoAttributes) return false;
    return (attributes & kDirectoryBit) != 0;
}

namespace {

bool StartsWith(const std::string& text, const std::string& front) {
    return !front.empty() && text.compare(0, front.size(), front) == 0;
}

// X:\ or \\server\share\, nothing after.
bool IsDriveRoot(const std::string& folder) {
    if (folder.size() == 3 && folder[1] == ':' && folder[2] == '\\') return true;
    if (!StartsWith(folder, "\\\\")) return false;
    const std::string::size_type server = folder.find('\\', 2);
    const std::string::size_type share = server == std::string::npos ? server : folder.find('\\', server + 1);
    return server > 2 && share != std::string::npos && share > server + 1 && share + 1 == folder.size();
}

}  // namespace

bool IsRefusedMainFolder(const std::string& folder, const ProtectedPlaces& places, FoldCaseFn fold) {
    if (IsDriveRoot(folder)) return true;
    std::string folderKey;
    std::string placeKey;
    fold(folder, folderKey);
    for (const std::string& tree : places.trees) {
        fold(tree, placeKey);
        if (StartsWith(folderKey, placeKey) || StartsWith(placeKey, folderKey)) return true;
    }
    for (const std::string& place : places.folders) {
        fold(place, placeKey);
        if (StartsWith(placeKey, folderKey)) return true;
    }
    return false;
}
