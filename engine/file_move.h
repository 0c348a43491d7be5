// One file of the move pass, free of the platform: its place on the bar, where it goes and its undo lines.
#pragma once

#include <string>
#include <string_view>

#include "engine/plan.h"

// The positions the move pass reports run from 0 to this.
const int kProgressRange = 1000;

// The position of file i of n on the 0..kProgressRange bar, worked out the way the x87
// unit does it in extended precision: the quotient rounded, times the range rounded,
// then cut to an integer. 0 for n = 1.
int ProgressPosition(int i, int n);

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
    std::string backLines;  // the move-back line and, when renaming, the rename-back line; empty when it stays
};

// Works out file `i` of `plan` into `move`, whose buffers serve the whole pass. `tracker`
// holds the subfolder of the file before (empty before the first) and moves on to this
// file's.
void DescribeFileMove(const RelocationPlan& plan, int i, std::string_view mainFolder, const RunTexts& texts,
                      std::string_view& tracker, FileMove& move);
