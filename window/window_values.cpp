// The main window's process-wide values.
#include "window/window.h"

HWND gMainWindow = nullptr;

void WindowResetValues() {
    gMainWindow = nullptr;
}
