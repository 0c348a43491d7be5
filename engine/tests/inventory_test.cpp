// The file inventory on real folders: order, what is skipped and kept, the caller's folder, the counters.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <algorithm>
#include <set>

#include "dialog/dialog.h"
#include "tests/support/disk_trees.h"
#include "tests/support/program_services.h"

namespace {

std::vector<std::string> Paths(const std::vector<FileEntry>& entries, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) paths.push_back(entries[i].cFileName);
    return paths;
}

TEST(FileEntry, IsTheAnsiFindRecordFieldForField) {
    EXPECT_EQ(sizeof(WIN32_FIND_DATAA), sizeof(FileEntry));
    EXPECT_EQ(0u, offsetof(FileEntry, dwFileAttributes));
    EXPECT_EQ(4u, offsetof(FileEntry, ftCreationTime));
    EXPECT_EQ(20u, offsetof(FileEntry, ftLastWriteTime));
    EXPECT_EQ(28u, offsetof(FileEntry, nFileSizeHigh));
    EXPECT_EQ(44u, offsetof(FileEntry, cFileName));
    EXPECT_EQ(304u, offsetof(FileEntry, cAlternateFileName));
    EXPECT_EQ(260u, sizeof(FileEntry().cFileName));
    EXPECT_EQ(14u, sizeof(FileEntry().cAlternateFileName));
}

TEST(ListFiles, FolderOwnFilesFirstThenEachSubfolderDepthFirst) {
    ScratchFolder scratch("order");
    const std::string m = scratch.Path();
    ASSERT_TRUE(MakeFile(m, "x", "x"));
    ASSERT_TRUE(MakeFile(m, "s1\\p", "p"));
    ASSERT_TRUE(MakeFile(m, "y", "y"));
    ASSERT_TRUE(MakeFile(m, "s2\\q", "q"));
    ASSERT_TRUE(MakeFile(m, "s2\\t\\r", "r"));
    // The listing's own order decides between equals: the files of the main folder and
    // the two subtrees, in the order it delivers them.
    std::vector<std::string> ownFiles;
    std::vector<std::string> subtrees;
    for (const std::string& name : ListingOrder(m)) {
        if (name == "x" || name == "y") ownFiles.push_back(m + name);
        if (name == "s1") subtrees.push_back("s1");
        if (name == "s2") subtrees.push_back("s2");
    }
    ASSERT_EQ(2u, ownFiles.size());
    ASSERT_EQ(2u, subtrees.size());
    std::vector<std::string> expected = ownFiles;
    for (const std::string& subtree : subtrees) {
        if (subtree == "s1") expected.push_back(m + "s1\\p");
        if (subtree == "s2") {
            expected.push_back(m + "s2\\q");
            expected.push_back(m + "s2\\t\\r");
        }
    }
    std::vector<FileEntry> entries(1);
    std::string folder = m;
    int count = ListFiles(folder, entries, "*.*");
    EXPECT_EQ(5, count);
    EXPECT_EQ(5u, entries.size());
    EXPECT_EQ(expected, Paths(entries, count));
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(0u, entries[i].dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) << entries[i].cFileName;
        EXPECT_EQ(1u, entries[i].nFileSizeLow) << entries[i].cFileName;
    }
    EXPECT_EQ(0, gInventoryCount);
    EXPECT_EQ(0, gWalkDepth);
}

TEST(ListFiles, WhatIsTakenAndWhatIsSkipped) {
    ScratchFolder scratch("kinds");
    const std::string m = scratch.Path();
    struct Case {
        const char* relative;
        DWORD attributes;
        bool listed;
    };
    const Case cases[] = {
        {".htaccess", 0, true},
        {"noextension", 0, true},
        {"hidden.txt", FILE_ATTRIBUTE_HIDDEN, true},
        {"system.txt", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN, true},
        {"readonly.txt", FILE_ATTRIBUTE_READONLY, true},
        {"several.dots.in.name.txt", 0, true},
        {".git\\config", 0, false},
        {".git\\objects\\ab\\cdef", 0, false},
        {"a\\.cache\\deep\\file.bin", 0, false},
        {"a\\.hidden-looking-file", 0, true},
    };
    for (const Case& c : cases) ASSERT_TRUE(MakeFile(m, c.relative, "z", c.attributes)) << c.relative;
    ASSERT_TRUE(MakeFile(m, "hidden folder\\inside.txt", "z"));
    ASSERT_TRUE(SetFileAttributesA((m + "hidden folder").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    std::vector<FileEntry> entries(1);
    std::string folder = m;
    int count = ListFiles(folder, entries, "*.*");
    std::vector<std::string> listed = Paths(entries, count);
    std::set<std::string> paths(listed.begin(), listed.end());
    for (const Case& c : cases) {
        EXPECT_EQ(c.listed, paths.count(m + c.relative) == 1) << c.relative;
    }
    EXPECT_EQ(1u, paths.count(m + "hidden folder\\inside.txt"));
    EXPECT_EQ(8, count);
}

TEST(ListFiles, MissingBackslashIsAddedToTheCallersFolder) {
    ScratchFolder scratch("slash");
    ASSERT_TRUE(MakeFile(scratch.Path(), "Photos\\a.jpg", "a"));
    std::string folder = scratch.Path() + "Photos";
    std::vector<FileEntry> entries(1);
    EXPECT_EQ(1, ListFiles(folder, entries, "*.*"));
    EXPECT_EQ(scratch.Path() + "Photos\\", folder);
    EXPECT_STREQ((scratch.Path() + "Photos\\a.jpg").c_str(), entries[0].cFileName);
}

TEST(ListFiles, MaskMatchesBareNamesIgnoringCase) {
    ScratchFolder scratch("mask");
    const std::string m = scratch.Path();
    for (const char* name : {"a.JPG", "b.jpg", "c.png", "jpg\\d.txt", "e"}) ASSERT_TRUE(MakeFile(m, name, "z"));
    struct Case {
        const char* mask;
        int count;
    };
    const Case cases[] = {{"*.*", 5}, {"*.jpg", 2}, {"*.png;*.txt", 2}, {"?", 1}, {"*jpg*", 2}};
    for (const Case& c : cases) {
        std::vector<FileEntry> entries(1);
        std::string folder = m;
        EXPECT_EQ(c.count, ListFiles(folder, entries, c.mask)) << c.mask;
    }
}

TEST(ListFiles, TwoWalksInARowEachStartAtIndexZero) {
    ScratchFolder first("walk1");
    ScratchFolder second("walk2");
    ASSERT_TRUE(MakeFile(first.Path(), "a\\1", "1"));
    ASSERT_TRUE(MakeFile(first.Path(), "b\\2", "2"));
    ASSERT_TRUE(MakeFile(second.Path(), "only", "3"));
    std::vector<FileEntry> entries(1);
    std::string folder = first.Path();
    EXPECT_EQ(2, ListFiles(folder, entries, "*.*"));
    std::vector<FileEntry> again(1);
    folder = second.Path();
    EXPECT_EQ(1, ListFiles(folder, again, "*.*"));
    EXPECT_EQ(1u, again.size());
    EXPECT_STREQ((second.Path() + "only").c_str(), again[0].cFileName);
    EXPECT_EQ(0, gInventoryCount);
    EXPECT_EQ(0, gWalkDepth);
}

TEST(ListFiles, UnlistableFolderGivesZeroAndLeavesTheArrayAlone) {
    ScratchFolder scratch("missing");
    ASSERT_TRUE(MakeFile(scratch.Path(), "plain.txt", "z"));
    const std::string folders[] = {scratch.Path() + "no such folder\\", scratch.Path() + "plain.txt",
                                   scratch.Path() + "empty\\"};
    CreateDirectoryA((scratch.Path() + "empty").c_str(), nullptr);
    for (const std::string& start : folders) {
        std::vector<FileEntry> entries(1);
        lstrcpynA(entries[0].cFileName, "caller's own", MAX_PATH);
        std::string folder = start;
        EXPECT_EQ(0, ListFiles(folder, entries, "*.*")) << start;
        EXPECT_EQ(1u, entries.size()) << start;
        EXPECT_STREQ("caller's own", entries[0].cFileName) << start;
    }
}

// A handler that starts a walk of its own while the outer walk passes messages on.
struct NestedWalk {
    std::string folder;
    std::vector<FileEntry>* entries = nullptr;
    int answer = -1;
    int depthInside = -1;
};
NestedWalk gNested;
const UINT kStartNestedWalk = WM_APP + 7;

LRESULT CALLBACK NestingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kStartNestedWalk) {
        gNested.depthInside = gWalkDepth;
        gNested.answer = ListFiles(gNested.folder, *gNested.entries, "*.*");
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(ListFiles, ANestedCallAnswersZeroAndItsFilesJoinTheOuterWalk) {
    ScratchFolder outer("outer");
    ScratchFolder inner("inner");
    ASSERT_TRUE(MakeFile(outer.Path(), "a", "a"));
    ASSERT_TRUE(MakeFile(outer.Path(), "b", "b"));
    ASSERT_TRUE(MakeFile(inner.Path(), "i", "i"));
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = NestingProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VorlaxNestingTest";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "VorlaxNestingTest", "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(window != nullptr);
    std::vector<FileEntry> entries(1);
    gNested.folder = inner.Path();
    gNested.entries = &entries;
    PostMessageA(window, kStartNestedWalk, 0, 0);
    std::string folder = outer.Path();
    int count = ListFiles(folder, entries, "*.*");
    DestroyWindow(window);
    EXPECT_EQ(0, gNested.answer);
    EXPECT_EQ(1, gNested.depthInside);
    EXPECT_EQ(3, count);
    std::vector<std::string> listed = Paths(entries, count);
    EXPECT_EQ(1, std::count(listed.begin(), listed.end(), inner.Path() + "i"));
    EXPECT_EQ(0, gWalkDepth);
}

int gDispatchedCount = 0;
const UINT kCountMe = WM_APP + 9;

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCountMe) ++gDispatchedCount;
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(DlgDoEvents, EmptyQueueAnswersZeroAndAPostedMessageIsDispatched) {
    MSG stale;
    while (PeekMessageA(&stale, nullptr, 0, 0, PM_REMOVE)) {
    }
    EXPECT_EQ(0, DlgDoEvents(1));
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountingProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VorlaxCountingTest";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "VorlaxCountingTest", "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(window != nullptr);
    gDispatchedCount = 0;
    PostMessageA(window, kCountMe, 0, 0);
    EXPECT_EQ(0, DlgDoEvents(1));
    EXPECT_EQ(1, gDispatchedCount);
    // One message per step: the second waits for the next.
    PostMessageA(window, kCountMe, 0, 0);
    PostMessageA(window, kCountMe, 0, 0);
    DlgDoEvents(0);
    EXPECT_EQ(2, gDispatchedCount);
    DlgDoEvents(0);
    EXPECT_EQ(3, gDispatchedCount);
    DestroyWindow(window);
}

}  // namespace
