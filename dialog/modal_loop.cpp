// The modal show with its polling loop, and the end of a dialog.
#include "dialog/dialog_internal.h"

#include "dialog/dialog_logic.h"

namespace {

// The handler learns the dialog's starting size as it would from a real WM_SIZE.
void GreetHandler(HWND dialog, DlgHandler handler, int showState) {
    handler(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(dialog), 0);
    RECT client = {};
    GetClientRect(dialog, &client);
    LPARAM size = MAKELPARAM(client.right - client.left, client.bottom - client.top);
    handler(dialog, WM_SIZE, static_cast<WPARAM>(dlg::SizeKindForShowState(showState)), size);
}

// Kept on purpose: the loop polls with a 1 ms sleep instead of blocking in GetMessage. The
// main button's handler runs the whole run and destroys the window from inside a nested
// call; a blocking loop would wait for one more message after the window had gone.
void RunLoop(HWND dialog) {
    while (IsWindow(dialog)) {
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(1);
            continue;
        }
        if (IsWindow(dialog) && IsDialogMessageA(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int DlgShowModal(HWND dialog, DlgHandler handler, int initialResult) {
    int result = initialResult;
    DlgRecord* record = RecordFindDialog(dialog);
    if (record == nullptr) return result;
    if (handler != nullptr) GreetHandler(dialog, handler, record->showState);
    // The greeting may already have ended the dialog.
    record = RecordFindDialog(dialog);
    if (record == nullptr) return result;
    record->handler = handler;
    record->resultSlot = &result;
    record->shown = true;
    int showState = record->showState;

    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner != nullptr) {
        SendMessageA(owner, WM_CANCELMODE, 0, 0);
        EnableWindow(owner, FALSE);
    }
    ShowWindow(dialog, showState);
    RunLoop(dialog);
    if (owner != nullptr) SetFocus(owner);
    return result;
}

void DlgFinish(HWND dialog, int result) {
    if (RecordFindDialog(dialog) == nullptr) return;
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner != nullptr) EnableWindow(owner, TRUE);
    // WM_CLOSE went to the handler, which may have ended the dialog itself.
    DlgRecord* record = RecordFindDialog(dialog);
    if (record != nullptr && record->resultSlot != nullptr) *record->resultSlot = result;
    if (!DestroyWindow(dialog) && owner != nullptr) EnableWindow(owner, FALSE);
}
