// The main folder from real command-line arguments, upper-casing and the process code page, under Wine.
#include "startup/startup.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/file_services.h"
#include "window/window.h"

namespace {

// A fresh folder under the temporary folder, removed with everything in it afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "vorlax-startup-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (const std::string& inner : made_) {
            DeleteFileA(inner.c_str());
            RemoveDirectoryA(inner.c_str());
        }
        RemoveDirectoryA(path_.c_str());
    }
    std::string MakeFolder(const std::string& name) {
        std::string full = path_ + name;
        CreateDirectoryA(full.c_str(), nullptr);
        made_.insert(made_.begin(), full);
        return full;
    }
    std::string MakeFile(const std::string& name) {
        std::string full = path_ + name;
        HANDLE file = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(file);
        made_.insert(made_.begin(), full);
        return full;
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::vector<std::string> made_;
};

TEST(MainFolderFromTail, ArgumentsOnRealFolders) {
    ScratchFolder scratch;
    const std::string root = scratch.Path();
    scratch.MakeFolder("Holiday");
    scratch.MakeFolder("My Photos");
    scratch.MakeFile("Holiday\\a.jpg");
    struct Case {
        std::string tail;
        std::string mainFolder;
    };
    const Case cases[] = {
        {"\"" + root + "Holiday\"", root + "Holiday\\"},
        {root + "Holiday", root + "Holiday\\"},
        {root + "Holiday\\", root + "Holiday\\"},
        {"\"" + root + "Holiday\\\"", root + "Holiday\\"},
        {root + "Holiday\\a.jpg", root + "Holiday\\"},
        // Anything but an existing file names a folder of exactly that name.
        {root + "Missing", root + "Missing\\"},
        {"\"" + root + "Missing\"", root + "Missing\\"},
        {root + "Missing\\", root + "Missing\\"},
        {root + "Holiday\\a.jpeg", root + "Holiday\\a.jpeg\\"},
        {root + "My Photos", root + "My Photos\\"},
        {"\"\"" + root + "My Photos\"\"", root + "My Photos\\"},
        {"", ""},
        {"\"\"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.mainFolder, MainFolderFromTail(c.tail)) << "tail [" << c.tail << "]";
    }
}

TEST(MainFolderFromTail, RelativeArgumentIsTakenFromTheCurrentFolder) {
    ScratchFolder scratch;
    scratch.MakeFolder("Holiday");
    scratch.MakeFile("Holiday\\a.jpg");
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(scratch.Path().c_str()));
    struct Case {
        const char* argument;
        std::string mainFolder;
    };
    const Case cases[] = {
        {"Holiday", scratch.Path() + "Holiday\\"},
        {".", scratch.Path()},
        {"nothing-here.txt", scratch.Path() + "nothing-here.txt\\"},
        {"Holiday\\a.jpg", scratch.Path() + "Holiday\\"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.mainFolder, MainFolderFromTail(c.argument)) << "argument [" << c.argument << "]";
    }
    SetCurrentDirectoryA(previous);
}

TEST(MainFolderFromBrowse, FinalBackslashAddedOnlyWhenMissing) {
    EXPECT_EQ("C:\\Photos\\", MainFolderFromBrowse("C:\\Photos"));
    EXPECT_EQ("C:\\", MainFolderFromBrowse("C:\\"));
    EXPECT_EQ("", MainFolderFromBrowse(""));
}

TEST(ChooseMainFolder, CommandLineFolderBecomesTheMainFolder) {
    ScratchFolder scratch;
    scratch.MakeFolder("Holiday");
    gCommandLineTail = "\"" + scratch.Path() + "Holiday\"";
    ASSERT_TRUE(ChooseMainFolder(nullptr));
    EXPECT_EQ(scratch.Path() + "Holiday\\", gMainFolder);
    ResetProcessValues();
    EXPECT_EQ("", gMainFolder);
    gCommandLineTail.clear();
}

TEST(Platform, ManifestGivesTheUtf8CodePage) {
    EXPECT_EQ(65001u, GetACP());
}

TEST(Platform, UpperCasingIsTheSystemsAndTheCaptionTakesIt) {
    EXPECT_EQ("SELECT MAIN FOLDER WHERE TO MOVE ALL SUBFOLDERS CONTENT TO :",
              UpperCased(CatalogueText(TXT_BROWSE_PROMPT, "EN")));
    EXPECT_EQ("VORLAX v3 [by belcour]\nSELECT MAIN FOLDER WHERE TO MOVE ALL SUBFOLDERS CONTENT TO :",
              BrowseCaption("EN", UpperCased(CatalogueText(TXT_BROWSE_PROMPT, "EN"))));
    EXPECT_EQ("VORLAX v3 [par belcour]\nSELECTIONNER LE REPERTOIRE PRINCIPAL DANS LEQUEL DEPLACER TOUT "
              "LE CONTENU DES SOUS-REPERTOIRES :",
              BrowseCaption("FR", UpperCased(CatalogueText(TXT_BROWSE_PROMPT, "FR"))));
    // Accented letters follow the locale, in the UTF-8 code page the manifest sets.
    EXPECT_EQ("\xC3\x89T\xC3\x89", UpperCased("\xC3\xA9t\xC3\xA9"));
    EXPECT_EQ("", UpperCased(""));
}

TEST(Platform, FileServicesRestoreTheErrorModeAndKeepTheError) {
    UINT before = SetErrorMode(0);
    SetErrorMode(before);
    DWORD attributes = FsGetAttributes("C:\\no such folder\\no such file");
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(FsLastError() == ERROR_PATH_NOT_FOUND || FsLastError() == ERROR_FILE_NOT_FOUND)
        << "error " << FsLastError();
    UINT after = SetErrorMode(0);
    SetErrorMode(after);
    EXPECT_EQ(before, after);
}

}  // namespace
