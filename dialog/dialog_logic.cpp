// The dialog services' arithmetic, kept apart from the platform so that it is tested natively.
#include "dialog/dialog_logic.h"

#include <cmath>

namespace {

struct KindRow {
    const char* className;
    uint32_t defaultStyle;
    uint32_t forced;
    uint32_t barred;
    bool picture;
};

// The barred bits keep top-level styles off the buttons that draw their own state, and keep
// the frame out of the tab order for good.
const KindRow kKinds[dlg::KIND_COUNT] = {
    {"BUTTON", 0x50010000u, 0x50000000u, 0x00000000u, false},             // push button
    {"BUTTON", 0x50010003u, 0x50000003u, 0xA7FC00CCu, false},             // check box
    {"BUTTON", 0x50000007u, 0x50000007u, 0xA7FFD0F8u, false},             // group frame
    {"BUTTON", 0x50010009u, 0x50000009u, 0xA7FC00C6u, false},             // radio button
    {"STATIC", 0x5000000Eu, 0x5000000Eu, 0x00000000u, true},              // image
    {"BUTTON", 0x50010080u, 0x50000080u, 0x00000000u, true},              // image button
    {"msctls_progress32", 0x50800000u, 0x50000000u, 0x00000000u, false},  // progress bar
};

const uint32_t kAlwaysAdded = 0x54u;            // DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK
const uint32_t kNeverKept = 0x10000000u | 0x2u;  // WS_VISIBLE | DS_SYSMODAL
const uint32_t kCentre = 0x800u;                // DS_CENTER
const uint32_t kMaximize = 0x01000000u;
const uint32_t kMinimize = 0x20000000u;

const uint32_t kStaticBitmap = 0x0Eu;
const uint32_t kStaticIcon = 0x03u;
const uint32_t kButtonBitmap = 0x80u;
const uint32_t kButtonIcon = 0x40u;

const int kShowHide = 0, kShowMaximized = 3, kShow = 5, kShowMinimize = 6;
const int kSizeRestored = 0, kSizeMinimized = 1, kSizeMaximized = 2;

bool KnownKind(int kind) {
    return kind >= 0 && kind < dlg::KIND_COUNT;
}

int Clamp(int value) {
    if (value < 0) return 0;
    if (value > 255) return 255;
    return value;
}

char Folded(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

int DlgRgb(int red, int green, int blue) {
    return Clamp(red) + 256 * Clamp(green) + 65536 * Clamp(blue);
}

namespace dlg {

uint32_t DialogStyle(uint32_t style, bool positionGiven) {
    uint32_t result = style != 0 ? style : DEFAULT_DIALOG_STYLE;
    result = (result | kAlwaysAdded) & ~kNeverKept;
    if (!positionGiven) result |= kCentre;
    return result;
}

uint32_t ControlStyle(int kind, uint32_t style) {
    if (!KnownKind(kind)) return style;
    const KindRow& row = kKinds[kind];
    uint32_t result = style != 0 ? style : row.defaultStyle;
    return (result | row.forced) & ~row.barred;
}

uint32_t IconPictureStyle(int kind, uint32_t style) {
    if (kind == KIND_IMAGE) return (style & ~kStaticBitmap) | kStaticIcon;
    if (kind == KIND_IMAGE_BUTTON) return (style & ~kButtonBitmap) | kButtonIcon;
    return style;
}

const char* KindClassName(int kind) {
    return KnownKind(kind) ? kKinds[kind].className : nullptr;
}

bool KindHasPicture(int kind) {
    return KnownKind(kind) && kKinds[kind].picture;
}

int ShowStateForStyle(uint32_t style) {
    if (style & kMaximize) return kShowMaximized;
    if (style & kMinimize) return kShowMinimize;
    return kShow;
}

int DeferredShowState(int state) {
    if (state == kShowHide || state == kShowMaximized || state == kShowMinimize) return state;
    return kShow;
}

int SizeKindForShowState(int state) {
    if (state == kShowMaximized) return kSizeMaximized;
    if (state == kShowMinimize) return kSizeMinimized;
    return kSizeRestored;
}

int NormalTextColor(int color) {
    return color < 0 ? -1 : (color & 0xFFFFFF);
}

int NormalBackgroundColor(int color) {
    if (color == -2) return -2;
    return color < 0 ? -1 : (color & 0xFFFFFF);
}

int ProgressBackground(int background, int dialogBackground) {
    int result = background;
    // A dialog whose colours were never set has the default background.
    if (result == -1) result = dialogBackground == -3 ? -1 : dialogBackground;
    if (result == -2) result = -1;
    return result;
}

// Requests in the platform's order: message box, edit, list box, button, dialog,
// scroll bar, static.
int SystemTextColorIndex(int request) {
    const int kMenuText = 7, kWindowText = 8, kButtonText = 18;
    if (request == 0) return kMenuText;
    if (request == 3) return kButtonText;
    return kWindowText;
}

int SystemBackgroundIndex(int request) {
    const int kScrollBar = 0, kMenu = 4, kWindow = 5, kButtonFace = 15;
    switch (request) {
        case 0: return kMenu;
        case 1:
        case 2: return kWindow;
        case 5: return kScrollBar;
        default: return kButtonFace;
    }
}

int FontHeight(float points, int dotsPerInch) {
    long double exact = -(static_cast<long double>(points) * dotsPerInch / 72.0L);
    long double lower = std::floor(exact);
    long double above = exact - lower;
    long double rounded;
    if (above > 0.5L) {
        rounded = lower + 1;
    } else if (above < 0.5L) {
        rounded = lower;
    } else {
        rounded = std::fmod(lower, 2.0L) == 0 ? lower : lower + 1;
    }
    return static_cast<int>(rounded);
}

float FontPoints(float points) {
    return points == 0 ? 8.0f : points;
}

int FontWeight(int styleBits) {
    return (styleBits & 1) ? 700 : 400;
}

bool ResourceNameMatches(const char* wanted, bool isNumber, unsigned number, const char* name) {
    if (wanted == nullptr) return false;
    if (wanted[0] == '#') {
        if (!isNumber) return false;
        unsigned value = 0;
        const char* digit = wanted + 1;
        if (*digit == '\0') return false;
        for (; *digit != '\0'; ++digit) {
            if (*digit < '0' || *digit > '9') return false;
            value = value * 10 + static_cast<unsigned>(*digit - '0');
            if (value > 0xFFFF) return false;  // resource numbers are 16 bits
        }
        return value == number;
    }
    if (isNumber || name == nullptr) return false;
    for (; *wanted != '\0' && *name != '\0'; ++wanted, ++name) {
        if (Folded(*wanted) != Folded(*name)) return false;
    }
    return *wanted == '\0' && *name == '\0';
}

}  // namespace dlg
