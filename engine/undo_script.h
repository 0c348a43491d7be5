// The undo script file: made under a free name, written a line at a time, flushed and closed; UTF-8 when needed.
#pragma once

#include <windows.h>

#include <string>

struct UndoScript {
    HANDLE file = INVALID_HANDLE_VALUE;
    // The code page the texts arrive in; 0 when they go out as they are.
    UINT convertFrom = 0;
    // The bytes of the lines written whole so far.
    unsigned long long wholeLines = 0;

    UndoScript() = default;
    UndoScript(const UndoScript&) = delete;
    UndoScript& operator=(const UndoScript&) = delete;
    ~UndoScript();
};

// Creates the script in `folder` (ending in "\") under the first of the names that
// UndoScriptName makes of `baseName` that no file or folder has, and writes its header;
// an earlier script is never opened. With `utf8` the header switches the console to
// UTF-8 and every line is converted to it from `codePage` (no conversion when that
// already is UTF-8). False when every name is taken, the file cannot be made or the
// header cannot be written; nothing is left open or made then.
bool OpenUndoScript(UndoScript& script, const std::string& folder, const std::string& baseName, bool utf8,
                    UINT codePage);

// Hands one or more complete lines to the file. False when they could not be written
// whole; the script then ends again with the lines written before them.
bool WriteUndoLine(UndoScript& script, const std::string& line);

// Hands the script to the disk and closes it.
void CloseUndoScript(UndoScript& script);

// `text` from `codePage` to UTF-8; empty when it cannot be converted.
std::string ConvertedToUtf8(const std::string& text, UINT codePage);
