// The language rule: only exactly "EN" selects English, in the composed texts too; every text is 7-bit ASCII.
#include "startup/texts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextCatalogue, OnlyExactlyEnSelectsEnglish) {
    struct Case {
        const char* language;
        std::string by;
        const char* undoFile;
    };
    const char* const french = "Annul VORLAX 'Kellerup'.bat";
    const Case cases[] = {{"EN", "by", "undo 'Kellerup'.bat"}, {"en", "par", french}, {"EN ", "par", french},
                          {"", "par", french}, {nullptr, "par", french}, {"FR", "par", french}};
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(" VORLAX v3 [" + c.by + " belcour]", WindowTitle(c.language)) << "case " << i;
        EXPECT_EQ("VORLAX v3 [" + c.by + " belcour]\nPROMPT", BrowseCaption(c.language, "PROMPT")) << "case " << i;
        EXPECT_STREQ(c.undoFile, CatalogueText(TXT_UNDO_FILE, c.language)) << "case " << i;
        EXPECT_STREQ("Options", CatalogueText(TXT_OPTIONS, c.language)) << "case " << i;
        for (int key = 0; key < TEXT_KEY_COUNT; ++key) {
            for (unsigned char letter : std::string(CatalogueText(static_cast<TextKey>(key), c.language))) {
                EXPECT_TRUE(letter < 128 && letter != '\r') << "case " << i << " key " << key << " byte " << +letter;
            }
        }
    }
}

TEST(TextCatalogue, TextFollowsTheRecordedLanguageWhichStartsAsEnglish) {
    EXPECT_STREQ("undo 'Kellerup'.bat", Text(TXT_UNDO_FILE)) << TextLanguage();
    for (const char* language : {"FR", "en", "EN"}) {
        // A language built in a temporary: the catalogue keeps its own copy.
        SetTextLanguage(std::string(language).c_str());
        EXPECT_STREQ(CatalogueText(TXT_UNDO_FILE, language), Text(TXT_UNDO_FILE)) << language;
    }
}

}  // namespace
