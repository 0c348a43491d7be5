// The real program started as a user starts it: its file, and the browse dialog when no folder is named.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/driver/program_driver.h"
#include "window/window.h"

namespace {

TEST(ProgramFile, CarriesItsVersionAndManifest) {
    const std::string path = ProgramUnderTest();
    DWORD unused = 0;
    std::vector<char> version(GetFileVersionInfoSizeA(path.c_str(), &unused) + 1);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(version.size()), version.data())) << path;
    VS_FIXEDFILEINFO* fixed = nullptr;
    char* product = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_TRUE(VerQueryValueA(version.data(), "\\StringFileInfo\\040904B0\\ProductName",
                               reinterpret_cast<void**>(&product), &length));
    EXPECT_EQ("VORLAX 3", std::string(product) + " " + std::to_string(HIWORD(fixed->dwFileVersionMS)));
    HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_NE(nullptr, found) << "no manifest";
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(image, found)));
    std::string manifest(bytes, SizeofResource(image, found));
    FreeLibrary(image);
    // The UTF-8 code page, and no common-controls 6, which would theme the progress bar.
    EXPECT_TRUE(manifest.find("<activeCodePage") != std::string::npos &&
                manifest.find("Microsoft.Windows.Common-Controls") == std::string::npos) << manifest;
}

// Without a folder the browse dialog asks, centred on the work area, with the program's
// folder selected: OK opens the main window on the choice, Cancel ends the program.
TEST(ProgramStart, WithoutAFolderTheBrowseDialogAsks) {
    const std::string program = ProgramUnderTest(), folder = program.substr(0, program.rfind('\\'));
    const std::string folderName = folder.substr(folder.rfind('\\') + 1);
    const char* const tails[] = {"", "\"\""};
    const WPARAM answers[] = {IDOK, IDCANCEL};
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
        EXPECT_TRUE(WaitUntil([&] { return SelectedTreeItemText(trees[0], pid) == folderName; }, 10000))
            << "row " << i << ": selected [" << SelectedTreeItemText(trees[0], pid) << "]";
        PostMessageA(dialog, WM_COMMAND, answers[i], 0);
        HWND window = WaitForWindowTitled(pid, " VORLAX v3 [by belcour]", answers[i] == IDOK ? 30000 : 1000);
        EXPECT_EQ(answers[i] == IDOK, window != nullptr) << "row " << i << ": the main window after the answer";
        if (window != nullptr) PressButton(window, IDC_CLOSE);
        EXPECT_EQ(0u, WaitForExit(running, 30000)) << "row " << i;
    }
}

}  // namespace
