// The command-line tail and the rules that turn it, or a browse choice, into the main folder.
#pragma once

#include <string>
#include <vector>

#include "engine/plan.h"

// The raw command line after the program's own name and the blanks that follow it.
// A quoted name ends at the next quote; an unquoted one at the first character of
// code 32 or below. Only blanks (32) are skipped after it; a tab is kept.
std::string CommandLineTail(const char* commandLine);

// The tail with every double quote at its start, then every one at its end, removed;
// quotes inside it stay.
std::string WithoutOuterQuotes(const std::string& tail);

// Everything up to and including the last "\"; empty when there is none.
std::string FolderPartOf(const std::string& path);

// The path with a "\" appended unless it already ends in one.
std::string WithFinalBackslash(const std::string& path);

// The main folder for a command-line argument already made absolute: the folder that
// holds it when it names an existing file, otherwise the folder of exactly that name
// with "\" added when missing, whether it exists or not (a mistyped name then names a
// folder that is not there, never its parent). Empty for an empty path.
std::string MainFolderFromArgument(const std::string& absolutePath, bool namesExistingFile);

// Whether the browse dialog may offer `path` for OK: a drive-letter path of a folder.
// `attributes` is what GetFileAttributesA reported for it (all bits set when it failed).
bool BrowseChoiceAcceptable(const std::string& path, unsigned long attributes);

// The places no run may flatten, as the platform names them on this machine.
struct ProtectedPlaces {
    std::vector<std::string> trees;    // the Windows folder and the Program Files folders, with all they hold
    std::vector<std::string> folders;  // the user's profile folder, itself only: what it holds is the user's
};

// Whether `folder` must not be the main folder: a drive root (C:\, \\server\share\), one of
// the trees or a folder inside one, one of the folders, or a folder that holds any of them
// (C:\Users holds the profile). Every path, `folder` included, is absolute, in long names and
// ends in "\"; letter case is set aside with `fold`, as the file system sets it aside.
bool IsRefusedMainFolder(const std::string& folder, const ProtectedPlaces& places, FoldCaseFn fold);
