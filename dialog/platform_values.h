// Platform values that the dialog services' platform-free arithmetic works with, under their
// platform names behind the services' prefix; platform_values_check.cpp proves each one the platform's.
#pragma once

#include <cstdint>

// Window styles.
constexpr uint32_t DLG_WS_POPUP = 0x80000000u;
constexpr uint32_t DLG_WS_CHILD = 0x40000000u;
constexpr uint32_t DLG_WS_MINIMIZE = 0x20000000u;
constexpr uint32_t DLG_WS_VISIBLE = 0x10000000u;
constexpr uint32_t DLG_WS_CLIPSIBLINGS = 0x04000000u;
constexpr uint32_t DLG_WS_CLIPCHILDREN = 0x02000000u;
constexpr uint32_t DLG_WS_MAXIMIZE = 0x01000000u;
constexpr uint32_t DLG_WS_CAPTION = 0x00C00000u;
constexpr uint32_t DLG_WS_BORDER = 0x00800000u;
constexpr uint32_t DLG_WS_DLGFRAME = 0x00400000u;
constexpr uint32_t DLG_WS_VSCROLL = 0x00200000u;
constexpr uint32_t DLG_WS_HSCROLL = 0x00100000u;
constexpr uint32_t DLG_WS_SYSMENU = 0x00080000u;
constexpr uint32_t DLG_WS_THICKFRAME = 0x00040000u;
constexpr uint32_t DLG_WS_GROUP = 0x00020000u;
constexpr uint32_t DLG_WS_TABSTOP = 0x00010000u;

// Dialog styles.
constexpr uint32_t DLG_DS_SYSMODAL = 0x0002u;
constexpr uint32_t DLG_DS_3DLOOK = 0x0004u;
constexpr uint32_t DLG_DS_NOFAILCREATE = 0x0010u;
constexpr uint32_t DLG_DS_SETFONT = 0x0040u;
constexpr uint32_t DLG_DS_MODALFRAME = 0x0080u;
constexpr uint32_t DLG_DS_CENTER = 0x0800u;

// Button and static styles.
constexpr uint32_t DLG_BS_AUTOCHECKBOX = 0x0003u;
constexpr uint32_t DLG_BS_GROUPBOX = 0x0007u;
constexpr uint32_t DLG_BS_AUTORADIOBUTTON = 0x0009u;
constexpr uint32_t DLG_BS_TYPEMASK = 0x000Fu;
constexpr uint32_t DLG_BS_LEFTTEXT = 0x0020u;
constexpr uint32_t DLG_BS_ICON = 0x0040u;
constexpr uint32_t DLG_BS_BITMAP = 0x0080u;
constexpr uint32_t DLG_BS_PUSHLIKE = 0x1000u;
constexpr uint32_t DLG_BS_NOTIFY = 0x4000u;
constexpr uint32_t DLG_BS_FLAT = 0x8000u;
constexpr uint32_t DLG_SS_ICON = 0x0003u;
constexpr uint32_t DLG_SS_BITMAP = 0x000Eu;

// Window classes of the control kinds.
constexpr char DLG_WC_BUTTON[] = "Button";
constexpr char DLG_WC_STATIC[] = "Static";
constexpr char DLG_PROGRESS_CLASS[] = "msctls_progress32";

// Show commands, and the kinds of WM_SIZE.
constexpr int DLG_SW_HIDE = 0;
constexpr int DLG_SW_SHOWMAXIMIZED = 3;
constexpr int DLG_SW_SHOW = 5;
constexpr int DLG_SW_MINIMIZE = 6;
constexpr int DLG_SIZE_RESTORED = 0;
constexpr int DLG_SIZE_MINIMIZED = 1;
constexpr int DLG_SIZE_MAXIMIZED = 2;

// The colour requests, in the platform's order, and the system colours that answer them.
constexpr unsigned DLG_WM_CTLCOLORMSGBOX = 0x0132u;
constexpr unsigned DLG_WM_CTLCOLOREDIT = 0x0133u;
constexpr unsigned DLG_WM_CTLCOLORLISTBOX = 0x0134u;
constexpr unsigned DLG_WM_CTLCOLORBTN = 0x0135u;
constexpr unsigned DLG_WM_CTLCOLORDLG = 0x0136u;
constexpr unsigned DLG_WM_CTLCOLORSCROLLBAR = 0x0137u;
constexpr unsigned DLG_WM_CTLCOLORSTATIC = 0x0138u;
constexpr int DLG_COLOR_SCROLLBAR = 0;
constexpr int DLG_COLOR_MENU = 4;
constexpr int DLG_COLOR_WINDOW = 5;
constexpr int DLG_COLOR_MENUTEXT = 7;
constexpr int DLG_COLOR_WINDOWTEXT = 8;
constexpr int DLG_COLOR_BTNFACE = 15;
constexpr int DLG_COLOR_BTNTEXT = 18;

// Font weights.
constexpr int DLG_FW_NORMAL = 400;
constexpr int DLG_FW_BOLD = 700;
