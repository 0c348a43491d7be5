// The whole program, started as a person starts it and worked through its real window, with a library planted beside.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/disk_trees.h"
#include "tools/driver/program_driver.h"
#include "window/window.h"

namespace {

const DWORD kTimeout = 60000;

// Each row one run of a program on a fresh tree, named by `argument` beneath the scratch
// folder; the paths are relative to the scratch folder, which M stands for in the script.
struct RunCase {
    const char* variable;  // names the program file
    const char* texts;     // the title, then the labels of the three options; null: not checked
    const char* argument;
    bool renameAlways, undo;
    TreeSnapshot before, after;  // no `after`: the tree as it was
    const char* scriptPath;      // null: no script
    const char* script;
};

const char* const kFolder = "<folder>";
const RunCase kRuns[] = {
    {"VORLAX_FR_EXE",
     " VORLAX v3 [par belcour]|Toujours renommer en \"SousRep nomfich.ext\"|"
     "Ne renommer qu'en cas de conflit de nomfich|Creer fichier \"Annul\"",
     "m", false, true, {{"m\\top.txt", "t"}, {"m\\a\\x.txt", "ax"}},
     {{"m\\", kFolder}, {"m\\top.txt", "t"}, {"m\\x.txt", "ax"}}, "m\\Annul VORLAX 'Kellerup'.bat",
     "echo Restauration fichier no0/1   (0%% ok)\r\n"
     "md \"Mm\\a\\\"\r\n"
     "echo Restauration fichier no1/1   (100%% ok)\r\n"
     "if not exist \"Mm\\a\\x.txt\" move \"Mm\\x.txt\" \"Mm\\a\\\"\r\n"},
    // Two files of one name: each renamed by its path, both folders gone; c\ only ever held folders.
    {"VORLAX_EXE", nullptr, "m\\", true, false, {{"m\\a\\x.txt", "1"}, {"m\\b\\x.txt", "2"}, {"m\\c\\d\\y.txt", "3"}},
     {{"m\\", kFolder}, {"m\\a x.txt", "1"}, {"m\\b x.txt", "2"}, {"m\\c d y.txt", "3"}, {"m\\c\\", kFolder}},
     nullptr, nullptr},
    // A mistyped folder beside a real one: the window opens, and nothing anywhere is touched or made.
    {"VORLAX_EXE", nullptr, "Photoz", false, true,
     {{"Photos\\a.jpg", "a"}, {"Photos\\b\\c.jpg", "c"}, {"top.txt", "t"}}, {}, nullptr, nullptr},
};

// Wine, told to prefer a comctl32.dll of a program's own for the program named, as Windows would for a library it does
// not know as its own (WINEDLLOVERRIDES would say the same, but a Windows process cannot hand it on).
struct PreferLibraryBeside {
    explicit PreferLibraryBeside(const std::string& program) : key("Software\\Wine\\AppDefaults\\" + program) {
        RegSetKeyValueA(HKEY_CURRENT_USER, (key + "\\DllOverrides").c_str(), "comctl32", REG_SZ, "native,builtin", 15);
    }
    ~PreferLibraryBeside() { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }
    const std::string key;
};

// Every program runs as a copy with a comctl32.dll planted beside it, where the loader looks first; the planted copy
// leaves a mark in any process that loads it. A program that imports the library does load it; VORLAX never does.
TEST(EndToEnd, EachRunThroughTheWindowAndBackThroughItsScript) {
    ScratchFolder home("planted");
    const std::string mark = home.Path() + "mark";
    for (const char* file : {"VORLAX_EXE", "VORLAX_FR_EXE", "VORLAX_PLANTED", "VORLAX_IMPORTER"}) {
        const std::string from = ToWindowsPath(getenv(file) != nullptr ? getenv(file) : "");
        ASSERT_TRUE(CopyFileA(from.c_str(), (home.Path() + from.substr(from.rfind('\\') + 1)).c_str(), TRUE)) << from;
    }
    const PreferLibraryBeside prefer[] = {PreferLibraryBeside("comctl32_importer.exe"),
                                          PreferLibraryBeside("vorlax.exe"), PreferLibraryBeside("vorlax-fr.exe")};
    SetEnvironmentVariableA("VORLAX_MARK", mark.c_str());
    RunningProgram importer(home.Path() + "comctl32_importer.exe", "");
    importer.WaitForExit(kTimeout);
    EXPECT_TRUE(DeleteFileA(mark.c_str())) << "the planted library was not loaded by a program that imports it";
    for (size_t i = 0; i < sizeof(kRuns) / sizeof(kRuns[0]); ++i) {
        const RunCase& c = kRuns[i];
        ScratchFolder scratch("e2e-run");
        const std::string root = scratch.Path();
        for (const auto& file : c.before) ASSERT_TRUE(MakeFile(root, file.first, file.second)) << "row " << i;
        const TreeSnapshot before = Snapshot(root);
        const std::string program = ToWindowsPath(getenv(c.variable));
        RunningProgram running(home.Path() + program.substr(program.rfind('\\') + 1), "\"" + root + c.argument + "\"");
        HWND window = WaitForDialog(running, kTimeout);
        ASSERT_NE(nullptr, window) << "row " << i;
        EXPECT_EQ("msctls_progress32", ClassOf(GetDlgItem(window, IDC_PROGRESS))) << "row " << i;
        const std::string texts = TextOf(window) + "|" + TextOf(GetDlgItem(window, IDC_RENAME_ALWAYS)) + "|" +
                                  TextOf(GetDlgItem(window, IDC_RENAME_ON_CONFLICT)) + "|" +
                                  TextOf(GetDlgItem(window, IDC_CREATE_UNDO));
        EXPECT_TRUE(c.texts == nullptr || texts == c.texts) << "row " << i << ": " << texts;
        if (c.renameAlways) SendMessageA(GetDlgItem(window, IDC_RENAME_ALWAYS), BM_CLICK, 0, 0);
        if (!c.undo) SendMessageA(GetDlgItem(window, IDC_CREATE_UNDO), BM_CLICK, 0, 0);
        PressButton(window, IDC_GO);
        EXPECT_EQ(0u, running.WaitForExit(kTimeout)) << "row " << i;
        TreeSnapshot expected = c.after.empty() ? before : c.after;
        std::string script = "@echo off\r\nsetlocal EnableExtensions DisableDelayedExpansion\r\n";
        for (const char* s = c.script; s != nullptr && *s != '\0'; ++s) script += *s == 'M' ? root : std::string(1, *s);
        if (c.scriptPath != nullptr) expected[c.scriptPath] = script;
        EXPECT_EQ(expected, Snapshot(root)) << "row " << i;
        if (c.scriptPath == nullptr) continue;
        // The script, run as a double click runs it, gives the tree back.
        ASSERT_EQ("", RunScripts({root + c.scriptPath}, false)) << "row " << i;
        DeleteFileA((root + c.scriptPath).c_str());
        EXPECT_EQ(before, Snapshot(root)) << "row " << i << " after the script";
    }
    EXPECT_FALSE(Exists(mark)) << "the planted library was loaded";
}

}  // namespace
