// A program that imports comctl32.dll, as VORLAX did: the loader looks for the library beside it first.
#include <windows.h>
#include <commctrl.h>

int main() {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_PROGRESS_CLASS};
    return InitCommonControlsEx(&classes) ? 0 : 1;
}
