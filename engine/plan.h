// The relocation run's planning, free of the platform: relative paths, names, conflicts and thumbnail caches.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The longest path a find record or an ANSI file call holds whole (MAX_PATH less its
// NUL, checked where the platform is known); longer ones are never cut.
const std::size_t kMaxPathChars = 259;

// Makes `key`, the form of `name` that is equal for two names exactly when the file
// system takes them for one name ignoring letter case; `name` itself is left alone and
// `key` may be of any length. The program passes the platform's rules; the native tests
// pass their own.
typedef void (*FoldCaseFn)(std::string_view name, std::string& key);

// `fullPath` with the main folder taken off its front once (a view into `fullPath`).
// False when the path does not begin with the main folder: such a path cannot be placed
// and is left alone.
bool RelativePath(std::string_view fullPath, std::string_view mainFolder, std::string_view* relative);

// The relative folder S: everything up to and including the last "\", empty when none.
std::string_view SubfolderOf(std::string_view relative);

// The file name F: everything after the last "\".
std::string_view FileNameOf(std::string_view relative);

// Makes `target` the name the file gets in the main folder: its file name, or with
// renaming its whole relative path with each "\" turned into a blank.
void AssignTargetName(std::string& target, std::string_view relative, bool rename);

// Whether a file is a thumbnail cache, by its own name or by its alternate name: their
// keys compared with the key of "THUMBS.DB", all made by one FoldCaseFn.
bool IsThumbnailCache(std::string_view nameKey, std::string_view alternateKey, std::string_view thumbnailKey);

// One file of the inventory as the planner sees it: views into the find record.
struct PlanSource {
    std::string_view fullPath;
    std::string_view alternateName;
};

// Views into the sources' paths: the plan lives no longer than the inventory it was made from.
struct RelocationPlan {
    // The move pass's relative paths, in inventory order, thumbnail caches taken out.
    std::vector<std::string_view> relative;
    // Inventory indexes of the thumbnail caches, highest first: the order they are deleted in.
    std::vector<int> thumbnails;
    // Entries outside the main folder, left alone and counted nowhere.
    int strays = 0;
    // The run's rename flag: the user's option, or set by a conflict.
    bool rename = false;
};

// What a run will do with its inventory: each file's path below the main folder, which
// files are thumbnail caches, and whether the files are renamed. Without the rename
// option the conflict scan looks for two files, thumbnail caches aside, whose file names
// are equal ignoring letter case (`fold`); it stops at the first. Alternate names only
// tell thumbnail caches.
RelocationPlan PlanRelocation(const std::vector<PlanSource>& sources, std::string_view mainFolder,
                              bool renameAlways, FoldCaseFn fold);
