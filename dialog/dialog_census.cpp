// Read-only views of the services' records, for tests and diagnostics.
#include "dialog/dialog_census.h"

#include "dialog/dialog_internal.h"

namespace {

struct Tally {
    DlgHoldings holdings;
    HBRUSH seen[64];
    int seenCount;
};

// Brushes are shared, so each distinct one counts once; a handful exist at most.
void CountRecord(const DlgRecord& record, void* context) {
    Tally& tally = *static_cast<Tally*>(context);
    ++tally.holdings.records;
    if (record.picture != nullptr) ++tally.holdings.pictures;
    if (record.bigIcon != nullptr) ++tally.holdings.icons;
    if (record.smallIcon != nullptr) ++tally.holdings.icons;
    if (record.brush == nullptr) return;
    for (int i = 0; i < tally.seenCount; ++i) {
        if (tally.seen[i] == record.brush) return;
    }
    ++tally.holdings.brushes;
    if (tally.seenCount < static_cast<int>(sizeof(tally.seen) / sizeof(tally.seen[0]))) {
        tally.seen[tally.seenCount++] = record.brush;
    }
}

}  // namespace

bool DlgInspectRecord(HWND window, DlgRecordView* view) {
    const DlgRecord* record = RecordFind(window);
    if (record == nullptr || view == nullptr) return false;
    view->isControl = record->isControl;
    view->dialog = record->dialog;
    view->kind = record->kind;
    view->shown = record->shown;
    view->pictureIsIcon = record->pictureIsIcon;
    view->showState = record->showState;
    view->style = record->style;
    view->dialogFont = record->dialogFont;
    view->fontNumber = record->fontNumber;
    view->previousFont = record->previousFont;
    view->textColor = record->textColor;
    view->backgroundColor = record->backgroundColor;
    view->brush = record->brush;
    view->bigIcon = record->bigIcon;
    view->smallIcon = record->smallIcon;
    view->picture = record->picture;
    return true;
}

DlgHoldings DlgInspectHoldings() {
    Tally tally = {};
    RecordVisit(CountRecord, &tally);
    return tally.holdings;
}
