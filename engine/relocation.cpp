// The relocation run: thumbnail caches deleted, files moved up with their undo lines, folders removed.
#include "engine/engine.h"

#include <commctrl.h>

#include "dialog/dialog.h"
#include "engine/file_services.h"
#include "engine/plan.h"
#include "engine/script_lines.h"
#include "engine/undo_script.h"
#include "startup/startup.h"
#include "window/window.h"

int gRelocationCount = 0;

namespace {

const int kProgressRange = 1000;
const DWORD kClosingPause = 1000;
const DWORD kNotRemovable = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

void UpperCaseWithLocale(char* text, std::size_t length) {
    CharUpperBuffA(text, static_cast<DWORD>(length));
}

void SetProgressRange(HWND window) {
    DlgSend(window, IDC_PROGRESS, PBM_SETRANGE32, 0, kProgressRange);
}

std::vector<PlanSource> PlanSources(const std::vector<FileEntry>& inventory, int count) {
    std::vector<PlanSource> sources;
    sources.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        sources.push_back(PlanSource{inventory[i].cFileName, inventory[i].cAlternateFileName});
    }
    return sources;
}

// Step 7: every thumbnail cache goes, hidden or read-only ones included; one that keeps
// its hidden or system mark after the reset stays where it is.
void DeleteThumbnailCaches(const std::vector<FileEntry>& inventory, const std::vector<int>& thumbnails) {
    for (int index : thumbnails) {
        const std::string path = inventory[index].cFileName;
        FsSetAttributes(path, 0);
        DWORD attributes = FsGetAttributes(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotRemovable) == 0) FsDeleteFile(path);
        --gRelocationCount;
    }
}

bool ScriptNeedsUtf8(const std::string& mainFolder, const std::vector<std::string_view>& relative) {
    if (HasHighByte(mainFolder) || HasHighByte(Text(TXT_ECHO_RESTORING)) || HasHighByte(Text(TXT_DONE))) {
        return true;
    }
    for (std::string_view path : relative) {
        if (HasHighByte(path)) return true;
    }
    return false;
}

// Step 10. Every file moved is described by the script before the next one is touched;
// a line that cannot be written sends its file back and ends the pass.
int MovePass(const std::string& mainFolder, const RelocationPlan& plan, UndoScript* script, HWND progressWindow) {
    const int n = static_cast<int>(plan.relative.size());
    const std::string restoring = Text(TXT_ECHO_RESTORING);
    const std::string done = Text(TXT_DONE);
    std::string_view tracker;
    std::string line;
    std::string target;
    std::string from;
    std::string to;
    int moved = 0;
    for (int i = 0; i < n; ++i) {
        DlgSend(progressWindow, IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(ProgressPosition(i, n)), 0);
        const std::string_view relative = plan.relative[i];
        const std::string_view subfolder = SubfolderOf(relative);
        if (subfolder != tracker) {
            tracker = subfolder;
            if (script != nullptr) {
                line.clear();
                AppendFolderLine(line, mainFolder, subfolder);
                if (!WriteUndoLine(*script, line)) break;
            }
        }
        AssignTargetName(target, relative, plan.rename);
        if (script != nullptr) {
            line.clear();
            AppendEchoLine(line, restoring, done, i, n);
            if (!WriteUndoLine(*script, line)) break;
        }
        if (subfolder.empty()) continue;
        from.assign(mainFolder).append(relative);
        to.assign(mainFolder).append(target);
        // Renaming keeps the length and a bare name is shorter, so this only guards the
        // impossible; a path is never cut to fit.
        if (to.size() > kMaxPathChars || !FsMoveFile(from, to)) continue;
        ++moved;
        if (script == nullptr) continue;
        // The file's two lines go out together, so that a file sent back below leaves
        // neither of them in the script.
        line.clear();
        AppendMoveBackLine(line, mainFolder, subfolder, target);
        if (plan.rename) AppendRenameBackLine(line, mainFolder, subfolder, target, FileNameOf(relative));
        if (!WriteUndoLine(*script, line)) {
            if (FsMoveFile(to, from)) --moved;
            break;
        }
    }
    return moved;
}

// Step 12: backwards, so that deeper folders go before their parents. Only empty
// folders can go; the others stay without a word.
void RemoveEmptiedFolders(const std::string& mainFolder, const std::vector<std::string_view>& relative) {
    std::string_view tracker;
    for (int i = static_cast<int>(relative.size()) - 1; i >= 0; --i) {
        const std::string_view subfolder = SubfolderOf(relative[i]);
        if (subfolder == tracker) continue;
        tracker = subfolder;
        if (!subfolder.empty()) FsRemoveFolder(mainFolder + std::string(subfolder));
    }
}

}  // namespace

void EngineResetValues() {
    gInventoryCount = 0;
    gWalkDepth = 0;
    gRelocationCount = 0;
}

int RelocateListedFiles(const std::string& mainFolder, const std::vector<FileEntry>& inventory, int count,
                        bool renameAlways, bool createUndo, HWND progressWindow) {
    const RelocationPlan plan = PlanRelocation(PlanSources(inventory, count), mainFolder, renameAlways,
                                               UpperCaseWithLocale);
    gRelocationCount = count - plan.strays;
    DeleteThumbnailCaches(inventory, plan.thumbnails);
    UndoScript script;
    if (createUndo) {
        const bool utf8 = ScriptNeedsUtf8(mainFolder, plan.relative);
        // Without its script a move could not be undone, so none is made.
        if (!OpenUndoScript(script, mainFolder, Text(TXT_UNDO_FILE), utf8, GetACP())) return 0;
    }
    SetProgressRange(progressWindow);
    const int moved = MovePass(mainFolder, plan, createUndo ? &script : nullptr, progressWindow);
    CloseUndoScript(script);
    RemoveEmptiedFolders(mainFolder, plan.relative);
    return moved;
}

int RelocateFolder(std::string& folder, bool renameAlways, bool createUndo, HWND progressWindow) {
    SetProgressRange(progressWindow);
    std::vector<FileEntry> inventory(1);
    const int count = ListFiles(folder, inventory, "*.*");
    return RelocateListedFiles(folder, inventory, count, renameAlways, createUndo, progressWindow);
}

void RunRelocation() {
    SetProgressRange(gMainWindow);
    std::string mainFolder = gMainFolder;
    std::vector<FileEntry> inventory(1);
    const int count = ListFiles(mainFolder, inventory, "*.*");
    // The user closed the window during the walk: nothing is touched after all.
    if (!IsWindow(gMainWindow)) return;
    const bool renameAlways = DlgGetCheck(gMainWindow, IDC_RENAME_ALWAYS) != 0;
    const bool createUndo = DlgGetCheck(gMainWindow, IDC_CREATE_UNDO) != 0;
    RelocateListedFiles(mainFolder, inventory, count, renameAlways, createUndo, gMainWindow);
    Sleep(kClosingPause);
}
