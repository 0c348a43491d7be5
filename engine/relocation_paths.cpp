// Which folders the walk enters; where a file comes from and goes: relative path, subfolder, name, target.
#include "engine/plan.h"

bool IsFolderLeftOut(std::uint32_t attributes, std::uint32_t reparseTag, std::string_view name) {
    // ".", "..", and every dot-folder (.git and the like) with all it holds.
    if (!name.empty() && name[0] == '.') return true;
    if ((attributes & kFileAttributeReparsePoint) == 0) return false;
    // A name surrogate (symbolic link, junction, mount point) stands for another folder,
    // which may lie outside the main folder or above it; a tag that was not reported
    // could be one. Any other reparse point, a OneDrive placeholder folder among them, is
    // the folder itself and is flattened like any other.
    return reparseTag == 0 || (reparseTag & kReparseTagNameSurrogate) != 0;
}

bool RelativePath(std::string_view fullPath, std::string_view mainFolder, std::string_view* relative) {
    if (fullPath.size() < mainFolder.size() || fullPath.compare(0, mainFolder.size(), mainFolder) != 0) {
        return false;
    }
    // Once only: a main folder text recurring further in, as "\" does for a drive root,
    // is part of the file's own path.
    *relative = fullPath.substr(mainFolder.size());
    return true;
}

std::string_view SubfolderOf(std::string_view relative) {
    std::size_t slash = relative.rfind('\\');
    return slash == std::string_view::npos ? std::string_view() : relative.substr(0, slash + 1);
}

std::string_view FileNameOf(std::string_view relative) {
    std::size_t slash = relative.rfind('\\');
    return slash == std::string_view::npos ? relative : relative.substr(slash + 1);
}

void AssignTargetName(std::string& target, std::string_view relative, bool rename) {
    if (!rename) {
        target.assign(FileNameOf(relative));
        return;
    }
    target.assign(relative);
    for (char& c : target) {
        if (c == '\\') c = ' ';
    }
}
