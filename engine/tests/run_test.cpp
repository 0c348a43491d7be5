// The run on real folders: moves, names, thumbnail caches, folders, progress and the undo script, faults on the way.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "engine/script_lines.h"
#include "engine/undo_script.h"
#include "tests/support/disk_trees.h"
#include "tests/support/program_services.h"

namespace {

const std::string kScript = "undo 'Kellerup'.bat";
const std::string kHeader = "@echo off\r\nsetlocal EnableExtensions DisableDelayedExpansion\r\n";

// Points this program's import of `function` at `replacement`; answers the one before.
void* ReplaceImport(const char* function, void* replacement) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
        base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (; module->Name != 0; ++module) {
        auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
        for (; name->u1.AddressOfData != 0; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal) ||
                lstrcmpA(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData)->Name, function) != 0) {
                continue;
            }
            DWORD protection = 0;
            VirtualProtect(&slot->u1.Function, sizeof(void*), PAGE_READWRITE, &protection);
            void* previous = reinterpret_cast<void*>(slot->u1.Function);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slot->u1.Function, sizeof(void*), protection, &protection);
            return previous;
        }
    }
    return nullptr;
}

// The script's writes go through until the last one allowed, which writes half its bytes
// and fails as on a full disk; so do all after it.
int gWritesLeft = 0;
decltype(&WriteFile) gWriteFile = nullptr;
BOOL WINAPI FillingWriteFile(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
    if (--gWritesLeft > 0) return gWriteFile(file, bytes, count, written, overlapped);
    *written = 0;
    if (gWritesLeft == 0) gWriteFile(file, bytes, count / 2, written, overlapped);
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

// The size of the file at each FlushFileBuffers call.
std::vector<LONGLONG> gFlushedSizes;
decltype(&FlushFileBuffers) gFlushFileBuffers = nullptr;
BOOL WINAPI RecordingFlushFileBuffers(HANDLE file) {
    LARGE_INTEGER size = {};
    gFlushedSizes.push_back(GetFileSizeEx(file, &size) ? size.QuadPart : -1);
    return gFlushFileBuffers(file);
}

// The tree in one line: each entry's path, and "=" and its content where that is not the
// path it had (files are made with their path as content); the script's bytes go apart.
std::string Render(const TreeSnapshot& tree, std::string* script) {
    std::string text;
    for (const auto& item : tree) {
        const bool plain = item.second == item.first || item.second == "<folder>" || item.first == kScript;
        text += (text.empty() ? "" : "|") + item.first + (plain ? "" : "=" + item.second);
        if (item.first == kScript) *script = item.second;
    }
    return text;
}

TEST(RelocateFolder, MovesNamesFoldersProgressAndTheUndoScript) {
    // Files and `after` are "|"-separated; "<m>" in the script stands for the main folder.
    // `writes`, when not 0, is the last script write that the disk takes, and only half of it.
    struct Case {
        const char* files;
        DWORD attributes;
        bool renameAlways, createUndo;
        int writes;
        const char* after;
        int moved, count;
        std::vector<int> positions;
        std::string script;
    };
    const Case cases[] = {
        {"a\\x.txt|a\\b\\y.txt", 0, true, true, 0, "a b y.txt=a\\b\\y.txt|a x.txt=a\\x.txt|undo 'Kellerup'.bat", 2, 2,
         {0, 1000},
         kHeader + "md \"<m>a\\\"\r\necho restoring file #0/1   (0%% done)\r\n"
                   "if not exist \"<m>a\\a x.txt\" move \"<m>a x.txt\" \"<m>a\\\"\r\nren \"<m>a\\a x.txt\" \"x.txt\"\r\n"
                   "md \"<m>a\\b\\\"\r\necho restoring file #1/1   (100%% done)\r\n"
                   "if not exist \"<m>a\\b\\a b y.txt\" move \"<m>a b y.txt\" \"<m>a\\b\\\"\r\n"
                   "ren \"<m>a\\b\\a b y.txt\" \"y.txt\"\r\n"},
        {"2019\\summer\\img.jpg|top.txt|a\\photo.jpg|b\\photo.jpg", 0, true, false, 0,
         "2019 summer img.jpg=2019\\summer\\img.jpg|2019\\|a photo.jpg=a\\photo.jpg|b photo.jpg=b\\photo.jpg|top.txt", 3,
         4, {0, 333, 666, 1000}, ""},
        // U+0250 and its capital U+2C6F take 2 and 3 bytes: folded on UTF-16, every byte kept.
        {"a\\a\xC9\x90" "b.txt|b\\A\xE2\xB1\xAF" "B.TXT", 0, false, false, 0,
         "a a\xC9\x90" "b.txt=a\\a\xC9\x90" "b.txt|b A\xE2\xB1\xAF" "B.TXT=b\\A\xE2\xB1\xAF" "B.TXT", 2, 2, {0, 1000}, ""},
        {"a\\\xC9\x90" "b.txt|b\\\xC9\x90" "b.txu", 0, false, true, 0,
         "undo 'Kellerup'.bat|\xC9\x90" "b.txt=a\\\xC9\x90" "b.txt|\xC9\x90" "b.txu=b\\\xC9\x90" "b.txu", 2, 2, {0, 1000},
         kHeader + "chcp 65001 >nul\r\nmd \"<m>a\\\"\r\necho restoring file #0/1   (0%% done)\r\n"
                   "if not exist \"<m>a\\\xC9\x90" "b.txt\" move \"<m>\xC9\x90" "b.txt\" \"<m>a\\\"\r\nmd \"<m>b\\\"\r\n"
                   "echo restoring file #1/1   (100%% done)\r\n"
                   "if not exist \"<m>b\\\xC9\x90" "b.txu\" move \"<m>\xC9\x90" "b.txu\" \"<m>b\\\"\r\n"},
        {"a x.txt|a\\x.txt|b\\y.txt", 0, true, false, 0, "a x.txt|a\\|a\\x.txt|b y.txt=b\\y.txt", 1, 3, {0, 500, 1000}, ""},
        {"Thumbs.db|a\\Thumbs.db|a\\x.txt|only\\thumbs.DB|b\\c\\THUMBS.DB",
         FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false, false, 0,
         "b\\|b\\c\\|only\\|x.txt=a\\x.txt", 1, 1, {0}, ""},
        // Wine lists "a" before "a b": its file takes the name, the other stays.
        {"a b\\x.txt|a\\b x.txt", 0, true, false, 0, "a b x.txt=a\\b x.txt|a b\\|a b\\x.txt", 1, 2, {0, 1000}, ""},
        {"", 0, false, true, 0, "undo 'Kellerup'.bat", 0, 0, {}, kHeader},
        {"d\\0|d\\1|d\\2", 0, true, true, 1, "d\\|d\\0|d\\1|d\\2", 0, 3, {}, ""},
        {"d\\0|d\\1|d\\2", 0, true, true, 4, "d\\|d\\0|d\\1|d\\2|undo 'Kellerup'.bat", 0, 3, {0},
         kHeader + "md \"<m>d\\\"\r\necho restoring file #0/2   (0%% done)\r\n"},
        {"d\\0|d\\1|d\\2", 0, true, true, 5, "d 0=d\\0|d\\|d\\1|d\\2|undo 'Kellerup'.bat", 1, 3, {0, 500},
         kHeader + "md \"<m>d\\\"\r\necho restoring file #0/2   (0%% done)\r\n"
                   "if not exist \"<m>d\\d 0\" move \"<m>d 0\" \"<m>d\\\"\r\nren \"<m>d\\d 0\" \"0\"\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases) + ": " + c.files);
        ScratchFolder scratch("run");
        const std::string m = scratch.Path();
        std::istringstream files(c.files);
        for (std::string file; std::getline(files, file, '|');) ASSERT_TRUE(MakeFile(m, file, file, c.attributes));
        const TreeSnapshot before = Snapshot(m);
        gRelocationCount = -1;
        gFlushedSizes.clear();
        gWritesLeft = c.writes != 0 ? c.writes : INT_MAX;
        gWriteFile = reinterpret_cast<decltype(&WriteFile)>(ReplaceImport("WriteFile", reinterpret_cast<void*>(FillingWriteFile)));
        gFlushFileBuffers = reinterpret_cast<decltype(&FlushFileBuffers)>(
            ReplaceImport("FlushFileBuffers", reinterpret_cast<void*>(RecordingFlushFileBuffers)));
        std::vector<int> positions;
        const int moved = RunOn(m, c.renameAlways, c.createUndo, &positions);
        ReplaceImport("WriteFile", reinterpret_cast<void*>(gWriteFile));
        ReplaceImport("FlushFileBuffers", reinterpret_cast<void*>(gFlushFileBuffers));
        EXPECT_EQ(c.moved, moved);
        EXPECT_EQ(c.count, gRelocationCount);
        EXPECT_EQ(c.positions, positions);
        std::string script;
        EXPECT_EQ(c.after, Render(Snapshot(m), &script));
        std::string expected = c.script;
        for (std::size_t at; (at = expected.find("<m>")) != std::string::npos;) expected.replace(at, 3, m);
        EXPECT_EQ(expected, script);
        // Flushed once, whole, before it was closed; a script that could not be begun, before it went.
        EXPECT_EQ(c.createUndo ? std::vector<LONGLONG>{LONGLONG(script.size())} : std::vector<LONGLONG>{}, gFlushedSizes);
        // Run, the script gives back the tree as it was; Wine's interpreter cannot read UTF-8 ones.
        if (script.empty() || script.find("chcp") != std::string::npos) continue;
        ASSERT_TRUE(RunScripts({m + kScript}, false));
        DeleteFileA((m + kScript).c_str());
        EXPECT_EQ(before, Snapshot(m));
    }
}

// Faults met in one folder: script names taken by folders and files up to the 99th, a file
// held open, paths too long for the find record, links back into the tree and out of it.
// A second run then finds every script name taken and moves nothing.
TEST(RelocateFolder, FaultsOnTheWay) {
    ScratchFolder scratch("faults"), outside("outside");
    const std::string m = scratch.Path();
    for (int number = 1; number < kUndoScriptNames; ++number) {
        const std::string name = UndoScriptName(kScript, number);
        ASSERT_TRUE(number % 2 ? MakeFolders(m, name + "\\")
                               : MakeFile(m, name, name, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    }
    for (const char* file : {"a\\locked.txt", "a\\free.txt", "b\\other.txt"}) ASSERT_TRUE(MakeFile(m, file, file));
    std::string deep = "long\\";
    while (m.size() + deep.size() < 235) deep += "ten chars\\";
    deep += std::string(244 - m.size() - deep.size(), 'x') + "\\";
    ASSERT_TRUE(MakeFile(m, deep + "fits.txt", deep + "fits.txt"));  // 253 characters
    for (const char* name : {"a name that makes it too long.txt", "beyond the find record\\", "beyond the find record\\lost"}) {
        const std::string path = "\\\\?\\" + m + deep + name;
        const std::wstring wide(path.begin(), path.end());
        ASSERT_TRUE(wide.back() == L'\\' ? CreateDirectoryW(wide.c_str(), nullptr)
                                         : CloseHandle(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
    }
    // Wine makes no link with CreateSymbolicLinkA; the host's ln does.
    const std::string loop = "\"" + HostPath(m) + "a/loop\"", elsewhere = "\"" + HostPath(m) + "a/elsewhere\"";
    DWORD exitCode = 0;
    ASSERT_TRUE(RunAndWait("Z:\\bin\\ln -s \"" + HostPath(m) + "\" " + loop, &exitCode));
    ASSERT_TRUE(RunAndWait("Z:\\bin\\ln -s \"" + HostPath(outside.Path()) + "\" " + elsewhere, &exitCode));
    ASSERT_TRUE(MakeFile(outside.Path(), "theirs.txt", "not ours"));
    TreeSnapshot expected = Snapshot(m);
    HANDLE held = CreateFileA((m + "a\\locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    std::vector<int> positions;
    EXPECT_EQ(3, RunOn(m, false, true, &positions));
    CloseHandle(held);
    // 49 earlier scripts, the held file and the ones moved; no path cut, nothing through a link.
    EXPECT_EQ(49 + 4, gRelocationCount);
    for (const std::string& moved : {std::string("a\\free.txt"), std::string("b\\other.txt"), deep + "fits.txt"}) {
        expected[moved.substr(moved.rfind('\\') + 1)] = expected[moved];
        expected.erase(moved);
    }
    expected.erase("b\\");
    TreeSnapshot after = Snapshot(m);
    const std::string last = UndoScriptName(kScript, kUndoScriptNames);
    // The held file's move failed: no line may send anything in its place.
    EXPECT_EQ(std::string::npos, after[last].find("locked")) << after[last];
    EXPECT_EQ(0u, after[last].find(kHeader + "echo restoring file #")) << after[last];
    expected[last] = after[last];
    EXPECT_EQ(expected, after) << Describe(after);
    EXPECT_EQ("not ours", ReadWholeFile(outside.Path() + "theirs.txt"));
    ASSERT_TRUE(MakeFile(m, "c\\z.txt", "z"));
    expected = Snapshot(m);
    EXPECT_EQ(0, RunOn(m, true, true, &positions));
    EXPECT_EQ(expected, Snapshot(m));
    // Removed here: the ANSI calls of the clean-up reach neither so deep nor through a link.
    for (const char* name : {"beyond the find record\\lost", "a name that makes it too long.txt", "beyond the find record\\"}) {
        const std::string path = "\\\\?\\" + m + deep + name;
        const std::wstring wide(path.begin(), path.end());
        if (!DeleteFileW(wide.c_str())) RemoveDirectoryW(wide.c_str());
    }
    RunAndWait("Z:\\bin\\rm -f " + loop + " " + elsewhere, &exitCode);
}

}  // namespace
