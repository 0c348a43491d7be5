// The services' dialog procedure: bookkeeping, the handlers, then the services' own answers.
#include "dialog/dialog_internal.h"

namespace {

bool IsActivation(WPARAM wParam) {
    WORD state = LOWORD(wParam);
    return state == WA_ACTIVE || state == WA_CLICKACTIVE || state == WA_INACTIVE;
}

void CountActivation(HWND dialog, WPARAM wParam) {
    gDlgActiveDialog = LOWORD(wParam) == WA_INACTIVE ? nullptr : dialog;
}

// The control whose own handler is offered a message from it, if it has one.
DlgHandler ControlHandlerFor(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = nullptr;
    switch (message) {
        case WM_COMMAND:
            control = GetDlgItem(dialog, LOWORD(wParam));
            break;
        case WM_NOTIFY:
            if (lParam != 0) control = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            control = reinterpret_cast<HWND>(lParam);
            break;
        default:
            return nullptr;
    }
    DlgRecord* record = RecordFind(control);
    return (record != nullptr && record->isControl) ? record->handler : nullptr;
}

INT_PTR Processed(HWND dialog, int answer) {
    if (GetWindowLongPtrA(dialog, DWLP_MSGRESULT) == 0) SetWindowLongPtrA(dialog, DWLP_MSGRESULT, answer);
    return answer;
}

bool IsCloseCommand(WPARAM wParam) {
    return (wParam & 0xFFF0) == SC_CLOSE;
}

INT_PTR OwnHandling(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCDESTROY:
            RecordsFreeDialog(dialog);
            return TRUE;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return ColorRequest(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SYSCOMMAND:
            if (!IsCloseCommand(wParam)) return FALSE;
            DlgFinish(dialog, 0);
            return TRUE;
        case WM_INITDIALOG:
            return TRUE;
        default:
            // WM_SIZE included: the program's dialogs have no bars to pass it on to.
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK DlgProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // The platform's own WM_INITDIALOG comes during DlgCreate, before any handler is known.
    if (message == WM_INITDIALOG) {
        ++gDlgLiveCount;
        return TRUE;
    }
    if (message == WM_DESTROY) --gDlgLiveCount;
    if (message == WM_ACTIVATE && IsActivation(wParam)) {
        CountActivation(dialog, wParam);
        return TRUE;
    }
    DlgHandler controlHandler = ControlHandlerFor(dialog, message, wParam, lParam);
    if (controlHandler != nullptr) {
        int answer = controlHandler(dialog, message, wParam, lParam);
        if (answer != 0) return Processed(dialog, answer);
    }
    DlgRecord* record = RecordFindDialog(dialog);
    DlgHandler handler = record != nullptr ? record->handler : nullptr;
    if (handler != nullptr) {
        // The handler may end the dialog; its record is not touched after this call.
        int answer = handler(dialog, message, wParam, lParam);
        if (answer != 0) return Processed(dialog, answer);
    }
    return OwnHandling(dialog, message, wParam, lParam);
}
