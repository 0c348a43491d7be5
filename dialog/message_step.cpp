// The message step that keeps windows alive inside long work, and the two control queries a run makes.
#include "dialog/dialog.h"

HWND gDlgActiveDialog = nullptr;
int gDlgLiveCount = 0;

void DlgResetValues() {
    gDlgActiveDialog = nullptr;
    gDlgLiveCount = 0;
}

int DlgDoEvents(int pause) {
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        HWND active = gDlgActiveDialog;
        bool taken = active != nullptr && IsWindow(active) && IsDialogMessageA(active, &message);
        if (!taken) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    } else if (pause > 0) {
        Sleep(static_cast<DWORD>(pause));
    }
    return gDlgLiveCount;
}

int DlgGetCheck(HWND dialog, int identifier) {
    return static_cast<int>(SendMessageA(GetDlgItem(dialog, identifier), BM_GETCHECK, 0, 0));
}

LRESULT DlgSend(HWND dialog, int identifier, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(GetDlgItem(dialog, identifier), message, wParam, lParam);
}
