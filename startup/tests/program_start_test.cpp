// The real program started as a user starts it: with a folder, and without one (browse dialog).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/driver/program_driver.h"

namespace {

const char* const kMainWindowTitle = " VORLAX v3 [by belcour]";
const int kCloseButton = 1009;

std::string Environment(const char* name) {
    const char* value = getenv(name);
    return value != nullptr ? value : "";
}

std::string ProgramPath() {
    return ToWindowsPath(Environment("VORLAX_EXE"));
}

// One string of a program's version resource, or "(none)".
std::string VersionString(const std::vector<char>& version, const std::string& block, const char* name) {
    char* text = nullptr;
    UINT length = 0;
    std::string query = "\\StringFileInfo\\" + block + "\\" + name;
    if (!VerQueryValueA(version.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) return "(none)";
    return text;
}

TEST(ProgramFile, EachProgramCarriesItsOwnVersionAndTheManifest) {
    struct Case {
        const char* variable;  // names the program file
        const char* originalFilename;
        WORD language;
        const char* block;
    };
    const Case cases[] = {
        {"VORLAX_EXE", "vorlax.exe", 0x409, "040904B0"},
        {"VORLAX_FR_EXE", "vorlax-fr.exe", 0x40C, "040C04B0"},
    };
    const std::string projectVersion = Environment("VORLAX_VERSION");
    unsigned major = 0, minor = 0, patch = 0;
    ASSERT_EQ(3, sscanf(projectVersion.c_str(), "%u.%u.%u", &major, &minor, &patch)) << projectVersion;
    for (const Case& c : cases) {
        std::string path = ToWindowsPath(Environment(c.variable));
        DWORD unused = 0;
        DWORD size = GetFileVersionInfoSizeA(path.c_str(), &unused);
        ASSERT_NE(0u, size) << path;
        std::vector<char> version(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, version.data())) << path;
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) << path;
        EXPECT_EQ(MAKELONG(minor, major), fixed->dwFileVersionMS) << path << std::hex << " " << fixed->dwFileVersionMS;
        EXPECT_EQ(MAKELONG(0, patch), fixed->dwFileVersionLS) << path << std::hex << " " << fixed->dwFileVersionLS;
        EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS) << path;
        EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS) << path;

        WORD* translation = nullptr;
        ASSERT_TRUE(VerQueryValueA(version.data(), "\\VarFileInfo\\Translation",
                                   reinterpret_cast<void**>(&translation), &length))
            << path;
        EXPECT_EQ(c.language, translation[0]) << path << std::hex << " " << translation[0];
        EXPECT_EQ(1200, translation[1]) << path << " " << translation[1];
        EXPECT_EQ(projectVersion, VersionString(version, c.block, "FileVersion")) << path;
        EXPECT_EQ(projectVersion, VersionString(version, c.block, "ProductVersion")) << path;
        EXPECT_EQ(c.originalFilename, VersionString(version, c.block, "OriginalFilename")) << path;
        EXPECT_EQ("VORLAX", VersionString(version, c.block, "ProductName")) << path;

        HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, image) << path;
        HRSRC found = FindResourceA(image, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
        ASSERT_NE(nullptr, found) << "no manifest in " << path;
        std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, found))),
                             SizeofResource(image, found));
        FreeLibrary(image);
        EXPECT_NE(std::string::npos, manifest.find("<activeCodePage")) << path;
        EXPECT_EQ(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"))
            << path << ": a common-controls 6 dependency would theme the progress bar";
    }
}

TEST(ProgramStart, WithAFolderTheMainWindowOpensWithoutAsking) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string tails[] = {"\"" + std::string(temp) + "\"", std::string(temp) + "nothing-here\\"};
    for (const std::string& tail : tails) {
        RunningProgram program = StartProgram(ProgramPath(), tail);
        ASSERT_TRUE(program.started) << "could not start " << ProgramPath();
        HWND window = WaitForWindowOfClass(program.process.dwProcessId, "#32770", 30000);
        ASSERT_NE(nullptr, window) << "tail " << tail;
        EXPECT_EQ(kMainWindowTitle, TextOf(window)) << "tail " << tail;
        EXPECT_EQ(1u, VisibleWindowsOf(program.process.dwProcessId).size()) << "tail " << tail;
        PressButton(window, kCloseButton);
        EXPECT_EQ(0u, WaitForExit(program, 30000)) << "tail " << tail;
    }
}

TEST(ProgramStart, WithoutAFolderAsksWithTheBrowseDialogAndCancelEndsIt) {
    const std::string tails[] = {"", "\"\""};
    for (const std::string& tail : tails) {
        RunningProgram program = StartProgram(ProgramPath(), tail);
        ASSERT_TRUE(program.started) << "could not start " << ProgramPath();
        DWORD pid = program.process.dwProcessId;
        HWND dialog = WaitForWindowOfClass(pid, "#32770", 30000);
        ASSERT_NE(nullptr, dialog) << "no browse dialog for tail [" << tail << "]";
        EXPECT_NE(kMainWindowTitle, TextOf(dialog));

        bool captionFound = false;
        for (HWND label : ChildrenOfClass(dialog, "Static")) {
            if (TextOf(label) ==
                "VORLAX v3 [by belcour]\nSELECT MAIN FOLDER WHERE TO MOVE ALL SUBFOLDERS CONTENT TO :") {
                captionFound = true;
            }
        }
        EXPECT_TRUE(captionFound) << "the two-line caption is not above the tree";

        RECT workArea = {};
        RECT bounds = {};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
        GetWindowRect(dialog, &bounds);
        int width = bounds.right - bounds.left;
        int height = bounds.bottom - bounds.top;
        EXPECT_EQ(workArea.right / 2 - width / 2, bounds.left) << "width " << width;
        EXPECT_EQ(workArea.bottom / 2 - height / 2, bounds.top) << "height " << height;

        std::vector<HWND> trees = ChildrenOfClass(dialog, "SysTreeView32");
        ASSERT_EQ(1u, trees.size());
        std::string programFolder = ProgramPath().substr(0, ProgramPath().rfind('\\'));
        std::string folderName = programFolder.substr(programFolder.rfind('\\') + 1);
        EXPECT_TRUE(WaitUntil([&] { return SelectedTreeItemText(trees.front(), pid) == folderName; }, 10000))
            << "selected [" << SelectedTreeItemText(trees.front(), pid) << "], the program's folder is "
            << programFolder;

        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        bool otherWindow = false;
        while (IsRunning(program)) {
            for (HWND window : VisibleWindowsOf(pid)) {
                if (window != dialog) otherWindow = true;
            }
            Sleep(10);
        }
        EXPECT_FALSE(otherWindow) << "a window opened after Cancel";
        EXPECT_EQ(0u, WaitForExit(program, 1000));
    }
}

}  // namespace
