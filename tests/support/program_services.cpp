// The test process set up as the program sets itself up, and the engine's run with English texts.
#include "tests/support/program_services.h"

#include "dialog/dialog.h"
#include "startup/startup.h"

bool StartServicesAsTheProgramDoes() {
    if (!DlgStartThread(GetModuleHandleA(nullptr), ProgramDialogFont())) return false;
    const bool registered = RegisterControlClasses();
    ResetProcessValues();
    return registered;
}

int RunOn(const std::string& folder, bool renameAlways, bool createUndo, const RunSink& sink) {
    const RunTexts texts = {CatalogueText(TXT_UNDO_FILE, "EN"), CatalogueText(TXT_ECHO_RESTORING, "EN"),
                            CatalogueText(TXT_DONE, "EN")};
    return RelocateFolder(RunRequest{folder, renameAlways, createUndo, texts, sink});
}
