// Start-up and texts: the process's phases, the main folder choice, and upper-casing.
#pragma once

#include <windows.h>

#include <string>

#include "dialog/dialog.h"
#include "startup/command_line.h"
#include "texts/texts.h"

// Process-wide values of start-up.
// gCommandLineTail: written once by RunProcess before anything else runs; read by the
//   main folder choice.
extern std::string gCommandLineTail;

// The whole life of the process, from COM to the exit code it should end with:
// 0 after every normal end, 255 when the thread's dialog state cannot be set up.
// `language` is the program's own, fixed when it was built ("EN" selects English).
UINT RunProcess(const char* language);

// The font every dialog of the program is made with: "MS Sans Serif", 8 points.
DlgDefaultFont ProgramDialogFont();

// Registers the common-control classes the main window needs (the progress bar's among
// them); false when the platform refused.
bool RegisterControlClasses();

// Sets every process-wide value of the program to empty or zero.
void ResetProcessValues();

// Fixes the main folder from the command-line tail or, when that is empty, from the
// browse dialog. False when no folder was chosen; gMainFolder is set otherwise.
bool ChooseMainFolder(HWND owner);

// The main folder that a non-empty command-line tail names; empty when it names none.
std::string MainFolderFromTail(const std::string& tail);

// The main folder for a path the browse dialog returned: a final "\" added if missing.
std::string MainFolderFromBrowse(const std::string& chosen);

// Whether the folder is a drive, or holds Windows, installed programs or a whole user
// profile, on this machine: such a folder is never flattened.
bool IsRefusedFolder(const std::string& folder);

// The folder that holds the program file, ending in "\".
std::string ProgramFolder();

// The browse dialog's result: the chosen folder's path, or empty when nothing was chosen.
std::string BrowseForFolder(HWND owner, const std::string& firstSelection);

// `text` upper-cased with the system's locale-aware rules (CharUpperBuffA).
std::string UpperCased(const std::string& text);
