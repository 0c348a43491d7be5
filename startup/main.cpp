// The program's entry point: the process runs its phases and ends with their exit code.
#include "startup/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ExitProcess(RunProcess());
}
