// The undo script's lines and file names, as bytes, free of the platform.
#pragma once

#include <string>
#include <string_view>

// 100 x i / (n - 1) to the nearest whole number, a half going to the even one; 0 for n = 1.
int Percentage(int i, int n);

// Adds i in decimal, padded with "0" on the left to the width of n - 1.
void AppendIndexText(std::string& out, int i, int n);

// Whether any byte is 128 or more: such a script is written in UTF-8.
bool HasHighByte(std::string_view text);

// How many names a run tries for its undo script before it gives up.
const int kUndoScriptNames = 99;

// The undo script's file name number `number`, 1 to kUndoScriptNames: `baseName` itself
// for 1, then with " (2)" to " (99)" put before its extension, so that an earlier run's
// script keeps its name.
std::string UndoScriptName(std::string_view baseName, int number);

// Each adds its line (the header: its lines) to `out`. Every line ends in CR LF. The
// header turns delayed expansion off; the UTF-8 header switches the console's code page
// too. Every "%" in a path or name is doubled, so that the interpreter reads it as it is.
void AppendHeaderLines(std::string& out, bool utf8);
void AppendFolderLine(std::string& out, std::string_view mainFolder, std::string_view subfolder);
void AppendEchoLine(std::string& out, std::string_view restoringText, std::string_view doneText, int i, int n);
void AppendMoveBackLine(std::string& out, std::string_view mainFolder, std::string_view subfolder,
                        std::string_view target);
void AppendRenameBackLine(std::string& out, std::string_view mainFolder, std::string_view subfolder,
                          std::string_view target, std::string_view fileName);
