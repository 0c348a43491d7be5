// The main window's layout (title, size, the ten controls in tab order, colours, fonts, icon) and its values.
#include "window/window.h"

#include <commctrl.h>

#include <string>

#include "dialog/dialog.h"
#include "texts/texts.h"

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

namespace {

const int kClientWidth = 226;
const int kClientHeight = 85;

int BackgroundColor() {
    return DlgRgb(241, 245, 248);
}
int LabelColor() {
    return DlgRgb(0, 6, 54);
}
int ProgressBarColor() {
    return DlgRgb(30, 180, 0);
}

struct ControlRow {
    DlgKind kind;
    int identifier;
    int x, y, width, height;
    DWORD style;
};

// In creation order, which is the tab order.
const ControlRow kBusyRow = {DLG_IMAGE, IDC_BUSY, 150, 51, 0, 0, 0};
const ControlRow kHelpRow = {DLG_IMAGE, IDC_HELP, 136, 56, 14, 14, SS_NOTIFY};
const ControlRow kCloseRow = {DLG_IMAGE_BUTTON, IDC_CLOSE, 156, 55, 14, 14, 0};
const ControlRow kRenameAlwaysRow = {DLG_RADIO_BUTTON, IDC_RENAME_ALWAYS, 4, 10, 165, 15, 0};
const ControlRow kRenameOnConflictRow = {DLG_RADIO_BUTTON, IDC_RENAME_ON_CONFLICT, 4, 25, 165, 15, 0};
const ControlRow kCreateUndoRow = {DLG_CHECK_BOX, IDC_CREATE_UNDO, 5, 55, 110, 15, 0};
const ControlRow kOptionsFrameRow = {DLG_GROUP_FRAME, IDC_OPTIONS_FRAME, 1, 1, 175, 45, 0};
const ControlRow kUndoFrameRow = {DLG_GROUP_FRAME, IDC_UNDO_FRAME, 1, 46, 130, 28, 0};
const ControlRow kGoRow = {DLG_PUSH_BUTTON, IDC_GO, 181, 5, 43, 68, BS_MULTILINE};
const ControlRow kProgressRow = {DLG_PROGRESS_BAR, IDC_PROGRESS, 1, 75, 224, 10, PBS_SMOOTH};

void AddControl(HWND window, const ControlRow& row, const char* text) {
    DlgAddControl(row.kind, window, row.identifier, text, row.x, row.y, row.width, row.height, row.style, 0, nullptr);
}

// A labelled control: dark text on the window's light background.
void AddLabelledControl(HWND window, const ControlRow& row, const char* text) {
    AddControl(window, row, text);
    DlgSetColors(window, row.identifier, LabelColor(), BackgroundColor());
}

void AddPictures(HWND window) {
    AddControl(window, kBusyRow, "LOADING00");
    // Hidden before the window is ever shown: the animation belongs to a run.
    DlgShowWindow(DlgControlWindow(window, IDC_BUSY), SW_HIDE);
    AddControl(window, kHelpRow, "HELP");
    AddControl(window, kCloseRow, "CLOSE");
}

void AddOptions(HWND window) {
    AddLabelledControl(window, kRenameAlwaysRow, Text(TXT_RENAME_ALWAYS));
    AddLabelledControl(window, kRenameOnConflictRow, Text(TXT_RENAME_ON_CONFLICT));
    DlgCheckRadio(window, IDC_RENAME_ALWAYS, IDC_RENAME_ON_CONFLICT, IDC_RENAME_ON_CONFLICT);
    AddLabelledControl(window, kCreateUndoRow, Text(TXT_CREATE_UNDO));
    DlgSetCheck(window, IDC_CREATE_UNDO, BST_CHECKED);
    AddLabelledControl(window, kOptionsFrameRow, Text(TXT_OPTIONS));
    AddLabelledControl(window, kUndoFrameRow, Text(TXT_UNDO));
}

void AddGoAndProgress(HWND window) {
    AddLabelledControl(window, kGoRow, MainButtonLabel(TextLanguage()).c_str());
    AddControl(window, kProgressRow, "");
    DlgSetColors(window, IDC_PROGRESS, ProgressBarColor(), BackgroundColor());
}

// The bold faces replace the window font only once every control exists.
void SetBoldFonts(HWND window) {
    const int bold = 1;
    int frameFont = DlgMakeFont("MS Sans Serif", 8, bold, 0, 0, 0);
    DlgSetFont(window, IDC_OPTIONS_FRAME, frameFont);
    DlgSetFont(window, IDC_UNDO_FRAME, frameFont);
    int buttonFont = DlgMakeFont("Verdana", 7, bold, 0, 0, 0);
    DlgSetFont(window, IDC_GO, buttonFont);
}

}  // namespace

HWND BuildMainWindow() {
    std::string title = WindowTitle(TextLanguage());
    HWND window = DlgCreate(DLG_DIALOG_UNITS, nullptr, title.c_str(), DLG_NOT_GIVEN, DLG_NOT_GIVEN, kClientWidth,
                            kClientHeight, 0, 0);
    gMainWindow = window;
    DlgSetColors(window, DLG_NOT_GIVEN, DLG_COLOR_DEFAULT, BackgroundColor());
    AddPictures(window);
    AddOptions(window);
    AddGoAndProgress(window);
    DlgSetIcon(window, "ICO");
    SetBoldFonts(window);
    return window;
}

int ShowMainWindow() {
    HWND window = BuildMainWindow();
    return DlgShowModal(window, MainWindowEvents, 0);
}
