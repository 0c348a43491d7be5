// The relocation engine: the file inventory, the relocation run and the values it shares.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One file of the inventory: the platform's ANSI find record, field for field, with
// cFileName holding the file's full path (at most 259 characters) instead of its name.
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

// Sets the engine's process-wide values back to zero.
void EngineResetValues();

// Lists every file beneath `folder` whose bare name matches `mask` (a PathMatchSpecA
// pattern list): the folder's own files first, then each subfolder's, depth first.
// A missing final "\" is added to the caller's `folder`. Folders whose name starts with
// "." and links to folders are not entered (IsFolderLeftOut); a file whose full path
// would not fit cFileName is left out, never cut. Passes on one pending window message per
// directory entry. The outermost call answers the count and leaves `entries` holding
// exactly that many; a nested call answers 0; no file found leaves `entries` untouched.
int ListFiles(std::string& folder, std::vector<FileEntry>& entries, const std::string& mask);

// Steps 3 to 12 of a run over an inventory already taken of `mainFolder` (ending in "\"):
// relative paths, conflict scan, thumbnail caches deleted, the undo script when asked,
// the moves with progress sent to IDC_PROGRESS of `progressWindow`, and the emptied
// folders removed. No pause at the end. Answers the number of files moved.
int RelocateListedFiles(const std::string& mainFolder, const std::vector<FileEntry>& inventory, int count,
                        bool renameAlways, bool createUndo, HWND progressWindow);

// The whole run on one folder without the main window: progress range, inventory, and
// RelocateListedFiles. For tests and the benchmark. Answers the number of files moved.
int RelocateFolder(std::string& folder, bool renameAlways, bool createUndo, HWND progressWindow);

// The main button's run: gMainFolder, the options and the progress bar of gMainWindow,
// then a one-second pause so that the full bar is seen before the window closes. Stops
// after the inventory when the window was closed meanwhile.
void RunRelocation();
