// The file inventory on real folders: order, what is skipped and kept, the caller's folder, the counters, nesting.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/disk_trees.h"
#include "tests/support/message_window.h"

namespace {

// A walk that a handler starts while the outer walk passes a message on.
struct NestedWalk { std::string folder; std::vector<FileEntry>* entries; int answer, depthInside; };

TEST(ListFiles, OneWalkOverEveryKindOfEntryWithANestedWalkInsideThenMasks) {
    ScratchFolder scratch("walk"), inner("inner");
    const std::string m = scratch.Path();
    for (const char* file : {"x", "s1\\p", "y", "s2\\q", "s2\\t\\r", ".htaccess", ".git\\c", "a\\.cache\\f",
                             "a\\.hidden-looking-file", "hidden folder\\inside.txt"}) {
        ASSERT_TRUE(MakeFile(m, file, "z")) << file;
    }
    ASSERT_TRUE(SetFileAttributesA((m + "hidden folder").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(MakeFile(inner.Path(), "i", "z"));
    // The nested walk's file comes first, at the first message; Wine lists folders sorted.
    std::vector<std::string> expected = {inner.Path() + "i"};
    for (const char* path : {".htaccess", "x", "y", "a\\.hidden-looking-file", "hidden folder\\inside.txt", "s1\\p", "s2\\q",
                             "s2\\t\\r"}) {
        expected.push_back(m + path);
    }
    std::vector<FileEntry> entries(1);
    NestedWalk nested = {inner.Path(), &entries, -1, -1};
    HWND acting = MakeActingWindow([](void* context) {
        NestedWalk* nested = static_cast<NestedWalk*>(context);
        nested->depthInside = gWalkDepth;
        nested->answer = ListFiles(nested->folder, *nested->entries, "*.*");
    }, &nested);
    PostActionRequest(acting);
    // Given without its final "\", which the walk adds in the caller's own variable.
    std::string folder = m.substr(0, m.size() - 1);
    const int count = ListFiles(folder, entries, "*.*");
    DestroyWindow(acting);
    EXPECT_EQ(m, folder);
    EXPECT_EQ(0, nested.answer);
    EXPECT_EQ(1, nested.depthInside);
    std::vector<std::string> listed;
    for (const FileEntry& entry : entries) {
        listed.push_back(entry.cFileName);
        EXPECT_EQ(0u, entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) << entry.cFileName;
        EXPECT_EQ(1u, entry.nFileSizeLow) << entry.cFileName;
    }
    EXPECT_EQ(expected, listed);
    EXPECT_EQ(static_cast<int>(listed.size()), count);
    EXPECT_TRUE(gInventoryCount == 0 && gWalkDepth == 0) << gInventoryCount << " " << gWalkDepth;
    // Masks match bare names; a walk that finds nothing leaves the caller's array as it was.
    const std::tuple<const char*, const char*, int> masks[] = {{"s2\\", "?", 2}, {"s2\\", "*s2*", 0}, {"x", "*.*", 0}};
    for (const auto& [start, mask, found] : masks) {
        folder = m + start;
        EXPECT_EQ(found, ListFiles(folder, entries, mask)) << start << " " << mask;
        EXPECT_EQ(2u, entries.size()) << start << " " << mask;
    }
}

}  // namespace
