// Where a file comes from and where it goes: relative path, subfolder, name and target name.
#include "engine/plan.h"

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
