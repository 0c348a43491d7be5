// One file of the move pass, free of the platform: where it goes and the undo lines that describe it.
#pragma once

#include <string>
#include <string_view>

#include "engine/plan.h"

// The texts a run writes into its undo script, already chosen for the language.
struct RunTexts {
    std::string undoFile;       // the script's name in the main folder
    std::string echoRestoring;  // starts each progress line
    std::string done;           // ends each progress line
};

// File i of the move pass, with its lines in the order they go out: the folder line and
// the echo line before the file is moved, the back lines once it has been.
struct FileMove {
    std::string_view subfolder;  // empty for a file already in the main folder, which stays
    std::string target;          // its name in the main folder
    std::string folderLine;      // empty unless its subfolder differs from the file before's
    std::string echoLine;
    std::string backLines;       // the move-back line and, when renaming, the rename-back line; empty when it stays
};

// Works out file `i` of `plan` into `move`, whose buffers serve the whole pass. `tracker`
// holds the subfolder of the file before (empty before the first) and moves on to this
// file's.
void DescribeFileMove(const RelocationPlan& plan, int i, std::string_view mainFolder, const RunTexts& texts,
                      std::string_view& tracker, FileMove& move);
