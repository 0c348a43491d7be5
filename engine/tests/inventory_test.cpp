// The file inventory on real folders: order, what is skipped and kept, the caller's folder, the counters, nesting.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "dialog/dialog.h"
#include "tests/support/disk_trees.h"
#include "tests/support/message_window.h"

namespace {

std::vector<std::string> Paths(const std::vector<FileEntry>& entries, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) paths.push_back(entries[i].cFileName);
    return paths;
}

// The order a walk must give, worked out from the listings themselves: a folder's own
// files in listing order, then each subfolder's walk in listing order; dot-folders never.
void ExpectedOrder(const std::string& folder, std::vector<std::string>& order) {
    std::vector<std::string> subfolders;
    for (const std::string& name : ListingOrder(folder)) {
        const bool isFolder = (GetFileAttributesA((folder + name).c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (!isFolder) order.push_back(folder + name);
        if (isFolder && name[0] != '.') subfolders.push_back(folder + name + "\\");
    }
    for (const std::string& subfolder : subfolders) ExpectedOrder(subfolder, order);
}

TEST(ListFiles, OneWalkOverEveryKindOfEntry) {
    ScratchFolder scratch("walk");
    const std::string m = scratch.Path();
    struct Entry {
        const char* relative;
        DWORD attributes;
        bool listed;
    };
    const Entry tree[] = {
        {"x", 0, true}, {"s1\\p", 0, true}, {"y", 0, true}, {"s2\\q", 0, true}, {"s2\\t\\r", 0, true},
        {".htaccess", 0, true}, {"hidden.txt", FILE_ATTRIBUTE_HIDDEN, true},
        {"system.txt", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN, true},
        {"readonly.txt", FILE_ATTRIBUTE_READONLY, true}, {".git\\objects\\ab\\cdef", 0, false},
        {"a\\.cache\\deep\\file.bin", 0, false}, {"a\\.hidden-looking-file", 0, true},
        {"hidden folder\\inside.txt", 0, true},
    };
    for (const Entry& entry : tree) ASSERT_TRUE(MakeFile(m, entry.relative, "z", entry.attributes)) << entry.relative;
    ASSERT_TRUE(SetFileAttributesA((m + "hidden folder").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    std::vector<std::string> expected;
    ExpectedOrder(m, expected);
    for (const Entry& entry : tree) {
        const bool inOrder = std::count(expected.begin(), expected.end(), m + entry.relative) == 1;
        ASSERT_EQ(entry.listed, inOrder) << entry.relative << ": the expected order is wrong itself";
    }
    // Given without its final "\", which the walk adds in the caller's own variable.
    std::string folder = m.substr(0, m.size() - 1);
    std::vector<FileEntry> entries(1);
    const int count = ListFiles(folder, entries, "*.*");
    EXPECT_EQ(m, folder);
    EXPECT_EQ(expected, Paths(entries, count));
    EXPECT_EQ(static_cast<std::size_t>(count), entries.size());
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(0u, entries[i].dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) << entries[i].cFileName;
        EXPECT_EQ(1u, entries[i].nFileSizeLow) << entries[i].cFileName;
    }
    EXPECT_EQ(0, gInventoryCount);
    EXPECT_EQ(0, gWalkDepth);
}

TEST(ListFiles, MasksAndFoldersThatGiveNothing) {
    ScratchFolder scratch("mask");
    const std::string m = scratch.Path();
    for (const char* name : {"a.JPG", "b.jpg", "c.png", "jpg\\d.txt", "e"}) ASSERT_TRUE(MakeFile(m, name, "z"));
    ASSERT_TRUE(MakeFolders(m, "empty\\"));
    struct Case {
        std::string folder;
        const char* mask;
        int count;
    };
    const Case cases[] = {
        {m, "*.*", 5}, {m, "*.jpg", 2}, {m, "*.png;*.txt", 2}, {m, "?", 1}, {m, "*jpg*", 2},
        {m + "no such folder\\", "*.*", 0}, {m + "e", "*.*", 0}, {m + "empty\\", "*.*", 0},
    };
    for (const Case& c : cases) {
        std::vector<FileEntry> entries(1);
        lstrcpynA(entries[0].cFileName, "caller's own", MAX_PATH);
        std::string folder = c.folder;
        EXPECT_EQ(c.count, ListFiles(folder, entries, c.mask)) << c.folder << " " << c.mask;
        // Nothing found leaves the caller's array as it was.
        if (c.count == 0) {
            EXPECT_STREQ("caller's own", entries[0].cFileName) << c.folder;
        }
    }
}

// A handler that starts a walk of its own while the outer walk passes messages on.
struct NestedWalk {
    std::string folder;
    std::vector<FileEntry>* entries;
    int answer;
    int depthInside;
};

void StartNestedWalk(void* context) {
    NestedWalk* nested = static_cast<NestedWalk*>(context);
    nested->depthInside = gWalkDepth;
    nested->answer = ListFiles(nested->folder, *nested->entries, "*.*");
}

TEST(ListFiles, ANestedCallAnswersZeroAndItsFilesJoinTheOuterWalk) {
    ScratchFolder outer("outer");
    ScratchFolder inner("inner");
    ASSERT_TRUE(MakeFile(outer.Path(), "a", "a"));
    ASSERT_TRUE(MakeFile(outer.Path(), "b", "b"));
    ASSERT_TRUE(MakeFile(inner.Path(), "i", "i"));
    std::vector<FileEntry> entries(1);
    NestedWalk nested = {inner.Path(), &entries, -1, -1};
    HWND acting = MakeActingWindow(StartNestedWalk, &nested);
    ASSERT_TRUE(acting != nullptr);
    PostActionRequest(acting);
    std::string folder = outer.Path();
    const int count = ListFiles(folder, entries, "*.*");
    DestroyWindow(acting);
    EXPECT_EQ(0, nested.answer);
    EXPECT_EQ(1, nested.depthInside);
    EXPECT_EQ(3, count);
    std::vector<std::string> listed = Paths(entries, count);
    EXPECT_EQ(1, std::count(listed.begin(), listed.end(), inner.Path() + "i"));
    EXPECT_EQ(0, gWalkDepth);
    // The next walk starts at index 0 again.
    std::vector<FileEntry> again(1);
    folder = inner.Path();
    EXPECT_EQ(1, ListFiles(folder, again, "*.*"));
    EXPECT_STREQ((inner.Path() + "i").c_str(), again[0].cFileName);
}

}  // namespace
