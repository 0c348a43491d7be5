// The whole program, started as a person starts it and worked through its real window, with a library planted beside.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/disk_trees.h"
#include "tools/driver/program_driver.h"
#include "window/window.h"

namespace {

// Each row one run of a program on a fresh tree, named by `argument` beneath the scratch folder; the paths are
// relative to the scratch folder, which M stands for in the script.
struct RunCase {
    const char* program;
    const char* texts;  // the title, then the labels of the three options; null: not checked
    const char* argument;
    bool renameAlways, undo;
    TreeSnapshot before, after;  // no `after`: the tree as it was
    const char* scriptPath;      // null: no script
    const char* script;
};

const RunCase kRuns[] = {
    {"vorlax-fr.exe",
     " VORLAX v3 [par belcour]|Toujours renommer en \"SousRep nomfich.ext\"|"
     "Ne renommer qu'en cas de conflit de nomfich|Creer fichier \"Annul\"",
     "m", false, true, {{"m\\top.txt", "t"}, {"m\\a\\x.txt", "ax"}},
     {{"m\\", "<folder>"}, {"m\\top.txt", "t"}, {"m\\x.txt", "ax"}}, "m\\Annul VORLAX 'Kellerup'.bat",
     "@echo off\r\nsetlocal EnableExtensions DisableDelayedExpansion\r\n"
     "echo Restauration fichier no0/1   (0%% ok)\r\n"
     "md \"Mm\\a\\\"\r\n"
     "echo Restauration fichier no1/1   (100%% ok)\r\n"
     "if not exist \"Mm\\a\\x.txt\" move \"Mm\\x.txt\" \"Mm\\a\\\"\r\n"},
    // Renamed always, though no two files share a name: each by its path, both folders gone; c\ only ever held folders.
    {"vorlax.exe", nullptr, "m\\", true, false, {{"m\\a\\x.txt", "1"}, {"m\\b\\y.txt", "2"}, {"m\\c\\d\\z.txt", "3"}},
     {{"m\\", "<folder>"}, {"m\\a x.txt", "1"}, {"m\\b y.txt", "2"}, {"m\\c d z.txt", "3"}, {"m\\c\\", "<folder>"}},
     nullptr, nullptr},
    // A mistyped folder beside a real one: the window opens, and nothing anywhere is touched or made.
    {"vorlax.exe", nullptr, "Photoz", false, true,
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
    RunningProgram(home.Path() + "comctl32_importer.exe", "").WaitForExit(60000);
    EXPECT_TRUE(DeleteFileA(mark.c_str())) << "the planted library was not loaded by a program that imports it";
    for (size_t i = 0; i < std::size(kRuns); ++i) {
        const RunCase& c = kRuns[i];
        ScratchFolder scratch("e2e-run");
        const std::string root = scratch.Path();
        for (const auto& file : c.before) ASSERT_TRUE(MakeFile(root, file.first, file.second)) << "row " << i;
        const TreeSnapshot before = Snapshot(root);
        RunningProgram running(home.Path() + c.program, "\"" + root + c.argument + "\"");
        HWND window = WaitForDialog(running, 60000);
        ASSERT_NE(nullptr, window) << "row " << i;
        EXPECT_EQ("msctls_progress32", ClassOf(GetDlgItem(window, IDC_PROGRESS))) << "row " << i;
        std::string texts = TextOf(window);
        for (int option : {IDC_RENAME_ALWAYS, IDC_RENAME_ON_CONFLICT, IDC_CREATE_UNDO})
            texts += "|" + TextOf(GetDlgItem(window, option));
        EXPECT_TRUE(c.texts == nullptr || texts == c.texts) << "row " << i << ": " << texts;
        if (c.renameAlways) SendMessageA(GetDlgItem(window, IDC_RENAME_ALWAYS), BM_CLICK, 0, 0);
        if (!c.undo) SendMessageA(GetDlgItem(window, IDC_CREATE_UNDO), BM_CLICK, 0, 0);
        PressButton(window, IDC_GO);
        EXPECT_EQ(0u, running.WaitForExit(60000)) << "row " << i;
        TreeSnapshot expected = c.after.empty() ? before : c.after;
        for (const char* s = c.script; s != nullptr && *s != '\0'; ++s)
            expected[c.scriptPath] += *s == 'M' ? root : std::string(1, *s);
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
