// Pictures of image controls: which resource type a name is, loading, setting and destroying.
#include "dialog/dialog_internal.h"

#include "dialog/dialog_logic.h"

namespace {

struct NameSearch {
    const char* wanted;
    bool found;
};

BOOL CALLBACK CompareBitmapName(HMODULE, LPCSTR, LPSTR name, LONG_PTR context) {
    NameSearch* search = reinterpret_cast<NameSearch*>(context);
    bool isNumber = IS_INTRESOURCE(name);
    unsigned number = isNumber ? static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)) : 0;
    if (dlg::ResourceNameMatches(search->wanted, isNumber, number, isNumber ? nullptr : name)) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

void DestroyPicture(HANDLE picture, bool isIcon) {
    if (picture == nullptr) return;
    if (isIcon) {
        DestroyIcon(static_cast<HICON>(picture));
    } else {
        DeleteObject(picture);
    }
}

UINT PictureType(const DlgRecord& control) {
    return control.pictureIsIcon ? IMAGE_ICON : IMAGE_BITMAP;
}

}  // namespace

bool BitmapResourceExists(const char* name) {
    if (name == nullptr) return false;
    NameSearch search = {name, false};
    EnumResourceNamesA(DlgModule(), RT_BITMAP, CompareBitmapName, reinterpret_cast<LONG_PTR>(&search));
    return search.found;
}

// The record owns the picture it holds; what the control hands back was ours before.
void PictureSet(DlgRecord& control, const char* name) {
    UINT type = PictureType(control);
    HANDLE picture = LoadImageA(DlgModule(), name, type, 0, 0, LR_LOADMAP3DCOLORS);
    UINT message = control.kind == DLG_IMAGE ? STM_SETIMAGE : BM_SETIMAGE;
    HANDLE handedBack =
        reinterpret_cast<HANDLE>(SendMessageA(control.window, message, type, reinterpret_cast<LPARAM>(picture)));
    if (handedBack != picture) DestroyPicture(handedBack, control.pictureIsIcon);
    if (control.picture != handedBack && control.picture != picture) {
        DestroyPicture(control.picture, control.pictureIsIcon);
    }
    control.picture = picture;
}

void PictureRelease(DlgRecord& record) {
    DestroyPicture(record.picture, record.pictureIsIcon);
    record.picture = nullptr;
}

void DlgSetImage(HWND dialog, int identifier, const char* name) {
    if (identifier == DLG_NOT_GIVEN) return;
    DlgRecord* control = RecordFindTarget(dialog, identifier);
    if (control == nullptr || control->kind != DLG_IMAGE) return;
    // A picture of the other type would not suit the control's SS_BITMAP or SS_ICON style.
    if (BitmapResourceExists(name) == control->pictureIsIcon) return;
    PictureSet(*control, name);
}
