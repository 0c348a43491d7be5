// The run's pure pieces: which folders the walk enters, the plan, the progress figures and the script's names.
#include <gtest/gtest.h>

#include <cctype>
#include <tuple>

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

TEST(PlanRelocation, RelativePathsTargetsConflictsAndThumbnailCaches) {
    // Sources are full paths, main folder C:\m\, with their alternate names.
    struct Case { const char* what; std::vector<PlanSource> sources; bool rename; std::vector<std::string> targets;
                  std::vector<int> thumbnails; int strays; };
    const Case cases[] = {
        {"long names only: a shared alternate name, or a name equal to one, is no conflict",
         {{"C:\\m\\a\\IMG_20190101_123456.jpg", "IMG_20~1.JPG"}, {"C:\\m\\b\\IMG_20190202_654321.jpg", "IMG_20~1.JPG"},
          {"C:\\m\\c\\IMG_20~1.JPG", ""}}, false,
         {"IMG_20190101_123456.jpg", "IMG_20190202_654321.jpg", "IMG_20~1.JPG"}, {}, 0},
        {"a main-folder file takes part", {{"C:\\m\\x.txt", ""}, {"C:\\m\\a\\X.TXT", ""}}, true, {"x.txt", "a X.TXT"},
         {}, 0},
        {"thumbnail caches by name or alternate name, out of the scan", {{"C:\\m\\a\\Thumbs.db", ""},
         {"C:\\m\\x.txt", ""}, {"C:\\m\\b\\thumbs.DB", ""}, {"C:\\m\\c\\l.db", "THUMBS.DB"},
         {"C:\\m\\d\\y", "thumbs.db"},
         {"C:\\m\\e\\Thumbs.db.txt", "THUMBS~1.TXT"}, {"C:\\m\\e\\MyThumbs.db", ""}, {"C:\\m\\f\\y", ""}}, false,
         {"x.txt", "Thumbs.db.txt", "MyThumbs.db", "y"}, {4, 3, 2, 0}, 0},
        {"the main folder taken off the front once, exactly; other paths left alone", {{"C:\\other\\x.txt", ""},
         {"C:\\m\\C:\\m\\x", ""}, {"c:\\M\\y.txt", ""}, {"C:\\m", ""}, {"C:\\other\\Thumbs.db", ""}, {"C:\\m\\X", ""}},
         true, {"C: m x", "X"}, {}, 4},
    };
    const FoldCaseFn upperAscii = [](std::string_view name, std::string& key) {
        key.assign(name);
        for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    };
    for (const Case& c : cases) {
        const RelocationPlan plan = PlanRelocation(c.sources, "C:\\m\\", false, upperAscii);
        std::vector<std::string> targets(plan.relative.size());
        for (std::size_t i = 0; i < targets.size(); ++i) AssignTargetName(targets[i], plan.relative[i], plan.rename);
        EXPECT_EQ(std::make_tuple(c.rename, c.targets, c.thumbnails, c.strays),
                  std::make_tuple(plan.rename, targets, plan.thumbnails, plan.strays)) << c.what;
    }
    // A key that could not be made marks no file without an alternate name for deletion.
    EXPECT_FALSE(IsThumbnailCache("", "", ""));
    NameSet set;  // the scan's name set, growing all the while: every repeat found, nothing else
    for (int i = 0; i < 9000; ++i) EXPECT_EQ(i < 5000, InsertName(set, "N" + std::to_string(i % 5000))) << i;
}

TEST(ProgressFigures, PercentageBarPositionIndexTextAndScriptNames) {
    // p percentage, b bar position, x index text, all of file i of n; u script name number i.
    struct Case { char kind; const char* text; int i, n; const char* expected; };
    const Case cases[] = {
        {'p', "", 0, 1, "0"}, {'p', "", 1, 9, "12"}, {'p', "", 3, 9, "38"}, {'p', "", 2, 4, "67"}, {'b', "", 0, 1, "0"},
        {'p', "", 2147483646, 2147483647, "100"}, {'b', "", 1, 126, "7"}, {'b', "", 63, 126, "503"},
        {'x', "", 7, 10, "7"}, {'x', "", 99, 1000, "099"}, {'u', "undo", 3, 0, "undo (3)"},
        {'u', "a.b.bat", 10, 0, "a.b (10).bat"},
    };
    for (const Case& c : cases) {
        std::string got = c.kind == 'u' ? UndoScriptName(c.text, c.i) : "";
        if (c.kind == 'x') AppendIndexText(got, c.i, c.n);
        if (c.kind == 'p' || c.kind == 'b') {
            got = std::to_string((c.kind == 'p' ? Percentage : ProgressPosition)(c.i, c.n));
        }
        EXPECT_EQ(c.expected, got) << "case " << &c - cases << ": " << c.kind << " " << c.text << " " << c.i << " "
                                   << c.n;
    }
}

}  // namespace
