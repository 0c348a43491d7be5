// The run's pure pieces: which folders the walk enters, the plan, the figures and the undo script's lines.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "engine/file_move.h"
#include "engine/progress_figures.h"
#include "engine/script_lines.h"
#include "engine/walk_rule.h"
#include "startup/texts.h"

namespace {

void UpperAscii(std::string_view name, std::string& key) {
    key.assign(name);
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

TEST(IsFolderLeftOut, LinksUnknownReparsePointsAndDotFoldersOutCloudPlaceholdersIn) {
    const std::uint32_t folder = kFileAttributeDirectory, reparse = folder | kFileAttributeReparsePoint;
    struct Case { std::uint32_t attributes, tag; const char* name; bool leftOut; };
    const Case cases[] = {
        {folder, 0, "Pictures", false}, {folder, kIoReparseTagSymlink, "tag without the reparse bit", false},
        {reparse, 0, "unknown", true}, {reparse, kIoReparseTagSymlink, "link", true},
        {reparse, kIoReparseTagMountPoint, "junction", true}, {reparse, kIoReparseTagCloud, "OneDrive", false},
        {reparse, kIoReparseTagCloud7, "Pictures", false}, {folder, 0, ".git", true}, {folder, 0, "..", true},
        {reparse, kIoReparseTagCloud, ".cache", true}, {folder, 0, "a.b", false}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.leftOut, IsFolderLeftOut(c.attributes, c.tag, c.name)) << "case " << &c - cases << " " << c.name;
    }
}

TEST(PlanRelocation, RelativePathsTargetsConflictsAndThumbnailCaches) {
    struct Case {
        const char* what;
        std::vector<PlanSource> sources;  // full path, alternate name
        bool renameAlways, rename;
        std::vector<std::string> targets;
        std::vector<int> thumbnails;
        int strays;
    };
    const Case cases[] = {
        {"equal names but for case, one in the main folder",
         {{"C:\\m\\a\\Photo.JPG", ""}, {"C:\\m\\b\\u.txt", ""}, {"C:\\m\\photo.jpg", ""}}, false, true,
         {"a Photo.JPG", "b u.txt", "photo.jpg"}, {}, 0},
        {"long names only: a shared alternate name, or a name equal to one, is no conflict",
         {{"C:\\m\\a\\IMG_20190101_123456.jpg", "IMG_20~1.JPG"}, {"C:\\m\\b\\IMG_20190202_654321.jpg", "IMG_20~1.JPG"},
          {"C:\\m\\c\\IMG_20~1.JPG", ""}}, false, false,
         {"IMG_20190101_123456.jpg", "IMG_20190202_654321.jpg", "IMG_20~1.JPG"}, {}, 0},
        {"thumbnail caches by name or alternate name, taken out and out of the scan",
         {{"C:\\m\\a\\Thumbs.db", ""}, {"C:\\m\\x.txt", ""}, {"C:\\m\\b\\thumbs.DB", ""}, {"C:\\m\\c\\l.db", "THUMBS.DB"},
          {"C:\\m\\d\\y.txt", "thumbs.db"}, {"C:\\m\\e\\Thumbs.db.txt", "THUMBS~1.TXT"}, {"C:\\m\\e\\MyThumbs.db", ""},
          {"C:\\m\\f\\y.txt", ""}}, false, false, {"x.txt", "Thumbs.db.txt", "MyThumbs.db", "y.txt"}, {4, 3, 2, 0}, 0},
        {"the option renames by the whole relative path, no scan",
         {{"C:\\m\\2019\\summer\\img.jpg", ""}, {"C:\\m\\my.folder\\a.tar.gz", ""}, {"C:\\m\\100%\\&^'.txt", ""},
          {"C:\\m\\a b\\x.txt", ""}, {"C:\\m\\a\\b x.txt", ""}}, true, true,
         {"2019 summer img.jpg", "my.folder a.tar.gz", "100% &^'.txt", "a b x.txt", "a b x.txt"}, {}, 0},
        {"the main folder taken off the front once, exactly; other paths left alone",
         {{"C:\\other\\x.txt", ""}, {"C:\\m\\C:\\m\\x", ""}, {"c:\\M\\y.txt", ""}, {"C:\\m", ""},
          {"C:\\other\\Thumbs.db", ""}}, false, false, {"x"}, {}, 4},
    };
    for (const Case& c : cases) {
        const RelocationPlan plan = PlanRelocation(c.sources, "C:\\m\\", c.renameAlways, UpperAscii);
        std::vector<std::string> targets(plan.relative.size());
        for (std::size_t i = 0; i < targets.size(); ++i) AssignTargetName(targets[i], plan.relative[i], plan.rename);
        EXPECT_EQ(c.rename, plan.rename) << c.what;
        EXPECT_EQ(c.targets, targets) << c.what;
        EXPECT_EQ(c.thumbnails, plan.thumbnails) << c.what;
        EXPECT_EQ(c.strays, plan.strays) << c.what;
    }
    // A key that could not be made marks no file without an alternate name for deletion.
    EXPECT_FALSE(IsThumbnailCache("", "", ""));
    // Thousands of names, the set growing all the while: only a repeat is a conflict.
    std::vector<std::string> paths;
    for (int i = 0; i < 5000; ++i) paths.push_back("C:\\m\\f" + std::to_string(i % 70) + "\\n" + std::to_string(i));
    for (const char* repeat : {"", "C:\\m\\late\\N4999", "C:\\m\\N0"}) {
        std::vector<PlanSource> sources = {{repeat, ""}};
        for (const std::string& path : paths) sources.push_back(PlanSource{path, ""});
        EXPECT_EQ(*repeat != '\0', PlanRelocation(sources, "C:\\m\\", false, UpperAscii).rename) << repeat;
    }
}

TEST(ScriptLines, FiguresNamesAndTheLinesOfEachFileByteForByte) {
    // Kinds: p percentage, b bar position, x index text (i of n); u script name number i;
    // h high byte; s the script of a move pass, `text` the main folder and the relative
    // paths, i the rename flag, n 1 for the UTF-8 header.
    struct Case { char kind; const char* text; int i, n; const char* expected; };
    const Case cases[] = {
        {'p', "", 0, 1, "0"}, {'p', "", 1, 9, "12"}, {'p', "", 3, 9, "38"}, {'p', "", 5, 9, "62"},
        {'p', "", 7, 9, "88"}, {'p', "", 2, 4, "67"}, {'p', "", 7, 42, "17"}, {'p', "", 3, 401, "1"},
        {'p', "", 1000000, 2000001, "50"}, {'p', "", 2147483646, 2147483647, "100"}, {'b', "", 0, 1, "0"},
        {'b', "", 1, 126, "7"}, {'b', "", 3, 126, "24"}, {'b', "", 63, 126, "503"}, {'b', "", 64, 126, "511"},
        {'b', "", 1, 9, "125"}, {'b', "", 998, 1000, "998"}, {'b', "", 999, 1000, "1000"}, {'x', "", 0, 1, "0"},
        {'x', "", 7, 42, "07"}, {'x', "", 10, 11, "10"}, {'x', "", 99, 1001, "0099"}, {'u', "a.b.bat", 10, 0, "a.b (10).bat"},
        {'u', "undo 'Kellerup'.bat", 1, 0, "undo 'Kellerup'.bat"}, {'u', "undo", 3, 0, "undo (3)"},
        {'u', "undo 'Kellerup'.bat", kUndoScriptNames, 0, "undo 'Kellerup' (99).bat"},
        {'u', CatalogueText(TXT_UNDO_FILE, "FR"), 2, 0, "Annul VORLAX 'Kellerup' (2).bat"},
        {'h', "C:\\m\\a b\\%&^'~\x7F.txt", 0, 0, "0"}, {'h', "caf\xC3\xA9", 0, 0, "1"}, {'h', "\x80", 0, 0, "1"},
        {'s', "C:\\m\\|a\\x.txt|a\\b\\y.txt", 1, 0,
         "@echo off\r\nsetlocal EnableExtensions DisableDelayedExpansion\r\n"
         "md \"C:\\m\\a\\\"\r\necho restoring file #0/1   (0%% done)\r\n"
         "if not exist \"C:\\m\\a\\a x.txt\" move \"C:\\m\\a x.txt\" \"C:\\m\\a\\\"\r\nren \"C:\\m\\a\\a x.txt\" \"x.txt\"\r\n"
         "md \"C:\\m\\a\\b\\\"\r\necho restoring file #1/1   (100%% done)\r\n"
         "if not exist \"C:\\m\\a\\b\\a b y.txt\" move \"C:\\m\\a b y.txt\" \"C:\\m\\a\\b\\\"\r\n"
         "ren \"C:\\m\\a\\b\\a b y.txt\" \"y.txt\"\r\n"},
        {'s', "C:\\%m%\\|top.txt|50%&^!\\a% (1).txt|50%&^!\\b.txt|c\\d\\e.txt", 0, 1,
         "@echo off\r\nsetlocal EnableExtensions DisableDelayedExpansion\r\nchcp 65001 >nul\r\n"
         "echo restoring file #0/3   (0%% done)\r\nmd \"C:\\%%m%%\\50%%&^!\\\"\r\n"
         "echo restoring file #1/3   (33%% done)\r\n"
         "if not exist \"C:\\%%m%%\\50%%&^!\\a%% (1).txt\" move \"C:\\%%m%%\\a%% (1).txt\" \"C:\\%%m%%\\50%%&^!\\\"\r\n"
         "echo restoring file #2/3   (67%% done)\r\n"
         "if not exist \"C:\\%%m%%\\50%%&^!\\b.txt\" move \"C:\\%%m%%\\b.txt\" \"C:\\%%m%%\\50%%&^!\\\"\r\n"
         "md \"C:\\%%m%%\\c\\d\\\"\r\necho restoring file #3/3   (100%% done)\r\n"
         "if not exist \"C:\\%%m%%\\c\\d\\e.txt\" move \"C:\\%%m%%\\e.txt\" \"C:\\%%m%%\\c\\d\\\"\r\n"},
    };
    const RunTexts english{"", "echo restoring file #", "done"};
    for (const Case& c : cases) {
        std::string got;
        switch (c.kind) {
            case 'p': got = std::to_string(Percentage(c.i, c.n)); break;
            case 'b': got = std::to_string(ProgressPosition(c.i, c.n)); break;
            case 'x': AppendIndexText(got, c.i, c.n); break;
            case 'u': got = UndoScriptName(c.text, c.i); break;
            case 'h': got = HasHighByte(c.text) ? "1" : "0"; break;
            default: {
                std::vector<std::string> parts;
                std::istringstream in(c.text);
                for (std::string part; std::getline(in, part, '|');) parts.push_back(part);
                RelocationPlan plan;
                plan.relative.assign(parts.begin() + 1, parts.end());
                plan.rename = c.i != 0;
                AppendHeaderLines(got, c.n != 0);
                std::string_view tracker;
                FileMove move;
                for (int i = 0; i < static_cast<int>(plan.relative.size()); ++i) {
                    DescribeFileMove(plan, i, parts[0], english, tracker, move);
                    got += move.folderLine + move.echoLine + move.backLines;
                }
            }
        }
        EXPECT_EQ(c.expected, got) << "case " << &c - cases << ": " << c.kind << " " << c.text << " " << c.i << " " << c.n;
    }
}

}  // namespace
