// The main button's run: the engine on the main folder, with the window's options and progress bar.
#include "window/window.h"

#include <commctrl.h>

#include "dialog/dialog.h"
#include "engine/engine.h"
#include "texts/texts.h"

namespace {

// Kept on purpose: the window closes by itself when the run is over, and this is the only
// moment the user sees the full bar; the pause is long enough to see it.
const DWORD kClosingPause = 1000;

void ShowProgress(void* window, int position) {
    DlgSend(static_cast<HWND>(window), IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

// While the run waits for a file another program holds, the window stays painted and the
// help image answers.
void PassMessagesOn(void*, int milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(milliseconds)) DlgDoEvents(1);
}

// The user may close the window while the inventory is taken: nothing is touched then.
bool WindowStillOpen(void* window) {
    return IsWindow(static_cast<HWND>(window)) != FALSE;
}

}  // namespace

void RunRelocation() {
    DlgSend(gMainWindow, IDC_PROGRESS, PBM_SETRANGE32, 0, kProgressRange);
    RunRequest request;
    request.mainFolder = gMainFolder;
    request.renameAlways = DlgGetCheck(gMainWindow, IDC_RENAME_ALWAYS) != BST_UNCHECKED;
    request.createUndo = DlgGetCheck(gMainWindow, IDC_CREATE_UNDO) != BST_UNCHECKED;
    request.texts = RunTexts{Text(TXT_UNDO_FILE), Text(TXT_ECHO_RESTORING), Text(TXT_DONE)};
    request.sink = RunSink{gMainWindow, ShowProgress, WindowStillOpen, PassMessagesOn};
    RelocateFolder(request);
    // A run stopped by a closed window has nothing left to show.
    if (IsWindow(gMainWindow)) Sleep(kClosingPause);
}
