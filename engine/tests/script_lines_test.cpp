// The undo script's lines byte for byte, the percentage with halves to even, and the bar position.
#include "engine/script_lines.h"

#include "engine/progress_figures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "startup/texts.h"

namespace {

std::string IndexText(int i, int n) {
    std::string index;
    AppendIndexText(index, i, n);
    return index;
}

TEST(Percentage, RoundedWithHalvesToEven) {
    struct Case {
        int i;
        int n;
        int percent;
    };
    const Case cases[] = {
        {0, 1, 0},   {0, 2, 0},   {1, 2, 100}, {1, 9, 12}, {3, 9, 38},   {5, 9, 62},  {7, 9, 88},
        {5, 11, 50}, {1, 3, 50},  {1, 4, 33},  {2, 4, 67}, {7, 42, 17},  {1, 201, 0}, {3, 201, 2},
        {1, 401, 0}, {3, 401, 1}, {5, 401, 1}, {7, 401, 2}, {1, 81, 1},  {41, 42, 100},
        {1000000, 2000001, 50},  {2147483646, 2147483647, 100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.percent, Percentage(c.i, c.n)) << "i " << c.i << " n " << c.n;
    }
    const int nine[] = {0, 12, 25, 38, 50, 62, 75, 88, 100};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(nine[i], Percentage(i, 9)) << "i " << i << " n 9";
}

TEST(ProgressPosition, ExtendedPrecisionCutsSomeWholeNumbersOneLow) {
    // Worked out by hand with a 64-bit significand and rounding to nearest even: these
    // are the only quotients with n - 1 below 200 whose exact position is whole and
    // which land one below it; every other one is the exact value cut down.
    struct Low {
        int i;
        int last;
        int position;
    };
    const Low lows[] = {{1, 125, 7},   {2, 125, 15},  {4, 125, 31},  {8, 125, 63},
                        {16, 125, 127}, {32, 125, 255}, {63, 125, 503}, {64, 125, 511}};
    for (int last = 1; last < 200; ++last) {
        for (int i = 0; i <= last; ++i) {
            int expected = i * 1000 / last;
            for (const Low& low : lows) {
                if (low.i == i && low.last == last) expected = low.position;
            }
            EXPECT_EQ(expected, ProgressPosition(i, last + 1)) << "i " << i << " n " << last + 1;
        }
    }
    EXPECT_EQ(0, ProgressPosition(0, 1));
    EXPECT_EQ(0, ProgressPosition(1, 1001));
    EXPECT_EQ(998, ProgressPosition(998, 1000));
    EXPECT_EQ(1000, ProgressPosition(999, 1000));
}

TEST(IndexText, PaddedToTheWidthOfTheLastIndex) {
    EXPECT_EQ("0", IndexText(0, 1));
    EXPECT_EQ("07", IndexText(7, 42));
    EXPECT_EQ("41", IndexText(41, 42));
    EXPECT_EQ("00", IndexText(0, 11));
    EXPECT_EQ("10", IndexText(10, 11));
    EXPECT_EQ("9", IndexText(9, 10));
    EXPECT_EQ("0099", IndexText(99, 1001));
}

TEST(ScriptLines, EveryLineByteForByte) {
    struct Case {
        std::string line;
        std::string expected;
    };
    const std::string en = "echo restoring file #";
    const Case cases[] = {
        {HeaderLines(false), "@echo off\r\nsetlocal EnableExtensions DisableDelayedExpansion\r\n"},
        {HeaderLines(true), "@echo off\r\nsetlocal EnableExtensions DisableDelayedExpansion\r\nchcp 65001 >nul\r\n"},
        {FolderLine("C:\\m\\", "a\\b\\"), "md \"C:\\m\\a\\b\\\"\r\n"},
        {EchoLine(en, "done", 0, 2), "echo restoring file #0/1   (0%% done)\r\n"},
        {EchoLine(en, "done", 7, 42), "echo restoring file #07/41   (17%% done)\r\n"},
        {EchoLine(en, "done", 0, 1), "echo restoring file #0/0   (0%% done)\r\n"},
        {EchoLine("echo Restauration fichier no", "ok", 5, 11), "echo Restauration fichier no05/10   (50%% ok)\r\n"},
        {MoveBackLine("C:\\m\\", "a\\", "a x.txt"),
         "if not exist \"C:\\m\\a\\a x.txt\" move \"C:\\m\\a x.txt\" \"C:\\m\\a\\\"\r\n"},
        {MoveBackLine("C:\\m\\", "a\\b\\", "y.txt"),
         "if not exist \"C:\\m\\a\\b\\y.txt\" move \"C:\\m\\y.txt\" \"C:\\m\\a\\b\\\"\r\n"},
        {RenameBackLine("C:\\m\\", "a\\b\\", "a b y.txt", "y.txt"), "ren \"C:\\m\\a\\b\\a b y.txt\" \"y.txt\"\r\n"},
        // Each "%" doubled, in the main folder and the names alike; & ^ ' stay as they are.
        {FolderLine("C:\\100%\\", "50%&^'\\"), "md \"C:\\100%%\\50%%&^'\\\"\r\n"},
        {MoveBackLine("C:\\%m%\\", "a%\\", "a% %x%.txt"),
         "if not exist \"C:\\%%m%%\\a%%\\a%% %%x%%.txt\" move \"C:\\%%m%%\\a%% %%x%%.txt\" \"C:\\%%m%%\\a%%\\\"\r\n"},
        // "!", "^" and parentheses are left to the header's setlocal.
        {MoveBackLine("C:\\m\\", "(1)!\\", "x!y!^.txt"),
         "if not exist \"C:\\m\\(1)!\\x!y!^.txt\" move \"C:\\m\\x!y!^.txt\" \"C:\\m\\(1)!\\\"\r\n"},
        {RenameBackLine("C:\\%\\", "%%\\", "%% x", "%x"), "ren \"C:\\%%\\%%%%\\%%%% x\" \"%%x\"\r\n"},
        {PercentDoubled(""), ""},
        // An earlier run's script keeps its name; the next free one gets a number.
        {UndoScriptName(CatalogueText(TXT_UNDO_FILE, "EN"), 1), "undo 'Kellerup'.bat"},
        {UndoScriptName(CatalogueText(TXT_UNDO_FILE, "EN"), 2), "undo 'Kellerup' (2).bat"},
        {UndoScriptName(CatalogueText(TXT_UNDO_FILE, "EN"), kUndoScriptNames), "undo 'Kellerup' (99).bat"},
        {UndoScriptName(CatalogueText(TXT_UNDO_FILE, "FR"), 2), "Annul VORLAX 'Kellerup' (2).bat"},
        {UndoScriptName(CatalogueText(TXT_UNDO_FILE, "FR"), 1), "Annul VORLAX 'Kellerup'.bat"},
        {UndoScriptName("a.b.bat", 10), "a.b (10).bat"},
        {UndoScriptName("undo", 3), "undo (3)"},
    };
    int index = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, c.line) << "case " << index;
        ++index;
    }
}

TEST(ScriptLines, HighBytesAreNoticed) {
    EXPECT_FALSE(HasHighByte("C:\\m\\a b\\%&^'~.txt"));
    EXPECT_TRUE(HasHighByte("C:\\m\\caf\xC3\xA9.txt"));
    EXPECT_TRUE(HasHighByte("\x80"));
    EXPECT_FALSE(HasHighByte("\x7F"));
    EXPECT_FALSE(HasHighByte(""));
}

}  // namespace
