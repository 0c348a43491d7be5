// The font table: descriptions made by number, font objects made at first use and shared.
#include "dialog/dialog_internal.h"

#include <atomic>
#include <new>

#include "dialog/dialog_census.h"
#include "dialog/dialog_logic.h"

namespace {

struct FontEntry {
    float points = 0;
    LOGFONTA description = {};
    HFONT object = nullptr;
    int users = 0;  // the maker, and every window that shows the font now
    FontEntry* next = nullptr;
};

// Written and read only under gFontLock. Entries live until the program ends.
FontEntry* gFonts = nullptr;
std::atomic_flag gFontLock = ATOMIC_FLAG_INIT;

// Font numbers count entries from 1.
FontEntry* Entry(int number) {
    if (number <= 0) return nullptr;
    DlgSpinLock lock(gFontLock);
    FontEntry* entry = gFonts;
    for (int position = 1; entry != nullptr && position < number; ++position) entry = entry->next;
    return entry;
}

// The one place a font object is deleted: when nobody holds the description any more.
void LoseUser(FontEntry* entry) {
    if (entry == nullptr || entry->users <= 0) return;
    --entry->users;
    if (entry->users == 0 && entry->object != nullptr) {
        DeleteObject(entry->object);
        entry->object = nullptr;
    }
}

// A free entry is reused; else a new one is appended. Answers its number, 0 without memory.
int TakeEntry(const FontEntry& made) {
    FontEntry* fresh = new (std::nothrow) FontEntry();
    DlgSpinLock lock(gFontLock);
    int number = 1;
    FontEntry** link = &gFonts;
    for (; *link != nullptr; link = &(*link)->next, ++number) {
        FontEntry* entry = *link;
        if (entry->users == 0 && entry->object == nullptr) {
            FontEntry* keep = entry->next;
            *entry = made;
            entry->next = keep;
            delete fresh;
            return number;
        }
    }
    if (fresh == nullptr) return 0;
    *fresh = made;
    fresh->next = nullptr;
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

int DlgMakeFont(const char* face, float points, int styleBits, int charSet, int pitchAndFamily,
                int escapement) {
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
    made.users = 1;
    return TakeEntry(made);
}

void DlgSetFont(HWND dialog, int identifier, int fontNumber) {
    DlgRecord* record = RecordFindTarget(dialog, identifier);
    FontEntry* entry = Entry(fontNumber);
    if (record == nullptr || entry == nullptr) return;
    if (!MakeObject(*entry, record->window)) return;
    if (record->fontNumber == 0) {
        record->previousFont = reinterpret_cast<HFONT>(SendMessageA(record->window, WM_GETFONT, 0, 0));
    }
    SendMessageA(record->window, WM_SETFONT, reinterpret_cast<WPARAM>(entry->object), TRUE);
    ++entry->users;
    LoseUser(Entry(record->fontNumber));
    record->fontNumber = fontNumber;
}

void DlgReleaseFont(int fontNumber) {
    LoseUser(Entry(fontNumber));
}

// The window gets back the font it had before the services gave it one.
void FontReleaseWindow(DlgRecord& record) {
    if (record.fontNumber == 0) return;
    if (record.previousFont != nullptr && IsWindow(record.window)) {
        SendMessageA(record.window, WM_SETFONT, reinterpret_cast<WPARAM>(record.previousFont), FALSE);
    }
    LoseUser(Entry(record.fontNumber));
    record.fontNumber = 0;
}

bool DlgInspectFont(int fontNumber, DlgFontView* view) {
    FontEntry* entry = Entry(fontNumber);
    if (entry == nullptr || view == nullptr) return false;
    view->points = entry->points;
    view->description = entry->description;
    view->object = entry->object;
    view->users = entry->users;
    return true;
}
