// The main folder from real command-line arguments and browse choices, and the system's upper-casing, under Wine.
#include "startup/startup.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/file_services.h"
#include "tests/support/disk_trees.h"

namespace {

TEST(MainFolderFromTail, ArgumentsOnRealFolders) {
    ScratchFolder scratch("startup");
    const std::string root = scratch.Path();
    ASSERT_TRUE(MakeFile(root, "Holiday\\a.jpg", "") && MakeFolders(root, "My Photos\\"));
    // Relative arguments are taken from the current folder.
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
    const UINT errorMode = SetErrorMode(0);
    SetErrorMode(errorMode);
    struct Case {
        std::string tail;
        std::string mainFolder;
    };
    const Case cases[] = {
        {"Holiday", root + "Holiday\\"},
        {".", root},
        // Anything but an existing file names a folder of exactly that name: a mistyped
        // folder is not there, and never becomes its parent.
        {"nothing-here.txt", root + "nothing-here.txt\\"},
        {"Holiday\\a.jpg", root + "Holiday\\"},
        {"\"\"" + root + "a\"b\\c\"\"", root + "a\"b\\c\\"},
        {"\"" + root + "Holiday\"", root + "Holiday\\"},
        {root + "Holiday", root + "Holiday\\"},
        {root + "Holiday\\", root + "Holiday\\"},
        {"\"" + root + "Holiday\\\"", root + "Holiday\\"},
        {root + "Holiday\\a.jpg", root + "Holiday\\"},
        {root + "Missing", root + "Missing\\"},
        {"\"" + root + "Missing\"", root + "Missing\\"},
        {root + "Holiday\\a.jpeg", root + "Holiday\\a.jpeg\\"},
        {root + "Missing\\", root + "Missing\\"},
        {root + "My Photos", root + "My Photos\\"},
        {"\"\"" + root + "My Photos\"\"", root + "My Photos\\"},
        {"", ""},
        {"\"\"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.mainFolder, MainFolderFromTail(c.tail)) << "tail [" << c.tail << "]";
    }
    SetCurrentDirectoryA(previous);
    // The attribute look-ups for missing paths keep their error and leave the error mode.
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, FsGetAttributes(root + "gone\\x"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), FsLastError());
    EXPECT_EQ(errorMode, SetErrorMode(errorMode));
}

TEST(MainFolderFromBrowse, OnlyAFinalBackslashIsAdded) {
    EXPECT_EQ("C:\\Photos\\ C:\\ ", MainFolderFromBrowse("C:\\Photos") + " " + MainFolderFromBrowse("C:\\") + " " +
                                       MainFolderFromBrowse(""));
}

TEST(UpperCased, FollowsTheLocaleInTheUtf8CodePageOfTheManifest) {
    ASSERT_EQ(65001u, GetACP());
    EXPECT_EQ("\xC3\x89T\xC3\x89 SELECT ", UpperCased("\xC3\xA9t\xC3\xA9 Select ") + UpperCased(""));
}

}  // namespace
