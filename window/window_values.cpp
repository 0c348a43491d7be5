// The main window's process-wide values.
#include "window/window.h"

std::string gMainFolder;
HWND gMainWindow = nullptr;
int gBusyFrameIndex = 0;
UINT_PTR gBusyTimerHandle = 0;

void WindowResetValues() {
    gMainFolder.clear();
    gMainWindow = nullptr;
    gBusyFrameIndex = 0;
    gBusyTimerHandle = 0;
}
