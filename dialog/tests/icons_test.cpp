// A dialog's icons: both sizes from one icon group, replaced ones destroyed, wrong names ignored.
#include "dialog_test_support.h"

#include <gtest/gtest.h>

namespace {

SIZE IconSize(HICON icon) {
    ICONINFO info = {};
    SIZE size = {0, 0};
    if (!GetIconInfo(icon, &info)) return size;
    BITMAP bitmap = {};
    GetObjectA(info.hbmMask, sizeof(bitmap), &bitmap);
    size.cx = bitmap.bmWidth;
    size.cy = info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2;
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

HICON WindowIcon(HWND window, WPARAM which) {
    return reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, which, 0));
}

TEST(DlgSetIcon, BigAndSmallFromTheIconGroup) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgSetIcon(dialog, "ICO");
    DlgRecordView record = RecordOf(dialog);
    ASSERT_NE(nullptr, record.bigIcon);
    ASSERT_NE(nullptr, record.smallIcon);
    EXPECT_EQ(record.bigIcon, WindowIcon(dialog, ICON_BIG));
    EXPECT_EQ(record.smallIcon, WindowIcon(dialog, ICON_SMALL));
    SIZE big = IconSize(record.bigIcon);
    SIZE little = IconSize(record.smallIcon);
    EXPECT_EQ(32, big.cx);
    EXPECT_EQ(32, big.cy);
    EXPECT_EQ(16, little.cx);
    EXPECT_EQ(16, little.cy);

    struct Case {
        const char* name;
        bool changes;
    };
    const Case cases[] = {
        {"HELP", false},            // a bitmap, not an icon
        {"NO_SUCH_ICON", false},
        {"#9", true},
        {"ico", true},
    };
    for (const Case& c : cases) {
        DlgRecordView before = RecordOf(dialog);
        DlgSetIcon(dialog, c.name);
        DlgRecordView after = RecordOf(dialog);
        EXPECT_EQ(c.changes, before.bigIcon != after.bigIcon) << c.name;
        EXPECT_EQ(c.changes, before.smallIcon != after.smallIcon) << c.name;
        EXPECT_EQ(after.bigIcon, WindowIcon(dialog, ICON_BIG)) << c.name;
        EXPECT_EQ(after.smallIcon, WindowIcon(dialog, ICON_SMALL)) << c.name;
        EXPECT_EQ(!c.changes, IconAlive(before.bigIcon)) << c.name;
        EXPECT_EQ(!c.changes, IconAlive(before.smallIcon)) << c.name;
    }
    HICON lastBig = RecordOf(dialog).bigIcon;
    HICON lastSmall = RecordOf(dialog).smallIcon;
    DestroyWindow(dialog);
    EXPECT_FALSE(IconAlive(lastBig));
    EXPECT_FALSE(IconAlive(lastSmall));
}

TEST(DlgSetIcon, IgnoredForAControl) {
    HWND dialog = MakeDialog();
    ASSERT_NE(nullptr, dialog);
    DlgAddControl(DLG_PUSH_BUTTON, dialog, 1, "x", 4, 4, 40, 12, 0, 0, nullptr);
    HWND control = GetDlgItem(dialog, 1);
    DlgHoldings before = DlgInspectHoldings();
    DlgSetIcon(control, "ICO");
    EXPECT_EQ(nullptr, RecordOf(control).bigIcon);
    EXPECT_EQ(nullptr, WindowIcon(control, ICON_BIG));
    EXPECT_EQ(before.icons, DlgInspectHoldings().icons);
    DestroyWindow(dialog);
}

}  // namespace
