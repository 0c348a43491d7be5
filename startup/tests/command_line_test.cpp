// The command-line tail and the browse choice rule, without the platform.
#include "startup/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandLineTail, SkipsTheProgramNameThenBlanksOnly) {
    struct Case {
        const char* commandLine;
        const char* tail;
    };
    const Case cases[] = {
        {"\"C:\\Program Files\\vorlax.exe\" C:\\Photos\\", "C:\\Photos\\"},
        {"\"C:\\Program Files\\vorlax.exe\"C:\\Photos", "C:\\Photos"},
        {"vorlax.exe C:\\Photos\\", "C:\\Photos\\"},  {"vorlax.exe    \"C:\\My Photos\"  ", "\"C:\\My Photos\"  "},
        {"vorlax.exe\t\tC:\\x", "\t\tC:\\x"},          {"vorlax.exe \tC:\\x", "\tC:\\x"},
        {"vorlax.exe", ""},                            {"\"vorlax.exe\"", ""},
        {"\"unterminated name", ""},                   {"", ""},
        {"vorlax.exe a \"b\" c\\ ", "a \"b\" c\\ "},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        EXPECT_EQ(cases[i].tail, CommandLineTail(cases[i].commandLine)) << "case " << i;
    }
    EXPECT_EQ("", CommandLineTail(nullptr));
}

TEST(BrowseChoice, OnlyFoldersWithADriveLetter) {
    const unsigned long folder = 0x10, file = 0x20, failed = 0xFFFFFFFFul;
    struct Case {
        const char* path;
        unsigned long attributes;
        bool acceptable;
    };
    const Case cases[] = {
        {"C:\\Photos", folder, true},         {"C:\\", folder | 0x6, true}, {"C:\\Photos\\a.jpg", file, false},
        {"\\\\server\\share", folder, false}, {"", folder, false},          {"C", folder, false},
        {"C:\\gone", failed, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.acceptable, BrowseChoiceAcceptable(c.path, c.attributes)) << "path [" << c.path << "]";
    }
}

}  // namespace
