// Which folders the walk enters, relative paths, names and target names, and the conflict rule with made-up names.
#include "engine/plan.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "engine/name_set.h"
#include "engine/walk_rule.h"

namespace {

void UpperAscii(std::string_view name, std::string& key) {
    key.assign(name);
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

TEST(IsFolderLeftOut, LinksAndDotFoldersOutCloudPlaceholdersIn) {
    const std::uint32_t folder = kFileAttributeDirectory;
    const std::uint32_t reparse = kFileAttributeDirectory | kFileAttributeReparsePoint;
    struct Case {
        std::uint32_t attributes;
        std::uint32_t tag;
        const char* name;
        bool leftOut;
    };
    const Case cases[] = {
        {folder, 0, "Pictures", false},
        // dwReserved0 means nothing without the reparse-point bit.
        {folder, kIoReparseTagSymlink, "Pictures", false},
        {reparse, 0, "unknown", true},
        {reparse, kIoReparseTagSymlink, "link", true},
        {reparse, kIoReparseTagMountPoint, "junction", true},
        {reparse, kIoReparseTagCloud, "OneDrive", false},
        {reparse, kIoReparseTagCloud7, "Pictures", false},
        {folder, 0, ".git", true},
        {folder, 0, ".", true},
        {folder, 0, "..", true},
        {reparse, kIoReparseTagCloud, ".cache", true},
        {folder, 0, "a.b", false},
    };
    int index = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(c.leftOut, IsFolderLeftOut(c.attributes, c.tag, c.name))
            << "case " << index << " " << c.name << std::hex << " attributes " << c.attributes << " tag " << c.tag;
        ++index;
    }
}

TEST(RelativePath, MainFolderTakenOffTheFrontOnce) {
    struct Case {
        const char* full;
        const char* main;
        bool placed;
        const char* relative;
    };
    const Case cases[] = {
        {"C:\\m\\2019\\summer\\img.jpg", "C:\\m\\", true, "2019\\summer\\img.jpg"},
        {"C:\\m\\x.txt", "C:\\m\\", true, "x.txt"},
        // A drive root recurs at every level: only the leading one goes.
        {"\\a\\b\\c.txt", "\\", true, "a\\b\\c.txt"},
        {"C:\\m\\C:\\m\\x", "C:\\m\\", true, "C:\\m\\x"},
        {"C:\\m\\sub\\m\\y", "m\\", false, ""},
        // Exact and case-sensitive, as the walk stored it.
        {"c:\\M\\x.txt", "C:\\m\\", false, ""},
        {"C:\\m", "C:\\m\\", false, ""},
    };
    int index = 0;
    for (const Case& c : cases) {
        std::string_view relative;
        bool placed = RelativePath(c.full, c.main, &relative);
        EXPECT_EQ(c.placed, placed) << "case " << index << " " << c.full;
        if (c.placed) {
            EXPECT_EQ(c.relative, relative) << "case " << index << " " << c.full;
        }
        ++index;
    }
}

TEST(TargetName, SubfolderNameAndTargetFromTheRelativePath) {
    struct Case {
        const char* relative;
        const char* subfolder;
        const char* name;
        const char* kept;
        const char* renamed;
    };
    const Case cases[] = {
        {"2019\\summer\\img.jpg", "2019\\summer\\", "img.jpg", "img.jpg", "2019 summer img.jpg"},
        {"a\\x.txt", "a\\", "x.txt", "x.txt", "a x.txt"},
        {"x.txt", "", "x.txt", "x.txt", "x.txt"},
        {"a b\\x.txt", "a b\\", "x.txt", "x.txt", "a b x.txt"},
        {"a\\b x.txt", "a\\", "b x.txt", "b x.txt", "a b x.txt"},
        {"my.folder\\archive.tar.gz", "my.folder\\", "archive.tar.gz", "archive.tar.gz",
         "my.folder archive.tar.gz"},
        {"100%\\&^'.txt", "100%\\", "&^'.txt", "&^'.txt", "100% &^'.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.subfolder, SubfolderOf(c.relative)) << c.relative;
        EXPECT_EQ(c.name, FileNameOf(c.relative)) << c.relative;
        EXPECT_EQ(c.kept, TargetName(c.relative, false)) << c.relative;
        EXPECT_EQ(c.renamed, TargetName(c.relative, true)) << c.relative;
    }
}

TEST(IsThumbnailCache, ByItsOwnNameOrItsAlternateName) {
    struct Case {
        const char* upperName;
        const char* upperAlternate;
        const char* thumbnailKey;
        bool thumbnail;
    };
    const Case cases[] = {
        {"THUMBS.DB", "", "THUMBS.DB", true},
        {"LONGTHUMBNAILS.DB", "THUMBS.DB", "THUMBS.DB", true},
        {"THUMBS.DB.BAK", "THUMBS~1.BAK", "THUMBS.DB", false},
        {"XTHUMBS.DB", "", "THUMBS.DB", false},
        {"", "", "THUMBS.DB", false},
        {"THUMBS.DB ", "", "THUMBS.DB", false},
        // A key that could not be made marks no file without an alternate name for deletion.
        {"X.TXT", "", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.thumbnail, IsThumbnailCache(c.upperName, c.upperAlternate, c.thumbnailKey))
            << c.upperName << " / " << c.upperAlternate << " / " << c.thumbnailKey;
    }
}

struct PlanCase {
    const char* what;
    std::vector<PlanSource> sources;
    bool renameAlways;
    bool rename;
    std::vector<std::string_view> relative;
    std::vector<int> thumbnails;
};

TEST(PlanRelocation, ConflictRuleThumbnailsAndOrder) {
    const std::string m = "C:\\m\\";
    const PlanCase cases[] = {
        {"same long name, no alternate names", {{"C:\\m\\a\\photo.jpg", ""}, {"C:\\m\\b\\photo.jpg", ""}},
         false, true, {"a\\photo.jpg", "b\\photo.jpg"}, {}},
        {"names equal once upper-cased", {{"C:\\m\\a\\Photo.JPG", ""}, {"C:\\m\\b\\photo.jpg", ""}},
         false, true, {"a\\Photo.JPG", "b\\photo.jpg"}, {}},
        {"different long names sharing an alternate name are no conflict",
         {{"C:\\m\\a\\IMG_20190101_123456.jpg", "IMG_20~1.JPG"},
          {"C:\\m\\b\\IMG_20190202_654321.jpg", "IMG_20~1.JPG"}},
         false, false, {"a\\IMG_20190101_123456.jpg", "b\\IMG_20190202_654321.jpg"}, {}},
        {"long names equal but for case, alternate names apart",
         {{"C:\\m\\a\\IMG_20190101_123456.jpg", "IMG_20~1.JPG"},
          {"C:\\m\\b\\img_20190101_123456.JPG", "IMG_20~2.JPG"}},
         false, true, {"a\\IMG_20190101_123456.jpg", "b\\img_20190101_123456.JPG"}, {}},
        {"a name equal to another's alternate name is no conflict",
         {{"C:\\m\\a\\IMG_20~1.JPG", ""}, {"C:\\m\\b\\IMG_20190102.jpg", "IMG_20~1.JPG"}},
         false, false, {"a\\IMG_20~1.JPG", "b\\IMG_20190102.jpg"}, {}},
        {"a file in the main folder takes part", {{"C:\\m\\x.txt", ""}, {"C:\\m\\a\\X.TXT", ""}}, false, true,
         {"x.txt", "a\\X.TXT"}, {}},
        {"unique names", {{"C:\\m\\a\\1.jpg", ""}, {"C:\\m\\b\\2.jpg", ""}, {"C:\\m\\3.jpg", ""}}, false,
         false, {"a\\1.jpg", "b\\2.jpg", "3.jpg"}, {}},
        {"thumbnail caches take no part and are taken out",
         {{"C:\\m\\a\\Thumbs.db", ""}, {"C:\\m\\x.txt", ""}, {"C:\\m\\b\\thumbs.db", ""},
          {"C:\\m\\c\\long.db", "THUMBS.DB"}, {"C:\\m\\d\\y.txt", "thumbs.db"}},
         false, false, {"x.txt"}, {4, 3, 2, 0}},
        {"the option renames without a scan", {{"C:\\m\\a\\1.jpg", ""}, {"C:\\m\\b\\2.jpg", ""}}, true, true,
         {"a\\1.jpg", "b\\2.jpg"}, {}},
        {"empty inventory", {}, false, false, {}, {}},
    };
    for (const PlanCase& c : cases) {
        RelocationPlan plan = PlanRelocation(c.sources, m, c.renameAlways, UpperAscii);
        EXPECT_EQ(c.rename, plan.rename) << c.what;
        EXPECT_EQ(c.relative, plan.relative) << c.what;
        EXPECT_EQ(c.thumbnails, plan.thumbnails) << c.what;
        EXPECT_EQ(0, plan.strays) << c.what;
    }
}

TEST(PlanRelocation, PathsOutsideTheMainFolderAreLeftAlone) {
    const std::vector<PlanSource> sources = {{"C:\\other\\x.txt", ""}, {"C:\\m\\a\\y.txt", ""},
                                             {"C:\\other\\Thumbs.db", ""}};
    RelocationPlan plan = PlanRelocation(sources, "C:\\m\\", false, UpperAscii);
    EXPECT_EQ(2, plan.strays);
    EXPECT_EQ(std::vector<std::string_view>{"a\\y.txt"}, plan.relative);
    EXPECT_TRUE(plan.thumbnails.empty()) << plan.thumbnails.size();
}

TEST(PlanRelocation, FirstConflictEndsTheScanAndRenamesEveryFile) {
    std::vector<std::string> paths;
    for (int i = 0; i < 1000; ++i) paths.push_back("C:\\m\\f" + std::to_string(i) + "\\n" + std::to_string(i));
    paths.push_back("C:\\m\\late\\N7");
    std::vector<PlanSource> sources;
    for (const std::string& path : paths) sources.push_back({path, ""});
    RelocationPlan plan = PlanRelocation(sources, "C:\\m\\", false, UpperAscii);
    EXPECT_TRUE(plan.rename);
    EXPECT_EQ(1001u, plan.relative.size());
    EXPECT_EQ("f0 n0", TargetName(plan.relative[0], plan.rename));
}

}  // namespace

namespace {

TEST(NameSet, FindsEveryRepeatAndNothingElseWhileGrowing) {
    NameSet set;
    for (int i = 0; i < 5000; ++i) {
        EXPECT_TRUE(InsertName(set, "NAME " + std::to_string(i))) << i;
    }
    for (int i = 0; i < 5000; i += 7) {
        EXPECT_FALSE(InsertName(set, "NAME " + std::to_string(i))) << i;
    }
    EXPECT_TRUE(InsertName(set, ""));
    EXPECT_FALSE(InsertName(set, ""));
    EXPECT_TRUE(InsertName(set, "NAME 5000"));
    EXPECT_FALSE(InsertName(set, "NAME 5000"));
    NameSet reserved;
    ReserveNames(reserved, 3);
    EXPECT_TRUE(InsertName(reserved, "A"));
    EXPECT_TRUE(InsertName(reserved, "B"));
    EXPECT_FALSE(InsertName(reserved, "A"));
}

}  // namespace
