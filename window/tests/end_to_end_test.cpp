// The whole program, started as a person starts it and worked through its real window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/disk_trees.h"
#include "tools/driver/program_driver.h"
#include "window/window.h"

namespace {

const char* const kScriptName = "undo 'Kellerup'.bat";
const DWORD kTimeout = 60000;

// Each row one run of the program on a fresh tree: M in the script stands for the main folder.
struct RunCase {
    const char* subfolder;  // the main folder beneath the scratch folder
    bool renameAlways, undo;
    TreeSnapshot before, after;
    const char* script;  // null: no script
};

const RunCase kRuns[] = {
    // A folder that only ever held folders stays.
    {"", true, true, {{"a\\b\\y.txt", "aby"}}, {{"a b y.txt", "aby"}, {"a\\", "<folder>"}},
     "@echo off\r\n"
     "md \"Ma\\b\\\"\r\n"
     "echo restoring file #0/0   (0%% done)\r\n"
     "move \"Ma b y.txt\" \"Ma\\b\\\"\r\n"
     "ren \"Ma\\b\\a b y.txt\" \"y.txt\"\r\n"},
    {"", false, false, {{"top.txt", "t"}, {"a\\x.txt", "ax"}, {"a\\b\\y.txt", "aby"}},
     {{"top.txt", "t"}, {"x.txt", "ax"}, {"y.txt", "aby"}}, nullptr},
    // Two files of one name: each renamed by its own path, and both folders gone.
    {"", true, false, {{"a\\x.txt", "1"}, {"b\\x.txt", "2"}}, {{"a x.txt", "1"}, {"b x.txt", "2"}}, nullptr},
    {"", false, true, {}, {}, "@echo off\r\n"},
    // A main folder that does not exist: the window opens as usual, and nothing is made.
    {"not here\\", false, true, {}, {}, nullptr},
};

TEST(EndToEnd, EachRunThroughTheWindow) {
    for (size_t i = 0; i < sizeof(kRuns) / sizeof(kRuns[0]); ++i) {
        const RunCase& c = kRuns[i];
        ScratchFolder scratch("e2e-run");
        const std::string main = scratch.Path() + c.subfolder;
        for (const auto& file : c.before) ASSERT_TRUE(MakeFile(main, file.first, file.second)) << "row " << i;
        RunningProgram program = StartProgram(ProgramUnderTest(), "\"" + main + "\"");
        HWND window = WaitForDialog(program, kTimeout);
        ASSERT_NE(nullptr, window) << "row " << i;
        EXPECT_EQ(" VORLAX v3 [by belcour]", TextOf(window)) << "row " << i;
        if (c.renameAlways) SendMessageA(GetDlgItem(window, IDC_RENAME_ALWAYS), BM_CLICK, 0, 0);
        if (!c.undo) SendMessageA(GetDlgItem(window, IDC_CREATE_UNDO), BM_CLICK, 0, 0);
        PressButton(window, IDC_GO);
        // The start of a run shows IDC_BUSY last; the state holds through the run's last pause.
        WaitUntil([&] { return !IsWindow(window) || ViewControl(window, IDC_BUSY).visible; }, kTimeout);
        EXPECT_EQ("dv dv dv dv dv dv ev ev eh ev", ControlStates(window, IDC_RENAME_ALWAYS, IDC_HELP)) << "row " << i;
        EXPECT_EQ(0u, WaitForExit(program, kTimeout)) << "row " << i;
        TreeSnapshot expected;
        for (const auto& file : c.after) expected[c.subfolder + file.first] = file.second;
        if (c.script != nullptr) {
            std::string script;
            for (const char* s = c.script; *s != '\0'; ++s) script += *s == 'M' ? main : std::string(1, *s);
            expected[c.subfolder + std::string(kScriptName)] = script;
        }
        EXPECT_EQ(expected, Snapshot(scratch.Path())) << "row " << i;
    }
}

}  // namespace
