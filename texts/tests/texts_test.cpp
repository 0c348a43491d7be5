// The text catalogue: which column a language selects, and the texts composed from it.
#include "texts/texts.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

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
        EXPECT_EQ(std::string(c.by) == "by" ? "VORLAX does not flatten C:\\: it is a drive, or it holds Windows, "
                                              "installed programs or a whole user profile."
                                            : "VORLAX n'aplatit pas C:\\ : c'est un lecteur, ou il contient Windows, "
                                              "des programmes installes ou un profil utilisateur entier.",
                  RefusalMessage(c.language, "C:\\")) << c.language;
        std::string texts;
        for (int key = 0; key < TEXT_KEY_COUNT; ++key) texts += CatalogueText(static_cast<TextKey>(key), c.language);
        EXPECT_TRUE(std::regex_match(texts, std::regex("[\\x01-\\x0C\\x0E-\\x7F]*"))) << c.language << ": " << texts;
    }
    // The French program's options, and its undo script's name and lines, as its users read them.
    std::string french;
    for (TextKey key : {TXT_RENAME_ALWAYS, TXT_RENAME_ON_CONFLICT, TXT_CREATE_UNDO, TXT_UNDO_FILE, TXT_ECHO_RESTORING})
        french += CatalogueText(key, "FR") + std::string("|");
    EXPECT_EQ("Toujours renommer en \"SousRep nomfich.ext\"|Ne renommer qu'en cas de conflit de nomfich|Creer fichier "
              "\"Annul\"|Annul VORLAX 'Kellerup'.bat|echo Restauration fichier no|ok",
              french + CatalogueText(TXT_DONE, "FR"));
}

}  // namespace
