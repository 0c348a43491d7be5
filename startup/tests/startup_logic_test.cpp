// The platform-free rules of start-up: the command-line tail, the browse choice, and the language of the texts.
#include <gtest/gtest.h>

#include <string>

#include "startup/command_line.h"
#include "startup/texts.h"

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

// English until a language is recorded, then only exactly "EN" selects English; every text is 7-bit ASCII.
TEST(TextCatalogue, OnlyExactlyEnSelectsEnglish) {
    EXPECT_STREQ("undo 'Kellerup'.bat", Text(TXT_UNDO_FILE)) << TextLanguage();
    const struct { const char* language; const char* by; } cases[] = {
        {"en", "par"}, {"EN ", "par"}, {nullptr, "par"}, {"EN", "by"}};
    for (const auto& c : cases) {
        // Recorded from a temporary: the catalogue keeps its own copy.
        SetTextLanguage(c.language != nullptr ? std::string(c.language).c_str() : nullptr);
        EXPECT_STREQ(c.by, Text(TXT_TITLE_BY)) << c.language;
        EXPECT_EQ(std::string("VORLAX v3 [") + c.by + " belcour]\nP", BrowseCaption(c.language, "P")) << c.language;
        for (int key = 0; key < TEXT_KEY_COUNT; ++key) {
            for (unsigned char letter : std::string(CatalogueText(static_cast<TextKey>(key), c.language))) {
                EXPECT_TRUE(letter < 128 && letter != '\r') << c.language << " key " << key << " byte " << +letter;
            }
        }
    }
}

}  // namespace
