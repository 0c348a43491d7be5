// The undo script meeting a full disk: the host limits the size of every file this process writes.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/disk_trees.h"
#include "tests/support/program_services.h"
#include "startup/texts.h"

namespace {

// Main folder paths of this length make every line's length, and so the place where the
// limit falls, the same on every machine: inside a line.
const std::size_t kMainFolderLength = 101;

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(ScriptWriteFault, ALineThatCannotBeWrittenIsTakenBackWithItsFileAndEndsTheMoves) {
    const char* limitText = std::getenv("VORLAX_FILE_SIZE_LIMIT");
    ASSERT_NE(nullptr, limitText) << "run through with_file_size_limit.sh";
    const std::size_t limit = static_cast<std::size_t>(std::atoll(limitText));
    ScratchFolder scratch("fullscript");
    ASSERT_LT(scratch.Path().size() + 1, kMainFolderLength) << scratch.Path();
    const std::string padding(kMainFolderLength - scratch.Path().size() - 1, 'p');
    ASSERT_TRUE(MakeFolders(scratch.Path(), padding + "\\"));
    const std::string m = scratch.Path() + padding + "\\";
    const int files = 300;
    for (int i = 0; i < files; ++i) {
        ASSERT_TRUE(MakeFile(m, "d\\picture number " + std::to_string(i) + ".jpeg", "content " + std::to_string(i)));
    }
    const TreeSnapshot before = Snapshot(m);
    std::vector<int> positions;
    std::string folder = m;
    const int moved = RunOn(folder, true, true, &positions);
    const std::string scriptPath = m + Text(TXT_UNDO_FILE);
    const std::string script = ReadWholeFile(scriptPath);
    // The first file left in d is the one sent back. The limit fell inside one of its
    // lines, which went again with it; the script ends with a whole line.
    const std::vector<std::string> left = ListingOrder(m + "d\\");
    ASSERT_FALSE(left.empty());
    const std::string target = "d " + left[0];
    const std::size_t moveBackLength =
        ("if not exist \"" + m + "d\\" + target + "\" move \"" + m + target + "\" \"" + m + "d\\\"\r\n").size();
    const std::size_t renameBackLength = ("ren \"" + m + "d\\" + target + "\" \"" + left[0] + "\"\r\n").size();
    EXPECT_LT(script.size(), limit);
    EXPECT_NE(script.size() + moveBackLength, limit) << "the limit fell between two lines";
    EXPECT_GT(script.size() + moveBackLength + renameBackLength, limit);
    ASSERT_GE(script.size(), 2u);
    EXPECT_EQ("\r\n", script.substr(script.size() - 2));
    EXPECT_GT(moved, 0);
    EXPECT_LT(moved, files);
    // Every file that left d is described whole by the script, and nothing is lost.
    int inMain = 0;
    int inSubfolder = 0;
    for (const auto& item : Snapshot(m)) {
        const std::string& path = item.first;
        if (path == Text(TXT_UNDO_FILE) || item.second == "<folder>") continue;
        // "d picture number 7.jpeg" in the main folder, "d\picture number 7.jpeg" in d.
        const bool inMainFolder = path.find('\\') == std::string::npos;
        const std::string name = path.substr(2);
        const std::string number = name.substr(name.rfind(' ') + 1, name.size() - name.rfind(' ') - 6);
        EXPECT_EQ("content " + number, item.second) << path;
        if (!inMainFolder) {
            ++inSubfolder;
            continue;
        }
        ++inMain;
        EXPECT_EQ(1u, Occurrences(script, " move \"" + m + path + "\" \"" + m + "d\\\"\r\n")) << path;
        EXPECT_EQ(1u, Occurrences(script, "ren \"" + m + "d\\" + path + "\" \"" + path.substr(2) + "\"\r\n")) << path;
    }
    EXPECT_EQ(moved, inMain);
    EXPECT_EQ(files, inMain + inSubfolder);
    EXPECT_EQ(static_cast<std::size_t>(moved), Occurrences(script, "\r\nif not exist "));
    EXPECT_EQ(static_cast<std::size_t>(moved), Occurrences(script, "\r\nren "));
    EXPECT_TRUE(Exists(m + "d\\"));

    // Run, the script puts back exactly the files it names, and with them the whole tree.
    ASSERT_TRUE(RunScripts({scriptPath}, false));
    DeleteFileA(scriptPath.c_str());
    EXPECT_TRUE(before == Snapshot(m)) << Snapshot(m).size() << " entries, " << before.size() << " before";
}

}  // namespace
