// The undo script's lines and file names, byte for byte.
#include "engine/script_lines.h"

#include <cstdint>
#include <cstdio>

namespace {

const char kLineEnd[] = "\r\n";

// Each "%" doubled: the command interpreter reads the pair back as one.
void AppendPercentDoubled(std::string& out, std::string_view text) {
    for (std::size_t start = 0;;) {
        const std::size_t percent = text.find('%', start);
        if (percent == std::string_view::npos) {
            out.append(text.substr(start));
            return;
        }
        out.append(text.substr(start, percent + 1 - start));
        out += '%';
        start = percent + 1;
    }
}

void AppendQuoted(std::string& out, std::string_view first, std::string_view second,
                  std::string_view third = std::string_view()) {
    out += '"';
    AppendPercentDoubled(out, first);
    AppendPercentDoubled(out, second);
    AppendPercentDoubled(out, third);
    out += '"';
}

}  // namespace

int Percentage(int i, int n) {
    if (n <= 1) return 0;
    // Whole numbers throughout, so that a half is recognised exactly.
    const std::int64_t numerator = 100 * static_cast<std::int64_t>(i);
    const std::int64_t denominator = n - 1;
    std::int64_t quotient = numerator / denominator;
    const std::int64_t twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0)) {
        ++quotient;
    }
    return static_cast<int>(quotient);
}

void AppendIndexText(std::string& out, int i, int n) {
    char last[16];
    char index[16];
    const int lastWidth = std::snprintf(last, sizeof(last), "%d", n > 0 ? n - 1 : 0);
    const int indexWidth = std::snprintf(index, sizeof(index), "%d", i);
    if (indexWidth < lastWidth) out.append(static_cast<std::size_t>(lastWidth - indexWidth), '0');
    out.append(index, static_cast<std::size_t>(indexWidth));
}

bool HasHighByte(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 128) return true;
    }
    return false;
}

std::string UndoScriptName(std::string_view baseName, int number) {
    std::string name(baseName);
    if (number <= 1) return name;
    const std::size_t dot = name.rfind('.');
    name.insert(dot == std::string::npos ? name.size() : dot, " (" + std::to_string(number) + ")");
    return name;
}

void AppendHeaderLines(std::string& out, bool utf8) {
    out += "@echo off";
    out += kLineEnd;
    // Whatever the registry or the caller turned on, "!" and "^" in a name stay letters.
    out += "setlocal EnableExtensions DisableDelayedExpansion";
    out += kLineEnd;
    if (!utf8) return;
    out += "chcp 65001 >nul";
    out += kLineEnd;
}

void AppendFolderLine(std::string& out, std::string_view mainFolder, std::string_view subfolder) {
    out += "md ";
    AppendQuoted(out, mainFolder, subfolder);
    out += kLineEnd;
}

void AppendEchoLine(std::string& out, std::string_view restoringText, std::string_view doneText, int i, int n) {
    out.append(restoringText);
    AppendIndexText(out, i, n);
    out += '/';
    out += std::to_string(n > 0 ? n - 1 : 0);
    out += "   (";
    out += std::to_string(Percentage(i, n));
    // The percent sign is doubled on purpose: the interpreter prints one.
    out += "%% ";
    out.append(doneText);
    out += ')';
    out += kLineEnd;
}

void AppendMoveBackLine(std::string& out, std::string_view mainFolder, std::string_view subfolder,
                        std::string_view target) {
    // A batch file's move replaces without asking: a file the user put back in the old
    // place meanwhile keeps it, and the moved one stays in the main folder.
    out += "if not exist ";
    AppendQuoted(out, mainFolder, subfolder, target);
    out += " move ";
    AppendQuoted(out, mainFolder, target);
    out += ' ';
    AppendQuoted(out, mainFolder, subfolder);
    out += kLineEnd;
}

void AppendRenameBackLine(std::string& out, std::string_view mainFolder, std::string_view subfolder,
                          std::string_view target, std::string_view fileName) {
    out += "ren ";
    AppendQuoted(out, mainFolder, subfolder, target);
    out += ' ';
    AppendQuoted(out, fileName, std::string_view());
    out += kLineEnd;
}
