// The relocation run's rules, free of the platform: folders walked, relative paths, names, conflicts, thumbnails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The longest path a find record or an ANSI file call holds whole (MAX_PATH less its
// NUL, checked where the platform is known); longer ones are never cut.
const std::size_t kMaxPathChars = 259;

// The platform's values that the rule and its tests read, spelled out so that the rule
// builds without <windows.h>; the inventory checks each against the platform's own.
const std::uint32_t kFileAttributeDirectory = 0x00000010;     // FILE_ATTRIBUTE_DIRECTORY
const std::uint32_t kFileAttributeReparsePoint = 0x00000400;  // FILE_ATTRIBUTE_REPARSE_POINT
const std::uint32_t kReparseTagNameSurrogate = 0x20000000;    // the bit IsReparseTagNameSurrogate tests
const std::uint32_t kIoReparseTagMountPoint = 0xA0000003;     // IO_REPARSE_TAG_MOUNT_POINT (junctions too)
const std::uint32_t kIoReparseTagSymlink = 0xA000000C;        // IO_REPARSE_TAG_SYMLINK
const std::uint32_t kIoReparseTagCloud = 0x9000001A;          // IO_REPARSE_TAG_CLOUD
const std::uint32_t kIoReparseTagCloud7 = 0x9000701A;         // IO_REPARSE_TAG_CLOUD_7

// Whether the walk leaves out the folder found with these attributes, reparse tag (the
// find record's dwReserved0) and name.
bool IsFolderLeftOut(std::uint32_t attributes, std::uint32_t reparseTag, std::string_view name);

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
    // For each of `relative`: a folder's description file (desktop.ini, .DS_Store), which
    // is moved with its folder path in its name whatever the rename flag.
    std::vector<bool> describesFolder;
};

// Whether file i of the plan goes to the main folder with its folder path in its name.
inline bool TakesFolderPrefix(const RelocationPlan& plan, int i) { return plan.rename || plan.describesFolder[i]; }

// What a run will do with its inventory: each file's path below the main folder, which
// files are thumbnail caches, and whether the files are renamed. Without the rename
// option the conflict scan looks for two files, thumbnail caches and folder description
// files aside, whose file names are equal ignoring letter case (`fold`); it stops at the
// first. Alternate names only tell thumbnail caches.
RelocationPlan PlanRelocation(const std::vector<PlanSource>& sources, std::string_view mainFolder, bool renameAlways,
                              FoldCaseFn fold);

// The conflict scan's set of names: open addressing over one arena, no allocation per name.
struct NameSet {
    std::string arena;
    std::vector<std::size_t> starts;
    std::vector<std::uint16_t> lengths;
    // 0 is an empty slot; otherwise the high half holds the upper 32 bits of the name's
    // hash and the low half 1 + its index, so that most probes never touch the arena.
    std::vector<std::uint64_t> slots;
};

// Room for `count` names without the table growing.
void ReserveNames(NameSet& set, std::size_t count);

// Adds `name`; false when an equal name was already there. Holds fewer than 2^32 names,
// as an inventory's count is a signed 32-bit number.
bool InsertName(NameSet& set, std::string_view name);
