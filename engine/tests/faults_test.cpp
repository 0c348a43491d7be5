// Faults on real folders: locked files, a script that cannot be made, over-long paths, links, the window gone.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include "engine/script_lines.h"
#include "tests/support/disk_trees.h"
#include "tests/support/program_services.h"
#include "startup/texts.h"

namespace {

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() * 2 + 1, L'\0');
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? length - 1 : 0);
    return wide;
}

TEST(Faults, AFileHeldOpenWithoutSharingStaysWithItsFolder) {
    ScratchFolder scratch("locked");
    const std::string m = scratch.Path();
    ASSERT_TRUE(MakeFile(m, "a\\locked.txt", "locked"));
    ASSERT_TRUE(MakeFile(m, "a\\free.txt", "free"));
    ASSERT_TRUE(MakeFile(m, "b\\other.txt", "other"));
    HANDLE held = CreateFileA((m + "a\\locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::vector<int> positions;
    std::string folder = m;
    const int moved = RunOn(folder, false, true, &positions);
    CloseHandle(held);
    EXPECT_EQ(2, moved);
    EXPECT_EQ("locked", ReadWholeFile(m + "a\\locked.txt"));
    EXPECT_EQ("free", ReadWholeFile(m + "free.txt"));
    EXPECT_EQ("other", ReadWholeFile(m + "other.txt"));
    const std::string script = ReadWholeFile(m + Text(TXT_UNDO_FILE));
    EXPECT_EQ(std::string::npos, script.find("locked.txt")) << script;
    EXPECT_NE(std::string::npos, script.find("move \"" + m + "free.txt\"")) << script;
}

TEST(Faults, ScriptNamesTakenByFilesAndFolders) {
    struct Case {
        const char* what;
        std::vector<int> takenByFolders;
        std::vector<int> takenByFiles;
        int scriptNumber;  // 0: no script can be made
    };
    std::vector<int> odd, even;
    for (int number = 1; number <= kUndoScriptNames; ++number) (number % 2 ? odd : even).push_back(number);
    const Case cases[] = {
        {"every name taken: no file moves", odd, even, 0},
        {"the first name a folder's", {1}, {}, 2},
        {"the first two names a hidden read-only file's and a folder's", {2}, {1}, 3},
        {"all but the last", std::vector<int>(odd.begin(), odd.end() - 1), even, kUndoScriptNames},
    };
    for (const Case& c : cases) {
        ScratchFolder scratch("noscript");
        const std::string m = scratch.Path();
        for (int number : c.takenByFolders) {
            // Empty, they add nothing to the inventory.
            ASSERT_TRUE(MakeFolders(m, UndoScriptName(Text(TXT_UNDO_FILE), number) + "\\")) << c.what;
        }
        for (int number : c.takenByFiles) {
            ASSERT_TRUE(MakeFile(m, UndoScriptName(Text(TXT_UNDO_FILE), number), "earlier " + std::to_string(number),
                                 FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY))
                << c.what;
        }
        ASSERT_TRUE(MakeFile(m, "a\\x.txt", "x"));
        ASSERT_TRUE(MakeFile(m, "a\\Thumbs.db", "t"));
        ASSERT_TRUE(MakeFile(m, "b\\c\\y.txt", "y"));
        TreeSnapshot expected = Snapshot(m);
        expected.erase("a\\Thumbs.db");
        std::vector<int> positions;
        std::string folder = m;
        const int moved = RunOn(folder, true, true, &positions);
        if (c.scriptNumber == 0) {
            EXPECT_EQ(0, moved) << c.what;
            EXPECT_TRUE(positions.empty()) << c.what << ": " << positions.size();
        } else {
            EXPECT_EQ(2, moved) << c.what;
            const std::string script = UndoScriptName(Text(TXT_UNDO_FILE), c.scriptNumber);
            expected.erase("a\\");
            expected.erase("a\\x.txt");
            expected.erase("b\\c\\");
            expected.erase("b\\c\\y.txt");
            expected["a x.txt"] = "x";
            expected["b c y.txt"] = "y";
            expected[script] = ReadWholeFile(m + script);
            EXPECT_EQ(0u, expected[script].find("@echo off\r\n")) << c.what << ": " << script;
        }
        TreeSnapshot after = Snapshot(m);
        EXPECT_EQ(expected, after) << c.what << ": " << Describe(after);
    }
}

TEST(Faults, PathsTooLongForTheFindRecordAreLeftWhereTheyAre) {
    ScratchFolder scratch("long");
    const std::string m = scratch.Path();
    ASSERT_TRUE(MakeFile(m, "top\\short.txt", "s"));
    // Folders nested until the folder path is 245 characters long.
    std::string deep = "top\\";
    while (m.size() + deep.size() + 11 <= 245) deep += "ten chars\\";
    deep += std::string(245 - m.size() - deep.size() - 1, 'x') + "\\";
    ASSERT_EQ(245u, m.size() + deep.size());
    ASSERT_TRUE(MakeFile(m, deep + "fits.txt", "fits"));  // 253 characters
    const std::string tooLong = deep + "a name that makes it too long.txt";  // 278 characters
    const std::string deeper = deep + "beyond the limit of the find record\\";
    std::wstring wideRoot = L"\\\\?\\" + Wide(m);
    ASSERT_TRUE(CreateDirectoryW((wideRoot + Wide(deeper)).c_str(), nullptr));
    for (const std::string& relative : {tooLong, deeper + "lost.txt"}) {
        HANDLE file = CreateFileW((wideRoot + Wide(relative)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0,
                                  nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file) << relative.size();
        DWORD written = 0;
        WriteFile(file, "L", 1, &written, nullptr);
        CloseHandle(file);
    }
    std::vector<FileEntry> entries(1);
    std::string folder = m;
    const int count = ListFiles(folder, entries, "*.*");
    EXPECT_EQ(2, count);
    for (int i = 0; i < count; ++i) EXPECT_TRUE(Exists(entries[i].cFileName)) << entries[i].cFileName;

    std::vector<int> positions;
    folder = m;
    EXPECT_EQ(2, RunOn(folder, false, true, &positions));
    EXPECT_EQ("s", ReadWholeFile(m + "short.txt"));
    EXPECT_EQ("fits", ReadWholeFile(m + "fits.txt"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((wideRoot + Wide(deep + "fits.txt")).c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((wideRoot + Wide(tooLong)).c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((wideRoot + Wide(deeper + "lost.txt")).c_str()));
    // The cleanup cannot reach so deep with the ANSI calls.
    DeleteFileW((wideRoot + Wide(tooLong)).c_str());
    DeleteFileW((wideRoot + Wide(deeper + "lost.txt")).c_str());
    RemoveDirectoryW((wideRoot + Wide(deeper)).c_str());
}

TEST(Faults, LinkedFoldersAreNotEntered) {
    ScratchFolder scratch("links");
    ScratchFolder outside("outside");
    const std::string m = scratch.Path();
    ASSERT_TRUE(MakeFile(m, "a\\x.txt", "x"));
    ASSERT_TRUE(MakeFile(outside.Path(), "theirs\\keep.txt", "not ours"));
    const std::string hostMain = HostPath(m);
    const std::string hostOutside = HostPath(outside.Path());
    ASSERT_FALSE(hostMain.empty());
    // Wine makes no link with CreateSymbolicLinkA, so the host's ln makes them.
    DWORD exitCode = 0;
    ASSERT_TRUE(RunAndWait("Z:\\bin\\ln -s \"" + hostMain + "\" \"" + hostMain + "a/loop\"", &exitCode));
    ASSERT_TRUE(RunAndWait("Z:\\bin\\ln -s \"" + hostOutside + "\" \"" + hostMain + "a/elsewhere\"", &exitCode));
    const DWORD loop = GetFileAttributesA((m + "a\\loop").c_str());
    const DWORD elsewhere = GetFileAttributesA((m + "a\\elsewhere").c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, loop);
    ASSERT_NE(0u, loop & FILE_ATTRIBUTE_REPARSE_POINT) << loop;
    ASSERT_NE(0u, elsewhere & FILE_ATTRIBUTE_REPARSE_POINT) << elsewhere;

    std::vector<FileEntry> entries(1);
    std::string folder = m;
    EXPECT_EQ(1, ListFiles(folder, entries, "*.*"));
    std::vector<int> positions;
    folder = m;
    EXPECT_EQ(1, RunOn(folder, true, false, &positions));
    const TreeSnapshot expected = {
        {"a x.txt", "x"}, {"a\\", "<folder>"}, {"a\\loop", "<link>"}, {"a\\elsewhere", "<link>"}};
    TreeSnapshot after = Snapshot(m);
    EXPECT_EQ(expected, after) << Describe(after);
    EXPECT_EQ("not ours", ReadWholeFile(outside.Path() + "theirs\\keep.txt"));
    RunAndWait("Z:\\bin\\rm -f \"" + hostMain + "a/loop\" \"" + hostMain + "a/elsewhere\"", &exitCode);
}

}  // namespace
