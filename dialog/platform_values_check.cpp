// Build-time proof that each platform value the arithmetic copies is the platform's; the kinds table uses only these.
#include "dialog/dialog.h"

#include <commctrl.h>

#include "dialog/dialog_logic.h"

namespace {

constexpr bool Same(uint32_t copy, uint32_t platform) {
    return copy == platform;
}

constexpr bool SameName(const char* copy, const char* platform) {
    return *copy == *platform && (*copy == '\0' || SameName(copy + 1, platform + 1));
}

}  // namespace

static_assert(Same(DLG_WS_POPUP, WS_POPUP), "WS_POPUP");
static_assert(Same(DLG_WS_CHILD, WS_CHILD), "WS_CHILD");
static_assert(Same(DLG_WS_MINIMIZE, WS_MINIMIZE), "WS_MINIMIZE");
static_assert(Same(DLG_WS_VISIBLE, WS_VISIBLE), "WS_VISIBLE");
static_assert(Same(DLG_WS_CLIPSIBLINGS, WS_CLIPSIBLINGS), "WS_CLIPSIBLINGS");
static_assert(Same(DLG_WS_CLIPCHILDREN, WS_CLIPCHILDREN), "WS_CLIPCHILDREN");
static_assert(Same(DLG_WS_MAXIMIZE, WS_MAXIMIZE), "WS_MAXIMIZE");
static_assert(Same(DLG_WS_CAPTION, WS_CAPTION), "WS_CAPTION");
static_assert(Same(DLG_WS_BORDER, WS_BORDER), "WS_BORDER");
static_assert(Same(DLG_WS_DLGFRAME, WS_DLGFRAME), "WS_DLGFRAME");
static_assert(Same(DLG_WS_VSCROLL, WS_VSCROLL), "WS_VSCROLL");
static_assert(Same(DLG_WS_HSCROLL, WS_HSCROLL), "WS_HSCROLL");
static_assert(Same(DLG_WS_SYSMENU, WS_SYSMENU), "WS_SYSMENU");
static_assert(Same(DLG_WS_THICKFRAME, WS_THICKFRAME), "WS_THICKFRAME");
static_assert(Same(DLG_WS_GROUP, WS_GROUP), "WS_GROUP");
static_assert(Same(DLG_WS_TABSTOP, WS_TABSTOP), "WS_TABSTOP");

static_assert(Same(DLG_DS_SYSMODAL, DS_SYSMODAL), "DS_SYSMODAL");
static_assert(Same(DLG_DS_3DLOOK, DS_3DLOOK), "DS_3DLOOK");
static_assert(Same(DLG_DS_NOFAILCREATE, DS_NOFAILCREATE), "DS_NOFAILCREATE");
static_assert(Same(DLG_DS_SETFONT, DS_SETFONT), "DS_SETFONT");
static_assert(Same(DLG_DS_MODALFRAME, DS_MODALFRAME), "DS_MODALFRAME");
static_assert(Same(DLG_DS_CENTER, DS_CENTER), "DS_CENTER");

static_assert(Same(DLG_BS_AUTOCHECKBOX, BS_AUTOCHECKBOX), "BS_AUTOCHECKBOX");
static_assert(Same(DLG_BS_GROUPBOX, BS_GROUPBOX), "BS_GROUPBOX");
static_assert(Same(DLG_BS_AUTORADIOBUTTON, BS_AUTORADIOBUTTON), "BS_AUTORADIOBUTTON");
static_assert(Same(DLG_BS_TYPEMASK, BS_TYPEMASK), "BS_TYPEMASK");
static_assert(Same(DLG_BS_LEFTTEXT, BS_LEFTTEXT), "BS_LEFTTEXT");
static_assert(Same(DLG_BS_ICON, BS_ICON), "BS_ICON");
static_assert(Same(DLG_BS_BITMAP, BS_BITMAP), "BS_BITMAP");
static_assert(Same(DLG_BS_PUSHLIKE, BS_PUSHLIKE), "BS_PUSHLIKE");
static_assert(Same(DLG_BS_NOTIFY, BS_NOTIFY), "BS_NOTIFY");
static_assert(Same(DLG_BS_FLAT, BS_FLAT), "BS_FLAT");
static_assert(Same(DLG_SS_ICON, SS_ICON), "SS_ICON");
static_assert(Same(DLG_SS_BITMAP, SS_BITMAP), "SS_BITMAP");

static_assert(SameName(DLG_WC_BUTTON, WC_BUTTONA), "WC_BUTTONA");
static_assert(SameName(DLG_WC_STATIC, WC_STATICA), "WC_STATICA");
static_assert(SameName(DLG_PROGRESS_CLASS, PROGRESS_CLASSA), "PROGRESS_CLASSA");

static_assert(DLG_SW_HIDE == SW_HIDE, "SW_HIDE");
static_assert(DLG_SW_SHOW == SW_SHOW, "SW_SHOW");
static_assert(DLG_SW_SHOWMAXIMIZED == SW_SHOWMAXIMIZED, "SW_SHOWMAXIMIZED");
static_assert(DLG_SW_MINIMIZE == SW_MINIMIZE, "SW_MINIMIZE");
static_assert(DLG_SIZE_RESTORED == SIZE_RESTORED, "SIZE_RESTORED");
static_assert(DLG_SIZE_MINIMIZED == SIZE_MINIMIZED, "SIZE_MINIMIZED");
static_assert(DLG_SIZE_MAXIMIZED == SIZE_MAXIMIZED, "SIZE_MAXIMIZED");

static_assert(DLG_WM_CTLCOLORMSGBOX == WM_CTLCOLORMSGBOX, "WM_CTLCOLORMSGBOX");
static_assert(DLG_WM_CTLCOLOREDIT == WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT");
static_assert(DLG_WM_CTLCOLORLISTBOX == WM_CTLCOLORLISTBOX, "WM_CTLCOLORLISTBOX");
static_assert(DLG_WM_CTLCOLORBTN == WM_CTLCOLORBTN, "WM_CTLCOLORBTN");
static_assert(DLG_WM_CTLCOLORDLG == WM_CTLCOLORDLG, "WM_CTLCOLORDLG");
static_assert(DLG_WM_CTLCOLORSCROLLBAR == WM_CTLCOLORSCROLLBAR, "WM_CTLCOLORSCROLLBAR");
static_assert(DLG_WM_CTLCOLORSTATIC == WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC");
static_assert(DLG_COLOR_SCROLLBAR == COLOR_SCROLLBAR, "COLOR_SCROLLBAR");
static_assert(DLG_COLOR_MENU == COLOR_MENU, "COLOR_MENU");
static_assert(DLG_COLOR_WINDOW == COLOR_WINDOW, "COLOR_WINDOW");
static_assert(DLG_COLOR_MENUTEXT == COLOR_MENUTEXT, "COLOR_MENUTEXT");
static_assert(DLG_COLOR_WINDOWTEXT == COLOR_WINDOWTEXT, "COLOR_WINDOWTEXT");
static_assert(DLG_COLOR_BTNFACE == COLOR_BTNFACE, "COLOR_BTNFACE");
static_assert(DLG_COLOR_BTNTEXT == COLOR_BTNTEXT, "COLOR_BTNTEXT");

static_assert(DLG_FW_NORMAL == FW_NORMAL, "FW_NORMAL");
static_assert(DLG_FW_BOLD == FW_BOLD, "FW_BOLD");

static_assert(Same(dlg::DEFAULT_DIALOG_STYLE,
                   WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK),
              "the default dialog style");
