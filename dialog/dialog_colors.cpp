// Colours of dialogs and controls: shared background brushes and the answer to colour requests.
#include "dialog/dialog_internal.h"

#include <commctrl.h>

#include "dialog/dialog_logic.h"

namespace {

// A progress bar paints itself from the two colours it is given; it asks for no brush.
void SetProgressColors(DlgRecord& bar, int textColor, int background) {
    DlgRecord* dialog = RecordFind(bar.dialog);
    int dialogBackground = dialog != nullptr ? dialog->backgroundColor : DLG_COLOR_NEVER_SET;
    int barBackground = dlg::ProgressBackground(background, dialogBackground);
    bar.textColor = textColor;
    bar.backgroundColor = barBackground;
    SendMessageA(bar.window, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(static_cast<COLORREF>(textColor)));
    SendMessageA(bar.window, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(static_cast<COLORREF>(barBackground)));
}

// A colour that some window already paints with shares its brush; otherwise a new one.
HBRUSH BrushForBackground(int background) {
    if (background < 0) return nullptr;
    HBRUSH shared = RecordBrushFor(background);
    if (shared != nullptr) return shared;
    return CreateSolidBrush(static_cast<COLORREF>(background));
}

}  // namespace

void DlgSetColors(HWND dialog, int identifier, int textColor, int backgroundColor) {
    DlgRecord* record = RecordFindTarget(dialog, identifier);
    if (record == nullptr) return;
    int text = dlg::NormalTextColor(textColor);
    int background = dlg::NormalBackgroundColor(backgroundColor);
    if (record->kind == DLG_PROGRESS_BAR) {
        SetProgressColors(*record, text, background);
        return;
    }
    HBRUSH brush = BrushForBackground(background);
    if (background >= 0 && brush == nullptr) background = DLG_COLOR_DEFAULT;
    HBRUSH previous = record->brush;
    record->brush = brush;
    record->textColor = text;
    record->backgroundColor = background;
    if (previous != nullptr && previous != brush && !RecordBrushInUse(previous)) DeleteObject(previous);
}

// Runs with the record already out of the list.
void BrushRelease(DlgRecord& record) {
    HBRUSH brush = record.brush;
    record.brush = nullptr;
    if (brush != nullptr && !RecordBrushInUse(brush)) DeleteObject(brush);
}

INT_PTR ColorRequest(UINT message, HDC dc, HWND asking) {
    DlgRecord* record = RecordFind(asking);
    if (record == nullptr || record->textColor == DLG_COLOR_NEVER_SET) return 0;
    COLORREF text = record->textColor == DLG_COLOR_DEFAULT ? GetSysColor(dlg::SystemTextColorIndex(message))
                                                           : static_cast<COLORREF>(record->textColor);
    SetTextColor(dc, text);
    if (record->backgroundColor >= 0) {
        SetBkColor(dc, static_cast<COLORREF>(record->backgroundColor));
        return reinterpret_cast<INT_PTR>(record->brush);
    }
    if (record->backgroundColor == DLG_COLOR_TRANSPARENT) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
    }
    int systemIndex = dlg::SystemBackgroundIndex(message);
    SetBkColor(dc, GetSysColor(systemIndex));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(systemIndex));
}
