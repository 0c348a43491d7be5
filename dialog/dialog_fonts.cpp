// The font table: descriptions made by number, font objects made at first use and shared.
#include "dialog/dialog_internal.h"

#include <atomic>
#include <new>

#include "dialog/dialog_logic.h"

namespace {

// Written and read only under gFontLock. Entries, and their font objects, live until the
// services end with the program (FontReleaseTable).
FontEntry* gFonts = nullptr;
std::atomic_flag gFontLock = ATOMIC_FLAG_INIT;

// Appends a description; returns its number, 0 without memory.
int AppendEntry(const FontEntry& made) {
    FontEntry* fresh = new (std::nothrow) FontEntry(made);
    if (fresh == nullptr) return 0;
    fresh->next = nullptr;
    DlgSpinLock lock(gFontLock);
    int number = 1;
    FontEntry** link = &gFonts;
    for (; *link != nullptr; link = &(*link)->next) ++number;
    *link = fresh;
    return number;
}

bool MakeObject(FontEntry& entry, HWND window) {
    if (entry.object != nullptr) return true;
    HDC dc = GetDC(window);
    int dotsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    entry.description.lfHeight = dlg::FontHeight(entry.points, dotsPerInch);
    entry.object = CreateFontIndirectA(&entry.description);
    return entry.object != nullptr;
}

}  // namespace

// Font numbers count entries from 1.
FontEntry* FontFind(int number) {
    if (number <= 0) return nullptr;
    DlgSpinLock lock(gFontLock);
    FontEntry* entry = gFonts;
    for (int position = 1; entry != nullptr && position < number; ++position) entry = entry->next;
    return entry;
}

int DlgMakeFont(const char* face, float points, int styleBits, int charSet, int pitchAndFamily, int escapement) {
    (void)charSet;  // every font takes the default character set, so faces pick their own
    FontEntry made;
    made.points = dlg::FontPoints(points);
    LOGFONTA& font = made.description;
    font.lfEscapement = escapement;
    font.lfOrientation = escapement;
    font.lfWeight = dlg::FontWeight(styleBits);
    font.lfItalic = (styleBits & DLG_FONT_ITALIC) ? TRUE : FALSE;
    font.lfUnderline = (styleBits & DLG_FONT_UNDERLINE) ? TRUE : FALSE;
    font.lfStrikeOut = (styleBits & DLG_FONT_STRIKEOUT) ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    lstrcpynA(font.lfFaceName, face != nullptr ? face : "", LF_FACESIZE);
    return AppendEntry(made);
}

void DlgSetFont(HWND dialog, int identifier, int fontNumber) {
    DlgRecord* record = RecordFindTarget(dialog, identifier);
    FontEntry* entry = FontFind(fontNumber);
    if (record == nullptr || entry == nullptr) return;
    if (!MakeObject(*entry, record->window)) return;
    if (record->fontNumber == 0) {
        record->previousFont = reinterpret_cast<HFONT>(SendMessageA(record->window, WM_GETFONT, 0, 0));
    }
    SendMessageA(record->window, WM_SETFONT, reinterpret_cast<WPARAM>(entry->object), TRUE);
    record->fontNumber = fontNumber;
}

// The window gets back the font it had before the services gave it one.
void FontReleaseWindow(DlgRecord& record) {
    if (record.fontNumber == 0) return;
    if (record.previousFont != nullptr && IsWindow(record.window)) {
        SendMessageA(record.window, WM_SETFONT, reinterpret_cast<WPARAM>(record.previousFont), FALSE);
    }
    record.fontNumber = 0;
}

// The one place a font object is deleted: when the services end, no window shows it any more.
void FontReleaseTable() {
    DlgSpinLock lock(gFontLock);
    while (gFonts != nullptr) {
        FontEntry* entry = gFonts;
        gFonts = entry->next;
        if (entry->object != nullptr) DeleteObject(entry->object);
        delete entry;
    }
}
