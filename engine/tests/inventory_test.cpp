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
    const std::pair<const char*, DWORD> files[] = {
        {"x", 0}, {"s1\\p", 0}, {"y", 0}, {"s2\\q", 0}, {"s2\\t\\r", 0}, {".htaccess", 0}, {".git\\objects\\cdef", 0},
        {"hidden.txt", FILE_ATTRIBUTE_HIDDEN}, {"system.txt", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN},
        {"readonly.txt", FILE_ATTRIBUTE_READONLY}, {"a\\.cache\\deep\\file.bin", 0}, {"a\\.hidden-looking-file", 0},
        {"hidden folder\\inside.txt", 0}};
    for (const auto& file : files) ASSERT_TRUE(MakeFile(m, file.first, "z", file.second)) << file.first;
    ASSERT_TRUE(SetFileAttributesA((m + "hidden folder").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(MakeFile(inner.Path(), "i", "z"));
    // The nested walk runs at the first message passed on and stores its file first; after
    // it, Wine lists each folder sorted: its own files, then each subfolder's, depth first.
    std::vector<std::string> expected = {inner.Path() + "i"};
    for (const char* path : {".htaccess", "hidden.txt", "readonly.txt", "system.txt", "x", "y", "a\\.hidden-looking-file",
                             "hidden folder\\inside.txt", "s1\\p", "s2\\q", "s2\\t\\r"}) {
        expected.push_back(m + path);
    }
    std::vector<FileEntry> entries(1);
    NestedWalk nested = {inner.Path(), &entries, -1, -1};
    HWND acting = MakeActingWindow([](void* context) {
        NestedWalk* nested = static_cast<NestedWalk*>(context);
        nested->depthInside = gWalkDepth;
        nested->answer = ListFiles(nested->folder, *nested->entries, "*.*");
    }, &nested);
    ASSERT_TRUE(acting != nullptr);
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
    EXPECT_EQ(0, gInventoryCount);
    EXPECT_EQ(0, gWalkDepth);
    // Masks match the bare name; a folder that cannot be listed gives nothing and leaves the
    // caller's array as the walk before left it.
    const std::tuple<const char*, const char*, int> masks[] = {
        {"s2\\", "?", 2}, {"s2\\", "*s2*", 0}, {"x", "*.*", 0}, {"no such folder\\", "*.*", 0}};
    for (const auto& [start, mask, found] : masks) {
        folder = m + start;
        EXPECT_EQ(found, ListFiles(folder, entries, mask)) << start << " " << mask;
        EXPECT_EQ(2u, entries.size()) << start << " " << mask;
    }
}

}  // namespace
