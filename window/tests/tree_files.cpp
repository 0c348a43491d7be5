// Test trees on disk, made and read with the plain platform calls.
#include "window/tests/tree_files.h"

#include <windows.h>

namespace {

void Walk(const std::string& root, const std::string& relative, std::map<std::string, std::string>* files,
          std::vector<std::string>* folders) {
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((root + relative + "*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (folders != nullptr) folders->push_back(relative + name + "\\");
            Walk(root, relative + name + "\\", files, folders);
        } else if (files != nullptr) {
            (*files)[relative + name] = ReadWholeFile(root + relative + name);
        }
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
}

}  // namespace

std::string MakeScratchFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId()) + "\\";
    RemoveTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void WriteTreeFile(const std::string& root, const std::string& relativePath, const std::string& content) {
    for (std::string::size_type slash = relativePath.find('\\'); slash != std::string::npos;
         slash = relativePath.find('\\', slash + 1)) {
        CreateDirectoryA((root + relativePath.substr(0, slash)).c_str(), nullptr);
    }
    HANDLE file = CreateFileA((root + relativePath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

std::map<std::string, std::string> ReadTree(const std::string& root) {
    std::map<std::string, std::string> files;
    Walk(root, "", &files, nullptr);
    return files;
}

std::vector<std::string> FoldersOf(const std::string& root) {
    std::vector<std::string> folders;
    Walk(root, "", nullptr, &folders);
    return folders;
}

void RemoveTree(const std::string& root) {
    std::map<std::string, std::string> files;
    std::vector<std::string> folders;
    Walk(root, "", &files, &folders);
    for (const auto& file : files) {
        SetFileAttributesA((root + file.first).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA((root + file.first).c_str());
    }
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        RemoveDirectoryA((root + *folder).c_str());
    }
    RemoveDirectoryA(root.c_str());
}

std::string ReadWholeFile(const std::string& path) {
    std::string content;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) content.append(buffer, got);
    CloseHandle(file);
    return content;
}
