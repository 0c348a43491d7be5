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

// WS_CAPTION before its two halves, so that a caption reads as one word.
const Flag kWindowFlags[] = {
    {WS_POPUP, "WS_POPUP"},       {WS_CHILD, "WS_CHILD"},          {WS_MINIMIZE, "WS_MINIMIZE"},
    {WS_VISIBLE, "WS_VISIBLE"},   {WS_DISABLED, "WS_DISABLED"},    {WS_CLIPSIBLINGS, "WS_CLIPSIBLINGS"},
    {WS_CLIPCHILDREN, "WS_CLIPCHILDREN"}, {WS_MAXIMIZE, "WS_MAXIMIZE"}, {WS_CAPTION, "WS_CAPTION"},
    {WS_BORDER, "WS_BORDER"},     {WS_DLGFRAME, "WS_DLGFRAME"},    {WS_VSCROLL, "WS_VSCROLL"},
    {WS_HSCROLL, "WS_HSCROLL"},   {WS_SYSMENU, "WS_SYSMENU"},      {WS_THICKFRAME, "WS_THICKFRAME"},
    {WS_GROUP, "WS_GROUP"},       {WS_TABSTOP, "WS_TABSTOP"},
};

const Flag kDialogFlags[] = {
    {DS_ABSALIGN, "DS_ABSALIGN"},     {DS_SYSMODAL, "DS_SYSMODAL"},       {DS_3DLOOK, "DS_3DLOOK"},
    {DS_FIXEDSYS, "DS_FIXEDSYS"},     {DS_NOFAILCREATE, "DS_NOFAILCREATE"}, {DS_LOCALEDIT, "DS_LOCALEDIT"},
    {DS_SETFONT, "DS_SETFONT"},       {DS_MODALFRAME, "DS_MODALFRAME"},   {DS_NOIDLEMSG, "DS_NOIDLEMSG"},
    {DS_SETFOREGROUND, "DS_SETFOREGROUND"}, {DS_CONTROL, "DS_CONTROL"},   {DS_CENTER, "DS_CENTER"},
    {DS_CENTERMOUSE, "DS_CENTERMOUSE"}, {DS_CONTEXTHELP, "DS_CONTEXTHELP"},
};

// A button's type is a number in its low four bits, not a set of flags.
const char* const kButtonTypes[] = {
    "BS_PUSHBUTTON", "BS_DEFPUSHBUTTON", "BS_CHECKBOX",       "BS_AUTOCHECKBOX", "BS_RADIOBUTTON", "BS_3STATE",
    "BS_AUTO3STATE", "BS_GROUPBOX",      "BS_USERBUTTON",     "BS_AUTORADIOBUTTON", "BS_PUSHBOX",  "BS_OWNERDRAW",
};
const Flag kButtonFlags[] = {
    {BS_LEFTTEXT, "BS_LEFTTEXT"}, {BS_ICON, "BS_ICON"},         {BS_BITMAP, "BS_BITMAP"},
    {BS_CENTER, "BS_CENTER"},     {BS_LEFT, "BS_LEFT"},         {BS_RIGHT, "BS_RIGHT"},
    {BS_VCENTER, "BS_VCENTER"},   {BS_TOP, "BS_TOP"},           {BS_BOTTOM, "BS_BOTTOM"},
    {BS_PUSHLIKE, "BS_PUSHLIKE"}, {BS_MULTILINE, "BS_MULTILINE"}, {BS_NOTIFY, "BS_NOTIFY"},
    {BS_FLAT, "BS_FLAT"},
};

// So is a static control's, in its low five bits; only the types the program can make are named.
const Flag kStaticTypes[] = {
    {SS_LEFT, "SS_LEFT"}, {SS_CENTER, "SS_CENTER"}, {SS_RIGHT, "SS_RIGHT"}, {SS_ICON, "SS_ICON"},
    {SS_BITMAP, "SS_BITMAP"},
};
const Flag kStaticFlags[] = {
    {SS_NOTIFY, "SS_NOTIFY"}, {SS_CENTERIMAGE, "SS_CENTERIMAGE"}, {SS_REALSIZEIMAGE, "SS_REALSIZEIMAGE"},
    {SS_SUNKEN, "SS_SUNKEN"},
};

const Flag kProgressFlags[] = {{PBS_SMOOTH, "PBS_SMOOTH"}, {PBS_VERTICAL, "PBS_VERTICAL"}};

// Takes each flag wholly present out of `left`, in table order.
template <size_t N>
void TakeFlags(const Flag (&flags)[N], DWORD& left, std::vector<std::string>& names) {
    for (const Flag& flag : flags) {
        if (flag.bits != 0 && (left & flag.bits) == flag.bits) {
            names.push_back(flag.name);
            left &= ~flag.bits;
        }
    }
}

void TakeType(const Flag* types, size_t count, DWORD mask, DWORD& left, std::vector<std::string>& names) {
    for (size_t i = 0; i < count; ++i) {
        if ((left & mask) == types[i].bits) {
            names.push_back(types[i].name);
            left &= ~mask;
            return;
        }
    }
}

}  // namespace

std::string StyleNames(const std::string& className, DWORD style) {
    std::vector<std::string> names;
    DWORD left = style;
    TakeFlags(kWindowFlags, left, names);
    if (lstrcmpiA(className.c_str(), "#32770") == 0) {
        TakeFlags(kDialogFlags, left, names);
    } else if (lstrcmpiA(className.c_str(), WC_BUTTONA) == 0) {
        if ((left & BS_TYPEMASK) < std::size(kButtonTypes)) {
            names.push_back(kButtonTypes[left & BS_TYPEMASK]);
            left &= ~static_cast<DWORD>(BS_TYPEMASK);
        }
        TakeFlags(kButtonFlags, left, names);
    } else if (lstrcmpiA(className.c_str(), WC_STATICA) == 0) {
        TakeType(kStaticTypes, std::size(kStaticTypes), SS_TYPEMASK, left, names);
        TakeFlags(kStaticFlags, left, names);
    } else if (lstrcmpiA(className.c_str(), PROGRESS_CLASSA) == 0) {
        TakeFlags(kProgressFlags, left, names);
    }
    if (left != 0 || names.empty()) {
        char rest[16];
        snprintf(rest, sizeof(rest), "0x%lX", left);
        names.push_back(rest);
    }
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : " | ") + name;
    return joined;
}
