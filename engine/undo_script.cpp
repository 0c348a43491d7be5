// Writing the undo script: one platform write per line, converted to UTF-8 when asked.
#include "engine/undo_script.h"

#include <climits>

#include "engine/file_services.h"
#include "engine/script_lines.h"

UndoScript::~UndoScript() {
    CloseUndoScript(*this);
}

std::string ConvertedToUtf8(const std::string& text, UINT codePage) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX / 4)) return std::string();
    const int length = static_cast<int>(text.size());
    int wideLength = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (wideLength <= 0) return std::string();
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, &wide[0], wideLength);
    int utf8Length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (utf8Length <= 0) return std::string();
    std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], utf8Length, nullptr, nullptr);
    return utf8;
}

bool OpenUndoScript(UndoScript& script, const std::string& path, bool utf8, UINT codePage) {
    CloseUndoScript(script);
    script.convertFrom = utf8 && codePage != CP_UTF8 ? codePage : 0;
    // A longer path would be cut by the ANSI call and the script land somewhere else.
    if (path.size() > MAX_PATH - 1) return false;
    script.file = FsCreateForWriting(path);
    if (script.file == INVALID_HANDLE_VALUE) return false;
    if (!WriteUndoLine(script, HeaderLines(utf8))) {
        CloseUndoScript(script);
        return false;
    }
    return true;
}

bool WriteUndoLine(UndoScript& script, const std::string& line) {
    if (script.file == INVALID_HANDLE_VALUE) return false;
    if (script.convertFrom == 0) return FsWrite(script.file, line.data(), static_cast<DWORD>(line.size()));
    const std::string converted = ConvertedToUtf8(line, script.convertFrom);
    // A line the code page cannot read back is a line lost: the caller treats it so.
    if (converted.empty()) return false;
    return FsWrite(script.file, converted.data(), static_cast<DWORD>(converted.size()));
}

void CloseUndoScript(UndoScript& script) {
    if (script.file == INVALID_HANDLE_VALUE) return;
    FsClose(script.file);
    script.file = INVALID_HANDLE_VALUE;
}
