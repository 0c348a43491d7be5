// The undo script byte for byte, as runs on real folders write it.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include "engine/tests/test_tree.h"
#include "engine/undo_script.h"
#include "startup/texts.h"

namespace {

const std::string kEnd = "\r\n";

std::string ScriptPath(const std::string& mainFolder) {
    return mainFolder + Text(TXT_UNDO_FILE);
}

std::string Echo(const std::string& index, const std::string& last, int percent) {
    return Text(TXT_ECHO_RESTORING) + index + "/" + last + "   (" + std::to_string(percent) + "%% " +
           Text(TXT_DONE) + ")" + kEnd;
}

// Runs with the undo option and answers the script's bytes.
std::string RunWithUndo(std::string folder, bool renameAlways) {
    RunWindow window;
    RelocateFolder(folder, renameAlways, true, window.Handle());
    return ReadWholeFile(ScriptPath(folder));
}

TEST(UndoScript, TheDocumentedExample) {
    ScratchFolder scratch("example");
    const std::string m = scratch.Path();
    ASSERT_TRUE(MakeFile(m, "a\\x.txt", "x"));
    ASSERT_TRUE(MakeFile(m, "a\\b\\y.txt", "y"));
    const std::string expected = "@echo off" + kEnd + "md \"" + m + "a\\\"" + kEnd + Echo("0", "1", 0) + "move \"" + m +
                                 "a x.txt\" \"" + m + "a\\\"" + kEnd + "ren \"" + m + "a\\a x.txt\" \"x.txt\"" + kEnd +
                                 "md \"" + m + "a\\b\\\"" + kEnd + Echo("1", "1", 100) + "move \"" + m +
                                 "a b y.txt\" \"" + m + "a\\b\\\"" + kEnd + "ren \"" + m + "a\\b\\a b y.txt\" \"y.txt\"" +
                                 kEnd;
    EXPECT_EQ(expected, RunWithUndo(m, true));
    EXPECT_EQ("echo restoring file #07/41   (17%% done)\r\n", Echo("07", "41", 17));
}

TEST(UndoScript, EmptyAndSingleFileRuns) {
    ScratchFolder empty("none");
    EXPECT_EQ("@echo off" + kEnd, RunWithUndo(empty.Path(), false));
    ScratchFolder single("single");
    const std::string m = single.Path();
    ASSERT_TRUE(MakeFile(m, "sub\\only.txt", "o"));
    EXPECT_EQ("@echo off" + kEnd + "md \"" + m + "sub\\\"" + kEnd + Echo("0", "0", 0) + "move \"" + m +
                  "only.txt\" \"" + m + "sub\\\"" + kEnd,
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
        std::string expected = "@echo off" + kEnd + "md \"" + m + "d\\\"" + kEnd;
        for (int i = 0; i < c.files; ++i) {
            expected += Echo(c.indexes[i], last, c.percents[i]);
            expected += "move \"" + m + order[i] + "\" \"" + m + "d\\\"" + kEnd;
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
    const std::string expected = "@echo off" + kEnd + "md \"" + doubledMain + "50%% off\\\"" + kEnd + Echo("0", "0", 0) +
                                 "move \"" + doubledMain + "50%% off a&b^c 'q' %%x%%.txt\" \"" + doubledMain +
                                 "50%% off\\\"" + kEnd + "ren \"" + doubledMain + "50%% off\\50%% off a&b^c 'q' %%x%%.txt\" \"" +
                                 "a&b^c 'q' %%x%%.txt\"" + kEnd;
    EXPECT_EQ(expected, RunWithUndo(m, true));
}

TEST(UndoScript, AnEarlierScriptIsPartOfTheRunAndIsRewritten) {
    ScratchFolder scratch("earlier");
    const std::string m = scratch.Path();
    ASSERT_TRUE(MakeFile(m, Text(TXT_UNDO_FILE), "@echo off\r\nthe earlier run's lines\r\n"));
    ASSERT_TRUE(MakeFile(m, "a\\x.txt", "x"));
    const std::string expected = "@echo off" + kEnd + Echo("0", "1", 0) + "md \"" + m + "a\\\"" + kEnd +
                                 Echo("1", "1", 100) + "move \"" + m + "x.txt\" \"" + m + "a\\\"" + kEnd;
    EXPECT_EQ(expected, RunWithUndo(m, false));
}

TEST(UndoScript, WithoutTheOptionAnEarlierScriptStaysAsItWas) {
    ScratchFolder scratch("nooption");
    const std::string m = scratch.Path();
    ASSERT_TRUE(MakeFile(m, Text(TXT_UNDO_FILE), "earlier"));
    ASSERT_TRUE(MakeFile(m, "a\\x.txt", "x"));
    RunWindow window;
    std::string folder = m;
    RelocateFolder(folder, false, false, window.Handle());
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
    const std::string expected = "@echo off" + kEnd + Echo("0", "1", 0) + "md \"" + m + "a\\\"" + kEnd +
                                 Echo("1", "1", 100);
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
    const std::string expected = "@echo off" + kEnd + "chcp 65001 >nul" + kEnd + "md \"" + m + folder + "\\\"" + kEnd +
                                 Echo("0", "0", 0) + "move \"" + m + folder + " " + name + "\" \"" + m + folder +
                                 "\\\"" + kEnd + "ren \"" + m + folder + "\\" + folder + " " + name + "\" \"" + name +
                                 "\"" + kEnd;
    ASSERT_EQ(65001u, GetACP());
    EXPECT_EQ(expected, RunWithUndo(m, true));
    EXPECT_TRUE(Exists(m + folder + " " + name));
}

TEST(UndoScript, LinesFromAnotherCodePageAreConvertedToUtf8) {
    EXPECT_EQ("caf\xC3\xA9", ConvertedToUtf8("caf\xE9", 1252));
    EXPECT_EQ("\xE2\x82\xAC", ConvertedToUtf8("\x80", 1252));
    EXPECT_EQ("", ConvertedToUtf8("", 1252));
    ScratchFolder scratch("convert");
    const std::string path = scratch.Path() + "script.bat";
    {
        UndoScript script;
        ASSERT_TRUE(OpenUndoScript(script, path, true, 1252));
        EXPECT_TRUE(WriteUndoLine(script, "md \"C:\\caf\xE9\\\"\r\n"));
    }
    EXPECT_EQ("@echo off\r\nchcp 65001 >nul\r\nmd \"C:\\caf\xC3\xA9\\\"\r\n", ReadWholeFile(path));
    {
        UndoScript script;
        ASSERT_TRUE(OpenUndoScript(script, path, true, CP_UTF8));
        EXPECT_TRUE(WriteUndoLine(script, "caf\xC3\xA9\r\n"));
    }
    EXPECT_EQ("@echo off\r\nchcp 65001 >nul\r\ncaf\xC3\xA9\r\n", ReadWholeFile(path));
}

}  // namespace
