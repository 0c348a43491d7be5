// DlgCreate: a dialog from a template laid out in memory, with the thread's default font.
#include "dialog/dialog_internal.h"

#include <vector>

#include "dialog/dialog_logic.h"

namespace {

// A DLGTEMPLATEEX is a run of WORDs with DWORDs and texts in between; texts are UTF-16
// whatever the calling convention.
struct TemplateWriter {
    std::vector<WORD> words;

    void Word(WORD value) { words.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const char* text) {
        WCHAR wide[LF_FACESIZE] = {};
        int length = MultiByteToWideChar(CP_ACP, 0, text, -1, wide, LF_FACESIZE);
        if (length <= 0) length = 1;  // a face that does not convert becomes empty
        wide[LF_FACESIZE - 1] = 0;
        for (int i = 0; i < length - 1 && wide[i] != 0; ++i) Word(wide[i]);
        Word(0);
    }
};

std::vector<WORD> LayOutTemplate(DWORD style, DWORD extendedStyle, short x, short y, short width, short height,
                                 const DlgDefaultFont& font) {
    TemplateWriter out;
    out.Word(1);       // version
    out.Word(0xFFFF);  // extended template
    out.Dword(0);      // help identifier
    out.Dword(extendedStyle);
    out.Dword(style);
    out.Word(0);  // no items: controls are added one by one afterwards
    out.Word(static_cast<WORD>(x));
    out.Word(static_cast<WORD>(y));
    out.Word(static_cast<WORD>(width));
    out.Word(static_cast<WORD>(height));
    out.Word(0);  // no menu
    out.Word(0);  // the platform's dialog class
    // The real title may hold any byte; it is set with SetWindowTextA afterwards.
    out.Text(" ");
    out.Word(static_cast<WORD>(font.points));
    out.Word(static_cast<WORD>(font.weight >= FW_BOLD ? FW_BOLD : FW_NORMAL));
    out.Word(MAKEWORD(font.italic ? 1 : 0, font.charSet));
    out.Text(font.face);
    return out.words;
}

}  // namespace

HWND DlgCreate(DlgUnits units, HWND owner, const char* title, int x, int y, int width, int height, DWORD style,
               DWORD extendedStyle) {
    const DlgDefaultFont* font = DlgThreadFont();
    if (font == nullptr) return nullptr;
    bool positionGiven = x != DLG_NOT_GIVEN && y != DLG_NOT_GIVEN;
    DWORD finalStyle = dlg::DialogStyle(style, positionGiven);
    short left = positionGiven ? static_cast<short>(x) : 0;
    short top = positionGiven ? static_cast<short>(y) : 0;
    std::vector<WORD> layout = LayOutTemplate(finalStyle, extendedStyle, left, top, static_cast<short>(width),
                                              static_cast<short>(height), *font);
    HWND dialog = CreateDialogIndirectParamA(DlgModule(), reinterpret_cast<LPCDLGTEMPLATEA>(layout.data()), owner,
                                             DlgProcedure, 0);
    if (dialog == nullptr) return nullptr;
    SetWindowTextA(dialog, title != nullptr ? title : "");

    DlgRecord* record = RecordAdd(dialog);
    if (record == nullptr) {
        // Without a record no operation could reach the dialog; it must not outlive this call.
        DestroyWindow(dialog);
        return nullptr;
    }
    record->dialogUnits = units == DLG_DIALOG_UNITS;
    record->showState = dlg::ShowStateForStyle(finalStyle);
    record->style = finalStyle;
    record->dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    return dialog;
}
