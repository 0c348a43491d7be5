// A stand-in comctl32.dll that leaves a mark (the file VORLAX_MARK names) in every process that loads it, as a library
// planted beside a program would run its code there.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    char mark[MAX_PATH] = {};
    if (reason == DLL_PROCESS_ATTACH && GetEnvironmentVariableA("VORLAX_MARK", mark, MAX_PATH) > 0) {
        CloseHandle(CreateFileA(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    return TRUE;
}

extern "C" __declspec(dllexport) void WINAPI InitCommonControls() {}
