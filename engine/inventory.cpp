// The file inventory: a depth-first walk that lists a folder's own files before its subfolders'.
#include "engine/engine.h"

#include <shlwapi.h>

#include "dialog/dialog.h"
#include "engine/file_services.h"
#include "engine/plan.h"

int gInventoryCount = 0;
int gWalkDepth = 0;

static_assert(kMaxPathChars == MAX_PATH - 1, "MAX_PATH");
static_assert(kFileAttributeDirectory == FILE_ATTRIBUTE_DIRECTORY, "FILE_ATTRIBUTE_DIRECTORY");
static_assert(kFileAttributeReparsePoint == FILE_ATTRIBUTE_REPARSE_POINT, "FILE_ATTRIBUTE_REPARSE_POINT");
static_assert(IsReparseTagNameSurrogate(kReparseTagNameSurrogate), "IsReparseTagNameSurrogate");
static_assert(!IsReparseTagNameSurrogate(~kReparseTagNameSurrogate), "IsReparseTagNameSurrogate tests one bit");
static_assert(kIoReparseTagMountPoint == IO_REPARSE_TAG_MOUNT_POINT, "IO_REPARSE_TAG_MOUNT_POINT");
static_assert(kIoReparseTagSymlink == IO_REPARSE_TAG_SYMLINK, "IO_REPARSE_TAG_SYMLINK");
static_assert(kIoReparseTagCloud == IO_REPARSE_TAG_CLOUD, "IO_REPARSE_TAG_CLOUD");
static_assert(kIoReparseTagCloud7 == IO_REPARSE_TAG_CLOUD_7, "IO_REPARSE_TAG_CLOUD_7");

namespace {

// Stores `found` as the next entry, unless its full path does not fit whole.
void TakeFile(const std::string& folder, const WIN32_FIND_DATAA& found, std::vector<FileEntry>& entries) {
    const std::size_t nameLength = lstrlenA(found.cFileName);
    if (folder.size() + nameLength > kMaxPathChars) return;
    entries.resize(static_cast<std::size_t>(gInventoryCount) + 1);
    FileEntry& entry = entries[gInventoryCount];
    entry = found;
    folder.copy(entry.cFileName, folder.size());
    CopyMemory(entry.cFileName + folder.size(), found.cFileName, nameLength);
    entry.cFileName[folder.size() + nameLength] = '\0';
    ++gInventoryCount;
}

// Owns a folder's listing, so that it is closed on every way out of the call that opened it.
struct ListingOwner {
    explicit ListingOwner(HANDLE listing) : listing(listing) {}
    ~ListingOwner() { FsFindClose(listing); }
    ListingOwner(const ListingOwner&) = delete;
    ListingOwner& operator=(const ListingOwner&) = delete;
    const HANDLE listing;
};

}  // namespace

int ListFiles(std::string& folder, std::vector<FileEntry>& entries, const std::string& mask) {
    ++gWalkDepth;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    std::vector<std::string> subfolders;
    WIN32_FIND_DATAA found;
    // Open until the subfolders below have been walked: one listing per level of the walk.
    const ListingOwner owner(FsFindFirst(folder + "*", &found));
    const HANDLE listing = owner.listing;
    bool more = listing != INVALID_HANDLE_VALUE;
    while (more) {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            // dwReserved0 holds the reparse tag of a reparse point.
            if (!IsFolderLeftOut(found.dwFileAttributes, found.dwReserved0, found.cFileName)) {
                subfolders.push_back(folder + found.cFileName + "\\");
            }
        } else if (PathMatchSpecA(found.cFileName, mask.c_str())) {
            TakeFile(folder, found, entries);
        }
        // One message per entry keeps the window painted and the animation ticking; with
        // nothing pending the walk goes straight on instead of sleeping.
        DlgDoEvents(0);
        more = FsFindNext(listing, &found);
    }
    for (std::string& subfolder : subfolders) {
        ListFiles(subfolder, entries, mask);
    }
    --gWalkDepth;
    if (gWalkDepth != 0) return 0;
    const int count = gInventoryCount;
    gInventoryCount = 0;
    return count;
}
