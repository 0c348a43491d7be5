// The catalogue of every text the user sees, in English and French, and the texts composed from it.
#pragma once

#include <string>

enum TextKey {
    TXT_TITLE_BY,
    TXT_BROWSE_PROMPT,
    TXT_RENAME_ALWAYS,
    TXT_RENAME_ON_CONFLICT,
    TXT_CREATE_UNDO,
    TXT_OPTIONS,
    TXT_UNDO,
    TXT_GO,
    TXT_UNDO_FILE,
    TXT_ECHO_RESTORING,
    TXT_DONE,
    TXT_REFUSED_BEFORE,
    TXT_REFUSED_AFTER,
    TEXT_KEY_COUNT
};

// The process-wide language of the catalogue: "EN" until RunProcess records the
// program's own language, before anything reads a text; read by Text() and by whoever
// composes a text. The value is copied.
void SetTextLanguage(const char* language);
const char* TextLanguage();

// The text of `key` in the column that `language` selects: exactly "EN" selects
// English, any other value (lower-case "en" included) French.
const char* CatalogueText(TextKey key, const char* language);

// The text of `key` in the recorded language.
const char* Text(TextKey key);

// " VORLAX v3 [by belcour]": the main window's title.
std::string WindowTitle(const char* language);

// The text above the browse dialog's folder tree: the title line, a line feed, then the
// prompt, which the caller has already upper-cased with the system's locale rules.
std::string BrowseCaption(const char* language, const std::string& upperCasedPrompt);

// "VORLAX !", an empty line, then the long name in parentheses: the main button's label.
std::string MainButtonLabel(const char* language);

// Why `folder` is not flattened: it is a drive, or it holds Windows, installed programs or
// a whole user profile.
std::string RefusalMessage(const char* language, const std::string& folder);
