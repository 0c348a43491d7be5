// The relocation run: thumbnail caches deleted, files moved up with their undo lines, folders removed.
#include "engine/engine.h"

#include <algorithm>
#include <climits>

#include "engine/file_services.h"
#include "engine/plan.h"
#include "engine/script_lines.h"
#include "engine/undo_script.h"

int gRelocationCount = 0;

namespace {

const DWORD kNotRemovable = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// An antivirus, the search indexer or Explorer's thumbnailer often holds a file it has just
// seen for a few milliseconds; a moment later the call works. Each held file is tried again
// after these waits, until the run has waited this long in all; then a held file stays at once.
const int kWaitsForAHeldFile[] = {50, 100, 200, 400};
const int kWaitingPerRun = 10000;

struct Waiting {
    const RunSink& sink;
    int left;  // milliseconds
};

bool IsHeldByAnother(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// `attempt`, a file call, and again after each wait while the file is held and the run may still wait.
template <class Attempt>
bool UntilLetGo(Waiting& waiting, Attempt attempt) {
    bool done = attempt();
    for (int wait : kWaitsForAHeldFile) {
        if (done || waiting.left <= 0 || !IsHeldByAnother(FsLastError())) break;
        const int pause = std::min(wait, waiting.left);
        waiting.left -= pause;
        if (waiting.sink.pause != nullptr) {
            waiting.sink.pause(waiting.sink.context, pause);
        } else {
            Sleep(static_cast<DWORD>(pause));
        }
        done = attempt();
    }
    return done;
}

std::vector<PlanSource> PlanSources(const std::vector<FileEntry>& inventory, int count) {
    std::vector<PlanSource> sources;
    sources.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        sources.push_back(PlanSource{inventory[i].cFileName, inventory[i].cAlternateFileName});
    }
    return sources;
}

// Every thumbnail cache goes, hidden or read-only ones included; one that keeps
// its hidden or system mark after the reset stays where it is.
void DeleteThumbnailCaches(const std::vector<FileEntry>& inventory, const std::vector<int>& thumbnails,
                           Waiting& waiting) {
    for (int index : thumbnails) {
        const std::string path = inventory[index].cFileName;
        FsSetAttributes(path, 0);
        DWORD attributes = FsGetAttributes(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotRemovable) == 0) {
            UntilLetGo(waiting, [&] { return FsDeleteFile(path); });
        }
        // Kept on purpose: counted off whether or not it went, so that the count is the
        // number of files the move pass handles, which the busy animation reads.
        --gRelocationCount;
    }
}

bool ScriptNeedsUtf8(const std::string& mainFolder, const RunTexts& texts,
                     const std::vector<std::string_view>& relative) {
    if (HasHighByte(mainFolder) || HasHighByte(texts.echoRestoring) || HasHighByte(texts.done)) {
        return true;
    }
    for (std::string_view path : relative) {
        if (HasHighByte(path)) return true;
    }
    return false;
}

// Every file moved is described by the script before the next one is touched;
// a line that cannot be written sends its file back and ends the pass.
int MovePass(const std::string& mainFolder, const RelocationPlan& plan, const RunTexts& texts, UndoScript* script,
             const RunSink& sink, Waiting& waiting) {
    const int n = static_cast<int>(plan.relative.size());
    std::string_view tracker;
    FileMove move;
    std::string from;
    std::string to;
    int moved = 0;
    for (int i = 0; i < n; ++i) {
        if (sink.progress != nullptr) sink.progress(sink.context, ProgressPosition(i, n));
        DescribeFileMove(plan, i, mainFolder, texts, tracker, move);
        if (script != nullptr) {
            if (!move.folderLine.empty() && !WriteUndoLine(*script, move.folderLine)) break;
            if (!WriteUndoLine(*script, move.echoLine)) break;
        }
        if (move.subfolder.empty()) continue;
        from.assign(mainFolder).append(plan.relative[i]);
        to.assign(mainFolder).append(move.target);
        // Renaming keeps the length and a bare name is shorter, so this only guards the
        // impossible; a path is never cut to fit.
        if (to.size() > kMaxPathChars || !UntilLetGo(waiting, [&] { return FsMoveFile(from, to); })) continue;
        ++moved;
        // The file's back lines go out in one write, so that a file sent back below
        // leaves none of them in the script.
        if (script != nullptr && !WriteUndoLine(*script, move.backLines)) {
            if (FsMoveFile(to, from)) --moved;
            break;
        }
    }
    return moved;
}

// Explorer marks a folder it has customised (an icon, a picture) read-only, and the system
// refuses to remove a read-only folder however empty: the mark is taken off for one more
// try, and put back when the folder stays all the same. Hidden and system marks stay.
bool RemoveFolder(const std::string& folder, Waiting& waiting) {
    const auto remove = [&] { return FsRemoveFolder(folder); };
    if (UntilLetGo(waiting, remove)) return true;
    if (FsLastError() != ERROR_ACCESS_DENIED) return false;
    const DWORD attributes = FsGetAttributes(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0) return false;
    const DWORD settable = attributes & ~(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY);
    if (!FsSetAttributes(folder, settable != 0 ? settable : FILE_ATTRIBUTE_NORMAL)) return false;
    if (UntilLetGo(waiting, remove)) return true;
    FsSetAttributes(folder, attributes & ~FILE_ATTRIBUTE_DIRECTORY);
    return false;
}

// Backwards, so that deeper folders go before their parents. Only empty
// folders can go; the others stay without a word.
void RemoveEmptiedFolders(const std::string& mainFolder, const std::vector<std::string_view>& relative,
                          Waiting& waiting) {
    std::string_view tracker;
    for (int i = static_cast<int>(relative.size()) - 1; i >= 0; --i) {
        const std::string_view subfolder = SubfolderOf(relative[i]);
        if (subfolder == tracker) continue;
        tracker = subfolder;
        if (!subfolder.empty()) RemoveFolder(mainFolder + std::string(subfolder), waiting);
    }
}

}  // namespace

// Letter case folded the way the file system compares names: on UTF-16, with the
// system's upper-casing, which no user's language changes. The key is the UTF-16 text's
// own bytes; turned back into the code page, two different capitals could both become
// "?", and UTF-8 may need more bytes for a capital than for its small letter.
void FoldCaseLikeTheFileSystem(std::string_view name, std::string& key) {
    // Should a step fail, which none is known to do, the name's own bytes stand for it.
    key.assign(name);
    if (name.empty() || name.size() > static_cast<std::size_t>(INT_MAX)) return;
    const int length = static_cast<int>(name.size());
    // One byte of the code page makes at most one UTF-16 unit.
    std::wstring wide(name.size(), L'\0');
    const int units = MultiByteToWideChar(CP_ACP, 0, name.data(), length, &wide[0], length);
    if (units <= 0) return;
    std::wstring upper(static_cast<std::size_t>(units), L'\0');
    const int mapped = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(), units, &upper[0], units,
                                     nullptr, nullptr, 0);
    if (mapped <= 0) return;
    key.assign(reinterpret_cast<const char*>(upper.data()), static_cast<std::size_t>(mapped) * sizeof(wchar_t));
}

void EngineResetValues() {
    gInventoryCount = 0;
    gWalkDepth = 0;
    gRelocationCount = 0;
}

int RelocateFolder(const RunRequest& request) {
    std::string mainFolder = request.mainFolder;
    std::vector<FileEntry> inventory(1);
    const int count = ListFiles(mainFolder, inventory, "*.*");
    if (request.sink.stillWanted != nullptr && !request.sink.stillWanted(request.sink.context)) return 0;
    const RelocationPlan plan =
        PlanRelocation(PlanSources(inventory, count), mainFolder, request.renameAlways, FoldCaseLikeTheFileSystem);
    gRelocationCount = count - plan.strays;
    Waiting waiting = {request.sink, kWaitingPerRun};
    DeleteThumbnailCaches(inventory, plan.thumbnails, waiting);
    UndoScript script;
    if (request.createUndo) {
        const bool utf8 = ScriptNeedsUtf8(mainFolder, request.texts, plan.relative);
        // Without its script a move could not be undone, so none is made.
        if (!OpenUndoScript(script, mainFolder, request.texts.undoFile, utf8, GetACP())) return 0;
    }
    const int moved =
        MovePass(mainFolder, plan, request.texts, request.createUndo ? &script : nullptr, request.sink, waiting);
    CloseUndoScript(script);
    RemoveEmptiedFolders(mainFolder, plan.relative, waiting);
    return moved;
}
