// A program that imports comctl32.dll, as VORLAX did: the loader looks for the library beside it first.
#include <windows.h>
#include <commctrl.h>

int main() {
    InitCommonControls();
}
