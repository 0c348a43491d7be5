// The window records of the dialog services: one list, found by window handle.
#include "dialog/dialog_internal.h"

#include <atomic>
#include <new>

namespace {

// Written and read only under gRecordLock, by the services' procedures.
DlgRecord* gRecords = nullptr;
std::atomic_flag gRecordLock = ATOMIC_FLAG_INIT;

DlgRecord* FindLocked(HWND window) {
    for (DlgRecord* record = gRecords; record != nullptr; record = record->next) {
        if (record->window == window) return record;
    }
    return nullptr;
}

DlgRecord* UnlinkLocked(bool (*wanted)(const DlgRecord&, HWND), HWND window) {
    for (DlgRecord** link = &gRecords; *link != nullptr; link = &(*link)->next) {
        DlgRecord* record = *link;
        if (wanted(*record, window)) {
            *link = record->next;
            record->next = nullptr;
            return record;
        }
    }
    return nullptr;
}

bool IsControlOf(const DlgRecord& record, HWND dialog) {
    return record.isControl && record.dialog == dialog;
}

bool IsRecordOf(const DlgRecord& record, HWND window) {
    return record.window == window;
}

}  // namespace

DlgRecord* RecordAdd(HWND window) {
    DlgRecord* record = new (std::nothrow) DlgRecord();
    if (record == nullptr) return nullptr;
    record->window = window;
    DlgSpinLock lock(gRecordLock);
    // Appended, so that a walk meets controls in their creation order.
    DlgRecord** link = &gRecords;
    while (*link != nullptr) link = &(*link)->next;
    *link = record;
    return record;
}

DlgRecord* RecordFind(HWND window) {
    if (window == nullptr) return nullptr;
    DlgSpinLock lock(gRecordLock);
    return FindLocked(window);
}

DlgRecord* RecordFindDialog(HWND window) {
    DlgRecord* record = RecordFind(window);
    return (record != nullptr && !record->isControl) ? record : nullptr;
}

DlgRecord* RecordFindTarget(HWND dialog, int identifier) {
    if (RecordFindDialog(dialog) == nullptr) return nullptr;
    if (identifier == DLG_NOT_GIVEN) return RecordFind(dialog);
    return RecordFind(GetDlgItem(dialog, identifier));
}

DlgRecord* RecordTakeControl(HWND dialog) {
    DlgSpinLock lock(gRecordLock);
    return UnlinkLocked(IsControlOf, dialog);
}

DlgRecord* RecordTake(HWND window) {
    DlgSpinLock lock(gRecordLock);
    return UnlinkLocked(IsRecordOf, window);
}

HBRUSH RecordBrushFor(int background) {
    DlgSpinLock lock(gRecordLock);
    for (DlgRecord* record = gRecords; record != nullptr; record = record->next) {
        if (record->brush != nullptr && record->backgroundColor == background) return record->brush;
    }
    return nullptr;
}

bool RecordBrushInUse(HBRUSH brush) {
    DlgSpinLock lock(gRecordLock);
    for (DlgRecord* record = gRecords; record != nullptr; record = record->next) {
        if (record->brush == brush) return true;
    }
    return false;
}

// Each record is out of the list before its release runs, so "still in use" means by
// another window.
static void Release(DlgRecord* record) {
    PictureRelease(*record);
    FontReleaseWindow(*record);
    BrushRelease(*record);
    IconsRelease(*record);
    delete record;
}

void RecordsFreeDialog(HWND dialog) {
    while (DlgRecord* control = RecordTakeControl(dialog)) Release(control);
    if (DlgRecord* own = RecordTake(dialog)) Release(own);
}
