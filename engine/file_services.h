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

// Opens for writing only, unshared, creating the file with normal attributes when
// missing and emptying it when present.
HANDLE FsCreateForWriting(const std::string& path);
bool FsWrite(HANDLE file, const void* bytes, DWORD count);
void FsClose(HANDLE file);

// The absolute form of `path` against the current folder; empty when the platform
// cannot make one.
std::string FsFullPath(const std::string& path);
