// The real program started as a user starts it: its file, and the browse dialog when no folder is named.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/driver/program_driver.h"
#include "window/window.h"

namespace {

std::string VersionString(const std::vector<char>& version, const std::string& block, const char* name) {
    char* text = nullptr;
    UINT length = 0;
    const std::string query = "\\StringFileInfo\\" + block + "\\" + name;
    return VerQueryValueA(version.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) ? text : "(none)";
}

// Each program carries the project's version in its own language, and the manifest.
TEST(ProgramFile, EachProgramCarriesItsOwnVersionAndTheManifest) {
    const struct { const char* variable; const char* file; WORD language; const char* block; } cases[] = {
        {"VORLAX_EXE", "vorlax.exe", 0x409, "040904B0"}, {"VORLAX_FR_EXE", "vorlax-fr.exe", 0x40C, "040C04B0"}};
    const char* const projectVersion = getenv("VORLAX_VERSION");
    ASSERT_NE(nullptr, projectVersion);
    unsigned major = 0, minor = 0, patch = 0;
    ASSERT_EQ(3, sscanf(projectVersion, "%u.%u.%u", &major, &minor, &patch)) << projectVersion;
    for (const auto& c : cases) {
        const std::string path = ToWindowsPath(getenv(c.variable) != nullptr ? getenv(c.variable) : "");
        DWORD unused = 0;
        std::vector<char> version(GetFileVersionInfoSizeA(path.c_str(), &unused) + 1);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(version.size()), version.data())) << path;
        VS_FIXEDFILEINFO* fixed = nullptr;
        WORD* translation = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length) &&
                    VerQueryValueA(version.data(), "\\VarFileInfo\\Translation",
                                   reinterpret_cast<void**>(&translation), &length)) << path;
        const std::string expected = std::to_string(MAKELONG(minor, major)) + " " + std::to_string(patch << 16) + " " +
                                     std::to_string(c.language) + " 1200 " + projectVersion + " " + projectVersion +
                                     " " + c.file + " VORLAX";
        const std::string actual = std::to_string(fixed->dwFileVersionMS) + " " +
                                   std::to_string(fixed->dwFileVersionLS) + " " + std::to_string(translation[0]) + " " +
                                   std::to_string(translation[1]) + " " +
                                   VersionString(version, c.block, "FileVersion") + " " +
                                   VersionString(version, c.block, "ProductVersion") + " " +
                                   VersionString(version, c.block, "OriginalFilename") + " " +
                                   VersionString(version, c.block, "ProductName");
        EXPECT_EQ(expected, actual) << path;
        EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS) << path;
        HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HRSRC found = FindResourceA(image, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
        ASSERT_NE(nullptr, found) << "no manifest in " << path;
        std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, found))),
                             SizeofResource(image, found));
        FreeLibrary(image);
        // The UTF-8 code page, and no common-controls 6, which would theme the progress bar.
        EXPECT_TRUE(manifest.find("<activeCodePage") != std::string::npos &&
                    manifest.find("Microsoft.Windows.Common-Controls") == std::string::npos) << path;
    }
}

// Without a folder the browse dialog asks, centred on the work area, with the program's
// folder selected: OK opens the main window on the choice, Cancel ends the program.
TEST(ProgramStart, WithoutAFolderTheBrowseDialogAsks) {
    const std::string program = ProgramUnderTest(), folder = program.substr(0, program.rfind('\\'));
    const std::string folderName = folder.substr(folder.rfind('\\') + 1);
    const char* const tails[] = {"", "\"\""};
    const WPARAM answers[] = {IDOK, IDCANCEL};
    // Wine's first browse dialog of a busy session may stop short of its selection while its
    // shell fills in: one unchecked browse first, answered with Cancel.
    RunningProgram first = StartProgram(program, "");
    if (HWND dialog = WaitForDialog(first, 30000)) {
        for (HWND tree : ChildrenOfClass(dialog, "SysTreeView32")) {
            WaitUntil([&] { return SelectedTreeItemText(tree, first.process.dwProcessId) == folderName; }, 30000);
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    WaitForExit(first, 30000);
    for (size_t i = 0; i < 2; ++i) {
        RunningProgram running = StartProgram(program, tails[i]);
        const DWORD pid = running.process.dwProcessId;
        HWND dialog = WaitForDialog(running, 30000);
        ASSERT_NE(nullptr, dialog) << "row " << i;
        std::string captions;
        for (HWND label : ChildrenOfClass(dialog, "Static")) captions += "[" + TextOf(label) + "]";
        const char* const caption =
            "[VORLAX v3 [by belcour]\nSELECT MAIN FOLDER WHERE TO MOVE ALL SUBFOLDERS CONTENT TO :]";
        EXPECT_NE(std::string::npos, captions.find(caption)) << "row " << i << ": " << captions;
        RECT workArea = {}, bounds = {};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
        GetWindowRect(dialog, &bounds);
        EXPECT_EQ(std::to_string(workArea.right / 2 - (bounds.right - bounds.left) / 2) + "," +
                      std::to_string(workArea.bottom / 2 - (bounds.bottom - bounds.top) / 2),
                  std::to_string(bounds.left) + "," + std::to_string(bounds.top)) << "row " << i;
        std::vector<HWND> trees = ChildrenOfClass(dialog, "SysTreeView32");
        ASSERT_EQ(1u, trees.size()) << "row " << i;
        // Wine's shell fills the tree slowly on a busy machine: the selection may take a while.
        EXPECT_TRUE(WaitUntil([&] { return SelectedTreeItemText(trees[0], pid) == folderName; }, 30000))
            << "row " << i << ": selected [" << SelectedTreeItemText(trees[0], pid) << "]";
        PostMessageA(dialog, WM_COMMAND, answers[i], 0);
        HWND window = WaitForWindowTitled(pid, " VORLAX v3 [by belcour]", answers[i] == IDOK ? 30000 : 1000);
        EXPECT_EQ(answers[i] == IDOK, window != nullptr) << "row " << i << ": the main window after the answer";
        if (window != nullptr) PressButton(window, IDC_CLOSE);
        EXPECT_EQ(0u, WaitForExit(running, 30000)) << "row " << i;
    }
}

}  // namespace
