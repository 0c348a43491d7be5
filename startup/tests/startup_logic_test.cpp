// The platform-free rules of start-up: the command-line tail and the browse choice.
#include <gtest/gtest.h>

#include <string>

#include "startup/command_line.h"

namespace {

TEST(CommandLineTail, SkipsTheProgramNameThenBlanksOnly) {
    const char* const cases[][2] = {
        {"\"C:\\Program Files\\vorlax.exe\" C:\\Photos\\", "C:\\Photos\\"}, {"vorlax.exe\t\tC:\\x", "\t\tC:\\x"},
        {"vorlax.exe    \"C:\\My Photos\"  ", "\"C:\\My Photos\"  "},         {"vorlax.exe \tC:\\x", "\tC:\\x"},
        {"\"unterminated name", ""},                                           {nullptr, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c[1], CommandLineTail(c[0])) << "command line [" << c[0] << "]";
}

TEST(BrowseChoice, OnlyFoldersWithADriveLetter) {
    const unsigned long folder = 0x10, file = 0x20, failed = 0xFFFFFFFFul;
    const struct { const char* path; unsigned long attributes; bool acceptable; } cases[] = {
        {"C:\\", folder | 0x6, true}, {"C:\\Photos\\a.jpg", file, false}, {"\\\\server\\share", folder, false},
        {"", folder, false},          {"C:\\gone", failed, false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.acceptable, BrowseChoiceAcceptable(c.path, c.attributes)) << c.path;
}

}  // namespace
