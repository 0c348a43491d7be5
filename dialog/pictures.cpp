// Pictures of image controls: which resource type a name is, loading for the display's scale, setting, destroying.
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

int DotsPerInchOf(HWND window) {
    HDC dc = GetDC(window);
    const int dotsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dotsPerInch;
}

// A copy of `bitmap` at the given size, every pixel the average of those it covers; the original goes.
HBITMAP ResizedSmoothly(HBITMAP bitmap, int width, int height) {
    BITMAP size = {};
    GetObjectA(bitmap, sizeof(size), &size);
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP resized = CreateCompatibleBitmap(screen, width, height);
    if (resized != nullptr) {
        HGDIOBJ fromBefore = SelectObject(from, bitmap);
        HGDIOBJ toBefore = SelectObject(to, resized);
        SetStretchBltMode(to, HALFTONE);
        SetBrushOrgEx(to, 0, 0, nullptr);
        StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
        SelectObject(from, fromBefore);
        SelectObject(to, toBefore);
    }
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    if (resized == nullptr) return bitmap;
    DeleteObject(bitmap);
    return resized;
}

// A bitmap drawn for the display's scale: the rendering for it, brought to its size where the scale falls between
// two renderings; the picture's own name where it has no renderings.
HANDLE LoadBitmapForScale(HWND window, const char* name) {
    const int scale = dlg::ScalePercent(DotsPerInchOf(window));
    int rendering = dlg::RenderingPercent(scale);
    std::string chosen = dlg::RenderingName(name, rendering);
    if (!BitmapResourceExists(chosen.c_str())) {
        chosen = dlg::RenderingName(name, 100);
        rendering = 100;
    }
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(DlgModule(), chosen.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    BITMAP size = {};
    if (bitmap == nullptr || rendering == scale || !GetObjectA(bitmap, sizeof(size), &size)) return bitmap;
    return ResizedSmoothly(bitmap, dlg::ShownSize(size.bmWidth, rendering, scale),
                           dlg::ShownSize(size.bmHeight, rendering, scale));
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
    HANDLE picture = type == IMAGE_BITMAP ? LoadBitmapForScale(control.window, name)
                                          : LoadImageA(DlgModule(), name, type, 0, 0, LR_LOADMAP3DCOLORS);
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
