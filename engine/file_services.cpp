// Guarded file-system calls: critical-error and open-file boxes off around each, last error cleared, calls serialised.
#include "engine/file_services.h"

#include <atomic>

namespace {

// Fail-critical-errors and no-open-file-error-box: a missing floppy or a locked file
// must never put a system box in front of the user.
// Kept on purpose: a run goes on past any file it cannot touch, and the user sees nothing
// until the window closes; a box raised by one call would stop the whole run on it. So the
// mode is set around every call, not once, as a handler nested in the walk could change it.
const UINT kQuietErrorMode = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;

std::atomic_flag gFileCallLock = ATOMIC_FLAG_INIT;
thread_local DWORD gLastFileError = 0;

// Holds the lock and the quiet error mode for the length of one platform call.
// Kept on purpose: the error mode and the last error are the thread's, so calls are taken
// one at a time; with the program's one thread the lock never spins.
class FileCallScope {
public:
    FileCallScope() {
        while (gFileCallLock.test_and_set(std::memory_order_acquire)) {}
        previousMode_ = SetErrorMode(kQuietErrorMode);
        SetLastError(0);
    }
    ~FileCallScope() {
        SetErrorMode(previousMode_);
        gFileCallLock.clear(std::memory_order_release);
    }
    FileCallScope(const FileCallScope&) = delete;
    FileCallScope& operator=(const FileCallScope&) = delete;

    // Call right after the platform call, before anything else can touch the error.
    void Capture() { gLastFileError = GetLastError(); }

private:
    UINT previousMode_;
};

}  // namespace

DWORD FsLastError() {
    return gLastFileError;
}

DWORD FsGetAttributes(const std::string& path) {
    FileCallScope scope;
    DWORD attributes = GetFileAttributesA(path.c_str());
    scope.Capture();
    return attributes;
}

bool FsSetAttributes(const std::string& path, DWORD attributes) {
    FileCallScope scope;
    BOOL done = SetFileAttributesA(path.c_str(), attributes);
    scope.Capture();
    return done != FALSE;
}

bool FsMoveFile(const std::string& from, const std::string& to) {
    FileCallScope scope;
    BOOL done = MoveFileA(from.c_str(), to.c_str());
    scope.Capture();
    return done != FALSE;
}

bool FsDeleteFile(const std::string& path) {
    FileCallScope scope;
    BOOL done = DeleteFileA(path.c_str());
    scope.Capture();
    return done != FALSE;
}

bool FsRemoveFolder(const std::string& path) {
    FileCallScope scope;
    BOOL done = RemoveDirectoryA(path.c_str());
    scope.Capture();
    return done != FALSE;
}

HANDLE FsFindFirst(const std::string& pattern, WIN32_FIND_DATAA* found) {
    FileCallScope scope;
    HANDLE listing = FindFirstFileA(pattern.c_str(), found);
    scope.Capture();
    return listing;
}

bool FsFindNext(HANDLE listing, WIN32_FIND_DATAA* found) {
    FileCallScope scope;
    BOOL more = FindNextFileA(listing, found);
    scope.Capture();
    return more != FALSE;
}

void FsFindClose(HANDLE listing) {
    if (listing == INVALID_HANDLE_VALUE) return;
    FileCallScope scope;
    FindClose(listing);
    scope.Capture();
}

HANDLE FsCreateNew(const std::string& path) {
    FileCallScope scope;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    scope.Capture();
    return file;
}

bool FsWrite(HANDLE file, const void* bytes, DWORD count) {
    FileCallScope scope;
    DWORD written = 0;
    BOOL done = WriteFile(file, bytes, count, &written, nullptr);
    scope.Capture();
    return done != FALSE && written == count;
}

bool FsCutBack(HANDLE file, unsigned long long length) {
    FileCallScope scope;
    LONG high = static_cast<LONG>(length >> 32);
    const DWORD low = SetFilePointer(file, static_cast<LONG>(length & 0xFFFFFFFFull), &high, FILE_BEGIN);
    // INVALID_SET_FILE_POINTER is also a valid low half; only the error tells them apart.
    bool done = !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) && SetEndOfFile(file);
    scope.Capture();
    return done;
}

bool FsFlush(HANDLE file) {
    FileCallScope scope;
    BOOL done = FlushFileBuffers(file);
    scope.Capture();
    return done != FALSE;
}

void FsClose(HANDLE file) {
    if (file == INVALID_HANDLE_VALUE || file == nullptr) return;
    FileCallScope scope;
    CloseHandle(file);
    scope.Capture();
}

std::string FsFullPath(const std::string& path) {
    FileCallScope scope;
    DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        scope.Capture();
        return std::string();
    }
    std::string full(needed, '\0');
    DWORD length = GetFullPathNameA(path.c_str(), needed, &full[0], nullptr);
    scope.Capture();
    if (length == 0 || length >= needed) return std::string();
    full.resize(length);
    return full;
}

std::string FsLongPath(const std::string& path) {
    FileCallScope scope;
    DWORD needed = GetLongPathNameA(path.c_str(), nullptr, 0);
    if (needed == 0) {
        scope.Capture();
        return std::string();
    }
    std::string longer(needed, '\0');
    DWORD length = GetLongPathNameA(path.c_str(), &longer[0], needed);
    scope.Capture();
    if (length == 0 || length >= needed) return std::string();
    longer.resize(length);
    return longer;
}
