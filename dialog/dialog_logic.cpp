// The dialog services' arithmetic, kept apart from the platform so that it is tested natively.
#include "dialog/dialog_logic.h"

#include <cmath>
#include <iterator>

namespace {

const uint32_t kAlwaysAdded = DLG_DS_SETFONT | DLG_DS_NOFAILCREATE | DLG_DS_3DLOOK;
const uint32_t kNeverKept = DLG_WS_VISIBLE | DLG_DS_SYSMODAL;

bool KnownKind(int kind) {
    return kind >= 0 && kind < DLG_KIND_COUNT;
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
    if (!positionGiven) result |= DLG_DS_CENTER;
    return result;
}

uint32_t ControlStyle(int kind, uint32_t style) {
    if (!KnownKind(kind)) return style;
    const KindRow& row = KINDS[kind];
    uint32_t result = style != 0 ? style : row.defaultStyle;
    return (result | row.forced) & ~row.barred;
}

uint32_t IconPictureStyle(int kind, uint32_t style) {
    if (kind == DLG_IMAGE) return (style & ~DLG_SS_BITMAP) | DLG_SS_ICON;
    if (kind == DLG_IMAGE_BUTTON) return (style & ~DLG_BS_BITMAP) | DLG_BS_ICON;
    return style;
}

const char* KindClassName(int kind) {
    return KnownKind(kind) ? KINDS[kind].className : nullptr;
}

bool KindHasPicture(int kind) {
    return KnownKind(kind) && KINDS[kind].picture;
}

int ShowStateForStyle(uint32_t style) {
    if (style & DLG_WS_MAXIMIZE) return DLG_SW_SHOWMAXIMIZED;
    if (style & DLG_WS_MINIMIZE) return DLG_SW_MINIMIZE;
    return DLG_SW_SHOW;
}

int DeferredShowState(int state) {
    if (state == DLG_SW_HIDE || state == DLG_SW_SHOWMAXIMIZED || state == DLG_SW_MINIMIZE) return state;
    return DLG_SW_SHOW;
}

int SizeKindForShowState(int state) {
    if (state == DLG_SW_SHOWMAXIMIZED) return DLG_SIZE_MAXIMIZED;
    if (state == DLG_SW_MINIMIZE) return DLG_SIZE_MINIMIZED;
    return DLG_SIZE_RESTORED;
}

int NormalTextColor(int color) {
    return color < 0 ? DLG_COLOR_DEFAULT : (color & 0xFFFFFF);
}

int NormalBackgroundColor(int color) {
    if (color == DLG_COLOR_TRANSPARENT) return DLG_COLOR_TRANSPARENT;
    return color < 0 ? DLG_COLOR_DEFAULT : (color & 0xFFFFFF);
}

int ProgressBackground(int background, int dialogBackground) {
    int result = background;
    // A dialog whose colours were never set has the default background.
    if (result == DLG_COLOR_DEFAULT && dialogBackground != DLG_COLOR_NEVER_SET) result = dialogBackground;
    if (result == DLG_COLOR_TRANSPARENT) result = DLG_COLOR_DEFAULT;
    return result;
}

int SystemTextColorIndex(unsigned request) {
    if (request == DLG_WM_CTLCOLORMSGBOX) return DLG_COLOR_MENUTEXT;
    if (request == DLG_WM_CTLCOLORBTN) return DLG_COLOR_BTNTEXT;
    return DLG_COLOR_WINDOWTEXT;
}

int SystemBackgroundIndex(unsigned request) {
    switch (request) {
        case DLG_WM_CTLCOLORMSGBOX:
            return DLG_COLOR_MENU;
        case DLG_WM_CTLCOLOREDIT:
        case DLG_WM_CTLCOLORLISTBOX:
            return DLG_COLOR_WINDOW;
        case DLG_WM_CTLCOLORSCROLLBAR:
            return DLG_COLOR_SCROLLBAR;
        default:
            return DLG_COLOR_BTNFACE;  // buttons, dialogs and statics
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
    return (styleBits & DLG_FONT_BOLD) ? DLG_FW_BOLD : DLG_FW_NORMAL;
}

int ScalePercent(int dotsPerInch) {
    return (dotsPerInch * 100 + 48) / 96;
}

int RenderingPercent(int scalePercent) {
    for (int rendering : kPictureRenderings) {
        if (rendering >= scalePercent) return rendering;
    }
    return kPictureRenderings[std::size(kPictureRenderings) - 1];
}

std::string RenderingName(const char* name, int renderingPercent) {
    if (name == nullptr) return std::string();
    if (renderingPercent == 100 || name[0] == '#') return name;
    return std::string(name) + "_" + std::to_string(renderingPercent);
}

int ShownSize(int size, int renderingPercent, int scalePercent) {
    return (size * scalePercent + renderingPercent / 2) / renderingPercent;
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
