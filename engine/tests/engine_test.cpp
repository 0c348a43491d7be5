// The engine on real folders: the walk, a table of runs with their scripts, faults on the way, the safety property.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <climits>
#include <cstring>
#include <random>
#include <set>
#include <sstream>
#include <tuple>
#include <utility>

#include "engine/script_lines.h"
#include "engine/undo_script.h"
#include "tests/support/disk_trees.h"
#include "tests/support/program_services.h"

namespace {

const std::string kScript = "undo 'Kellerup'.bat";
const std::string kHeader = "@echo off\r\nsetlocal EnableExtensions DisableDelayedExpansion\r\n";

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

// This program's import slots, which every call of the two functions goes through.
extern "C" decltype(&WriteFile) __imp_WriteFile;
extern "C" decltype(&FlushFileBuffers) __imp_FlushFileBuffers;

// Points an import slot at a stand-in for its scope, and back at the platform's function
// (kept in `original`, through which the stand-in calls it) afterwards, failed assertions included.
template <class Function>
struct ImportPatch {
    ImportPatch(Function& slot, Function standIn, Function& original) : slot(slot), original(original) {
        original = std::exchange(slot, standIn);
    }
    ~ImportPatch() { slot = original; }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    Function& slot;
    Function& original;
};

// Writes go through until the last one the disk takes, which writes half its bytes and
// fails as on a full disk, as do all after it. Flushes note the size of their file.
int gWritesLeft = INT_MAX;
std::vector<LONGLONG> gFlushedSizes;
decltype(&WriteFile) gWriteFile = nullptr;
decltype(&FlushFileBuffers) gFlushFileBuffers = nullptr;
BOOL WINAPI FillingWriteFile(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
    if (--gWritesLeft > 0) return gWriteFile(file, bytes, count, written, overlapped);
    *written = 0;
    if (gWritesLeft == 0) gWriteFile(file, bytes, count / 2, written, overlapped);
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}
BOOL WINAPI RecordingFlushFileBuffers(HANDLE file) {
    LARGE_INTEGER size = {};
    gFlushedSizes.push_back(GetFileSizeEx(file, &size) ? size.QuadPart : -1);
    return gFlushFileBuffers(file);
}

// The tree in one line: paths, and "=" content where it is not the path it had ("<m>" for `m`).
std::string Render(const std::string& m, const TreeSnapshot& tree) {
    std::string text;
    for (auto item : tree) {
        for (std::size_t at; (at = item.second.find(m)) != std::string::npos;) item.second.replace(at, m.size(), "<m>");
        const bool plain = item.second == item.first || item.second == "<folder>";
        text += (text.empty() ? "" : "|") + item.first + (plain ? "" : "=" + item.second);
    }
    return text;
}

TEST(RelocateFolder, MovesNamesFoldersProgressAndTheUndoScriptInUtf8WhenNeeded) {
    // Files and `after` are "|"-separated; `writes`, if not 0, is the last write the disk takes, and half of it.
    struct Case { const char* files; DWORD attributes; bool renameAlways, createUndo; int writes, moved;
                  std::vector<int> positions; std::string after; };
    const std::string script = "|undo 'Kellerup'.bat=" + kHeader;
    const Case cases[] = {
        {"top.txt|a\\x.txt|a\\b\\y.txt", 0, true, true, 0, 2, {0, 500, 1000},
         "a b y.txt=a\\b\\y.txt|a x.txt=a\\x.txt|top.txt" + script + "echo restoring file #0/2   (0%% done)\r\n"
         "md \"<m>a\\\"\r\necho restoring file #1/2   (50%% done)\r\n"
         "if not exist \"<m>a\\a x.txt\" move \"<m>a x.txt\" \"<m>a\\\"\r\nren \"<m>a\\a x.txt\" \"x.txt\"\r\n"
         "md \"<m>a\\b\\\"\r\necho restoring file #2/2   (100%% done)\r\n"
         "if not exist \"<m>a\\b\\a b y.txt\" move \"<m>a b y.txt\" \"<m>a\\b\\\"\r\n"
         "ren \"<m>a\\b\\a b y.txt\" \"y.txt\"\r\n"},
        {"\xC3\xA9", 0, false, true, 0, 0, {0},
         script.substr(1) + "chcp 65001 >nul\r\necho restoring file #0/0   (0%% done)\r\n|\xC3\xA9"},
        // U+0250 and its capital U+2C6F take 2 and 3 bytes: folded on UTF-16, every byte kept, they make the run
        // rename. Wine lists "a" before "a b": its "b x.txt" takes the name, the other stays.
        {"Thumbs.db|a\\Thumbs.db|a\\y.txt|only\\thumbs.DB|b\\c\\THUMBS.DB|.git\\x|a\\.f|a\\a\xC9\x90" "b.txt|"
         "b\\A\xE2\xB1\xAF" "B.TXT|a b\\x.txt|a\\b x.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
         FILE_ATTRIBUTE_SYSTEM, false, false, 0, 5, {0, 200, 400, 600, 800, 1000}, ".git\\|.git\\x|a .f=a\\.f|a a"
         "\xC9\x90" "b.txt=a\\a\xC9\x90" "b.txt|a b x.txt=a\\b x.txt|a b\\|a b\\x.txt|a y.txt=a\\y.txt|b A\xE2\xB1\xAF"
         "B.TXT=b\\A\xE2\xB1\xAF" "B.TXT|b\\|b\\c\\|only\\"},
        // Folder description files as Windows and macOS make them: photos keep their names, each of them its folder's.
        {"desktop.ini|a\\desktop.ini|a\\.DS_Store|a\\p.jpg|a\\b\\desktop.ini|b\\.DS_Store|b\\q.jpg",
         FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false, false, 0, 6, {0, 166, 333, 500, 666, 833, 1000},
         "a .DS_Store=a\\.DS_Store|a b desktop.ini=a\\b\\desktop.ini|a desktop.ini=a\\desktop.ini|"
         "b .DS_Store=b\\.DS_Store|desktop.ini|p.jpg=a\\p.jpg|q.jpg=b\\q.jpg"},
        {"d\\0|d\\1", 0, true, true, 1, 0, {}, "d\\|d\\0|d\\1"},
        {"d\\0|d\\1", 0, true, true, 4, 0, {0},
         "d\\|d\\0|d\\1" + script + "md \"<m>d\\\"\r\necho restoring file #0/1   (0%% done)\r\n"},
    };
    const ImportPatch writes(__imp_WriteFile, &FillingWriteFile, gWriteFile);
    const ImportPatch flushes(__imp_FlushFileBuffers, &RecordingFlushFileBuffers, gFlushFileBuffers);
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases) + ": " + c.files);
        ScratchFolder scratch("run");
        const std::string m = scratch.Path();
        std::istringstream files(c.files);
        for (std::string file; std::getline(files, file, '|');) ASSERT_TRUE(MakeFile(m, file, file, c.attributes));
        gFlushedSizes.clear();
        gWritesLeft = c.writes != 0 ? c.writes : INT_MAX;
        std::vector<int> positions;
        EXPECT_EQ(c.moved, RunOn(m, c.renameAlways, c.createUndo, &positions));
        gWritesLeft = INT_MAX;
        EXPECT_EQ(c.positions, positions);
        // The relocation count is the number of files the move pass handles, thumbnail caches aside.
        EXPECT_TRUE(c.writes != 0 || gRelocationCount == static_cast<int>(positions.size())) << gRelocationCount;
        TreeSnapshot after = Snapshot(m);
        EXPECT_EQ(c.after, Render(m, after));
        // Flushed once, whole, before it was closed; a script that could not be begun, before it went.
        const std::vector<LONGLONG> flushed = {static_cast<LONGLONG>(after[kScript].size())};
        EXPECT_EQ(c.createUndo ? flushed : std::vector<LONGLONG>(), gFlushedSizes);
    }
    // Lines from another code page go out in UTF-8.
    ScratchFolder scratch("convert");
    UndoScript converted;
    ASSERT_TRUE(OpenUndoScript(converted, scratch.Path(), "1252.bat", true, 1252));
    EXPECT_TRUE(WriteUndoLine(converted, "md \"C:\\caf\xE9\\\"\r\n"));
    CloseUndoScript(converted);
    EXPECT_EQ(kHeader + "chcp 65001 >nul\r\nmd \"C:\\caf\xC3\xA9\\\"\r\n", ReadWholeFile(scratch.Path() + "1252.bat"));
}

// Faults met in one folder: script names taken by folders and files up to the 99th, a file held
// open, paths of 259 and 260 characters, a link out of the tree; then every name taken.
TEST(RelocateFolder, FaultsOnTheWay) {
    ScratchFolder scratch("faults"), outside("outside");
    const std::string m = scratch.Path();
    for (int number = 1; number < kUndoScriptNames; ++number) {
        const std::string name = UndoScriptName(kScript, number) + (number % 2 ? "\\" : "");
        ASSERT_TRUE(number % 2 ? MakeFolders(m, name)
                               : MakeFile(m, name, name, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    }
    const std::string deep = "long\\" + std::string(234 - m.size(), 'x') + "\\", fits = std::string(15, 'f') + ".txt";
    for (const std::string& file : {std::string("a\\locked.txt"), std::string("a\\free.txt"), deep + fits}) {
        ASSERT_TRUE(MakeFile(m, file, file)) << file;
    }
    const std::wstring tooLong = std::wstring(L"\\\\?\\") + std::wstring(m.begin(), m.end()) +
                                 std::wstring(deep.begin(), deep.end()) + L"f" + std::wstring(fits.begin(), fits.end());
    ASSERT_TRUE(CloseHandle(CreateFileW(tooLong.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
    ASSERT_TRUE(MakeFile(outside.Path(), "theirs.txt", "not ours"));
    const std::string link = m + "a\\elsewhere";
    ASSERT_TRUE(RunOnHost("ln", "-s", {outside.Path(), link}));
    for (int wait = 0; wait < 100 && !Exists(link); ++wait) Sleep(10);
    ASSERT_TRUE(Exists(link)) << link;
    TreeSnapshot expected = Snapshot(m);
    HANDLE held = CreateFileA((m + "a\\locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(2, RunOn(m, false, true));
    CloseHandle(held);
    for (const std::string& moved : {std::string("a\\free.txt"), deep + fits}) {
        expected[moved.substr(moved.rfind('\\') + 1)] = moved;
        expected.erase(moved);
    }
    TreeSnapshot after = Snapshot(m);
    const std::string last = UndoScriptName(kScript, kUndoScriptNames);
    // The held file's move failed: no line may send anything in its place.
    EXPECT_EQ(std::string::npos, after[last].find("locked")) << after[last];
    expected[last] = after[last];
    EXPECT_EQ(expected, after);
    EXPECT_EQ(0, RunOn(m, true, true));  // nothing moves now, not even the file no longer held
    EXPECT_EQ(after, Snapshot(m));
    DeleteFileW(tooLong.c_str());  // the clean-up's ANSI calls reach neither so deep nor through a link
    RunOnHost("rm", "-f", {link});
}

// Under Wine folders keep no read-only mark and go however marked, so the three calls answer here as Windows answers
// for the folders the test marks: read-only reported, the mark set and cleared, removal refused. The run names a
// folder with its final "\", a file without.
extern "C" decltype(&GetFileAttributesA) __imp_GetFileAttributesA;
extern "C" decltype(&SetFileAttributesA) __imp_SetFileAttributesA;
extern "C" decltype(&RemoveDirectoryA) __imp_RemoveDirectoryA;
decltype(&GetFileAttributesA) gGetFileAttributesA = nullptr;
decltype(&SetFileAttributesA) gSetFileAttributesA = nullptr;
decltype(&RemoveDirectoryA) gRemoveDirectoryA = nullptr;
std::set<std::string> gMarkedReadOnly;
DWORD WINAPI MarkedGetFileAttributesA(LPCSTR path) {
    return gGetFileAttributesA(path) | (gMarkedReadOnly.count(path) != 0 ? FILE_ATTRIBUTE_READONLY : 0);
}
BOOL WINAPI MarkedSetFileAttributesA(LPCSTR path, DWORD attributes) {
    const bool folder = path[0] != '\0' && path[strlen(path) - 1] == '\\';
    if (folder && (attributes & FILE_ATTRIBUTE_READONLY) != 0) gMarkedReadOnly.insert(path);
    if (folder && (attributes & FILE_ATTRIBUTE_READONLY) == 0) gMarkedReadOnly.erase(path);
    return gSetFileAttributesA(path, attributes);
}
BOOL WINAPI MarkedRemoveDirectoryA(LPCSTR path) {
    if (gMarkedReadOnly.count(path) == 0) return gRemoveDirectoryA(path);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

// The run's waits for held files, in order; the file held for a moment is let go during its second wait.
std::vector<int> gWaits;
HANDLE gHeldForAMoment = INVALID_HANDLE_VALUE;
void RecordWait(void*, int milliseconds) {
    gWaits.push_back(milliseconds);
    if (gWaits.size() == 2) CloseHandle(std::exchange(gHeldForAMoment, INVALID_HANDLE_VALUE));
}
int RunWaitingFor(const std::string& m) {
    RunRequest request = {m, false, true, RunTexts{kScript, "echo restoring file #", "done"}, {}};
    request.sink.pause = RecordWait;
    gWaits.clear();
    return RelocateFolder(request);
}
HANDLE HoldOpen(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

// Files another program holds for a moment are tried again: one let go during its second wait moves and is undone
// like the rest; one held throughout stays after the four waits, with its folder. Folders marked read-only go once
// emptied; a marked one that still holds a file stays, marked. A run waits 10 s at most.
TEST(RelocateFolder, HeldFilesAndReadOnlyFolders) {
    ScratchFolder scratch("held"), many("many");
    const std::string m = scratch.Path();
    for (const char* file : {"a moment\\m.txt", "b held\\h.txt", "c marked\\x.txt", "d plain\\p.txt"}) {
        ASSERT_TRUE(MakeFile(m, file, file)) << file;
    }
    const TreeSnapshot before = Snapshot(m);
    const ImportPatch get(__imp_GetFileAttributesA, &MarkedGetFileAttributesA, gGetFileAttributesA);
    const ImportPatch set(__imp_SetFileAttributesA, &MarkedSetFileAttributesA, gSetFileAttributesA);
    const ImportPatch remove(__imp_RemoveDirectoryA, &MarkedRemoveDirectoryA, gRemoveDirectoryA);
    gMarkedReadOnly = {m + "b held\\", m + "c marked\\"};
    gHeldForAMoment = HoldOpen(m + "a moment\\m.txt");
    const HANDLE heldThroughout = HoldOpen(m + "b held\\h.txt");
    EXPECT_EQ(3, RunWaitingFor(m));
    CloseHandle(heldThroughout);
    EXPECT_EQ((std::vector<int>{50, 100, 50, 100, 200, 400}), gWaits) << "the run's waits";
    EXPECT_EQ("b held\\|b held\\h.txt|m.txt=a moment\\m.txt|p.txt=d plain\\p.txt|undo 'Kellerup'.bat",
              Render(m, Snapshot(m)).substr(0, Render(m, Snapshot(m)).find("=@echo")));
    EXPECT_EQ(std::set<std::string>{m + "b held\\"}, gMarkedReadOnly) << "folders marked read-only";
    gMarkedReadOnly.clear();
    ASSERT_EQ("", RunScripts({m + kScript}, false));
    DeleteFileA((m + kScript).c_str());
    EXPECT_EQ(before, Snapshot(m)) << "after the script";
    // Fifteen files held throughout: thirteen wait their four waits, the fourteenth what is left of 10 s, the last
    // none.
    std::vector<HANDLE> held;
    for (int i = 0; i < 15; ++i) {
        ASSERT_TRUE(MakeFile(many.Path(), "f\\" + std::to_string(100 + i), "x"));
        held.push_back(HoldOpen(many.Path() + "f\\" + std::to_string(100 + i)));
    }
    EXPECT_EQ(0, RunWaitingFor(many.Path()));
    for (HANDLE file : held) CloseHandle(file);
    EXPECT_EQ(55u, gWaits.size());
    EXPECT_EQ(10000, std::accumulate(gWaits.begin(), gWaits.end(), 0)) << "milliseconds waited in all";
}

// Names the interpreter could misread; delayed expansion would drop each "!" pair.
const char* const kPieces[] = {"photo", "IMG_2019.JPG", "a b", "x.y.z", "100%", "R&D", "up^down.tar.gz", "it's",
                               "desktop.ini", ".DS_Store",
                               "%PATH%", "(1) q", "x!y!", "r!q!&(s).txt"};

std::string RandomName(std::mt19937& random) {
    return kPieces[random() % std::size(kPieces)] + (random() % 2 ? " " + std::to_string(random() % 100) : "");
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\', path.size() - 2) + 1);
}

// One seed: a tree (dot-folders among its folders; plain, hidden, system and read-only files, folder description
// files among them), one to three runs in either rename mode with a user's changes between and after them, then every
// script newest first, delayed expansion on for odd seeds. No byte is lost; all of the first tree, marks included, is
// back in place unless a change touched its folder.
void CheckSeed(unsigned seed, int& putBack) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    ScratchFolder scratch("safety%");
    const std::string m = scratch.Path();
    std::mt19937 random(seed);
    std::vector<std::string> folders = {""};
    for (int i = 0; i < 8; ++i) {
        folders.push_back(folders[random() % folders.size()] + (random() % 7 ? RandomName(random) : ".dot") + "\\");
    }
    const DWORD attributes[] = {0, 0, 0, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_READONLY,
                                FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM};
    for (int i = 0; i < 20; ++i) {
        const std::string path = folders[random() % folders.size()] + RandomName(random);
        // A name taken already, letter case aside, is not made again.
        MakeFile(m, path, path + " #" + std::to_string(random()), attributes[random() % std::size(attributes)]);
    }
    const TreeSnapshot first = Snapshot(m, true);
    std::vector<std::string> places;  // where files were
    for (const auto& item : first) {
        if (item.second != "<folder>" && item.first.find('\\') != std::string::npos) places.push_back(item.first);
    }
    std::set<std::string> touched;
    int changes = 0;
    auto change = [&]() {
        const std::string made = "made by the user " + std::to_string(++changes);
        const std::string place = places.empty() ? "none\\" : places[random() % places.size()];
        const std::string folder = FolderOf(place);
        std::string renamed = place;
        std::replace(renamed.begin(), renamed.end(), '\\', ' ');
        // A removed folder made again, maybe with a file where a moved one was or where a renamed one goes back.
        if (random() % 2 == 0) {
            MakeFolders(m, folder);
            if (random() % 3 && MakeFile(m, random() % 2 ? place : folder + renamed, made)) touched.insert(folder);
        } else {  // more files, in a folder of their own
            MakeFile(m, "dropped " + std::to_string(changes) + "\\" + RandomName(random), made);
        }
    };
    const int runs = 1 + static_cast<int>(random() % 3);
    for (int run = 0; run < runs; ++run) {
        for (int left = run == 0 ? 0 : random() % 3; left > 0; --left) change();
        RunOn(m, run == 0 ? seed % 2 == 0 : random() % 2 == 0, true);
    }
    for (int left = 1 + random() % 4; left > 0; --left) change();
    std::vector<std::string> scripts;
    for (int number = runs; number >= 1; --number) scripts.push_back(m + UndoScriptName(kScript, number));
    const TreeSnapshot beforeScripts = Snapshot(m, true);
    ASSERT_EQ("", RunScripts(scripts, seed % 2 != 0));
    const TreeSnapshot after = Snapshot(m, true);
    std::map<std::size_t, int> left;  // by the hash of their content
    for (const auto& item : after) ++left[std::hash<std::string>()(item.second)];
    for (const auto& item : beforeScripts) {
        EXPECT_LE(0, --left[std::hash<std::string>()(item.second)]) << "[" << item.first << "] gone: " << item.second;
        putBack += item.second != "<folder>" && !after.count(item.first);
    }
    for (const auto& item : first) {
        if (touched.count(FolderOf(item.first))) continue;
        const auto found = after.find(item.first);
        EXPECT_TRUE(found != after.end() && found->second == item.second) << "[" << item.first << "] is not back";
    }
}

TEST(SafetyProperty, EveryScriptNewestFirstAfterUserChangesLosesNoByteAndPutsBackWhatNobodyTouched) {
    int putBack = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) CheckSeed(seed, putBack);
    EXPECT_GT(putBack, 60) << "files put back by the scripts";
}

}  // namespace
