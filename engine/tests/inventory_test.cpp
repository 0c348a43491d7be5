// The file inventory on real folders: order, what is skipped and kept, the caller's folder, the counters, nesting.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/disk_trees.h"

namespace {

// A walk that a handler starts while the outer walk passes a message on.
struct NestedWalk { std::string folder; std::vector<FileEntry>* entries; int answer, depthInside; };
NestedWalk gNested;

LRESULT CALLBACK StartNestedWalk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP) return DefWindowProcA(window, message, wParam, lParam);
    gNested.depthInside = gWalkDepth;
    gNested.answer = ListFiles(gNested.folder, *gNested.entries, "*.*");
    return 0;
}

TEST(ListFiles, OneWalkOverEveryKindOfEntryWithANestedWalkInsideThenMasks) {
    ScratchFolder scratch("walk"), inner("inner");
    const std::string m = scratch.Path();
    // In the order expected: the nested walk's file at the first message, then each folder's own files before its
    // subfolders' (Wine lists sorted).
    std::vector<std::string> expected = {inner.Path() + "i"};
    for (const char* file : {".htaccess", "x", "y", "a\\.hidden-looking-file", "hidden folder\\inside.txt", "s1\\p",
                             "s2\\q", "s2\\t\\r"}) {
        ASSERT_TRUE(MakeFile(m, file, "z")) << file;
        expected.push_back(m + file);
    }
    ASSERT_TRUE(MakeFile(m, ".git\\c", "z") && MakeFile(m, "a\\.cache\\f", "z"));  // in dot-folders: left out
    ASSERT_TRUE(SetFileAttributesA((m + "hidden folder").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(MakeFile(inner.Path(), "i", "z"));
    std::vector<FileEntry> entries(1);
    gNested = {inner.Path(), &entries, -1, -1};
    HWND acting = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(acting, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StartNestedWalk));
    ASSERT_TRUE(PostMessageA(acting, WM_APP, 0, 0));
    // Given without its final "\", which the walk adds in the caller's own variable.
    std::string folder = m.substr(0, m.size() - 1);
    const int count = ListFiles(folder, entries, "*.*");
    DestroyWindow(acting);
    EXPECT_EQ(m, folder);
    EXPECT_TRUE(gNested.answer == 0 && gNested.depthInside == 1) << gNested.answer << " " << gNested.depthInside;
    std::vector<std::string> listed;
    for (const FileEntry& entry : entries) {
        listed.push_back(entry.cFileName);
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
