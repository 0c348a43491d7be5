// The platform-free rules of start-up: the command-line tail and the browse choice.
#include <gtest/gtest.h>

#include <cctype>
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

// Drives, the Windows and Program Files trees, the profile itself and every folder that holds one of them are
// refused; a folder beside them, or inside the profile, is not. Letter case is set aside as the test's fold sets it.
TEST(RefusedMainFolder, DrivesSystemTreesTheProfileAndWhatHoldsThem) {
    const ProtectedPlaces places = {{"C:\\Windows\\", "C:\\Program Files\\", "D:\\Apps\\x86\\"}, {"C:\\Users\\Ann\\"}};
    const FoldCaseFn upperAscii = [](std::string_view name, std::string& key) {
        key.assign(name);
        for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    };
    const struct { const char* folder; bool refused; } cases[] = {
        {"C:\\", true}, {"d:\\", true}, {"\\\\server\\share\\", true}, {"\\\\server\\share\\Photos\\", false},
        {"C:\\Windows\\", true}, {"C:\\WINDOWS\\System32\\", true}, {"C:\\Windows.old\\", false},
        {"D:\\Apps\\x86\\App\\", true}, {"D:\\Apps\\", true}, {"C:\\Program\\", false}, {"C:\\Users\\", true},
        {"c:\\users\\ann\\", true}, {"C:\\Users\\Ann\\Pictures\\", false}, {"C:\\Users\\Annette\\", false},
        {"C:\\Photos\\", false}, {"C:\\Users\\Bob\\", false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.refused, IsRefusedMainFolder(c.folder, places, upperAscii)) << c.folder;
}

}  // namespace
