// Platform-free arithmetic of the dialog services: style words, colours, font heights, names.
#pragma once

#include <cstdint>

// Red + 256 x green + 65536 x blue, each component clamped to 0..255 (also in dialog.h).
int DlgRgb(int red, int green, int blue);

namespace dlg {

// Kind numbers follow the order of DlgKind in dialog.h.
enum KindNumber {
    KIND_PUSH_BUTTON,
    KIND_CHECK_BOX,
    KIND_GROUP_FRAME,
    KIND_RADIO_BUTTON,
    KIND_IMAGE,
    KIND_IMAGE_BUTTON,
    KIND_PROGRESS_BAR,
    KIND_COUNT,
};

const uint32_t DEFAULT_DIALOG_STYLE = 0x80C000D4u;

// The style a dialog is made with; `positionGiven` false centres it.
uint32_t DialogStyle(uint32_t style, bool positionGiven);

// The kind's default when `style` is 0, then the kind's forced bits set and barred bits
// cleared. An unknown kind answers the style unchanged.
uint32_t ControlStyle(int kind, uint32_t style);

// An image or image button whose picture turned out to be an icon: SS_ICON or BS_ICON in
// place of the bitmap type. Other kinds are answered unchanged.
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

// Colour arguments made meaningful: text below 0 is the default (-1); a background keeps
// -2 (transparent), anything else below 0 is the default; real colours are cut to 24 bits.
int NormalTextColor(int color);
int NormalBackgroundColor(int color);
// A progress bar has no transparency; its default background is the dialog's own.
int ProgressBackground(int background, int dialogBackground);

// System colour indexes (COLOR_*) answered to WM_CTLCOLORMSGBOX + `request`, request 0..6.
int SystemTextColorIndex(int request);
int SystemBackgroundIndex(int request);

// -(points x dotsPerInch / 72), rounded to nearest with halves to the even neighbour.
int FontHeight(float points, int dotsPerInch);
// Zero points stand for 8.
float FontPoints(float points);
// Style bit 1 makes a font bold (700); regular is 400.
int FontWeight(int styleBits);

// Whether a resource name as the program writes it ("LOADING00", "#7") names a resource
// as enumerated: a number (isNumber) or a text. Letters a to z compare folded to capitals.
bool ResourceNameMatches(const char* wanted, bool isNumber, unsigned number, const char* name);

}  // namespace dlg
