// A dialog's big and small icons, loaded from the program's icon resources.
#include "dialog/dialog_internal.h"

namespace {

void Replace(HICON& held, HICON icon) {
    HICON previous = held;
    held = icon;
    if (previous != nullptr && previous != icon) DestroyIcon(previous);
}

}  // namespace

void DlgSetIcon(HWND dialog, const char* name) {
    DlgRecord* record = RecordFindDialog(dialog);
    if (record == nullptr || name == nullptr) return;
    // The system's icon sizes follow the display's scale; the icon holds an image for each.
    HICON big = static_cast<HICON>(
        LoadImageA(DlgModule(), name, IMAGE_ICON, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    if (big == nullptr) return;
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    Replace(record->bigIcon, big);
    HICON little = static_cast<HICON>(
        LoadImageA(DlgModule(), name, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    if (little == nullptr) return;
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(little));
    Replace(record->smallIcon, little);
}

void IconsRelease(DlgRecord& record) {
    Replace(record.bigIcon, nullptr);
    Replace(record.smallIcon, nullptr);
}
