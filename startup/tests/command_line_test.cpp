// The command-line tail and the main folder rules, without the platform.
#include "startup/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandLineTail, SkipsTheProgramNameAndBlanksOnly) {
    struct Case {
        const char* commandLine;
        const char* tail;
    };
    const Case cases[] = {
        {"\"C:\\Program Files\\vorlax.exe\" C:\\Photos\\", "C:\\Photos\\"},
        {"\"C:\\Program Files\\vorlax.exe\"C:\\Photos", "C:\\Photos"},
        {"vorlax.exe C:\\Photos\\", "C:\\Photos\\"},
        {"vorlax.exe    \"C:\\My Photos\"  ", "\"C:\\My Photos\"  "},
        {"vorlax.exe\t\tC:\\x", "\t\tC:\\x"},
        {"vorlax.exe \tC:\\x", "\tC:\\x"},
        {"vorlax.exe", ""},
        {"\"vorlax.exe\"", ""},
        {"\"unterminated name", ""},
        {"", ""},
        {"vorlax.exe a \"b\" c\\ ", "a \"b\" c\\ "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::string(c.tail), CommandLineTail(c.commandLine)) << "command line [" << c.commandLine << "]";
    }
    EXPECT_EQ("", CommandLineTail(nullptr));
}

TEST(MainFolderRules, QuotesFolderPartAndFinalBackslash) {
    struct Case {
        const char* tail;
        const char* unquoted;
        const char* folderPart;
    };
    const Case cases[] = {
        {"\"C:\\Photos\\\"", "C:\\Photos\\", "C:\\Photos\\"},
        {"C:\\Photos\\Holiday", "C:\\Photos\\Holiday", "C:\\Photos\\"},
        {"\"\"C:\\a\"b\\c\"\"", "C:\\a\"b\\c", "C:\\a\"b\\"},
        {"C:\\My Photos\\", "C:\\My Photos\\", "C:\\My Photos\\"},
        {"\"\"\"", "", ""},
        {"", "", ""},
        {"Photos", "Photos", ""},
    };
    for (const Case& c : cases) {
        std::string unquoted = WithoutOuterQuotes(c.tail);
        EXPECT_EQ(std::string(c.unquoted), unquoted) << "tail [" << c.tail << "]";
        EXPECT_EQ(std::string(c.folderPart), FolderPartOf(unquoted)) << "tail [" << c.tail << "]";
    }
    EXPECT_EQ("C:\\Photos\\", WithFinalBackslash("C:\\Photos"));
    EXPECT_EQ("C:\\", WithFinalBackslash("C:\\"));
}

TEST(MainFolderRules, AnArgumentNamesWhatItNames) {
    struct Case {
        const char* absolute;
        bool isFile;
        const char* mainFolder;
    };
    const Case cases[] = {
        {"C:\\Photos\\Holiday", false, "C:\\Photos\\Holiday\\"},
        {"C:\\Photos\\Holiday\\", false, "C:\\Photos\\Holiday\\"},
        {"C:\\Photos\\a.jpg", true, "C:\\Photos\\"},
        {"C:\\My Photos", false, "C:\\My Photos\\"},
        {"C:\\", false, "C:\\"},
        // A mistyped folder names a folder that is not there, never its parent.
        {"C:\\Users\\ann\\Photoz", false, "C:\\Users\\ann\\Photoz\\"},
        {"C:\\Users\\ann\\Photos\\a.jpg.missing", false, "C:\\Users\\ann\\Photos\\a.jpg.missing\\"},
        {"", false, ""},
    };
    int index = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(std::string(c.mainFolder), MainFolderFromArgument(c.absolute, c.isFile))
            << "case " << index << " path [" << c.absolute << "] file " << c.isFile;
        ++index;
    }
}

TEST(BrowseChoice, OnlyDriveLetterFolders) {
    const unsigned long folder = 0x10;
    const unsigned long file = 0x20;
    const unsigned long failed = 0xFFFFFFFFul;
    struct Case {
        const char* path;
        unsigned long attributes;
        bool acceptable;
    };
    const Case cases[] = {
        {"C:\\Photos", folder, true},
        {"C:\\", folder | 0x6, true},
        {"C:\\Photos\\a.jpg", file, false},
        {"\\\\server\\share", folder, false},
        {"", folder, false},
        {"C", folder, false},
        {"C:\\gone", failed, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.acceptable, BrowseChoiceAcceptable(c.path, c.attributes)) << "path [" << c.path << "]";
    }
}

}  // namespace
