// Style words spelled out by flag name, the window styles first and then the class's own.
#include "tests/support/style_names.h"

#include <commctrl.h>

#include <cstdio>

namespace {

// A flag is named when the bits under its mask are its own, and those bits are then taken. Only the styles the
// program's windows may carry have names here; WS_CAPTION comes before its two halves, so that a caption reads as one
// word, and a button's or a static's type is a number under its type mask (a push button's is 0), not a set of flags.
// clang-format off
#define FLAG(className, bits) {className, bits, bits, #bits}
#define TYPE(className, mask, bits) {className, mask, bits, #bits}
const struct Flag { const char* className; DWORD mask, bits; const char* name; } kFlags[] = {
    FLAG("", WS_POPUP), FLAG("", WS_CHILD), FLAG("", WS_VISIBLE), FLAG("", WS_DISABLED), FLAG("", WS_CLIPSIBLINGS),
    FLAG("", WS_CAPTION), FLAG("", WS_BORDER), FLAG("", WS_SYSMENU), FLAG("", WS_GROUP), FLAG("", WS_TABSTOP),
    FLAG("#32770", DS_3DLOOK), FLAG("#32770", DS_NOFAILCREATE), FLAG("#32770", DS_SETFONT),
    FLAG("#32770", DS_MODALFRAME), FLAG("#32770", DS_CENTER), TYPE(WC_BUTTONA, BS_TYPEMASK, BS_PUSHBUTTON),
    TYPE(WC_BUTTONA, BS_TYPEMASK, BS_DEFPUSHBUTTON), TYPE(WC_BUTTONA, BS_TYPEMASK, BS_AUTOCHECKBOX),
    TYPE(WC_BUTTONA, BS_TYPEMASK, BS_GROUPBOX), TYPE(WC_BUTTONA, BS_TYPEMASK, BS_AUTORADIOBUTTON),
    FLAG(WC_BUTTONA, BS_ICON), FLAG(WC_BUTTONA, BS_BITMAP), FLAG(WC_BUTTONA, BS_MULTILINE),
    TYPE(WC_STATICA, SS_TYPEMASK, SS_ICON), TYPE(WC_STATICA, SS_TYPEMASK, SS_BITMAP), FLAG(WC_STATICA, SS_NOTIFY),
    FLAG(PROGRESS_CLASSA, PBS_SMOOTH)};
// clang-format on

}  // namespace

std::string StyleNames(const std::string& className, DWORD style) {
    std::string names;
    DWORD left = style;
    for (const Flag& flag : kFlags) {
        const bool ofClass = flag.className[0] == 0 || lstrcmpiA(flag.className, className.c_str()) == 0;
        if (!ofClass || (left & flag.mask) != flag.bits) continue;
        names += (names.empty() ? "" : " | ") + std::string(flag.name);
        left &= ~flag.mask;
    }
    if (left != 0 || names.empty()) {
        char rest[16];
        snprintf(rest, sizeof(rest), "0x%lX", left);
        names += (names.empty() ? "" : " | ") + std::string(rest);
    }
    return names;
}
