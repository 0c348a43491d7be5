// Platform-free arithmetic of the dialog services: style words, colours, font heights, names.
#pragma once

#include <cstdint>
#include <string>

#include "dialog/platform_values.h"

// Colour values: red in the low byte; these three negatives have meanings of their own.
const int DLG_COLOR_DEFAULT = -1;
const int DLG_COLOR_TRANSPARENT = -2;  // backgrounds only
const int DLG_COLOR_NEVER_SET = -3;    // how every window record starts

// Style bits of DlgMakeFont.
const int DLG_FONT_BOLD = 1;
const int DLG_FONT_ITALIC = 2;
const int DLG_FONT_UNDERLINE = 4;
const int DLG_FONT_STRIKEOUT = 8;

// Red + 256 x green + 65536 x blue, each component clamped to 0..255.
int DlgRgb(int red, int green, int blue);

// The control kinds the program uses; each is a row of dlg::KINDS.
enum DlgKind {
    DLG_PUSH_BUTTON,
    DLG_CHECK_BOX,
    DLG_GROUP_FRAME,
    DLG_RADIO_BUTTON,
    DLG_IMAGE,
    DLG_IMAGE_BUTTON,
    DLG_PROGRESS_BAR,
    DLG_KIND_COUNT,
};

namespace dlg {

struct KindRow {
    const char* className;
    uint32_t defaultStyle;  // when the caller gives style 0
    uint32_t forced;        // always set
    uint32_t barred;        // always cleared
    bool picture;           // the control's text names a picture resource
};

// Every kind is a visible child.
constexpr uint32_t VISIBLE_CHILD = DLG_WS_CHILD | DLG_WS_VISIBLE;
// Styles of top-level windows, which the buttons that draw their own state never take.
constexpr uint32_t TOP_LEVEL_STYLES = DLG_WS_POPUP | DLG_WS_MINIMIZE | DLG_WS_CLIPSIBLINGS | DLG_WS_CLIPCHILDREN |
                                      DLG_WS_MAXIMIZE | DLG_WS_BORDER | DLG_WS_DLGFRAME | DLG_WS_VSCROLL |
                                      DLG_WS_HSCROLL | DLG_WS_SYSMENU | DLG_WS_THICKFRAME;
constexpr uint32_t BUTTON_PICTURES = DLG_BS_ICON | DLG_BS_BITMAP;
// A bit between the button type and BS_LEFTTEXT that has no name; the frame keeps it off too.
constexpr uint32_t FRAME_UNNAMED_BIT = 0x0010u;

// The type bits that would turn a check box, radio button or frame into another button type are
// barred, and the frame never starts a group nor takes the focus.
constexpr KindRow KINDS[DLG_KIND_COUNT] = {
    // push button
    {DLG_WC_BUTTON, VISIBLE_CHILD | DLG_WS_TABSTOP, VISIBLE_CHILD, 0, false},
    // check box
    {DLG_WC_BUTTON, VISIBLE_CHILD | DLG_WS_TABSTOP | DLG_BS_AUTOCHECKBOX, VISIBLE_CHILD | DLG_BS_AUTOCHECKBOX,
     TOP_LEVEL_STYLES | BUTTON_PICTURES | (DLG_BS_TYPEMASK & ~DLG_BS_AUTOCHECKBOX), false},
    // group frame
    {DLG_WC_BUTTON, VISIBLE_CHILD | DLG_BS_GROUPBOX, VISIBLE_CHILD | DLG_BS_GROUPBOX,
     TOP_LEVEL_STYLES | DLG_WS_GROUP | DLG_WS_TABSTOP | DLG_BS_FLAT | DLG_BS_NOTIFY | DLG_BS_PUSHLIKE |
         BUTTON_PICTURES | DLG_BS_LEFTTEXT | FRAME_UNNAMED_BIT | (DLG_BS_TYPEMASK & ~DLG_BS_GROUPBOX),
     false},
    // radio button
    {DLG_WC_BUTTON, VISIBLE_CHILD | DLG_WS_TABSTOP | DLG_BS_AUTORADIOBUTTON, VISIBLE_CHILD | DLG_BS_AUTORADIOBUTTON,
     TOP_LEVEL_STYLES | BUTTON_PICTURES | (DLG_BS_TYPEMASK & ~DLG_BS_AUTORADIOBUTTON), false},
    // image
    {DLG_WC_STATIC, VISIBLE_CHILD | DLG_SS_BITMAP, VISIBLE_CHILD | DLG_SS_BITMAP, 0, true},
    // image button
    {DLG_WC_BUTTON, VISIBLE_CHILD | DLG_WS_TABSTOP | DLG_BS_BITMAP, VISIBLE_CHILD | DLG_BS_BITMAP, 0, true},
    // progress bar
    {DLG_PROGRESS_CLASS, VISIBLE_CHILD | DLG_WS_BORDER, VISIBLE_CHILD, 0, false},
};

const uint32_t DEFAULT_DIALOG_STYLE =
    DLG_WS_POPUP | DLG_WS_CAPTION | DLG_DS_MODALFRAME | DLG_DS_SETFONT | DLG_DS_NOFAILCREATE | DLG_DS_3DLOOK;

// The style a dialog is made with; `positionGiven` false centres it.
uint32_t DialogStyle(uint32_t style, bool positionGiven);

// The kind's default when `style` is 0, then the kind's forced bits set and barred bits
// cleared. An unknown kind returns the style unchanged.
uint32_t ControlStyle(int kind, uint32_t style);

// An image or image button whose picture turned out to be an icon: SS_ICON or BS_ICON in
// place of the bitmap type. Other kinds are returned unchanged.
uint32_t IconPictureStyle(int kind, uint32_t style);

// The window class of a kind, or null for an unknown kind.
const char* KindClassName(int kind);
bool KindHasPicture(int kind);

// The show state a dialog keeps for its first show: from its style at creation, and from a
// state asked for before that show.
int ShowStateForStyle(uint32_t style);
int DeferredShowState(int state);
// The WM_SIZE kind (SIZE_RESTORED, SIZE_MINIMIZED, SIZE_MAXIMIZED) that goes with a show state.
int SizeKindForShowState(int state);

// Colour arguments made meaningful: text below 0 is the default; a background keeps
// transparency, anything else below 0 is the default; real colours are cut to 24 bits.
int NormalTextColor(int color);
int NormalBackgroundColor(int color);
// A progress bar has no transparency; its default background is the dialog's own.
int ProgressBackground(int background, int dialogBackground);

// The system colours (COLOR_*) that answer a colour request, WM_CTLCOLORMSGBOX..WM_CTLCOLORSTATIC.
int SystemTextColorIndex(unsigned request);
int SystemBackgroundIndex(unsigned request);

// -(points x dotsPerInch / 72), rounded to nearest with halves to the even neighbour.
int FontHeight(float points, int dotsPerInch);
// Zero points stand for 8.
float FontPoints(float points);
// Style bit 1 makes a font bold.
int FontWeight(int styleBits);

// The display's scale in per cent for its dots per inch, 96 being 100 %, to the nearest whole per cent.
int ScalePercent(int dotsPerInch);
// Each picture is drawn at these scales; on a display between two, the larger is shrunk, so that no picture shows
// smaller or blurrier beside the text than at 100 %. Above the largest, the largest, grown.
const int kPictureRenderings[] = {100, 125, 150, 200};
int RenderingPercent(int scalePercent);
// The rendering's resource name: the picture's own at 100 %, else with "_125", "_150" or "_200" after it; a number
// ("#7") has no renderings but its own.
std::string RenderingName(const char* name, int renderingPercent);
// The width (or height) on the display of a rendering `size` pixels wide, brought to the display's scale.
int ShownSize(int size, int renderingPercent, int scalePercent);

// Whether a resource name as the program writes it ("LOADING00", "#7") names a resource
// as enumerated: a number (isNumber) or a text. Letters a to z compare folded to capitals.
bool ResourceNameMatches(const char* wanted, bool isNumber, unsigned number, const char* name);

}  // namespace dlg
