// Start-up under Wine: the main folder from real arguments and browse choices, the system's upper-casing, and the
// real programs, their files, the folders they refuse and the browse dialog they show when no folder is named.
#include "startup/startup.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/file_services.h"
#include "tests/support/disk_trees.h"
#include "tools/driver/program_driver.h"
#include "window/window.h"

namespace {

TEST(MainFolder, FromArgumentsOnRealFoldersAndFromTheBrowseChoiceThenUpperCasing) {
    ScratchFolder scratch("startup");
    const std::string root = scratch.Path();
    ASSERT_TRUE(MakeFolders(root, "Holiday\\") && MakeFile(root, "My Photos\\a.jpg", ""));
    // Relative arguments are taken from the current folder; a missing path names exactly that folder, never its parent.
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
    const UINT errorMode = GetErrorMode();
    const struct { std::string tail, mainFolder; } cases[] = {
        {"Holiday", root + "Holiday\\"}, {"My Photos\\a.jpg", root + "My Photos\\"},
        {"\"" + root + "Holiday\\\"", root + "Holiday\\"}, {"\"\"" + root + "a\"b\\c\"\"", root + "a\"b\\c\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.mainFolder, MainFolderFromTail(c.tail)) << "tail [" << c.tail << "]";
    SetCurrentDirectoryA(previous);
    EXPECT_EQ("C:\\ C:\\Photos\\", MainFolderFromBrowse("C:\\") + " " + MainFolderFromBrowse("C:\\Photos"));
    // The attribute look-ups for missing paths keep their error and leave the error mode.
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, FsGetAttributes(root + "gone\\x"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), FsLastError());
    EXPECT_EQ(errorMode, GetErrorMode());
    // The test programs, like VORLAX, run in the UTF-8 code page their manifest asks for.
    EXPECT_EQ("\xC3\x89T\xC3\x89 SELECT", UpperCased("\xC3\xA9t\xC3\xA9 Select"));
}

// The libraries a program file, mapped as an image, imports: the names in its import directory, in capitals.
std::string ImportedLibraries(HMODULE image) {
    const char* base = reinterpret_cast<const char*>(reinterpret_cast<ULONG_PTR>(image) & ~ULONG_PTR{3});
    const auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::string names;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory); entry->Name != 0; ++entry)
        names += std::string(names.empty() ? "" : " ") + (base + entry->Name);
    CharUpperBuffA(&names[0], static_cast<DWORD>(names.size()));
    return names;
}

// Each program carries the project's version in its own language, and the manifest; it imports only libraries that
// Windows loads from the system folder whatever lies beside the program.
TEST(ProgramFile, EachProgramCarriesItsOwnVersionAndTheManifest) {
    // The string block is named after the language and the Unicode code page that Translation gives.
    const struct { const char* variable; const char* file; const char* block; } cases[] = {
        {"VORLAX_EXE", "vorlax.exe", "040904B0"}, {"VORLAX_FR_EXE", "vorlax-fr.exe", "040C04B0"}};
    const std::string project = getenv("VORLAX_VERSION") != nullptr ? getenv("VORLAX_VERSION") : "(none)";
    // The file's then the product's version, as numbers and again as texts.
    const std::string twice = project + " " + project;
    for (const auto& c : cases) {
        const std::string path = ToWindowsPath(getenv(c.variable) != nullptr ? getenv(c.variable) : "");
        std::vector<char> version(GetFileVersionInfoSizeA(path.c_str(), nullptr) + 1);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(version.size()), version.data())) << path;
        VS_FIXEDFILEINFO* fixed = nullptr;
        WORD* translation = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length) &&
                    VerQueryValueA(version.data(), "\\VarFileInfo\\Translation",
                                   reinterpret_cast<void**>(&translation), &length)) << path;
        char numbers[64] = {};
        snprintf(numbers, sizeof(numbers), "%u.%u.%u %u.%u.%u %04X%04X", HIWORD(fixed->dwFileVersionMS),
                 LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS), HIWORD(fixed->dwProductVersionMS),
                 LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS), translation[0], translation[1]);
        std::string actual = numbers;
        for (const char* name : {"FileVersion", "ProductVersion", "OriginalFilename", "ProductName"}) {
            const std::string query = std::string("\\StringFileInfo\\") + c.block + "\\" + name;
            char* text = nullptr;
            const bool found = VerQueryValueA(version.data(), query.c_str(), reinterpret_cast<void**>(&text), &length);
            actual += std::string(" ") + (found ? text : "(none)");
        }
        EXPECT_EQ(twice + " " + c.block + " " + twice + " " + c.file + " VORLAX", actual) << path;
        HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        HRSRC info = FindResourceA(image, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
        ASSERT_NE(nullptr, info) << "no manifest in " << path;
        std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, info))),
                             SizeofResource(image, info));
        // The UTF-8 code page, aware of the display's scale, and no common-controls 6, which would theme the bar.
        EXPECT_TRUE(manifest.find("<activeCodePage") != std::string::npos &&
                    manifest.find(">true</dpiAware>") != std::string::npos &&
                    manifest.find("Microsoft.Windows.Common-Controls") == std::string::npos) << manifest;
        EXPECT_EQ("GDI32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL SHELL32.DLL SHLWAPI.DLL USER32.DLL",
                  ImportedLibraries(image)) << path;
        FreeLibrary(image);
    }
}

// Wine, told to prefer a comctl32.dll of a program's own for the program named, as Windows would for a library it does
// not know as its own (WINEDLLOVERRIDES would say the same, but a Windows process cannot hand it on).
struct PreferLibraryBeside {
    explicit PreferLibraryBeside(const std::string& program) : key("Software\\Wine\\AppDefaults\\" + program) {
        RegSetKeyValueA(HKEY_CURRENT_USER, (key + "\\DllOverrides").c_str(), "comctl32", REG_SZ, "native,builtin", 15);
    }
    ~PreferLibraryBeside() { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }
    const std::string key;
};

// Named a drive, what holds the profile, a missing folder in C:\WINDOWS (letter case is set aside), a Program Files
// folder in 8.3 or a drive mapped to a folder of the test's, the program refuses it with a message naming it and,
// after OK, ends having changed nothing. Named none, it asks with the browse dialog, centred on the work area, with
// its own folder selected: OK opens the main window on the choice, Cancel ends the program. A comctl32.dll planted
// beside the programs marks any process that loads it: a program that imports the library does; VORLAX never does.
// Wine's browse dialog finds the folder to select by comparing item identifiers whole, and a folder's identifier holds
// its last-write time: a folder on the way that changes while the dialog opens (the build folder, /tmp under a
// compiler) makes the selection stop short. The programs therefore run from a folder nothing else writes in, right
// below the C: drive, whose identifier holds no time.
TEST(ProgramStart, RefusesSystemFoldersAndAsksForOneWhenNoneIsNamed) {
    ScratchFolder home("programs", "C:\\");
    for (const char* file : {"VORLAX_EXE", "VORLAX_FR_EXE", "VORLAX_PLANTED", "VORLAX_IMPORTER"}) {
        const std::string from = ToWindowsPath(getenv(file) != nullptr ? getenv(file) : "");
        ASSERT_TRUE(CopyFileA(from.c_str(), (home.Path() + from.substr(from.rfind('\\') + 1)).c_str(), TRUE)) << from;
    }
    const PreferLibraryBeside prefer[] = {PreferLibraryBeside("comctl32_importer.exe"),
                                          PreferLibraryBeside("vorlax.exe"), PreferLibraryBeside("vorlax-fr.exe")};
    const std::string mark = home.Path() + "mark";
    SetEnvironmentVariableA("VORLAX_MARK", mark.c_str());
    RunningProgram(home.Path() + "comctl32_importer.exe", "").WaitForExit(60000);
    EXPECT_TRUE(DeleteFileA(mark.c_str())) << "the planted library was not loaded by a program that imports it";
    ScratchFolder mapped("mapped");
    ASSERT_TRUE(MakeFile(mapped.Path(), "a\\photo.jpg", "photo"));
    const TreeSnapshot before = Snapshot(mapped.Path());
    const char* prefix = getenv("WINEPREFIX");
    ASSERT_NE(nullptr, prefix);
    const std::string drive = ToWindowsPath(std::string(prefix) + "/dosdevices/x:");
    ASSERT_TRUE(RunOnHost("ln", "-s", {mapped.Path(), drive}));
    char programs[MAX_PATH] = {};
    GetEnvironmentVariableA("ProgramFiles", programs, MAX_PATH);
    GetShortPathNameA(programs, programs, MAX_PATH);
    // The program's language, the command-line tail, the folder a message refuses (none: the browse dialog asks), and
    // the answer given.
    const struct { const char* language; std::string tail, refused; WPARAM answer; } rows[] = {
        {"EN", "\"C:\\\"", "C:\\", IDOK}, {"FR", "\"C:\\\"", "C:\\", IDOK}, {"EN", "C:\\users", "C:\\users\\", IDOK},
        {"EN", "C:\\WINDOWS\\gone", "C:\\WINDOWS\\gone\\", IDOK}, {"EN", programs, programs + std::string("\\"), IDOK},
        {"EN", "\"x:\\\"", "x:\\", IDOK}, {"EN", "", "", IDOK}, {"EN", "\"\"", "", IDCANCEL},
    };
    for (const auto& row : rows) {
        const std::string program = row.language == std::string("EN") ? "vorlax.exe" : "vorlax-fr.exe";
        SCOPED_TRACE(program + " tail [" + row.tail + "] answered " + (row.answer == IDOK ? "OK" : "Cancel"));
        RunningProgram running(home.Path() + program, row.tail);
        HWND dialog = WaitForDialog(running, 30000);
        ASSERT_NE(nullptr, dialog);
        std::string labels;
        for (HWND label : ChildrenOfClass(dialog, "Static")) labels += "[" + TextOf(label) + "]";
        if (!row.refused.empty()) {
            EXPECT_EQ(WindowTitle(row.language), TextOf(dialog));
            EXPECT_NE(std::string::npos, labels.find("[" + RefusalMessage(row.language, row.refused) + "]")) << labels;
            PostMessageA(dialog, WM_COMMAND, row.answer, 0);
            EXPECT_EQ(0u, running.WaitForExit(30000));
            continue;
        }
        // The selection is made before the dialog first shows.
        EXPECT_NE(std::string::npos, labels.find("[VORLAX v3 [by belcour]\n"
                                                 "SELECT MAIN FOLDER WHERE TO MOVE ALL SUBFOLDERS CONTENT TO :]"))
            << labels;
        RECT workArea = {}, bounds = {};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
        GetWindowRect(dialog, &bounds);
        EXPECT_EQ(workArea.right / 2 - (bounds.right - bounds.left) / 2, bounds.left);
        EXPECT_EQ(workArea.bottom / 2 - (bounds.bottom - bounds.top) / 2, bounds.top);
        const std::vector<HWND> trees = ChildrenOfClass(dialog, "SysTreeView32");
        ASSERT_EQ(1u, trees.size());
        EXPECT_EQ(home.Path().substr(3, home.Path().size() - 4), SelectedTreeItemText(trees[0], running.Id()));
        // A drive cannot be chosen: OK stays disabled until a folder that can is selected again.
        HWND ok = GetDlgItem(dialog, IDOK);
        SendTextMessage(dialog, running.Id(), BFFM_SETSELECTIONA, TRUE, "C:\\");
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(ok); }, 10000))
            << "OK enabled on " << SelectedTreeItemText(trees[0], running.Id());
        SendTextMessage(dialog, running.Id(), BFFM_SETSELECTIONA, TRUE, home.Path());
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(ok) != FALSE; }, 10000))
            << "OK disabled on " << SelectedTreeItemText(trees[0], running.Id());
        PostMessageA(dialog, WM_COMMAND, row.answer, 0);
        HWND window = WaitForWindowTitled(running.Id(), WindowTitle("EN").c_str(), row.answer == IDOK ? 30000 : 1000);
        const std::string bar = window != nullptr ? ClassOf(GetDlgItem(window, IDC_PROGRESS)) : "no window";
        EXPECT_EQ(row.answer == IDOK ? "msctls_progress32" : "no window", bar) << "the main window's progress bar";
        if (window != nullptr) PressButton(window, IDC_CLOSE);
        EXPECT_EQ(0u, running.WaitForExit(30000));
    }
    RunOnHost("rm", "-f", {drive});
    EXPECT_EQ(before, Snapshot(mapped.Path())) << "the folder behind X:";
    EXPECT_FALSE(Exists(mark)) << "the planted library was loaded";
}

}  // namespace
