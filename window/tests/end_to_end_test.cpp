// The whole program, started as a person starts it and worked through its real window.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tools/driver/program_driver.h"
#include "window/tests/tree_files.h"
#include "window/window.h"

namespace {

const char* const kTitle = " VORLAX v3 [by belcour]";
const char* const kScriptName = "undo 'Kellerup'.bat";
const DWORD kStartTimeout = 30000;
const DWORD kRunTimeout = 120000;

// What tells one program from the other: its file and the texts its window shows.
struct ProgramTexts {
    const char* variable;  // the environment variable that names the program file
    const char* title;
    const char* scriptName;
    const char* labels[6];  // of kLabelledControls, in that order
};

const int kLabelledControls[] = {IDC_RENAME_ALWAYS, IDC_RENAME_ON_CONFLICT, IDC_CREATE_UNDO,
                                 IDC_OPTIONS_FRAME, IDC_UNDO_FRAME,        IDC_GO};

const ProgramTexts kEnglish = {"VORLAX_EXE",
                               kTitle,
                               kScriptName,
                               {"Always rename as \"Subfolder filename.ext\"",
                                "Only rename when there is a filename conflict", "Create \"undo\" file", "Options",
                                "Undo", "VORLAX !\n\n(Kellerup)"}};
const ProgramTexts kFrench = {"VORLAX_FR_EXE",
                              " VORLAX v3 [par belcour]",
                              "Annul VORLAX 'Kellerup'.bat",
                              {"Toujours renommer en \"SousRep nomfich.ext\"",
                               "Ne renommer qu'en cas de conflit de nomfich", "Creer fichier \"Annul\"", "Options",
                               "Revenir en arriere", "VORLAX !\n\n(Kellerup)"}};

std::string ProgramPath(const ProgramTexts& program = kEnglish) {
    const char* value = getenv(program.variable);
    return ToWindowsPath(value != nullptr ? value : "");
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// The program started on `folder`, its main window found.
struct Session {
    RunningProgram program;
    HWND window;
};

Session StartOn(const std::string& tail, const ProgramTexts& program = kEnglish) {
    Session session = {StartProgram(ProgramPath(program), tail), nullptr};
    if (session.program.started) {
        session.window = WaitForWindowOfClass(session.program.process.dwProcessId, "#32770", kStartTimeout);
    }
    return session;
}

struct ExpectedControl {
    int identifier;
    const char* className;
    const char* text;
    int x, y, width, height;  // dialog units; a size of 0 means the picture's own size in pixels
    int pictureWidth, pictureHeight;
    LONG style;
};

const ExpectedControl kControls[] = {
    {IDC_BUSY, "Static", "", 150, 51, 0, 0, 32, 32, 0x4000000E},
    {IDC_HELP, "Static", "", 136, 56, 0, 0, 21, 21, 0x5000010E},
    {IDC_CLOSE, "Button", "", 156, 55, 14, 14, 0, 0, 0x50010080},
    // The radio buttons hand their tab stop to the checked one of the group.
    {IDC_RENAME_ALWAYS, "Button", "Always rename as \"Subfolder filename.ext\"", 4, 10, 165, 15, 0, 0, 0x50000009},
    {IDC_RENAME_ON_CONFLICT, "Button", "Only rename when there is a filename conflict", 4, 25, 165, 15, 0, 0,
     0x50010009},
    {IDC_CREATE_UNDO, "Button", "Create \"undo\" file", 5, 55, 110, 15, 0, 0, 0x50010003},
    {IDC_OPTIONS_FRAME, "Button", "Options", 1, 1, 175, 45, 0, 0, 0x50000007},
    {IDC_UNDO_FRAME, "Button", "Undo", 1, 46, 130, 28, 0, 0, 0x50000007},
    {IDC_GO, "Button", "VORLAX !\n\n(Kellerup)", 181, 5, 43, 68, 0, 0, 0x50002000},
    {IDC_PROGRESS, "msctls_progress32", "", 1, 75, 224, 10, 0, 0, 0x50000001},
};

std::string RectText(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

void ExpectIdleWindow(HWND window) {
    EXPECT_EQ(kTitle, TextOf(window));
    LONG style = GetWindowLongA(window, GWL_STYLE);
    // The platform adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(0x80C008D4, style & ~(WS_VISIBLE | WS_CLIPSIBLINGS)) << std::hex << style;
    EXPECT_EQ(0, style & WS_SYSMENU) << "a system menu would give the caption a close box";
    RECT client = {};
    GetClientRect(window, &client);
    RECT expectedClient = DialogUnitsToPixels(0, 0, 226, 85);
    EXPECT_EQ(RectText(expectedClient), RectText(client));

    for (const ExpectedControl& c : kControls) {
        ControlView view = ViewControl(window, c.identifier);
        ASSERT_TRUE(view.exists) << "control " << c.identifier;
        EXPECT_EQ(c.className, view.className) << "control " << c.identifier;
        EXPECT_EQ(c.text, view.text) << "control " << c.identifier;
        EXPECT_EQ(c.style, view.style) << "control " << c.identifier << " style " << std::hex << view.style;
        // A progress bar gives itself a static edge.
        LONG extendedStyle = c.identifier == IDC_PROGRESS ? WS_EX_STATICEDGE : 0;
        EXPECT_EQ(extendedStyle, view.extendedStyle) << "control " << c.identifier;
        EXPECT_EQ(c.identifier != IDC_BUSY, view.visible) << "control " << c.identifier;
        EXPECT_TRUE(view.enabled) << "control " << c.identifier;
        RECT expected = DialogUnitsToPixels(c.x, c.y, c.width, c.height);
        if (c.width == 0) {
            expected.right = expected.left + c.pictureWidth;
            expected.bottom = expected.top + c.pictureHeight;
        }
        EXPECT_EQ(RectText(expected), RectText(view.rectangle)) << "control " << c.identifier;
    }
    EXPECT_EQ(0, CheckStateOf(window, IDC_RENAME_ALWAYS));
    EXPECT_EQ(1, CheckStateOf(window, IDC_RENAME_ON_CONFLICT));
    EXPECT_EQ(1, CheckStateOf(window, IDC_CREATE_UNDO));
    EXPECT_NE(nullptr, PictureOf(window, IDC_BUSY));
    EXPECT_NE(nullptr, PictureOf(window, IDC_HELP));
    EXPECT_NE(nullptr, PictureOf(window, IDC_CLOSE));

    // The creation order is the tab order: the children's order in the window.
    std::string order;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        order += std::to_string(GetDlgCtrlID(child)) + " ";
    }
    EXPECT_EQ("1008 1010 1009 1001 1002 1003 1004 1005 1006 1007 ", order);
}

// The running state, as long as the window still shows it.
void ExpectRunningWindow(HWND window) {
    const int disabled[] = {IDC_GO, IDC_RENAME_ALWAYS, IDC_RENAME_ON_CONFLICT, IDC_CREATE_UNDO, IDC_OPTIONS_FRAME,
                            IDC_UNDO_FRAME};
    for (int identifier : disabled) {
        EXPECT_FALSE(ViewControl(window, identifier).enabled) << "control " << identifier;
    }
    EXPECT_FALSE(ViewControl(window, IDC_CLOSE).visible);
    EXPECT_TRUE(ViewControl(window, IDC_BUSY).visible);
    EXPECT_TRUE(ViewControl(window, IDC_HELP).enabled);
}

TEST(EndToEnd, IdleWindowAndTheCloseButton) {
    std::string root = MakeScratchFolder("vorlax-e2e-idle");
    WriteTreeFile(root, "a\\x.txt", "ax");
    auto before = ReadTree(root);
    Session session = StartOn(Quoted(root));
    ASSERT_NE(nullptr, session.window) << "no main window";
    ExpectIdleWindow(session.window);
    PressButton(session.window, IDC_CLOSE);
    EXPECT_EQ(0u, WaitForExit(session.program, kRunTimeout));
    EXPECT_EQ(before, ReadTree(root));
    RemoveTree(root);
}

struct RunCase {
    bool renameAlways;
    bool undo;
    std::map<std::string, std::string> after;
    std::string script;  // with M standing for the main folder
    const ProgramTexts* program = &kEnglish;
};

std::string WithMainFolder(const std::string& text, const std::string& mainFolder) {
    std::string result;
    for (char c : text) {
        if (c == 'M') result += mainFolder;
        else result += c;
    }
    return result;
}

// `text` with every `from` replaced by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// Runs an undo script as a user does, through Wine's command interpreter. It is called
// from a batch file of our own, the one way that copes with every name a script may have.
bool RunUndoScript(const std::string& script) {
    char temp[MAX_PATH] = {};
    char system[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string name = "vorlax-e2e-undo-" + std::to_string(GetCurrentProcessId()) + ".bat";
    const std::string caller = temp + name;
    WriteTreeFile(temp, name, "@call \"" + script + "\" >nul\r\n");
    RunningProgram interpreter = StartProgram(std::string(system) + "\\cmd.exe", "/c \"" + caller + "\"");
    bool ended = interpreter.started && WaitForExit(interpreter, kRunTimeout) != STILL_ACTIVE;
    DeleteFileA(caller.c_str());
    return ended;
}

TEST(EndToEnd, EachRenameModeWithAndWithoutTheUndoScript) {
    const std::string alwaysScript =
        "@echo off\r\n"
        "setlocal EnableExtensions DisableDelayedExpansion\r\n"
        "echo restoring file #0/2   (0%% done)\r\n"
        "md \"Ma\\\"\r\n"
        "echo restoring file #1/2   (50%% done)\r\n"
        "if not exist \"Ma\\a x.txt\" move \"Ma x.txt\" \"Ma\\\"\r\n"
        "ren \"Ma\\a x.txt\" \"x.txt\"\r\n"
        "md \"Ma\\b\\\"\r\n"
        "echo restoring file #2/2   (100%% done)\r\n"
        "if not exist \"Ma\\b\\a b y.txt\" move \"Ma b y.txt\" \"Ma\\b\\\"\r\n"
        "ren \"Ma\\b\\a b y.txt\" \"y.txt\"\r\n";
    const std::string onConflictScript =
        "@echo off\r\n"
        "setlocal EnableExtensions DisableDelayedExpansion\r\n"
        "echo restoring file #0/2   (0%% done)\r\n"
        "md \"Ma\\\"\r\n"
        "echo restoring file #1/2   (50%% done)\r\n"
        "if not exist \"Ma\\x.txt\" move \"Mx.txt\" \"Ma\\\"\r\n"
        "md \"Ma\\b\\\"\r\n"
        "echo restoring file #2/2   (100%% done)\r\n"
        "if not exist \"Ma\\b\\y.txt\" move \"My.txt\" \"Ma\\b\\\"\r\n";
    const std::string frenchScript = Replaced(Replaced(onConflictScript, "echo restoring file #",
                                                       "echo Restauration fichier no"),
                                              "%% done)", "%% ok)");
    const RunCase cases[] = {
        {true, true, {{"top.txt", "t"}, {"a x.txt", "ax"}, {"a b y.txt", "aby"}}, alwaysScript},
        {true, false, {{"top.txt", "t"}, {"a x.txt", "ax"}, {"a b y.txt", "aby"}}, ""},
        {false, true, {{"top.txt", "t"}, {"x.txt", "ax"}, {"y.txt", "aby"}}, onConflictScript},
        {false, false, {{"top.txt", "t"}, {"x.txt", "ax"}, {"y.txt", "aby"}}, ""},
        {false, true, {{"top.txt", "t"}, {"x.txt", "ax"}, {"y.txt", "aby"}}, frenchScript, &kFrench},
    };
    int index = 0;
    for (const RunCase& c : cases) {
        SCOPED_TRACE("case " + std::to_string(index++));
        std::string root = MakeScratchFolder("vorlax-e2e-run");
        WriteTreeFile(root, "top.txt", "t");
        WriteTreeFile(root, "a\\x.txt", "ax");
        WriteTreeFile(root, "a\\b\\y.txt", "aby");
        const std::map<std::string, std::string> before = ReadTree(root);
        Session session = StartOn(Quoted(root), *c.program);
        ASSERT_NE(nullptr, session.window) << "no main window";
        EXPECT_EQ(c.program->title, TextOf(session.window));
        for (size_t i = 0; i < sizeof(kLabelledControls) / sizeof(kLabelledControls[0]); ++i) {
            EXPECT_EQ(c.program->labels[i], ViewControl(session.window, kLabelledControls[i]).text)
                << "control " << kLabelledControls[i];
        }
        if (c.renameAlways) SendMessageA(GetDlgItem(session.window, IDC_RENAME_ALWAYS), BM_CLICK, 0, 0);
        if (!c.undo) SendMessageA(GetDlgItem(session.window, IDC_CREATE_UNDO), BM_CLICK, 0, 0);
        EXPECT_EQ(c.renameAlways ? 1 : 0, CheckStateOf(session.window, IDC_RENAME_ALWAYS));
        EXPECT_EQ(c.renameAlways ? 0 : 1, CheckStateOf(session.window, IDC_RENAME_ON_CONFLICT));
        EXPECT_EQ(c.undo ? 1 : 0, CheckStateOf(session.window, IDC_CREATE_UNDO));

        PressButton(session.window, IDC_GO);
        // The window holds its running state through the run's last pause.
        // The start of a run disables, hides and shows in turn; its last step shows IDC_BUSY.
        ASSERT_TRUE(WaitUntil([&] { return ViewControl(session.window, IDC_BUSY).visible; }, kStartTimeout));
        if (IsWindow(session.window)) ExpectRunningWindow(session.window);
        EXPECT_EQ(0u, WaitForExit(session.program, kRunTimeout));

        std::map<std::string, std::string> after = ReadTree(root);
        std::string script;
        if (after.count(c.program->scriptName)) {
            script = after[c.program->scriptName];
            after.erase(c.program->scriptName);
        }
        EXPECT_EQ(c.after, after);
        EXPECT_EQ(WithMainFolder(c.script, root), script);
        EXPECT_TRUE(FoldersOf(root).empty()) << "folders left: " << FoldersOf(root).size();
        if (c.undo) {
            ASSERT_TRUE(RunUndoScript(root + c.program->scriptName));
            std::map<std::string, std::string> restored = ReadTree(root);
            restored.erase(c.program->scriptName);
            EXPECT_EQ(before, restored) << "files after the undo script: " << restored.size();
        }
        RemoveTree(root);
    }
}

// Many folders, so that the walk lasts long enough to watch.
void MakeLargeTree(const std::string& root) {
    for (int outer = 0; outer < 60; ++outer) {
        for (int inner = 0; inner < 40; ++inner) {
            WriteTreeFile(root, "d" + std::to_string(outer) + "\\e" + std::to_string(inner) + "\\f.txt", "f");
        }
    }
}

TEST(EndToEnd, TheBusyAnimationPlaysDuringTheWalkAndTheSystemCloseEndsTheRun) {
    std::string root = MakeScratchFolder("vorlax-e2e-large");
    MakeLargeTree(root);
    size_t filesBefore = ReadTree(root).size();
    Session session = StartOn(Quoted(root));
    ASSERT_NE(nullptr, session.window) << "no main window";
    PressButton(session.window, IDC_GO);
    ASSERT_TRUE(WaitUntil([&] { return ViewControl(session.window, IDC_BUSY).visible; }, kStartTimeout));
    ExpectRunningWindow(session.window);
    std::set<HANDLE> pictures;
    WaitUntil(
        [&] {
            HANDLE picture = PictureOf(session.window, IDC_BUSY);
            if (picture != nullptr) pictures.insert(picture);
            return pictures.size() >= 4;
        },
        kStartTimeout);
    EXPECT_GE(pictures.size(), 4u) << "the busy picture did not change during the walk";
    PostMessageA(session.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, WaitForExit(session.program, kRunTimeout));
    std::map<std::string, std::string> after = ReadTree(root);
    EXPECT_EQ(filesBefore, after.size());
    EXPECT_EQ(0u, after.count(kScriptName));
    EXPECT_EQ(1u, after.count("d0\\e0\\f.txt"));
    RemoveTree(root);
}

TEST(EndToEnd, EmptyAndMissingMainFolders) {
    std::string empty = MakeScratchFolder("vorlax-e2e-empty");
    // A mistyped name beside folders full of files: only a folder of that very name counts.
    std::string parent = MakeScratchFolder("vorlax-e2e-parent");
    WriteTreeFile(parent, "Photos\\2019\\a.jpg", "a");
    WriteTreeFile(parent, "Photos\\b.jpg", "b");
    WriteTreeFile(parent, "Documents\\letter.txt", "l");
    WriteTreeFile(parent, "top.txt", "t");
    const std::map<std::string, std::string> parentBefore = ReadTree(parent);
    const std::vector<std::string> parentFolders = FoldersOf(parent);
    struct Case {
        std::string argument;
        std::string folder;
        std::string script;
    };
    const Case cases[] = {
        {Quoted(empty), empty, "@echo off\r\nsetlocal EnableExtensions DisableDelayedExpansion\r\n"},
        {Quoted(empty + "not here\\"), empty + "not here\\", ""},
        {Quoted(parent + "Photoz"), parent + "Photoz\\", ""},
        {parent + "Photoz", parent + "Photoz\\", ""},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(index++) + " " + c.argument);
        Session session = StartOn(c.argument);
        ASSERT_NE(nullptr, session.window) << "no main window";
        EXPECT_EQ(kTitle, TextOf(session.window));
        PressButton(session.window, IDC_GO);
        EXPECT_EQ(0u, WaitForExit(session.program, kRunTimeout));
        EXPECT_EQ(c.script, ReadWholeFile(c.folder + kScriptName));
        if (c.script.empty()) {
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(c.folder.c_str()));
        }
    }
    EXPECT_EQ(parentBefore, ReadTree(parent));
    EXPECT_EQ(parentFolders, FoldersOf(parent));
    RemoveTree(empty);
    RemoveTree(parent);
}

TEST(EndToEnd, WithoutAnArgumentTheBrowseChoiceBecomesTheMainFolder) {
    RunningProgram program = StartProgram(ProgramPath(), "");
    ASSERT_TRUE(program.started);
    DWORD pid = program.process.dwProcessId;
    HWND browse = WaitForWindowOfClass(pid, "#32770", kStartTimeout);
    ASSERT_NE(nullptr, browse);
    ASSERT_NE(kTitle, TextOf(browse)) << "the main window came without asking";
    std::vector<HWND> trees = ChildrenOfClass(browse, "SysTreeView32");
    ASSERT_EQ(1u, trees.size());
    std::string programFolder = ProgramPath().substr(0, ProgramPath().rfind('\\'));
    std::string folderName = programFolder.substr(programFolder.rfind('\\') + 1);
    EXPECT_TRUE(WaitUntil([&] { return SelectedTreeItemText(trees.front(), pid) == folderName; }, 10000))
        << "selected: " << SelectedTreeItemText(trees.front(), pid);
    PostMessageA(browse, WM_COMMAND, IDOK, 0);

    HWND window = WaitForWindowTitled(pid, kTitle, kStartTimeout);
    ASSERT_NE(nullptr, window) << "no main window after the browse dialog";
    PressButton(window, IDC_CLOSE);
    EXPECT_EQ(0u, WaitForExit(program, kRunTimeout));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(ProgramPath().c_str())) << "the program moved";
}

}  // namespace
