// Test trees on disk: make files and folders, and read a whole tree back.
#pragma once

#include <map>
#include <string>
#include <vector>

// A fresh, empty folder under the temporary folder (ending in "\").
std::string MakeScratchFolder(const std::string& name);

// Writes `content` to `root` + `relativePath`, making the folders on the way.
void WriteTreeFile(const std::string& root, const std::string& relativePath, const std::string& content);

// Every file beneath `root`: relative path -> content.
std::map<std::string, std::string> ReadTree(const std::string& root);

// Every folder beneath `root`, as relative paths ending in "\".
std::vector<std::string> FoldersOf(const std::string& root);

// Removes `root` and everything beneath it.
void RemoveTree(const std::string& root);

std::string ReadWholeFile(const std::string& path);
