// The undo script's lines, byte for byte.
#include "engine/script_lines.h"

namespace {

const char kLineEnd[] = "\r\n";

}  // namespace

std::string PercentDoubled(std::string_view text) {
    std::string doubled;
    doubled.reserve(text.size() + 8);
    for (char c : text) {
        doubled += c;
        if (c == '%') doubled += '%';
    }
    return doubled;
}

bool HasHighByte(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 128) return true;
    }
    return false;
}

std::string HeaderLines(bool utf8) {
    std::string header = std::string("@echo off") + kLineEnd;
    if (utf8) header += std::string("chcp 65001 >nul") + kLineEnd;
    return header;
}

std::string FolderLine(std::string_view mainFolder, std::string_view subfolder) {
    return "md \"" + PercentDoubled(mainFolder) + PercentDoubled(subfolder) + "\"" + kLineEnd;
}

std::string EchoLine(std::string_view restoringText, std::string_view doneText, int i, int n) {
    // The percent sign is doubled on purpose: the interpreter prints one.
    return std::string(restoringText) + IndexText(i, n) + "/" + std::to_string(n > 0 ? n - 1 : 0) + "   (" +
           std::to_string(Percentage(i, n)) + "%% " + std::string(doneText) + ")" + kLineEnd;
}

std::string MoveBackLine(std::string_view mainFolder, std::string_view subfolder, std::string_view target) {
    const std::string folder = PercentDoubled(mainFolder);
    return "move \"" + folder + PercentDoubled(target) + "\" \"" + folder + PercentDoubled(subfolder) + "\"" +
           kLineEnd;
}

std::string RenameBackLine(std::string_view mainFolder, std::string_view subfolder, std::string_view target,
                           std::string_view fileName) {
    return "ren \"" + PercentDoubled(mainFolder) + PercentDoubled(subfolder) + PercentDoubled(target) + "\" \"" +
           PercentDoubled(fileName) + "\"" + kLineEnd;
}
