// The text catalogue: both columns, the exact-match language rule and the composed texts.
#include "startup/texts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CatalogueCase {
    TextKey key;
    const char* english;
    const char* french;
};

const CatalogueCase kCatalogueCases[] = {
    {TXT_TITLE_BY, "by", "par"},
    {TXT_BROWSE_PROMPT, "Select main folder where to move all subfolders content to :",
     "Selectionner le repertoire principal dans lequel deplacer tout le contenu des sous-repertoires :"},
    {TXT_RENAME_ALWAYS, "Always rename as \"Subfolder filename.ext\"",
     "Toujours renommer en \"SousRep nomfich.ext\""},
    {TXT_RENAME_ON_CONFLICT, "Only rename when there is a filename conflict",
     "Ne renommer qu'en cas de conflit de nomfich"},
    {TXT_CREATE_UNDO, "Create \"undo\" file", "Creer fichier \"Annul\""},
    {TXT_OPTIONS, "Options", "Options"},
    {TXT_UNDO, "Undo", "Revenir en arriere"},
    {TXT_GO, "(Kellerup)", "(Kellerup)"},
    {TXT_UNDO_FILE, "undo 'Kellerup'.bat", "Annul VORLAX 'Kellerup'.bat"},
    {TXT_ECHO_RESTORING, "echo restoring file #", "echo Restauration fichier no"},
    {TXT_DONE, "done", "ok"},
};

TEST(TextCatalogue, EveryKeyInBothColumns) {
    ASSERT_EQ(sizeof(kCatalogueCases) / sizeof(kCatalogueCases[0]), static_cast<size_t>(TEXT_KEY_COUNT));
    for (const CatalogueCase& c : kCatalogueCases) {
        EXPECT_STREQ(c.english, CatalogueText(c.key, "EN")) << "key " << c.key;
        EXPECT_STREQ(c.french, CatalogueText(c.key, "FR")) << "key " << c.key;
    }
}

TEST(TextCatalogue, OnlyExactEnSelectsEnglish) {
    const char* const frenchSelectors[] = {"en", "En", "eN", "EN ", " EN", "", "FR", "ENG", "E"};
    for (const char* language : frenchSelectors) {
        EXPECT_STREQ("par", CatalogueText(TXT_TITLE_BY, language)) << "language [" << language << "]";
        EXPECT_STREQ("Annul VORLAX 'Kellerup'.bat", CatalogueText(TXT_UNDO_FILE, language))
            << "language [" << language << "]";
    }
    EXPECT_STREQ("par", CatalogueText(TXT_TITLE_BY, nullptr));
    EXPECT_STREQ("by", CatalogueText(TXT_TITLE_BY, "EN"));
}

TEST(TextCatalogue, EveryTextIsSevenBitAsciiWithoutCarriageReturns) {
    for (int key = 0; key < TEXT_KEY_COUNT; ++key) {
        for (const char* language : {"EN", "FR"}) {
            std::string text = CatalogueText(static_cast<TextKey>(key), language);
            for (unsigned char c : text) {
                EXPECT_LT(c, 128) << "key " << key << " " << language << ": " << text;
                EXPECT_NE(c, '\r') << "key " << key << " " << language;
            }
        }
    }
}

TEST(TextCatalogue, TextFollowsTheRecordedLanguageWhichStartsAsEnglish) {
    EXPECT_STREQ("EN", TextLanguage());
    EXPECT_STREQ("undo 'Kellerup'.bat", Text(TXT_UNDO_FILE));
    struct Case {
        const char* language;
        const char* undoFile;
    };
    const Case cases[] = {{"FR", "Annul VORLAX 'Kellerup'.bat"}, {"en", "Annul VORLAX 'Kellerup'.bat"},
                          {"EN", "undo 'Kellerup'.bat"}};
    for (const Case& c : cases) {
        // A language built in a temporary: the catalogue keeps its own copy.
        SetTextLanguage(std::string(c.language).c_str());
        EXPECT_STREQ(c.language, TextLanguage()) << c.language;
        EXPECT_STREQ(c.undoFile, Text(TXT_UNDO_FILE)) << "language " << c.language << ": " << Text(TXT_UNDO_FILE);
    }
}

TEST(ComposedTexts, ByteForByteInBothLanguages) {
    struct Case {
        const char* language;
        std::string title;
        std::string caption;
        std::string label;
    };
    const Case cases[] = {
        {"EN", " VORLAX v3 [by belcour]", "VORLAX v3 [by belcour]\nPROMPT", "VORLAX !\n\n(Kellerup)"},
        {"en", " VORLAX v3 [par belcour]", "VORLAX v3 [par belcour]\nPROMPT", "VORLAX !\n\n(Kellerup)"},
        {"FR", " VORLAX v3 [par belcour]", "VORLAX v3 [par belcour]\nPROMPT", "VORLAX !\n\n(Kellerup)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.title, WindowTitle(c.language)) << c.language;
        EXPECT_EQ(c.caption, BrowseCaption(c.language, "PROMPT")) << c.language;
        EXPECT_EQ(c.label, MainButtonLabel(c.language)) << c.language;
    }
}

}  // namespace
