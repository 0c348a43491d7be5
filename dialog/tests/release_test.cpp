// Nothing leaks: a dialog built like the main window gives back every record, brush, picture and icon.
#include "dialog_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

const UINT kStep = WM_APP + 2;

int FinishingHandler(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) DlgPost(dialog, kStep, 0, 0);
    if (message == kStep) DlgFinish(dialog, 0);
    return 0;
}

// The main window's build, with every kind, colour, font and icon it uses.
HWND BuildLikeTheMainWindow(int boldFont, int verdanaFont) {
    const int light = DlgRgb(241, 245, 248), dark = DlgRgb(0, 6, 54);
    HWND dialog = DlgCreate(DLG_DIALOG_UNITS, nullptr, " VORLAX v3 [by belcour]", DLG_NOT_GIVEN, DLG_NOT_GIVEN,
                            226, 85, 0, 0);
    if (dialog == nullptr) return nullptr;
    DlgSetColors(dialog, DLG_NOT_GIVEN, -1, light);
    DlgAddControl(DLG_IMAGE, dialog, 1008, "LOADING00", 150, 51, 0, 0, 0, 0, nullptr);
    DlgShowWindow(DlgControlWindow(dialog, 1008), SW_HIDE);
    DlgAddControl(DLG_IMAGE, dialog, 1010, "HELP", 136, 56, 14, 14, SS_NOTIFY, 0, nullptr);
    DlgAddControl(DLG_IMAGE_BUTTON, dialog, 1009, "CLOSE", 156, 55, 14, 14, 0, 0, nullptr);
    DlgAddControl(DLG_RADIO_BUTTON, dialog, 1001, "Always rename", 4, 10, 165, 15, 0, 0, nullptr);
    DlgSetColors(dialog, 1001, dark, light);
    DlgAddControl(DLG_RADIO_BUTTON, dialog, 1002, "Only on conflict", 4, 25, 165, 15, 0, 0, nullptr);
    DlgSetColors(dialog, 1002, dark, light);
    DlgCheckRadio(dialog, 1001, 1002, 1002);
    DlgAddControl(DLG_CHECK_BOX, dialog, 1003, "Create \"undo\" file", 5, 55, 110, 15, 0, 0, nullptr);
    DlgSetColors(dialog, 1003, dark, light);
    DlgSetCheck(dialog, 1003, -1);
    DlgAddControl(DLG_GROUP_FRAME, dialog, 1004, "Options", 1, 1, 175, 45, 0, 0, nullptr);
    DlgSetColors(dialog, 1004, dark, light);
    DlgAddControl(DLG_GROUP_FRAME, dialog, 1005, "Undo", 1, 46, 130, 28, 0, 0, nullptr);
    DlgSetColors(dialog, 1005, dark, light);
    DlgAddControl(DLG_PUSH_BUTTON, dialog, 1006, "VORLAX !\n\n(Kellerup)", 181, 5, 43, 68, BS_MULTILINE, 0, nullptr);
    DlgSetColors(dialog, 1006, dark, light);
    DlgAddControl(DLG_PROGRESS_BAR, dialog, 1007, "", 1, 75, 224, 10, PBS_SMOOTH, 0, nullptr);
    DlgSetColors(dialog, 1007, DlgRgb(30, 180, 0), light);
    DlgAddControl(DLG_IMAGE, dialog, 1011, "ICO", 100, 1, 0, 0, 0, 0, nullptr);  // an icon picture too
    DlgSetColors(dialog, 1011, -1, DLG_COLOR_TRANSPARENT);
    DlgSetIcon(dialog, "ICO");
    DlgSetFont(dialog, 1004, boldFont);
    DlgSetFont(dialog, 1005, boldFont);
    DlgSetFont(dialog, 1006, verdanaFont);
    return dialog;
}

struct Made {
    std::vector<HGDIOBJ> gdiObjects;  // distinct brushes, and bitmaps
    std::vector<HICON> icons;
};

Made CollectWhatTheServicesHold(HWND dialog) {
    Made made;
    DlgRecordView own = RecordOf(dialog);
    made.gdiObjects.push_back(own.brush);
    made.icons.push_back(own.bigIcon);
    made.icons.push_back(own.smallIcon);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        DlgRecordView record = RecordOf(child);
        bool known = false;
        for (HGDIOBJ object : made.gdiObjects) known = known || object == record.brush;
        if (record.brush != nullptr && !known) made.gdiObjects.push_back(record.brush);
        if (record.picture == nullptr) continue;
        if (record.pictureIsIcon) {
            made.icons.push_back(static_cast<HICON>(record.picture));
        } else {
            made.gdiObjects.push_back(record.picture);
        }
    }
    return made;
}

TEST(Release, MainWindowLikeDialogLeavesNothingBehind) {
    DlgHoldings before = DlgInspectHoldings();
    DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    int bold = DlgMakeFont("MS Sans Serif", 8, 1, 0, 0, 0);
    int verdana = DlgMakeFont("Verdana", 7, 1, 0, 0, 0);

    HWND dialog = BuildLikeTheMainWindow(bold, verdana);
    ASSERT_NE(nullptr, dialog);
    DlgHoldings during = DlgInspectHoldings();
    EXPECT_EQ(before.records + 12, during.records);
    EXPECT_EQ(before.brushes + 1, during.brushes) << "seven windows share one background brush";
    EXPECT_EQ(before.pictures + 4, during.pictures);
    EXPECT_EQ(before.icons + 2, during.icons);
    Made made = CollectWhatTheServicesHold(dialog);
    EXPECT_EQ(4u, made.gdiObjects.size()) << "one brush held by seven records, three bitmaps";
    for (HGDIOBJ object : made.gdiObjects) EXPECT_TRUE(GdiObjectAlive(object));
    for (HICON icon : made.icons) EXPECT_TRUE(IconAlive(icon));
    HFONT boldObject = nullptr, verdanaObject = nullptr;
    DlgFontView view = {};
    if (DlgInspectFont(bold, &view)) boldObject = view.object;
    if (DlgInspectFont(verdana, &view)) verdanaObject = view.object;

    Watchdog watchdog(dialog, 5000);
    EXPECT_EQ(0, DlgShowModal(dialog, FinishingHandler, 0));
    EXPECT_FALSE(watchdog.Fired());
    Pump();

    DlgHoldings after = DlgInspectHoldings();
    EXPECT_EQ(before.records, after.records);
    EXPECT_EQ(before.brushes, after.brushes);
    EXPECT_EQ(before.pictures, after.pictures);
    EXPECT_EQ(before.icons, after.icons);
    for (size_t i = 0; i < made.gdiObjects.size(); ++i) {
        EXPECT_FALSE(GdiObjectAlive(made.gdiObjects[i])) << "object " << i << " type " << GetObjectType(made.gdiObjects[i]);
    }
    for (size_t i = 0; i < made.icons.size(); ++i) EXPECT_FALSE(IconAlive(made.icons[i])) << "icon " << i;

    // Fonts outlive their dialogs until their maker lets go.
    EXPECT_TRUE(GdiObjectAlive(boldObject));
    EXPECT_TRUE(GdiObjectAlive(verdanaObject));
    DlgReleaseFont(bold);
    DlgReleaseFont(verdana);
    EXPECT_FALSE(GdiObjectAlive(boldObject));
    EXPECT_FALSE(GdiObjectAlive(verdanaObject));

    DWORD gdiAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    DWORD userAfter = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (gdiBefore == 0 && gdiAfter == 0) {
        std::printf("GetGuiResources reports no GDI objects on this platform; the handle checks above stand in.\n");
    } else {
        EXPECT_EQ(gdiBefore, gdiAfter);
        EXPECT_EQ(userBefore, userAfter);
    }
}

}  // namespace
