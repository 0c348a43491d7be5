// The run on real folders: a table of runs with their scripts, faults on the way, and the safety property.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <random>
#include <set>
#include <sstream>

#include "engine/script_lines.h"
#include "engine/undo_script.h"
#include "tests/support/disk_trees.h"
#include "tests/support/program_services.h"

namespace {

const std::string kScript = "undo 'Kellerup'.bat";
const std::string kHeader = "@echo off\r\nsetlocal EnableExtensions DisableDelayedExpansion\r\n";

// Points this program's import of `function` at `replacement`; answers the one before.
template <typename Function>
Function ReplaceImport(const char* function, Function replacement) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); module->Name != 0; ++module) {
        auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk); name->u1.AddressOfData != 0;
             ++name, ++slot) {
            const auto* import = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
            if (!IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal) && lstrcmpA(import->Name, function) == 0) {
                const Function previous = reinterpret_cast<Function>(slot->u1.Function);
                slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
                return previous;
            }
        }
    }
    return nullptr;
}

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
        {"a\\x.txt|a\\b\\y.txt", 0, true, true, 0, 2, {0, 1000}, "a b y.txt=a\\b\\y.txt|a x.txt=a\\x.txt" + script +
         "md \"<m>a\\\"\r\necho restoring file #0/1   (0%% done)\r\n"
         "if not exist \"<m>a\\a x.txt\" move \"<m>a x.txt\" \"<m>a\\\"\r\nren \"<m>a\\a x.txt\" \"x.txt\"\r\n"
         "md \"<m>a\\b\\\"\r\necho restoring file #1/1   (100%% done)\r\n"
         "if not exist \"<m>a\\b\\a b y.txt\" move \"<m>a b y.txt\" \"<m>a\\b\\\"\r\n"
         "ren \"<m>a\\b\\a b y.txt\" \"y.txt\"\r\n"},
        {"2019\\summer\\img.jpg|top.txt|a\\photo.jpg|b\\photo.jpg", 0, true, false, 0, 3, {0, 333, 666, 1000},
         "2019 summer img.jpg=2019\\summer\\img.jpg|2019\\|a photo.jpg=a\\photo.jpg|b photo.jpg=b\\photo.jpg|top.txt"},
        // U+0250 and its capital U+2C6F take 2 and 3 bytes: folded on UTF-16, every byte kept.
        {"a\\a\xC9\x90" "b.txt|b\\A\xE2\xB1\xAF" "B.TXT", 0, false, false, 0, 2, {0, 1000},
         "a a\xC9\x90" "b.txt=a\\a\xC9\x90" "b.txt|b A\xE2\xB1\xAF" "B.TXT=b\\A\xE2\xB1\xAF" "B.TXT"},
        {"a\\\xC9\x90" "b.txt|b\\\xC9\x90" "b.txu", 0, false, false, 0, 2, {0, 1000},
         "\xC9\x90" "b.txt=a\\\xC9\x90" "b.txt|\xC9\x90" "b.txu=b\\\xC9\x90" "b.txu"},
        {"\xC3\xA9", 0, false, true, 0, 0, {0},
         script.substr(1) + "chcp 65001 >nul\r\necho restoring file #0/0   (0%% done)\r\n|\xC3\xA9"},
        {"Thumbs.db|a\\Thumbs.db|a\\x.txt|only\\thumbs.DB|b\\c\\THUMBS.DB|.git\\x|a\\.f",
         FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false, false, 0, 2, {0, 1000},
         ".f=a\\.f|.git\\|.git\\x|b\\|b\\c\\|only\\|x.txt=a\\x.txt"},
        // Wine lists "a" before "a b": its file takes the name, the other stays.
        {"a b\\x.txt|a\\b x.txt", 0, true, false, 0, 1, {0, 1000}, "a b x.txt=a\\b x.txt|a b\\|a b\\x.txt"},
        {"", 0, false, true, 0, 0, {}, script.substr(1)},
        {"d\\0|d\\1", 0, true, true, 1, 0, {}, "d\\|d\\0|d\\1"},
        {"d\\0|d\\1", 0, true, true, 4, 0, {0},
         "d\\|d\\0|d\\1" + script + "md \"<m>d\\\"\r\necho restoring file #0/1   (0%% done)\r\n"},
    };
    gWriteFile = ReplaceImport("WriteFile", &FillingWriteFile);
    gFlushFileBuffers = ReplaceImport("FlushFileBuffers", &RecordingFlushFileBuffers);
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
    ReplaceImport("WriteFile", gWriteFile);
    ReplaceImport("FlushFileBuffers", gFlushFileBuffers);
    // Lines from another code page go out in UTF-8.
    ScratchFolder scratch("convert");
    UndoScript converted;
    ASSERT_TRUE(OpenUndoScript(converted, scratch.Path(), "1252.bat", true, 1252));
    EXPECT_TRUE(WriteUndoLine(converted, "md \"C:\\caf\xE9\\\"\r\n"));
    CloseUndoScript(converted);
    EXPECT_EQ(kHeader + "chcp 65001 >nul\r\nmd \"C:\\caf\xC3\xA9\\\"\r\n", ReadWholeFile(scratch.Path() + "1252.bat"));
}

// Faults met in one folder: script names taken by folders and files up to the 99th, a file held
// open, a path too long for the find record, a link out of the tree; then every name taken.
TEST(RelocateFolder, FaultsOnTheWay) {
    ScratchFolder scratch("faults"), outside("outside");
    const std::string m = scratch.Path();
    for (int number = 1; number < kUndoScriptNames; ++number) {
        const std::string name = UndoScriptName(kScript, number) + (number % 2 ? "\\" : "");
        ASSERT_TRUE(number % 2 ? MakeFolders(m, name)
                               : MakeFile(m, name, name, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    }
    const std::string deep = "long\\" + std::string(238 - m.size(), 'x') + "\\";
    for (const std::string& file : {std::string("a\\locked.txt"), std::string("a\\free.txt"), deep + "fits.txt"}) {
        ASSERT_TRUE(MakeFile(m, file, file));  // fits.txt: 253 characters
    }
    const std::string tooLong = "\\\\?\\" + m + deep + "a name that makes it too long.txt";
    const std::wstring wide(tooLong.begin(), tooLong.end());
    ASSERT_TRUE(CloseHandle(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
    // Wine makes no link with CreateSymbolicLinkA; the host's ln does, and Wine does not wait for it.
    const std::string link = "\"" + HostPath(m) + "a/elsewhere\"";
    DWORD exitCode = 0;
    ASSERT_TRUE(MakeFile(outside.Path(), "theirs.txt", "not ours"));
    ASSERT_TRUE(RunAndWait("Z:\\bin\\ln -s \"" + HostPath(outside.Path()) + "\" " + link, &exitCode));
    for (int wait = 0; wait < 100 && !Exists(m + "a\\elsewhere"); ++wait) Sleep(10);
    TreeSnapshot expected = Snapshot(m);
    HANDLE held = CreateFileA((m + "a\\locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(2, RunOn(m, false, true));
    CloseHandle(held);
    // The 49 earlier scripts and the held file counted; no path cut, nothing through the link.
    EXPECT_EQ(49 + 3, gRelocationCount);
    expected["free.txt"] = "a\\free.txt";
    expected["fits.txt"] = deep + "fits.txt";
    expected.erase("a\\free.txt");
    expected.erase(deep + "fits.txt");
    TreeSnapshot after = Snapshot(m);
    const std::string last = UndoScriptName(kScript, kUndoScriptNames);
    // The held file's move failed: no line may send anything in its place.
    EXPECT_EQ(std::string::npos, after[last].find("locked")) << after[last];
    expected[last] = after[last];
    EXPECT_EQ(expected, after) << Describe(after);
    EXPECT_EQ(0, RunOn(m, true, true));  // nothing moves now, not even the file no longer held
    EXPECT_EQ(after, Snapshot(m));
    DeleteFileW(wide.c_str());  // the clean-up's ANSI calls reach neither so deep nor through a link
    RunAndWait("Z:\\bin\\rm -f " + link, &exitCode);
}

// Names the interpreter could misread; delayed expansion would drop each "!" pair.
const char* const kPieces[] = {"photo", "IMG_2019.JPG", "a b", "x.y.z", "100%", "R&D", "up^down.tar.gz", "it's",
                               "%PATH%", "(1) q", "x!y!", "r!q!&(s).txt"};
const std::string kThumbnail = "a thumbnail cache";

std::string RandomName(std::mt19937& random) {
    return kPieces[random() % std::size(kPieces)] + (random() % 2 ? " " + std::to_string(random() % 100) : "");
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\', path.size() - 2) + 1);
}

// Folders, dot-folders among them; plain, hidden, read-only files; thumbnail caches; decoys.
void BuildRandomTree(const std::string& m, std::mt19937& random) {
    std::vector<std::string> folders = {""};
    for (int i = 0; i < 8; ++i) {
        folders.push_back(folders[random() % folders.size()] + (random() % 7 ? RandomName(random) : ".dot") + "\\");
    }
    const DWORD attributes[] = {0, 0, 0, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_READONLY};
    for (int i = 0; i < 20; ++i) {
        const bool thumbnail = random() % 9 == 0;
        const std::string name = thumbnail ? "Thumbs.db" : RandomName(random);
        const std::string path = folders[random() % folders.size()] + name;
        // A name taken already, letter case aside, is not made again.
        MakeFile(m, path, thumbnail ? kThumbnail : path + " #" + std::to_string(random()), attributes[random() % 5]);
        const std::size_t bang = name.find('!');  // a main-folder file named as delayed expansion would read this one
        if (bang != std::string::npos) MakeFile(m, name.substr(0, bang) + name.substr(name.rfind('!') + 1), "decoy " + name);
    }
}

struct Tally { int runs = 0, changes = 0, putBack = 0; };

// One seed: a tree, one to three runs in either rename mode with a user's changes between and
// after them, then every script newest first, delayed expansion on for odd seeds. No byte is lost;
// all of the first tree is back in place unless a change deleted it or touched its folder.
void CheckSeed(unsigned seed, Tally& tally) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    ScratchFolder scratch("safety%");
    const std::string m = scratch.Path();
    std::mt19937 random(seed);
    BuildRandomTree(m, random);
    const TreeSnapshot first = Snapshot(m);
    std::vector<std::string> places;  // where files were
    for (const auto& item : first) {
        if (item.second != "<folder>" && item.first.find('\\') != std::string::npos) places.push_back(item.first);
    }
    std::set<std::string> touched, deleted;
    auto change = [&]() {
        const std::string made = "made by the user " + std::to_string(++tally.changes);
        const std::string place = places.empty() ? "none\\" : places[random() % places.size()];
        const std::string folder = FolderOf(place);
        std::string renamed = place;
        std::replace(renamed.begin(), renamed.end(), '\\', ' ');
        const std::vector<std::string> inMain = ListingOrder(m);
        const std::string gone = m + inMain[random() % inMain.size()];
        const unsigned kind = random() % 4;
        if (kind == 0) {  // a removed folder made again, maybe a file where a moved one was or a renamed one goes back
            MakeFolders(m, folder);
            if (random() % 3 && MakeFile(m, random() % 2 ? place : folder + renamed, made)) touched.insert(folder);
        } else if (kind == 1) {  // a file in the main folder deleted, scripts aside
            deleted.insert(ReadWholeFile(gone));
            SetFileAttributesA(gone.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (gone.find(".bat") == std::string::npos) DeleteFileA(gone.c_str());
        } else {  // more files, in a folder of their own
            MakeFile(m, "dropped " + std::to_string(tally.changes) + "\\" + RandomName(random), made);
        }
    };
    const int runs = 1 + static_cast<int>(random() % 3);
    for (int run = 0; run < runs; ++run, ++tally.runs) {
        for (int changes = run == 0 ? 0 : random() % 3; changes > 0; --changes) change();
        RunOn(m, run == 0 ? seed % 2 == 0 : random() % 2 == 0, true);
    }
    for (int changes = 1 + random() % 4; changes > 0; --changes) change();
    std::vector<std::string> scripts;
    for (int number = runs; number >= 1; --number) scripts.push_back(m + UndoScriptName(kScript, number));
    const TreeSnapshot beforeScripts = Snapshot(m);
    ASSERT_TRUE(RunScripts(scripts, seed % 2 != 0));
    const TreeSnapshot after = Snapshot(m);
    std::map<std::size_t, int> left;  // by the hash of their content
    for (const auto& item : after) ++left[std::hash<std::string>()(item.second)];
    for (const auto& item : beforeScripts) {
        EXPECT_LE(0, --left[std::hash<std::string>()(item.second)]) << "[" << item.first << "] is gone: " << item.second;
        tally.putBack += item.second != "<folder>" && !after.count(item.first);
    }
    for (const auto& item : first) {
        if (item.second == kThumbnail || touched.count(FolderOf(item.first)) || deleted.count(item.second)) continue;
        const auto found = after.find(item.first);
        EXPECT_TRUE(found != after.end() && found->second == item.second) << "[" << item.first << "] is not back";
    }
}

TEST(SafetyProperty, EveryScriptNewestFirstAfterUserChangesLosesNoByteAndPutsBackWhatNobodyTouched) {
    Tally tally;
    const unsigned seeds = 60;
    for (unsigned seed = 1; seed <= seeds; ++seed) CheckSeed(seed, tally);
    EXPECT_GT(tally.putBack, static_cast<int>(seeds));
    std::printf("%u seeds: %d runs and as many scripts run, %d user changes, %d files put back\n", seeds, tally.runs,
                tally.changes, tally.putBack);
}

}  // namespace
