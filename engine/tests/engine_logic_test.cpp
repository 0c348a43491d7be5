// The run's pure pieces: which folders the walk enters, the plan, the progress figures and the script's names.
#include <gtest/gtest.h>

#include <cctype>

#include "engine/file_move.h"
#include "engine/plan.h"
#include "engine/script_lines.h"

namespace {

TEST(IsFolderLeftOut, LinksUnknownReparsePointsAndDotFoldersOutCloudPlaceholdersIn) {
    const std::uint32_t folder = kFileAttributeDirectory, reparse = folder | kFileAttributeReparsePoint;
    struct Case { std::uint32_t attributes, tag; const char* name; bool leftOut; };
    const Case cases[] = {
        {folder, kIoReparseTagSymlink, "tag without the reparse bit", false}, {reparse, 0, "unknown", true},
        {reparse, kIoReparseTagSymlink, "link", true}, {reparse, kIoReparseTagMountPoint, "junction", true},
        {reparse, kIoReparseTagCloud, "OneDrive", false}, {reparse, kIoReparseTagCloud7, "Pictures", false},
        {folder, 0, ".git", true}, {folder, 0, "a.b", false}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.leftOut, IsFolderLeftOut(c.attributes, c.tag, c.name)) << "case " << &c - cases << " " << c.name;
    }
}

// The plan in one line: the rename flag, each moved file's target name, the thumbnail caches' indexes, strays.
std::string Described(const RelocationPlan& plan) {
    std::string text = std::string("rename=") + (plan.rename ? "yes" : "no") + " targets=";
    std::string target;
    for (std::size_t i = 0; i < plan.relative.size(); ++i) {
        AssignTargetName(target, plan.relative[i], TakesFolderPrefix(plan, static_cast<int>(i)));
        text += "[" + target + "]";
    }
    text += " thumbnails=";
    for (int index : plan.thumbnails) text += std::to_string(index) + ",";
    return text + " strays=" + std::to_string(plan.strays);
}

TEST(PlanRelocation, RelativePathsTargetsConflictsAndThumbnailCaches) {
    // Sources are full paths, main folder C:\m\, with their alternate names.
    struct Case { const char* what; std::vector<PlanSource> sources; const char* plan; };
    const Case cases[] = {
        {"long names only: a shared alternate name, or a name equal to one, is no conflict",
         {{"C:\\m\\a\\IMG_20190101_123456.jpg", "IMG_20~1.JPG"}, {"C:\\m\\b\\IMG_20190202_654321.jpg", "IMG_20~1.JPG"},
          {"C:\\m\\c\\IMG_20~1.JPG", ""}},
         "rename=no targets=[IMG_20190101_123456.jpg][IMG_20190202_654321.jpg][IMG_20~1.JPG] thumbnails= strays=0"},
        {"a main-folder file takes part", {{"C:\\m\\x.txt", ""}, {"C:\\m\\a\\X.TXT", ""}},
         "rename=yes targets=[x.txt][a X.TXT] thumbnails= strays=0"},
        {"thumbnail caches by name or alternate name: not scanned", {{"C:\\m\\a\\Thumbs.db", ""}, {"C:\\m\\x.txt", ""},
         {"C:\\m\\b\\thumbs.DB", ""}, {"C:\\m\\c\\l.db", "THUMBS.DB"}, {"C:\\m\\d\\y", "thumbs.db"},
         {"C:\\m\\e\\Thumbs.db.txt", "THUMBS~1.TXT"}, {"C:\\m\\e\\MyThumbs.db", ""}, {"C:\\m\\f\\y", ""}},
         "rename=no targets=[x.txt][Thumbs.db.txt][MyThumbs.db][y] thumbnails=4,3,2,0, strays=0"},
        {"folder description files, any case: out of the scan, always with their folder path; in the main folder kept",
         {{"C:\\m\\desktop.ini", ""}, {"C:\\m\\a\\desktop.ini", "DESKTOP.INI"}, {"C:\\m\\a\\.DS_Store", "DS_STO~1"},
          {"C:\\m\\a\\p.jpg", ""}, {"C:\\m\\a\\b\\Desktop.INI", ""}, {"C:\\m\\c\\.ds_store", ""},
          {"C:\\m\\c\\q.ini", ""}},
         "rename=no targets=[desktop.ini][a desktop.ini][a .DS_Store][p.jpg][a b Desktop.INI][c .ds_store][q.ini] "
         "thumbnails= strays=0"},
        {"the main folder taken off the front once, exactly; other paths left alone", {{"C:\\other\\x.txt", ""},
         {"C:\\m\\C:\\m\\x", ""}, {"c:\\M\\y.txt", ""}, {"C:\\m", ""}, {"C:\\other\\Thumbs.db", ""}, {"C:\\m\\X", ""}},
         "rename=yes targets=[C: m x][X] thumbnails= strays=4"},
    };
    const FoldCaseFn upperAscii = [](std::string_view name, std::string& key) {
        key.assign(name);
        for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.plan, Described(PlanRelocation(c.sources, "C:\\m\\", false, upperAscii))) << c.what;
    }
    // A key that could not be made marks no file without an alternate name for deletion.
    EXPECT_FALSE(IsThumbnailCache("", "", ""));
    NameSet set;  // the scan's name set, growing all the while: every repeat found, nothing else
    for (int i = 0; i < 9000; ++i) EXPECT_EQ(i < 5000, InsertName(set, "N" + std::to_string(i % 5000))) << i;
}

TEST(ProgressFigures, PercentageBarPositionIndexTextAndScriptNames) {
    // File i of n: its percentage (halves to even) and its bar position, cut as the bar always cut them.
    const struct { int i, n, percentage, position; } files[] = {
        {0, 1, 0, 0}, {1, 9, 12, 125}, {3, 9, 38, 375}, {2, 4, 67, 666}, {1, 126, 1, 7}, {63, 126, 50, 503},
        {2147483646, 2147483647, 100, 1000}};
    for (const auto& [i, n, percentage, position] : files) {
        EXPECT_EQ(percentage, Percentage(i, n)) << "i=" << i << " n=" << n;
        EXPECT_EQ(position, ProgressPosition(i, n)) << "i=" << i << " n=" << n;
    }
    std::string indexes;
    AppendIndexText(indexes, 7, 10);
    AppendIndexText(indexes += "|", 99, 1000);
    EXPECT_EQ("7|099", indexes) << "index texts of 7 of 10 and 99 of 1000";
    EXPECT_EQ("undo (3)", UndoScriptName("undo", 3));
    EXPECT_EQ("a.b (10).bat", UndoScriptName("a.b.bat", 10));
}

}  // namespace
