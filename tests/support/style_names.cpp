// Style words spelled out by flag name, the window styles first and then the class's own.
#include "tests/support/style_names.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

namespace {

struct Flag {
    DWORD bits;
    const char* name;
};

// Only the styles the program's windows may carry have names here; WS_CAPTION comes before its two halves, so that
// a caption reads as one word, and a button's or a static's type is a number in its low bits, not a set of flags.
const Flag kWindowFlags[] = {
    {WS_POPUP, "WS_POPUP"}, {WS_CHILD, "WS_CHILD"}, {WS_VISIBLE, "WS_VISIBLE"}, {WS_DISABLED, "WS_DISABLED"},
    {WS_CLIPSIBLINGS, "WS_CLIPSIBLINGS"}, {WS_CAPTION, "WS_CAPTION"}, {WS_BORDER, "WS_BORDER"},
    {WS_SYSMENU, "WS_SYSMENU"}, {WS_GROUP, "WS_GROUP"}, {WS_TABSTOP, "WS_TABSTOP"}};
const Flag kDialogFlags[] = {{DS_3DLOOK, "DS_3DLOOK"}, {DS_NOFAILCREATE, "DS_NOFAILCREATE"}, {DS_SETFONT, "DS_SETFONT"},
                             {DS_MODALFRAME, "DS_MODALFRAME"}, {DS_CENTER, "DS_CENTER"}};
const Flag kButtonTypes[] = {{BS_PUSHBUTTON, "BS_PUSHBUTTON"}, {BS_DEFPUSHBUTTON, "BS_DEFPUSHBUTTON"},
                             {BS_AUTOCHECKBOX, "BS_AUTOCHECKBOX"}, {BS_GROUPBOX, "BS_GROUPBOX"},
                             {BS_AUTORADIOBUTTON, "BS_AUTORADIOBUTTON"}};
const Flag kButtonFlags[] = {{BS_ICON, "BS_ICON"}, {BS_BITMAP, "BS_BITMAP"}, {BS_MULTILINE, "BS_MULTILINE"}};
const Flag kStaticTypes[] = {{SS_ICON, "SS_ICON"}, {SS_BITMAP, "SS_BITMAP"}};
const Flag kStaticFlags[] = {{SS_NOTIFY, "SS_NOTIFY"}};
const Flag kProgressFlags[] = {{PBS_SMOOTH, "PBS_SMOOTH"}};

// Takes each flag wholly present out of `left`, in table order; or, given a type mask, the one type `left` holds.
template <size_t N>
void Take(const Flag (&flags)[N], DWORD typeMask, DWORD& left, std::vector<std::string>& names) {
    for (const Flag& flag : flags) {
        const bool present = typeMask != 0 ? (left & typeMask) == flag.bits : (left & flag.bits) == flag.bits;
        if (!present) continue;
        names.push_back(flag.name);
        left &= ~(typeMask != 0 ? typeMask : flag.bits);
        if (typeMask != 0) return;
    }
}

}  // namespace

std::string StyleNames(const std::string& className, DWORD style) {
    std::vector<std::string> names;
    DWORD left = style;
    Take(kWindowFlags, 0, left, names);
    if (lstrcmpiA(className.c_str(), "#32770") == 0) Take(kDialogFlags, 0, left, names);
    if (lstrcmpiA(className.c_str(), WC_BUTTONA) == 0) {
        Take(kButtonTypes, BS_TYPEMASK, left, names);
        Take(kButtonFlags, 0, left, names);
    }
    if (lstrcmpiA(className.c_str(), WC_STATICA) == 0) {
        Take(kStaticTypes, SS_TYPEMASK, left, names);
        Take(kStaticFlags, 0, left, names);
    }
    if (lstrcmpiA(className.c_str(), PROGRESS_CLASSA) == 0) Take(kProgressFlags, 0, left, names);
    if (left != 0 || names.empty()) {
        char rest[16];
        snprintf(rest, sizeof(rest), "0x%lX", left);
        names.push_back(rest);
    }
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : " | ") + name;
    return joined;
}
