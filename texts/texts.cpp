// The text catalogue: one English and one French column, picked by an exact comparison with "EN".
#include "texts/texts.h"

#include <cstring>

#define VORLAX_STRINGIZE(x) #x
#define VORLAX_TEXT_OF(x) VORLAX_STRINGIZE(x)
// "VORLAX v3": the major number of the project's version.
#define VORLAX_NAME_AND_VERSION "VORLAX v" VORLAX_TEXT_OF(VORLAX_VERSION_MAJOR)

namespace {

std::string gTextLanguage = "EN";

struct CatalogueRow {
    const char* english;
    const char* french;
};

// Indexed by TextKey; every text is 7-bit ASCII.
const CatalogueRow kCatalogue[TEXT_KEY_COUNT] = {
    {"by", "par"},
    {"Select main folder where to move all subfolders content to :",
     "Selectionner le repertoire principal dans lequel deplacer tout le contenu des sous-repertoires :"},
    {"Always rename as \"Subfolder filename.ext\"", "Toujours renommer en \"SousRep nomfich.ext\""},
    {"Only rename when there is a filename conflict", "Ne renommer qu'en cas de conflit de nomfich"},
    {"Create \"undo\" file", "Creer fichier \"Annul\""},
    {"Options", "Options"},
    {"Undo", "Revenir en arriere"},
    {"(Kellerup)", "(Kellerup)"},
    {"undo 'Kellerup'.bat", "Annul VORLAX 'Kellerup'.bat"},
    {"echo restoring file #", "echo Restauration fichier no"},
    {"done", "ok"},
    {"VORLAX does not flatten ", "VORLAX n'aplatit pas "},
    {": it is a drive, or it holds Windows, installed programs or a whole user profile.",
     " : c'est un lecteur, ou il contient Windows, des programmes installes ou un profil utilisateur entier."},
};

bool SelectsEnglish(const char* language) {
    return language != nullptr && std::strcmp(language, "EN") == 0;
}

}  // namespace

const char* CatalogueText(TextKey key, const char* language) {
    if (key < 0 || key >= TEXT_KEY_COUNT) return "";
    // The options frame reads the same in both languages; no choice is made for it.
    if (key == TXT_OPTIONS) return kCatalogue[key].english;
    return SelectsEnglish(language) ? kCatalogue[key].english : kCatalogue[key].french;
}

void SetTextLanguage(const char* language) {
    gTextLanguage = language != nullptr ? language : "";
}

const char* TextLanguage() {
    return gTextLanguage.c_str();
}

const char* Text(TextKey key) {
    return CatalogueText(key, gTextLanguage.c_str());
}

std::string WindowTitle(const char* language) {
    return std::string(" " VORLAX_NAME_AND_VERSION " [") + CatalogueText(TXT_TITLE_BY, language) + " belcour]";
}

std::string BrowseCaption(const char* language, const std::string& upperCasedPrompt) {
    return std::string(VORLAX_NAME_AND_VERSION " [") + CatalogueText(TXT_TITLE_BY, language) + " belcour]\n" +
           upperCasedPrompt;
}

std::string MainButtonLabel(const char* language) {
    return std::string("VORLAX !\n\n") + CatalogueText(TXT_GO, language);
}

std::string RefusalMessage(const char* language, const std::string& folder) {
    return CatalogueText(TXT_REFUSED_BEFORE, language) + folder + CatalogueText(TXT_REFUSED_AFTER, language);
}
