// Controls of a dialog: adding them, their check states, showing, enabling and repainting.
#include "dialog/dialog_internal.h"

#include "dialog/dialog_logic.h"

namespace {

const UINT kRepaintNow = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;

RECT PixelRectangle(HWND dialog, bool dialogUnits, int x, int y, int width, int height) {
    RECT rectangle = {x, y, x + width, y + height};
    if (dialogUnits) MapDialogRect(dialog, &rectangle);
    return rectangle;
}

}  // namespace

void DlgAddControl(DlgKind kind, HWND dialog, int identifier, const char* text, int x, int y, int width, int height,
                   DWORD style, DWORD extendedStyle, DlgHandler controlHandler) {
    DlgRecord* owner = RecordFindDialog(dialog);
    const char* className = dlg::KindClassName(kind);
    if (owner == nullptr || className == nullptr) return;
    RECT rectangle = PixelRectangle(dialog, owner->dialogUnits, x, y, width, height);
    bool hasPicture = dlg::KindHasPicture(kind);
    bool pictureIsIcon = hasPicture && !BitmapResourceExists(text);
    DWORD finalStyle = dlg::ControlStyle(kind, style);
    if (pictureIsIcon) finalStyle = dlg::IconPictureStyle(kind, finalStyle);

    HWND control =
        CreateWindowExA(extendedStyle, className, hasPicture ? nullptr : text, finalStyle, rectangle.left,
                        rectangle.top, rectangle.right - rectangle.left, rectangle.bottom - rectangle.top, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)), DlgModule(), nullptr);
    if (control == nullptr) return;
    HFONT dialogFont = owner->dialogFont;
    bool dialogUnits = owner->dialogUnits;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont), TRUE);

    DlgRecord* record = RecordAdd(control);
    if (record == nullptr) return;  // the control works, the services just keep nothing for it
    record->dialog = dialog;
    record->isControl = true;
    record->dialogUnits = dialogUnits;
    record->kind = kind;
    record->handler = controlHandler;
    record->pictureIsIcon = pictureIsIcon;
    record->style = finalStyle;

    if (kind == DLG_PUSH_BUTTON && (finalStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(identifier), 0);
    }
    if (hasPicture) PictureSet(*record, text);
}

void DlgCheckRadio(HWND dialog, int firstIdentifier, int lastIdentifier, int checkedIdentifier) {
    if (RecordFindDialog(dialog) == nullptr) return;
    CheckRadioButton(dialog, firstIdentifier, lastIdentifier, checkedIdentifier);
}

void DlgSetCheck(HWND dialog, int identifier, int state) {
    if (RecordFindDialog(dialog) == nullptr) return;
    HWND control = GetDlgItem(dialog, identifier);
    if (control != nullptr) SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

HWND DlgControlWindow(HWND dialog, int identifier) {
    if (RecordFindDialog(dialog) == nullptr) return nullptr;
    return GetDlgItem(dialog, identifier);
}

void DlgShowWindow(HWND window, int state) {
    DlgRecord* record = RecordFind(window);
    if (record == nullptr) return;
    if (record->isControl || record->shown) {
        ShowWindow(window, state);
    } else {
        record->showState = dlg::DeferredShowState(state);
    }
}

void DlgEnable(HWND dialog, int identifier, bool enable) {
    if (RecordFindDialog(dialog) == nullptr) return;
    HWND target = identifier == DLG_NOT_GIVEN ? dialog : GetDlgItem(dialog, identifier);
    if (target != nullptr) EnableWindow(target, enable ? TRUE : FALSE);
}

// A transparent window shows its parent through itself, so the parent's part behind it
// must be repainted too, and so on while the parents are transparent as well.
void DlgRedraw(HWND window) {
    DlgRecord* record = RecordFind(window);
    if (record == nullptr) return;
    RedrawWindow(window, nullptr, nullptr, kRepaintNow);
    HWND current = window;
    while (record != nullptr && record->backgroundColor == DLG_COLOR_TRANSPARENT) {
        HWND parent = GetParent(current);
        if (parent == nullptr) break;
        RECT area;
        GetWindowRect(current, &area);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
        RedrawWindow(parent, &area, nullptr, kRepaintNow);
        current = parent;
        record = RecordFind(current);
    }
}

BOOL DlgPost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A null window would make this a thread message, which nobody here reads.
    if (window == nullptr) return FALSE;
    return PostMessageA(window, message, wParam, lParam);
}
