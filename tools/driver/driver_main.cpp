// vorlax_driver: runs the real program on a folder as a person would, pausing at the idle
// and the running window so that a screenshot can be taken from outside.
//   vorlax_driver PROGRAM FOLDER SHOTS_FOLDER
// For each moment NAME (idle, running) it writes SHOTS_FOLDER\NAME.request holding the
// window's screen rectangle "x y width height", then waits (at most 20 s) for
// SHOTS_FOLDER\NAME.done before it goes on. At the end SHOTS_FOLDER\finished holds the
// program's exit code.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/driver/program_driver.h"

namespace {

const int kGoButton = 1006;

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void AskForScreenshot(HWND window, const std::string& shots, const char* moment) {
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    char line[96];
    snprintf(line, sizeof(line), "%ld %ld %ld %ld\n", bounds.left, bounds.top, bounds.right - bounds.left,
             bounds.bottom - bounds.top);
    std::string request = shots + "\\" + moment + ".request";
    HANDLE file = CreateFileA(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(strlen(line)), &written, nullptr);
    CloseHandle(file);
    std::string done = shots + "\\" + moment + ".done";
    if (!WaitUntil([&] { return Exists(done); }, 20000)) {
        printf("vorlax_driver: no screenshot of the %s window was taken\n", moment);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        printf("usage: vorlax_driver PROGRAM FOLDER SHOTS_FOLDER\n");
        return 2;
    }
    std::string program = ToWindowsPath(argv[1]);
    std::string folder = ToWindowsPath(argv[2]);
    std::string shots = ToWindowsPath(argv[3]);

    RunningProgram running(program, "\"" + folder + "\"");
    if (!running.Running()) {
        printf("vorlax_driver: could not start %s\n", program.c_str());
        return 1;
    }
    HWND window = WaitForDialog(running, 30000);
    if (window == nullptr) {
        printf("vorlax_driver: the main window did not open\n");
        return 1;
    }
    // Let the window paint before it is photographed.
    Sleep(500);
    AskForScreenshot(window, shots, "idle");
    PressButton(window, kGoButton);
    if (WaitUntil([&] { return !IsWindow(window) || !IsWindowEnabled(GetDlgItem(window, kGoButton)); }, 30000) &&
        IsWindow(window)) {
        Sleep(150);
        AskForScreenshot(window, shots, "running");
    }
    DWORD exitCode = running.WaitForExit(600000);
    printf("vorlax_driver: vorlax.exe ended with exit code %lu\n", exitCode);
    // The virtual desktop that runs the driver may outlive it; this tells the end.
    std::string finished = shots + "\\finished";
    HANDLE file = CreateFileA(finished.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    char line[32];
    snprintf(line, sizeof(line), "%lu\n", exitCode);
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(strlen(line)), &written, nullptr);
    CloseHandle(file);
    return exitCode == 0 ? 0 : 1;
}
