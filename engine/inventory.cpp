// The file inventory: a depth-first walk that lists a folder's own files before its subfolders'.
#include "engine/engine.h"

#include <shlwapi.h>

#include "dialog/dialog.h"
#include "engine/file_services.h"
#include "engine/plan.h"

int gInventoryCount = 0;
int gWalkDepth = 0;

namespace {

bool IsSkippedFolder(const WIN32_FIND_DATAA& found) {
    // "." and "..", and every dot-folder (.git and the like) with all it holds. A link
    // may lead outside the main folder or back into it: it is not entered either.
    return found.cFileName[0] == '.' || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

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

}  // namespace

int ListFiles(std::string& folder, std::vector<FileEntry>& entries, const std::string& mask) {
    ++gWalkDepth;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    std::vector<std::string> subfolders;
    WIN32_FIND_DATAA found;
    HANDLE listing = FsFindFirst(folder + "*", &found);
    bool more = listing != INVALID_HANDLE_VALUE;
    while (more) {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            if (!IsSkippedFolder(found)) subfolders.push_back(folder + found.cFileName + "\\");
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
    FsFindClose(listing);
    --gWalkDepth;
    if (gWalkDepth != 0) return 0;
    const int count = gInventoryCount;
    gInventoryCount = 0;
    return count;
}
