// Where each file of the move pass stands on the bar, where it goes and the undo lines that bring it back.
#include "engine/file_move.h"

#include "engine/script_lines.h"

void DescribeFileMove(const RelocationPlan& plan, int i, std::string_view mainFolder, const RunTexts& texts,
                      std::string_view& tracker, FileMove& move) {
    const std::string_view relative = plan.relative[i];
    move.subfolder = SubfolderOf(relative);
    move.folderLine.clear();
    // By the file before alone: the inventory keeps each folder's files together, so a
    // folder gets its line once, just before its first file.
    if (move.subfolder != tracker) {
        tracker = move.subfolder;
        AppendFolderLine(move.folderLine, mainFolder, move.subfolder);
    }
    AssignTargetName(move.target, relative, TakesFolderPrefix(plan, i));
    move.echoLine.clear();
    AppendEchoLine(move.echoLine, texts.echoRestoring, texts.done, i, static_cast<int>(plan.relative.size()));
    move.backLines.clear();
    if (move.subfolder.empty()) return;
    AppendMoveBackLine(move.backLines, mainFolder, move.subfolder, move.target);
    if (TakesFolderPrefix(plan, i)) {
        AppendRenameBackLine(move.backLines, mainFolder, move.subfolder, move.target, FileNameOf(relative));
    }
}

int ProgressPosition(int i, int n) {
    if (n <= 1) return 0;
    // Two roundings, each to the 64-bit significand, and volatile keeps the compiler from
    // folding them into one: on a whole-number result the cut may land one below
    // (1 of 125 gives 7), and the bar must show what it always showed.
    volatile long double quotient = static_cast<long double>(i) / static_cast<long double>(n - 1);
    volatile long double scaled = quotient * static_cast<long double>(kProgressRange);
    return static_cast<int>(scaled);
}
