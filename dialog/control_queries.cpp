// The two control queries: a control's check state, and any message sent to a control.
#include "dialog/dialog.h"

int DlgGetCheck(HWND dialog, int identifier) {
    return static_cast<int>(SendMessageA(GetDlgItem(dialog, identifier), BM_GETCHECK, 0, 0));
}

LRESULT DlgSend(HWND dialog, int identifier, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(GetDlgItem(dialog, identifier), message, wParam, lParam);
}
