// Writing the undo script: one platform write per line, converted to UTF-8 when asked.
#include "engine/undo_script.h"

#include <climits>

#include "engine/file_services.h"
#include "engine/plan.h"
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

bool OpenUndoScript(UndoScript& script, const std::string& folder, const std::string& baseName, bool utf8,
                    UINT codePage) {
    CloseUndoScript(script);
    script.convertFrom = utf8 && codePage != CP_UTF8 ? codePage : 0;
    script.wholeLines = 0;
    for (int number = 1; number <= kUndoScriptNames; ++number) {
        const std::string path = folder + UndoScriptName(baseName, number);
        // A longer path would be cut by the ANSI call and the script land somewhere else.
        if (path.size() > kMaxPathChars) return false;
        script.file = FsCreateNew(path);
        if (script.file == INVALID_HANDLE_VALUE) {
            // Platforms differ in the error a folder of that name gives; either way the
            // name is taken when something has it, and any other failure is final.
            const DWORD error = FsLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                FsGetAttributes(path) != INVALID_FILE_ATTRIBUTES) {
                continue;
            }
            return false;
        }
        std::string header;
        AppendHeaderLines(header, utf8);
        if (WriteUndoLine(script, header)) return true;
        // An empty script of ours would only take a name from the next run.
        CloseUndoScript(script);
        FsDeleteFile(path);
        return false;
    }
    return false;
}

bool WriteUndoLine(UndoScript& script, const std::string& line) {
    if (script.file == INVALID_HANDLE_VALUE) return false;
    std::string converted;
    if (script.convertFrom != 0) {
        converted = ConvertedToUtf8(line, script.convertFrom);
        // A line the code page cannot read back is a line lost: the caller treats it so.
        if (converted.empty()) return false;
    }
    const std::string& bytes = script.convertFrom != 0 ? converted : line;
    if (FsWrite(script.file, bytes.data(), static_cast<DWORD>(bytes.size()))) {
        script.wholeLines += bytes.size();
        return true;
    }
    // Run, a cut line could give a file a wrong name or none: the script ends with its
    // last whole line and CR LF instead.
    FsCutBack(script.file, script.wholeLines);
    return false;
}

void CloseUndoScript(UndoScript& script) {
    if (script.file == INVALID_HANDLE_VALUE) return;
    // Once the program has ended, the record of its moves should survive a power cut.
    FsFlush(script.file);
    FsClose(script.file);
    script.file = INVALID_HANDLE_VALUE;
}
