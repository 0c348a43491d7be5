// The relocation engine: the file inventory, the relocation run and the values it shares.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "engine/file_move.h"

// One file of the inventory: the platform's ANSI find record, field for field, with
// cFileName holding the file's full path (at most 259 characters) instead of its name.
// Kept on purpose: the planner and the run read a file's path and its alternate name
// straight from the record the walk stored; a path that would not fit is never stored.
typedef WIN32_FIND_DATAA FileEntry;

// Process-wide values of the engine; all 0 between runs and walks.
// gInventoryCount: written by ListFiles (entries stored so far by the walk in progress,
//   back to 0 when the outermost call returns); read by ListFiles only.
// gWalkDepth: written by ListFiles (its calls now active); read by ListFiles only.
// gRelocationCount: written by the run (the number of files its move pass handles,
//   never reset by it); read by the main window's busy-animation tick.
extern int gInventoryCount;
extern int gWalkDepth;
extern int gRelocationCount;

// Makes `key`, equal for two names exactly when the file system takes them for one name
// letter case aside: the UTF-16 upper-cased name's own bytes.
void FoldCaseLikeTheFileSystem(std::string_view name, std::string& key);

// Sets the engine's process-wide values back to zero.
void EngineResetValues();

// Lists every file beneath `folder` whose bare name matches `mask` (a PathMatchSpecA
// pattern list): the folder's own files first, then each subfolder's, depth first.
// Kept on purpose: the walk counts in the process-wide gInventoryCount and gWalkDepth, so
// a call made while another walk is under way is nested in it and returns 0. The main
// window disables its main button before a run, so no handler starts a second walk.
// A missing final "\" is added to the caller's `folder`. Folders whose name starts with
// "." and links to folders are not entered (IsFolderLeftOut); a file whose full path
// would not fit cFileName is left out, never cut. Passes on one pending window message per
// directory entry. The outermost call returns the count and leaves `entries` holding
// exactly that many; a nested call returns 0; no file found leaves `entries` untouched.
int ListFiles(std::string& folder, std::vector<FileEntry>& entries, const std::string& mask);

// Whoever starts a run hears from it here; either function may be null.
struct RunSink {
    void* context;
    // Before each file of the move pass: its position on 0..kProgressRange.
    void (*progress)(void* context, int position);
    // Asked once the inventory is taken: false stops the run before anything is touched.
    bool (*stillWanted)(void* context);
    // While the run waits for a file another program holds: the wait itself, with window
    // messages passed on meanwhile; null sleeps.
    void (*pause)(void* context, int milliseconds);
};

// Everything a run needs, as values.
struct RunRequest {
    std::string mainFolder;  // ends in a backslash
    bool renameAlways;
    bool createUndo;
    RunTexts texts;
    RunSink sink;
};

// The whole run on one folder: the inventory (passing window messages on meanwhile),
// the plan, the thumbnail caches deleted, the undo script when asked, the moves, and the
// emptied folders removed. A file or folder another program holds is tried again after
// 50, 100, 200 and 400 ms, at most 10 s in all. Returns the number of files moved.
int RelocateFolder(const RunRequest& request);
