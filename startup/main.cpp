// The entry point of each program: its language, fixed when it is built, goes to the process's phases.
#include "startup/startup.h"

#ifndef VORLAX_LANGUAGE
#error "each program's build names its language in VORLAX_LANGUAGE"
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ExitProcess(RunProcess(VORLAX_LANGUAGE));
}
