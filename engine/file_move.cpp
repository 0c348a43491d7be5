// Where each file of the move pass goes and the undo lines that bring it back.
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
    AssignTargetName(move.target, relative, plan.rename);
    move.echoLine.clear();
    AppendEchoLine(move.echoLine, texts.echoRestoring, texts.done, i, static_cast<int>(plan.relative.size()));
    move.backLines.clear();
    if (move.subfolder.empty()) return;
    AppendMoveBackLine(move.backLines, mainFolder, move.subfolder, move.target);
    if (plan.rename) {
        AppendRenameBackLine(move.backLines, mainFolder, move.subfolder, move.target, FileNameOf(relative));
    }
}
