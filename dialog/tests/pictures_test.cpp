// Pictures of image controls: bitmap or icon by name, natural sizes, replacing and missing ones.
#include "dialog_test_support.h"

#include <gtest/gtest.h>

namespace {

SIZE BitmapSize(HANDLE picture) {
    BITMAP bitmap = {};
    GetObjectA(picture, sizeof(bitmap), &bitmap);
    return SIZE{bitmap.bmWidth, bitmap.bmHeight};
}

SIZE WindowSize(HWND window) {
    RECT rectangle = {};
    GetWindowRect(window, &rectangle);
    return SIZE{rectangle.right - rectangle.left, rectangle.bottom - rectangle.top};
}

HANDLE ShownPicture(HWND control, bool imageButton, UINT type) {
    UINT message = imageButton ? BM_GETIMAGE : STM_GETIMAGE;
    return reinterpret_cast<HANDLE>(SendMessageA(control, message, type, 0));
}

TEST(Pictures, BitmapOrIconByName) {
    struct Case {
        DlgKind kind;
        const char* name;
        int width, height;  // dialog units given
        bool isIcon;
        DWORD style;
        int bitmapSize;  // pixels of the bitmap, 0 for icons
    };
    const Case cases[] = {
        {DLG_IMAGE, "LOADING00", 0, 0, false, 0x5000000E, 32},
        {DLG_IMAGE, "loading00", 0, 0, false, 0x5000000E, 32},  // letters fold
        {DLG_IMAGE, "HELP", 14, 14, false, 0x5000000E, 21},
        {DLG_IMAGE, "#7", 0, 0, false, 0x5000000E, 21},  // the bitmap numbered 7
        {DLG_IMAGE, "ICO", 0, 0, true, 0x50000003, 0},
        {DLG_IMAGE, "#9", 0, 0, true, 0x50000003, 0},  // 9 is an icon, not a bitmap
        {DLG_IMAGE_BUTTON, "CLOSE", 14, 14, false, 0x50010080, 21},
        {DLG_IMAGE_BUTTON, "ICO", 14, 14, true, 0x50010040, 0},
    };
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        int identifier = 200 + static_cast<int>(i);
        DlgAddControl(c.kind, dialog, identifier, c.name, 10, 10, c.width, c.height, 0, 0, nullptr);
        HWND control = GetDlgItem(dialog, identifier);
        ASSERT_NE(nullptr, control) << "case " << i;
        EXPECT_EQ(Hex(c.style), Hex(StyleOf(control))) << "case " << i;
        DlgRecordView record = RecordOf(control);
        EXPECT_EQ(c.isIcon, record.pictureIsIcon) << "case " << i;
        ASSERT_NE(nullptr, record.picture) << "case " << i;
        bool imageButton = c.kind == DLG_IMAGE_BUTTON;
        HANDLE shown = ShownPicture(control, imageButton, c.isIcon ? IMAGE_ICON : IMAGE_BITMAP);
        EXPECT_EQ(record.picture, shown) << "case " << i;
        char text[16] = {'?', 0};
        GetWindowTextA(control, text, sizeof(text));
        EXPECT_STREQ("", text) << "case " << i;
        if (c.isIcon) continue;
        SIZE bitmap = BitmapSize(record.picture);
        EXPECT_EQ(c.bitmapSize, bitmap.cx) << "case " << i;
        EXPECT_EQ(c.bitmapSize, bitmap.cy) << "case " << i;
        SIZE window = WindowSize(control);
        if (c.kind == DLG_IMAGE) {
            // An SS_BITMAP image takes its bitmap's size, whatever size it was given.
            EXPECT_EQ(c.bitmapSize, window.cx) << "case " << i;
            EXPECT_EQ(c.bitmapSize, window.cy) << "case " << i;
        } else {
            RECT expected = MappedRect(dialog, 10, 10, c.width, c.height);
            EXPECT_EQ(expected.right - expected.left, window.cx) << "case " << i;
            EXPECT_EQ(expected.bottom - expected.top, window.cy) << "case " << i;
        }
    }
    DestroyWindow(dialog);
}

TEST(Pictures, MissingResourceLeavesNoPicture) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgHoldings before = DlgInspectHoldings();
    DlgAddControl(DLG_IMAGE, dialog, 300, "NO_SUCH_PICTURE", 10, 10, 20, 20, 0, 0, nullptr);
    DlgAddControl(DLG_IMAGE_BUTTON, dialog, 301, "NO_SUCH_PICTURE", 40, 10, 20, 20, 0, 0, nullptr);
    HWND image = GetDlgItem(dialog, 300);
    HWND button = GetDlgItem(dialog, 301);
    ASSERT_NE(nullptr, image);
    ASSERT_NE(nullptr, button);
    EXPECT_EQ(Hex(0x50000003), Hex(StyleOf(image)));  // not a bitmap name, so an icon was asked for
    EXPECT_EQ(Hex(0x50010040), Hex(StyleOf(button)));
    EXPECT_EQ(nullptr, RecordOf(image).picture);
    EXPECT_EQ(nullptr, ShownPicture(image, false, IMAGE_ICON));
    EXPECT_EQ(nullptr, ShownPicture(button, true, IMAGE_ICON));
    DlgHoldings after = DlgInspectHoldings();
    EXPECT_EQ(before.records + 2, after.records);
    EXPECT_EQ(before.pictures, after.pictures);
    DestroyWindow(dialog);
}

TEST(DlgSetImage, SameTypeReplacesOtherTypeKeeps) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgAddControl(DLG_IMAGE, dialog, 1008, "LOADING00", 150, 51, 0, 0, 0, 0, nullptr);
    DlgAddControl(DLG_IMAGE, dialog, 1011, "ICO", 10, 10, 0, 0, 0, 0, nullptr);
    DlgAddControl(DLG_IMAGE_BUTTON, dialog, 1009, "CLOSE", 156, 55, 14, 14, 0, 0, nullptr);
    HWND busy = GetDlgItem(dialog, 1008);
    HWND icon = GetDlgItem(dialog, 1011);
    HWND close = GetDlgItem(dialog, 1009);
    struct Case {
        HWND control;
        int identifier;
        const char* name;
        bool changes;
        bool picture;  // whether the control shows a picture afterwards
    };
    const Case cases[] = {
        {busy, 1008, "LOADING01", true, true},
        {busy, 1008, "ICO", false, true},               // an icon name on a bitmap image
        {busy, 1008, "NO_SUCH_PICTURE", false, true},   // not a bitmap name either
        {busy, 1008, "#7", true, true},
        {icon, 1011, "HELP", false, true},              // a bitmap name on an icon image
        {icon, 1011, "#9", true, true},
        {icon, 1011, "NO_SUCH_PICTURE", true, false},   // an icon name that fails to load
        {close, 1009, "HELP", false, true},             // image buttons have their own twin
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        HANDLE before = RecordOf(c.control).picture;
        DlgSetImage(dialog, c.identifier, c.name);
        HANDLE after = RecordOf(c.control).picture;
        bool isIcon = RecordOf(c.control).pictureIsIcon;
        bool imageButton = c.control == close;
        EXPECT_EQ(after, ShownPicture(c.control, imageButton, isIcon ? IMAGE_ICON : IMAGE_BITMAP)) << "case " << i;
        EXPECT_EQ(c.picture, after != nullptr) << "case " << i;
        if (c.changes) {
            EXPECT_NE(before, after) << "case " << i;
            // The picture the control handed back was the services' own, so it is gone.
            if (before != nullptr) {
                bool alive = isIcon ? IconAlive(static_cast<HICON>(before)) : GdiObjectAlive(before);
                EXPECT_FALSE(alive) << "case " << i << ": the replaced picture was not destroyed";
            }
        } else {
            EXPECT_EQ(before, after) << "case " << i;
        }
    }
    SIZE size = WindowSize(busy);
    EXPECT_EQ(21, size.cx) << "the image follows its new bitmap";
    DestroyWindow(dialog);
}

}  // namespace
