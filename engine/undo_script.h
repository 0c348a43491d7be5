// The undo script file: created, written a line at a time, closed; UTF-8 when it needs it.
#pragma once

#include <windows.h>

#include <string>

struct UndoScript {
    HANDLE file = INVALID_HANDLE_VALUE;
    // The code page the texts arrive in; 0 when they go out as they are.
    UINT convertFrom = 0;

    UndoScript() = default;
    UndoScript(const UndoScript&) = delete;
    UndoScript& operator=(const UndoScript&) = delete;
    ~UndoScript();
};

// Creates or empties the script at `path` and writes its header. With `utf8` the header
// switches the console to UTF-8 and every line is converted to it from `codePage` (no
// conversion when that already is UTF-8). False when the file cannot be made or the
// header cannot be written; nothing is left open then.
bool OpenUndoScript(UndoScript& script, const std::string& path, bool utf8, UINT codePage);

// Hands one complete line to the file. False when it could not be written whole.
bool WriteUndoLine(UndoScript& script, const std::string& line);

void CloseUndoScript(UndoScript& script);

// `text` from `codePage` to UTF-8; empty when it cannot be converted.
std::string ConvertedToUtf8(const std::string& text, UINT codePage);
