// The program's file services: every file-system call runs through here, one at a time,
// with the system's error boxes off and the thread's last error cleared before it.
#pragma once

#include <windows.h>

#include <string>

// The error number of the most recent file-service call on this thread, captured
// straight after the platform call (the program itself never shows it).
DWORD FsLastError();

DWORD FsGetAttributes(const std::string& path);
bool FsSetAttributes(const std::string& path, DWORD attributes);
bool FsMoveFile(const std::string& from, const std::string& to);
bool FsDeleteFile(const std::string& path);
bool FsRemoveFolder(const std::string& path);

HANDLE FsFindFirst(const std::string& pattern, WIN32_FIND_DATAA* found);
bool FsFindNext(HANDLE listing, WIN32_FIND_DATAA* found);
void FsFindClose(HANDLE listing);

// Creates a new file with normal attributes for writing only, unshared. Fails, and
// leaves it alone, when a file or folder already has the name.
HANDLE FsCreateNew(const std::string& path);
// True only when every byte was written.
bool FsWrite(HANDLE file, const void* bytes, DWORD count);
// Cuts the file to its first `length` bytes and leaves its pointer there.
bool FsCutBack(HANDLE file, unsigned long long length);
// Hands what was written to the disk itself.
bool FsFlush(HANDLE file);
void FsClose(HANDLE file);

// The absolute form of `path` against the current folder; empty when the platform
// cannot make one.
std::string FsFullPath(const std::string& path);
// `path` with every short (8.3) name in it written long; empty when it does not exist.
std::string FsLongPath(const std::string& path);
