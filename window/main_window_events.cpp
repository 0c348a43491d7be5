// The main window's event handler: starting a run, the busy animation, help and close.
#include "window/window.h"

#include <shellapi.h>

#include <cstdio>

#include "dialog/dialog.h"
#include "engine/engine.h"

// The page where the release is published, which only the release knows: the build
// setting VORLAX_HOME_PAGE.
#ifndef VORLAX_HOME_PAGE
#error "the build names the home page in VORLAX_HOME_PAGE"
#endif
const char* const kHomePage = VORLAX_HOME_PAGE;

namespace {

const UINT kTickMilliseconds = 20;
const int kFrameCount = 31;

// A button's click, and the help image's click or double click.
// Kept on purpose: a double click on the help image sends a click and then a double click,
// so it opens the page twice, as it always has.
bool IsClickOrDoubleClick(WORD code) {
    static_assert(BN_CLICKED == STN_CLICKED, "a click reads the same from a button and an image");
    return code == BN_CLICKED || code == STN_DBLCLK;
}

void OnBusyTick(HWND window) {
    gBusyFrameIndex = (gBusyFrameIndex + 1) % kFrameCount;
    char frameName[16];
    snprintf(frameName, sizeof(frameName), "LOADING%02d", gBusyFrameIndex);
    DlgSetImage(window, IDC_BUSY, frameName);
    if (gRelocationCount != 0) {
        KillTimer(window, gBusyTimerHandle);
        DlgShowWindow(DlgControlWindow(window, IDC_BUSY), SW_HIDE);
        DlgRedraw(window);
    }
}

// The run's options and the main button stay as they were pressed until the window goes.
void OnGo(HWND window) {
    DlgEnable(window, IDC_GO, false);
    const int options[] = {IDC_RENAME_ALWAYS, IDC_RENAME_ON_CONFLICT, IDC_CREATE_UNDO, IDC_OPTIONS_FRAME,
                           IDC_UNDO_FRAME};
    for (int option : options) DlgEnable(window, option, false);
    DlgShowWindow(DlgControlWindow(window, IDC_CLOSE), SW_HIDE);
    DlgShowWindow(DlgControlWindow(window, IDC_BUSY), SW_SHOW);
    DlgRedraw(window);
    gBusyTimerHandle = SetTimer(window, ID_BUSY_TIMER, kTickMilliseconds, nullptr);
    // The first frame change need not wait for the first timer period.
    DlgPost(window, WM_TIMER, ID_BUSY_TIMER, 0);
    RunRelocation();
    DlgFinish(window, 0);
}

void OnHelp() {
    ShellExecuteA(nullptr, "open", kHomePage, nullptr, nullptr, SW_SHOW);
}

void OnCommand(HWND window, WORD identifier, WORD code) {
    switch (identifier) {
        case IDC_RENAME_ALWAYS:
        case IDC_RENAME_ON_CONFLICT:
        case IDC_CREATE_UNDO:
        case IDC_OPTIONS_FRAME:
        case IDC_UNDO_FRAME:
            break;  // the options keep their own state
        case IDC_HELP:
            if (IsClickOrDoubleClick(code)) OnHelp();
            break;
        case IDC_CLOSE:
            DlgFinish(window, 0);
            break;
        case IDC_GO:
            if (IsClickOrDoubleClick(code)) OnGo(window);
            break;
    }
}

void OnDestroy(HWND window) {
    if (gBusyTimerHandle != 0) KillTimer(window, gBusyTimerHandle);
}

}  // namespace

int MainWindowEvents(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_TIMER:
            if (wParam == ID_BUSY_TIMER) OnBusyTick(window);
            break;
        case WM_COMMAND:
            OnCommand(window, LOWORD(wParam), HIWORD(wParam));
            break;
        case WM_DESTROY:
            OnDestroy(window);
            break;
    }
    return 0;
}
