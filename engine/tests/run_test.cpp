// The relocation run on real folders: moves, names, conflicts, thumbnail caches, folders, count and progress.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include "tests/support/disk_trees.h"
#include "tests/support/program_services.h"

namespace {

struct RunCase {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;
    bool renameAlways;
    TreeSnapshot after;
    int moved;
    int relocationCount;
};

TEST(RelocateFolder, MovesNamesAndFoldersLeftBehind) {
    const RunCase cases[] = {
        {"one file in one folder", {{"a\\x.txt", "x"}}, false, {{"x.txt", "x"}}, 1, 1},
        {"a folder holding only subfolders stays",
         {{"2019\\summer\\img.jpg", "i"}},
         true,
         {{"2019\\", "<folder>"}, {"2019 summer img.jpg", "i"}},
         1,
         1},
        {"equal file names are a conflict: every file renamed",
         {{"a\\photo.jpg", "a"}, {"b\\photo.jpg", "b"}, {"c\\unique.txt", "u"}, {"top.txt", "t"}},
         false,
         {{"a photo.jpg", "a"}, {"b photo.jpg", "b"}, {"c unique.txt", "u"}, {"top.txt", "t"}},
         3,
         4},
        {"names equal but for case are a conflict",
         {{"a\\Photo.JPG", "a"}, {"b\\photo.jpg", "b"}},
         false,
         {{"a Photo.JPG", "a"}, {"b photo.jpg", "b"}},
         2,
         2},
        {"a subfolder's file named like a main folder file is a conflict",
         {{"x.txt", "top"}, {"a\\x.txt", "a"}},
         false,
         {{"x.txt", "top"}, {"a x.txt", "a"}},
         1,
         2},
        {"equal long names with equal generated alternate names",
         {{"a\\holiday picture 2019.jpeg", "a"}, {"b\\holiday picture 2019.jpeg", "b"}},
         false,
         {{"a holiday picture 2019.jpeg", "a"}, {"b holiday picture 2019.jpeg", "b"}},
         2,
         2},
        {"different long names sharing a generated alternate name are no conflict",
         {{"a\\IMG_2019blatoo.jpeg", "a"}, {"b\\IMG_2019idvwmx.jpeg", "b"}},
         false,
         {{"IMG_2019blatoo.jpeg", "a"}, {"IMG_2019idvwmx.jpeg", "b"}},
         2,
         2},
        // U+0250 and its capital U+2C6F take 2 and 3 bytes in UTF-8.
        {"names equal but for a capital longer than its letter are a conflict",
         {{"a\\a\xC9\x90" "b.txt", "a"}, {"b\\A\xE2\xB1\xAF" "B.TXT", "b"}},
         false,
         {{"a a\xC9\x90" "b.txt", "a"}, {"b A\xE2\xB1\xAF" "B.TXT", "b"}},
         2,
         2},
        {"a name with such a letter, alone, keeps every byte",
         {{"a\\a\xC9\x90" "b.txt", "a"}, {"b\\other.txt", "b"}},
         false,
         {{"a\xC9\x90" "b.txt", "a"}, {"other.txt", "b"}},
         2,
         2},
        {"names apart only after such a letter are no conflict",
         {{"a\\\xC9\x90" "b.txt", "a"}, {"b\\\xC9\x90" "b.txu", "b"}},
         false,
         {{"\xC9\x90" "b.txt", "a"}, {"\xC9\x90" "b.txu", "b"}},
         2,
         2},
        {"no conflict keeps the names",
         {{"a\\1.jpg", "1"}, {"a\\b\\2.jpg", "2"}, {"c\\3.jpg", "3"}},
         false,
         {{"1.jpg", "1"}, {"2.jpg", "2"}, {"3.jpg", "3"}},
         3,
         3},
        {"always rename, deep paths",
         {{"2019\\summer\\img.jpg", "i"}, {"2019\\x.txt", "x"}, {"my.folder\\a.b.c.txt", "abc"}},
         true,
         {{"2019 summer img.jpg", "i"}, {"2019 x.txt", "x"}, {"my.folder a.b.c.txt", "abc"}},
         3,
         3},
        {"a target already taken: that file and its folder stay",
         {{"a x.txt", "already here"}, {"a\\x.txt", "from a"}, {"b\\y.txt", "y"}},
         true,
         {{"a x.txt", "already here"}, {"a\\", "<folder>"}, {"a\\x.txt", "from a"}, {"b y.txt", "y"}},
         1,
         3},
        {"thumbnail caches: main folder, subfolders, alone in a folder",
         {{"Thumbs.db", "t0"}, {"a\\Thumbs.db", "t1"}, {"a\\x.txt", "x"}, {"only\\thumbs.DB", "t2"},
          {"b\\c\\THUMBS.DB", "t3"}},
         false,
         {{"x.txt", "x"}, {"only\\", "<folder>"}, {"b\\", "<folder>"}, {"b\\c\\", "<folder>"}},
         1,
         1},
        {"names that only look like thumbnail caches are moved",
         {{"a\\Thumbs.db.txt", "1"}, {"a\\MyThumbs.db", "2"}},
         false,
         {{"Thumbs.db.txt", "1"}, {"MyThumbs.db", "2"}},
         2,
         2},
        {"empty main folder", {}, false, {}, 0, 0},
    };
    for (const RunCase& c : cases) {
        ScratchFolder scratch("run");
        for (const auto& file : c.files) ASSERT_TRUE(MakeFile(scratch.Path(), file.first, file.second)) << c.what;
        std::vector<int> positions;
        std::string folder = scratch.Path();
        gRelocationCount = -1;
        int moved = RunOn(folder, c.renameAlways, false, &positions);
        EXPECT_EQ(c.moved, moved) << c.what;
        EXPECT_EQ(c.relocationCount, gRelocationCount) << c.what;
        TreeSnapshot after = Snapshot(scratch.Path());
        EXPECT_EQ(c.after, after) << c.what << ": " << Describe(after);
    }
}

TEST(RelocateFolder, TwoPathsThatRenameToOneName) {
    ScratchFolder scratch("clash");
    ASSERT_TRUE(MakeFile(scratch.Path(), "a b\\x.txt", "from a b"));
    ASSERT_TRUE(MakeFile(scratch.Path(), "a\\b x.txt", "from a"));
    std::vector<int> positions;
    std::string folder = scratch.Path();
    EXPECT_EQ(1, RunOn(folder, true, false, &positions));
    TreeSnapshot after = Snapshot(scratch.Path());
    // Whichever came first took the name; the other stays where it was, with its folder.
    const TreeSnapshot firstWon = {{"a b x.txt", "from a b"}, {"a\\", "<folder>"}, {"a\\b x.txt", "from a"}};
    const TreeSnapshot secondWon = {{"a b x.txt", "from a"}, {"a b\\", "<folder>"}, {"a b\\x.txt", "from a b"}};
    EXPECT_TRUE(after == firstWon || after == secondWon) << Describe(after);
}

TEST(RelocateFolder, ProtectedThumbnailCachesAreDeletedToo) {
    const DWORD attributes[] = {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN,
                                FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
                                FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM};
    for (DWORD attribute : attributes) {
        ScratchFolder scratch("thumbs");
        ASSERT_TRUE(MakeFile(scratch.Path(), "a\\Thumbs.db", "t", attribute));
        ASSERT_TRUE(MakeFile(scratch.Path(), "Thumbs.db", "t", attribute));
        std::vector<int> positions;
        std::string folder = scratch.Path();
        RunOn(folder, false, false, &positions);
        const TreeSnapshot expected = {{"a\\", "<folder>"}};
        TreeSnapshot after = Snapshot(scratch.Path());
        EXPECT_EQ(expected, after) << "attributes " << attribute << ": " << Describe(after);
        EXPECT_EQ(0, gRelocationCount) << "attributes " << attribute;
    }
}

TEST(RelocateFolder, ProgressOnARealProgressBar) {
    struct Case {
        int files;
        std::vector<std::pair<int, int>> positions;  // file index, position
    };
    const Case cases[] = {
        {1, {{0, 0}}},
        {2, {{0, 0}, {1, 1000}}},
        {9, {{0, 0}, {1, 125}, {4, 500}, {8, 1000}}},
        {126, {{0, 0}, {1, 7}, {2, 15}, {3, 24}, {63, 503}, {125, 1000}}},
    };
    for (const Case& c : cases) {
        ScratchFolder scratch("progress");
        for (int i = 0; i < c.files; ++i) ASSERT_TRUE(MakeFile(scratch.Path(), "d\\f" + std::to_string(i), "z"));
        std::vector<int> positions;
        std::string folder = scratch.Path();
        RunOn(folder, false, false, &positions);
        ASSERT_EQ(static_cast<std::size_t>(c.files), positions.size()) << c.files << " files";
        for (const auto& expected : c.positions) {
            EXPECT_EQ(expected.second, positions[expected.first]) << "file " << expected.first << " of " << c.files;
        }
    }
}

}  // namespace
