// Per-thread state of the dialog services: the default dialog font, kept in a TLS slot.
#include "dialog/dialog_internal.h"

#include <new>

namespace {

struct DlgThreadState {
    DlgDefaultFont defaultFont;
};

// Written by DlgStartThread and DlgEndThread; read by every dialog the services make.
DWORD gDlgTlsSlot = TLS_OUT_OF_INDEXES;
HINSTANCE gDlgModule = nullptr;

DlgThreadState* ThreadState() {
    if (gDlgTlsSlot == TLS_OUT_OF_INDEXES) return nullptr;
    return static_cast<DlgThreadState*>(TlsGetValue(gDlgTlsSlot));
}

}  // namespace

bool DlgStartThread(HINSTANCE module, const DlgDefaultFont& font) {
    if (gDlgTlsSlot == TLS_OUT_OF_INDEXES) {
        gDlgTlsSlot = TlsAlloc();
        if (gDlgTlsSlot == TLS_OUT_OF_INDEXES) return false;
    }
    DlgThreadState* state = ThreadState();
    if (state == nullptr) {
        state = new (std::nothrow) DlgThreadState();
        if (state == nullptr) return false;
        if (!TlsSetValue(gDlgTlsSlot, state)) {
            delete state;
            return false;
        }
    }
    state->defaultFont = font;
    state->defaultFont.face[LF_FACESIZE - 1] = '\0';
    gDlgModule = module;
    return true;
}

void DlgEndThread() {
    DlgThreadState* state = ThreadState();
    if (state == nullptr) return;
    TlsSetValue(gDlgTlsSlot, nullptr);
    delete state;
    FontReleaseTable();
}

const DlgDefaultFont* DlgThreadFont() {
    DlgThreadState* state = ThreadState();
    return state != nullptr ? &state->defaultFont : nullptr;
}

HINSTANCE DlgModule() {
    return gDlgModule;
}
