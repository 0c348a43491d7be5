// Drives the real vorlax.exe from another process, the way a person would: start it, find
// its windows, read what they show, click, and wait for the end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A host path (/work/...) in the form Wine shows it (Z:\work\...); Windows paths unchanged.
std::string ToWindowsPath(const std::string& path);


// CreateProcessA with `commandLine`, the current folder and environment, no handles inherited.
// Kept on purpose: a start that Wine reports as ERROR_INTERNAL_ERROR is made again, up to three
// times. With several Wine programs starting at once, a new process now and then ends before
// its first instruction (2 of 4 500 starts of cmd.exe, three starters on two Wine sessions;
// none of 1 500 alone): nothing of it ran, so starting it again repeats nothing.
bool StartProcess(const std::string& commandLine, PROCESS_INFORMATION& process);

// A program started with the command line: the quoted program path, a blank, then `tail`
// exactly as given (nothing when `tail` is empty). It belongs to whoever started it:
// going out of scope ends it if it still runs and closes its handles, so that a failed
// assertion never leaves it running on a scratch folder.
class RunningProgram {
public:
    RunningProgram(const std::string& program, const std::string& tail);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // False when it could not be started, or once it has been waited for.
    bool Running() const { return running_; }
    DWORD Id() const { return process_.dwProcessId; }

    // The exit code, or STILL_ACTIVE when it did not end in time (it is then ended).
    DWORD WaitForExit(DWORD milliseconds);

private:
    PROCESS_INFORMATION process_;
    bool running_;
};

std::vector<HWND> VisibleWindowsOf(DWORD processId);

// A visible top-level window of the process with that class, or null after the time.
HWND WaitForWindowOfClass(DWORD processId, const char* className, DWORD milliseconds);

// A visible top-level window of the process with that title, or null after the time.
HWND WaitForWindowTitled(DWORD processId, const char* title, DWORD milliseconds);

// The program's first dialog window (the browse dialog or the main window), or null
// when none came in time or the program did not start.
HWND WaitForDialog(const RunningProgram& program, DWORD milliseconds);

std::string ClassOf(HWND window);
std::string TextOf(HWND window);
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className);

// The text of the selected item of a tree view in another process.
std::string SelectedTreeItemText(HWND tree, DWORD processId);

// Sends a message whose lParam is a text to a window of another process, the text copied
// into that process first; returns the window's answer.
LRESULT SendTextMessage(HWND window, DWORD processId, UINT message, WPARAM wParam, const std::string& text);

// What a person sees of one control, read without waiting on the program.
struct ControlView {
    bool exists;
    std::string className;
    std::string text;
    bool visible;
    bool enabled;
    LONG style;
    LONG extendedStyle;
    RECT rectangle;  // in the client coordinates of its window
};

ControlView ViewControl(HWND window, int identifier);

// The controls `first` to `last` by identifier, each as two letters, enabled or disabled
// (e/d) then shown or hidden (v/h), separated by blanks: "dv ev eh". Read from the window
// styles, so it answers while a run keeps the program busy.
std::string ControlStates(HWND window, int first, int last);

// Presses a button the way a mouse click does, without waiting for what it starts.
void PressButton(HWND window, int identifier);

// Waits until `condition` holds or the time is up; returns whether it held.
template <class Condition>
bool WaitUntil(Condition condition, DWORD milliseconds) {
    for (DWORD waited = 0;; waited += 10) {
        if (condition()) return true;
        if (waited >= milliseconds) return false;
        Sleep(10);
    }
}
