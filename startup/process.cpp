// The process from start to end, as a short sequence of named phases.
#include "startup/startup.h"

#include <commctrl.h>
#include <objbase.h>

#include "dialog/dialog.h"
#include "engine/engine.h"
#include "window/window.h"

std::string gCommandLineTail;

namespace {

const UINT kThreadSetupFailed = 255;

// List view, tree view, bar, tab, progress, hot-key, pager, native-font and standard
// classes; the progress bar is the one the main window needs.
const DWORD kControlClasses = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                              ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS | ICC_PAGESCROLLER_CLASS | ICC_NATIVEFNTCTL_CLASS |
                              ICC_STANDARD_CLASSES;

}  // namespace

DlgDefaultFont ProgramDialogFont() {
    DlgDefaultFont font = {};
    lstrcpynA(font.face, "MS Sans Serif", LF_FACESIZE);
    font.points = 8;
    font.weight = FW_NORMAL;
    font.italic = false;
    font.charSet = 0;
    return font;
}

bool RegisterControlClasses() {
    INITCOMMONCONTROLSEX classes = {};
    classes.dwSize = sizeof(classes);
    classes.dwICC = kControlClasses;
    return InitCommonControlsEx(&classes) != FALSE;
}

namespace {

// Kept on purpose: the start-up show command is read, as a program started by a shortcut
// receives it, but the main window decides its own showing.
void ReadStartupInfo() {
    STARTUPINFOA info = {};
    info.cb = sizeof(info);
    GetStartupInfoA(&info);
}

int MainWindowRoutine(HWND owner) {
    if (!ChooseMainFolder(owner)) return 0;
    return ShowMainWindow();
}

// Kept on purpose: the modal result and the routine's are dropped. Every normal end, a
// cancelled browse and a refused window included, ends the process with exit code 0,
// which Send To and scripts that start the program read as "done".
int EntryProcedure() {
    MainWindowRoutine(nullptr);
    return 0;
}

}  // namespace

void ResetProcessValues() {
    EngineResetValues();
    DlgResetValues();
    WindowResetValues();
}

UINT RunProcess(const char* language) {
    SetTextLanguage(language);
    CoInitialize(nullptr);
    gCommandLineTail = CommandLineTail(GetCommandLineA());
    HINSTANCE module = GetModuleHandleA(nullptr);
    ReadStartupInfo();
    if (!DlgStartThread(module, ProgramDialogFont())) {
        CoUninitialize();
        return kThreadSetupFailed;
    }
    // Kept on purpose: a refusal is not checked. The window is still built, and only its
    // progress bar, a control of those classes, would be missing.
    RegisterControlClasses();
    ResetProcessValues();
    UINT exitCode = static_cast<UINT>(EntryProcedure());
    DlgEndThread();
    CoUninitialize();
    return exitCode;
}
