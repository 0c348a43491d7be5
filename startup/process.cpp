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

// The common controls are not in the import table: Windows would look for comctl32.dll,
// which is no known system library, beside the program first, and a copy a web page left in
// Downloads would run as soon as VORLAX starts. They come from the system folder alone.
// Kept on purpose: the library is never freed; the classes it registers serve the window
// until the process ends.
bool RegisterControlClasses() {
    HMODULE controls = LoadLibraryExA("comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (controls == nullptr) return false;
    typedef BOOL(WINAPI * InitCommonControlsExFn)(const INITCOMMONCONTROLSEX*);
    const auto initialise = reinterpret_cast<InitCommonControlsExFn>(
        reinterpret_cast<void*>(GetProcAddress(controls, "InitCommonControlsEx")));
    if (initialise == nullptr) return false;
    INITCOMMONCONTROLSEX classes = {};
    classes.dwSize = sizeof(classes);
    classes.dwICC = kControlClasses;
    return initialise(&classes) != FALSE;
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
    // First of all: every library loaded from here on, the shell's own included, comes from
    // the system folder, never from the program's folder or the current one.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
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
