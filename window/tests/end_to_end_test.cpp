// The whole program, started as a person starts it and worked through its real window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/disk_trees.h"
#include "tools/driver/program_driver.h"
#include "window/window.h"

namespace {

const DWORD kTimeout = 60000;

// What tells one program from the other: its file and the texts its window and script show.
struct Program {
    const char* variable;  // names the program file
    const char* title;
    const char* labels;  // of IDC_RENAME_ALWAYS, IDC_RENAME_ON_CONFLICT, IDC_CREATE_UNDO, separated by "|"
    const char* scriptName;
    const char* restoring;
    const char* done;
};
const Program kEnglish = {"VORLAX_EXE", " VORLAX v3 [by belcour]",
                          "Always rename as \"Subfolder filename.ext\"|Only rename when there is a filename conflict|"
                          "Create \"undo\" file",
                          "undo 'Kellerup'.bat", "echo restoring file #", "done"};
const Program kFrench = {"VORLAX_FR_EXE", " VORLAX v3 [par belcour]",
                         "Toujours renommer en \"SousRep nomfich.ext\"|Ne renommer qu'en cas de conflit de nomfich|"
                         "Creer fichier \"Annul\"",
                         "Annul VORLAX 'Kellerup'.bat", "echo Restauration fichier no", "ok"};

// Each row one run of the program on a fresh tree, named by `argument` beneath the scratch
// folder; the trees are relative to the scratch folder. In the script, M stands for the main
// folder, R for the echo's opening text and D for its closing one.
struct RunCase {
    const Program* program;
    const char* argument;    // beneath the scratch folder
    const char* mainFolder;  // what it names: the folder that holds the script
    bool renameAlways, undo;
    TreeSnapshot before, after;
    const char* script;  // null: no script
};

const char* const kFolder = "<folder>";
const char* const kHeader = "@echo off\r\nsetlocal EnableExtensions DisableDelayedExpansion\r\n";
const RunCase kRuns[] = {
    // A folder that only ever held folders stays.
    {&kEnglish, "m\\", "m\\", true, true, {{"m\\a\\b\\y.txt", "aby"}},
     {{"m\\", kFolder}, {"m\\a b y.txt", "aby"}, {"m\\a\\", kFolder}},
     "md \"Ma\\b\\\"\r\n"
     "R0/0   (0%% D)\r\n"
     "if not exist \"Ma\\b\\a b y.txt\" move \"Ma b y.txt\" \"Ma\\b\\\"\r\n"
     "ren \"Ma\\b\\a b y.txt\" \"y.txt\"\r\n"},
    {&kFrench, "m", "m\\", false, true, {{"m\\top.txt", "t"}, {"m\\a\\x.txt", "ax"}, {"m\\a\\b\\y.txt", "aby"}},
     {{"m\\", kFolder}, {"m\\top.txt", "t"}, {"m\\x.txt", "ax"}, {"m\\y.txt", "aby"}},
     "R0/2   (0%% D)\r\n"
     "md \"Ma\\\"\r\n"
     "R1/2   (50%% D)\r\n"
     "if not exist \"Ma\\x.txt\" move \"Mx.txt\" \"Ma\\\"\r\n"
     "md \"Ma\\b\\\"\r\n"
     "R2/2   (100%% D)\r\n"
     "if not exist \"Ma\\b\\y.txt\" move \"My.txt\" \"Ma\\b\\\"\r\n"},
    // Two files of one name: each renamed by its own path, and both folders gone.
    {&kEnglish, "m", "m\\", true, false, {{"m\\a\\x.txt", "1"}, {"m\\b\\x.txt", "2"}},
     {{"m\\", kFolder}, {"m\\a x.txt", "1"}, {"m\\b x.txt", "2"}}, nullptr},
    {&kEnglish, "", "", false, true, {}, {}, ""},
    // A mistyped folder beside folders full of files names a folder that is not there:
    // the window opens as usual, and nothing anywhere is touched or made.
    {&kEnglish, "Photoz", "Photoz\\", false, true,
     {{"Photos\\a.jpg", "a"}, {"Photos\\b\\c.jpg", "c"}, {"top.txt", "t"}},
     {{"Photos\\", kFolder}, {"Photos\\a.jpg", "a"}, {"Photos\\b\\", kFolder}, {"Photos\\b\\c.jpg", "c"},
      {"top.txt", "t"}}, nullptr},
};

std::string Expanded(const char* pattern, const std::string& main, const Program& program) {
    std::string text;
    for (const char* s = pattern; *s != '\0'; ++s) {
        text += *s == 'M' ? main : *s == 'R' ? program.restoring : *s == 'D' ? program.done : std::string(1, *s);
    }
    return text;
}

TEST(EndToEnd, EachRunThroughTheWindowAndBackThroughItsScript) {
    for (size_t i = 0; i < sizeof(kRuns) / sizeof(kRuns[0]); ++i) {
        const RunCase& c = kRuns[i];
        const Program& program = *c.program;
        ScratchFolder scratch("e2e-run");
        const std::string root = scratch.Path(), main = root + c.mainFolder;
        for (const auto& file : c.before) ASSERT_TRUE(MakeFile(root, file.first, file.second)) << "row " << i;
        const TreeSnapshot before = Snapshot(root);
        const char* path = getenv(program.variable);
        const std::string tail = "\"" + root + c.argument + "\"";
        RunningProgram running = StartProgram(ToWindowsPath(path != nullptr ? path : ""), tail);
        HWND window = WaitForDialog(running, kTimeout);
        ASSERT_NE(nullptr, window) << "row " << i;
        const std::string labels = TextOf(GetDlgItem(window, IDC_RENAME_ALWAYS)) + "|" +
                                   TextOf(GetDlgItem(window, IDC_RENAME_ON_CONFLICT)) + "|" +
                                   TextOf(GetDlgItem(window, IDC_CREATE_UNDO));
        EXPECT_EQ(std::string(program.title) + " " + program.labels, TextOf(window) + " " + labels) << "row " << i;
        if (c.renameAlways) SendMessageA(GetDlgItem(window, IDC_RENAME_ALWAYS), BM_CLICK, 0, 0);
        if (!c.undo) SendMessageA(GetDlgItem(window, IDC_CREATE_UNDO), BM_CLICK, 0, 0);
        PressButton(window, IDC_GO);
        // The start of a run shows IDC_BUSY last; the state holds through the run's last pause.
        WaitUntil([&] { return !IsWindow(window) || ViewControl(window, IDC_BUSY).visible; }, kTimeout);
        EXPECT_EQ("dv dv dv dv dv dv ev ev eh ev", ControlStates(window, IDC_RENAME_ALWAYS, IDC_HELP)) << "row " << i;
        EXPECT_EQ(0u, WaitForExit(running, kTimeout)) << "row " << i;
        TreeSnapshot expected = c.after;
        if (c.script != nullptr) {
            expected[std::string(c.mainFolder) + program.scriptName] = kHeader + Expanded(c.script, main, program);
        }
        EXPECT_EQ(expected, Snapshot(root)) << "row " << i << "\n" << Describe(Snapshot(root));
        if (c.script == nullptr) continue;
        // The script, run as a double click runs it, gives the tree back.
        const std::string script = main + program.scriptName;
        ASSERT_TRUE(RunScripts({script}, false)) << "row " << i;
        DeleteFileA(script.c_str());
        EXPECT_EQ(before, Snapshot(root)) << "row " << i << " after the script\n" << Describe(Snapshot(root));
    }
}

}  // namespace
