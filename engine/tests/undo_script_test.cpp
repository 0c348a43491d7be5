// The undo script byte for byte, as runs on real folders write it.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include "tests/support/disk_trees.h"
#include "tests/support/program_services.h"
#include "engine/undo_script.h"
#include "startup/texts.h"

namespace {

const std::string kEnd = "\r\n";
const std::string kHeader = "@echo off\r\nsetlocal EnableExtensions DisableDelayedExpansion\r\n";

std::string ScriptPath(const std::string& mainFolder) {
    return mainFolder + Text(TXT_UNDO_FILE);
}

std::string MoveBack(const std::string& from, const std::string& into, const std::string& guard) {
    return "if not exist \"" + guard + "\" move \"" + from + "\" \"" + into + "\"" + kEnd;
}

std::string Echo(const std::string& index, const std::string& last, int percent) {
    return Text(TXT_ECHO_RESTORING) + index + "/" + last + "   (" + std::to_string(percent) + "%% " +
           Text(TXT_DONE) + ")" + kEnd;
}

// Runs with the undo option and answers the script's bytes.
std::string RunWithUndo(std::string folder, bool renameAlways) {
    std::vector<int> positions;
    RunOn(folder, renameAlways, true, &positions);
    return ReadWholeFile(ScriptPath(folder));
}

TEST(UndoScript, TheDocumentedExample) {
    ScratchFolder scratch("example");
    const std::string m = scratch.Path();
    ASSERT_TRUE(MakeFile(m, "a\\x.txt", "x"));
    ASSERT_TRUE(MakeFile(m, "a\\b\\y.txt", "y"));
    const std::string expected = kHeader + "md \"" + m + "a\\\"" + kEnd + Echo("0", "1", 0) +
                                 MoveBack(m + "a x.txt", m + "a\\", m + "a\\a x.txt") + "ren \"" + m +
                                 "a\\a x.txt\" \"x.txt\"" + kEnd + "md \"" + m + "a\\b\\\"" + kEnd + Echo("1", "1", 100) +
                                 MoveBack(m + "a b y.txt", m + "a\\b\\", m + "a\\b\\a b y.txt") + "ren \"" + m +
                                 "a\\b\\a b y.txt\" \"y.txt\"" + kEnd;
    EXPECT_EQ(expected, RunWithUndo(m, true));
    EXPECT_EQ("echo restoring file #07/41   (17%% done)\r\n", Echo("07", "41", 17));
}

TEST(UndoScript, EmptyAndSingleFileRuns) {
    ScratchFolder empty("none");
    EXPECT_EQ(kHeader, RunWithUndo(empty.Path(), false));
    ScratchFolder single("single");
    const std::string m = single.Path();
    ASSERT_TRUE(MakeFile(m, "sub\\only.txt", "o"));
    EXPECT_EQ(kHeader + "md \"" + m + "sub\\\"" + kEnd + Echo("0", "0", 0) +
                  MoveBack(m + "only.txt", m + "sub\\", m + "sub\\only.txt"),
              RunWithUndo(m, false));
}

TEST(UndoScript, NumberingAndPercentages) {
    struct Case {
        int files;
        std::vector<std::string> indexes;
        std::vector<int> percents;
    };
    const Case cases[] = {
        {9, {"0", "1", "2", "3", "4", "5", "6", "7", "8"}, {0, 12, 25, 38, 50, 62, 75, 88, 100}},
        {11,
         {"00", "01", "02", "03", "04", "05", "06", "07", "08", "09", "10"},
         {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
    };
    for (const Case& c : cases) {
        ScratchFolder scratch("numbers");
        const std::string m = scratch.Path();
        for (int i = 0; i < c.files; ++i) ASSERT_TRUE(MakeFile(m, "d\\n" + std::to_string(i), "z"));
        const std::vector<std::string> order = ListingOrder(m + "d\\");
        ASSERT_EQ(static_cast<std::size_t>(c.files), order.size());
        const std::string last = c.indexes.back();
        std::string expected = kHeader + "md \"" + m + "d\\\"" + kEnd;
        for (int i = 0; i < c.files; ++i) {
            expected += Echo(c.indexes[i], last, c.percents[i]);
            expected += MoveBack(m + order[i], m + "d\\", m + "d\\" + order[i]);
        }
        EXPECT_EQ(expected, RunWithUndo(m, false)) << c.files << " files";
    }
}

TEST(UndoScript, PercentSignsDoubledOtherCharactersAsTheyAre) {
    ScratchFolder scratch("100%");
    const std::string m = scratch.Path();
    std::string doubledMain;
    for (char c : m) doubledMain += c == '%' ? std::string("%%") : std::string(1, c);
    ASSERT_NE(m, doubledMain);
    ASSERT_TRUE(MakeFile(m, "50% off\\a&b^c 'q' %x%.txt", "z"));
    const std::string expected = kHeader + "md \"" + doubledMain + "50%% off\\\"" + kEnd + Echo("0", "0", 0) +
                                 MoveBack(doubledMain + "50%% off a&b^c 'q' %%x%%.txt", doubledMain + "50%% off\\",
                                          doubledMain + "50%% off\\50%% off a&b^c 'q' %%x%%.txt") +
                                 "ren \"" + doubledMain + "50%% off\\50%% off a&b^c 'q' %%x%%.txt\" \"" +
                                 "a&b^c 'q' %%x%%.txt\"" + kEnd;
    EXPECT_EQ(expected, RunWithUndo(m, true));
}

TEST(UndoScript, AnEarlierScriptIsPartOfTheRunAndKeepsItsName) {
    ScratchFolder scratch("earlier");
    const std::string m = scratch.Path();
    const std::string earlier = "@echo off\r\nthe earlier run's lines\r\n";
    ASSERT_TRUE(MakeFile(m, Text(TXT_UNDO_FILE), earlier));
    ASSERT_TRUE(MakeFile(m, "a\\x.txt", "x"));
    const std::string expected = kHeader + Echo("0", "1", 0) + "md \"" + m + "a\\\"" + kEnd + Echo("1", "1", 100) +
                                 MoveBack(m + "x.txt", m + "a\\", m + "a\\x.txt");
    std::vector<int> positions;
    std::string folder = m;
    RunOn(folder, false, true, &positions);
    const std::string second = "undo 'Kellerup' (2).bat";
    EXPECT_EQ(expected, ReadWholeFile(m + second));
    EXPECT_EQ(earlier, ReadWholeFile(ScriptPath(m)));
}

TEST(UndoScript, WithoutTheOptionAnEarlierScriptStaysAsItWas) {
    ScratchFolder scratch("nooption");
    const std::string m = scratch.Path();
    ASSERT_TRUE(MakeFile(m, Text(TXT_UNDO_FILE), "earlier"));
    ASSERT_TRUE(MakeFile(m, "a\\x.txt", "x"));
    std::vector<int> positions;
    std::string folder = m;
    RunOn(folder, false, false, &positions);
    EXPECT_EQ("earlier", ReadWholeFile(ScriptPath(m)));
    EXPECT_TRUE(Exists(m + "x.txt"));
}

TEST(UndoScript, AFailedMoveGetsNoMoveBackLine) {
    ScratchFolder scratch("taken");
    const std::string m = scratch.Path();
    ASSERT_TRUE(MakeFile(m, "a x.txt", "already here"));
    ASSERT_TRUE(MakeFile(m, "a\\x.txt", "from a"));
    // Had the script said "move a x.txt a\", it would carry the file that was already
    // there into a\ and over the one that never left.
    const std::string expected = kHeader + Echo("0", "1", 0) + "md \"" + m + "a\\\"" + kEnd + Echo("1", "1", 100);
    EXPECT_EQ(expected, RunWithUndo(m, true));
    EXPECT_EQ("already here", ReadWholeFile(m + "a x.txt"));
    EXPECT_EQ("from a", ReadWholeFile(m + "a\\x.txt"));
}

TEST(UndoScript, NonAsciiNamesMakeAUtf8Script) {
    ScratchFolder scratch("utf8");
    const std::string m = scratch.Path();
    const std::string folder = "caf\xC3\xA9";
    const std::string name = "cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e.txt";
    ASSERT_TRUE(MakeFile(m, folder + "\\" + name, "z"));
    const std::string expected = kHeader + "chcp 65001 >nul" + kEnd + "md \"" + m + folder + "\\\"" + kEnd +
                                 Echo("0", "0", 0) +
                                 MoveBack(m + folder + " " + name, m + folder + "\\", m + folder + "\\" + folder + " " + name) +
                                 "ren \"" + m + folder + "\\" + folder + " " + name + "\" \"" + name +
                                 "\"" + kEnd;
    ASSERT_EQ(65001u, GetACP());
    EXPECT_EQ(expected, RunWithUndo(m, true));
    EXPECT_TRUE(Exists(m + folder + " " + name));
}

// Every FlushFileBuffers call of this program, with the size its file had then.
std::vector<LONGLONG> gFlushedSizes;
BOOL(WINAPI* gFlushFileBuffers)(HANDLE) = nullptr;

BOOL WINAPI RecordingFlushFileBuffers(HANDLE file) {
    LARGE_INTEGER size = {};
    gFlushedSizes.push_back(GetFileSizeEx(file, &size) ? size.QuadPart : -1);
    return gFlushFileBuffers(file);
}

// Points this program's import of kernel32's `function` at `replacement`; answers what it
// pointed at before (null when there is no such import).
void* ReplaceImport(const char* function, void* replacement) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const IMAGE_NT_HEADERS* headers =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); module->Name != 0;
         ++module) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + module->Name), "kernel32.dll") != 0) continue;
        auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
        for (; name->u1.AddressOfData != 0; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
            if (lstrcmpA(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData)->Name, function) != 0) {
                continue;
            }
            DWORD protection = 0;
            VirtualProtect(&slot->u1.Function, sizeof(slot->u1.Function), PAGE_READWRITE, &protection);
            void* previous = reinterpret_cast<void*>(slot->u1.Function);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slot->u1.Function, sizeof(slot->u1.Function), protection, &protection);
            return previous;
        }
    }
    return nullptr;
}

TEST(UndoScript, FlushedWholeBeforeItIsClosed) {
    ScratchFolder scratch("flush");
    const std::string m = scratch.Path();
    ASSERT_TRUE(MakeFile(m, "a\\x.txt", "x"));
    ASSERT_TRUE(MakeFile(m, "b\\y.txt", "y"));
    gFlushedSizes.clear();
    gFlushFileBuffers = reinterpret_cast<BOOL(WINAPI*)(HANDLE)>(
        ReplaceImport("FlushFileBuffers", reinterpret_cast<void*>(RecordingFlushFileBuffers)));
    ASSERT_NE(nullptr, gFlushFileBuffers);
    const std::string script = RunWithUndo(m, false);
    ReplaceImport("FlushFileBuffers", reinterpret_cast<void*>(gFlushFileBuffers));
    // Once, on the open script, after its last line.
    ASSERT_EQ(1u, gFlushedSizes.size());
    EXPECT_EQ(static_cast<LONGLONG>(script.size()), gFlushedSizes[0]) << script;
}

BOOL WINAPI FailingWriteFile(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED) {
    if (written != nullptr) *written = 0;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

TEST(UndoScript, AHeaderThatCannotBeWrittenLeavesNoScriptAndMovesNothing) {
    ScratchFolder scratch("diskfull");
    const std::string m = scratch.Path();
    ASSERT_TRUE(MakeFile(m, "a\\x.txt", "x"));
    const TreeSnapshot before = Snapshot(m);
    void* writeFile = ReplaceImport("WriteFile", reinterpret_cast<void*>(FailingWriteFile));
    ASSERT_NE(nullptr, writeFile);
    std::vector<int> positions;
    std::string folder = m;
    const int moved = RunOn(folder, false, true, &positions);
    ReplaceImport("WriteFile", writeFile);
    EXPECT_EQ(0, moved);
    const TreeSnapshot after = Snapshot(m);
    EXPECT_TRUE(before == after) << after.size() << " entries, the first [" << after.begin()->first << "]";
}

TEST(UndoScript, LinesFromAnotherCodePageAreConvertedToUtf8) {
    EXPECT_EQ("caf\xC3\xA9", ConvertedToUtf8("caf\xE9", 1252));
    EXPECT_EQ("\xE2\x82\xAC", ConvertedToUtf8("\x80", 1252));
    EXPECT_EQ("", ConvertedToUtf8("", 1252));
    ScratchFolder scratch("convert");
    {
        UndoScript script;
        ASSERT_TRUE(OpenUndoScript(script, scratch.Path(), "1252.bat", true, 1252));
        EXPECT_TRUE(WriteUndoLine(script, "md \"C:\\caf\xE9\\\"\r\n"));
    }
    EXPECT_EQ(kHeader + "chcp 65001 >nul\r\nmd \"C:\\caf\xC3\xA9\\\"\r\n", ReadWholeFile(scratch.Path() + "1252.bat"));
    {
        UndoScript script;
        ASSERT_TRUE(OpenUndoScript(script, scratch.Path(), "utf8.bat", true, CP_UTF8));
        EXPECT_TRUE(WriteUndoLine(script, "caf\xC3\xA9\r\n"));
    }
    EXPECT_EQ(kHeader + "chcp 65001 >nul\r\ncaf\xC3\xA9\r\n", ReadWholeFile(scratch.Path() + "utf8.bat"));
}

}  // namespace
