// The test process set up the way the program's start-up sets up its own, and runs of the engine for tests.
#pragma once

#include <string>
#include <vector>

// The dialog services with the program's default font, the common-control classes and
// every process-wide value at zero, as start-up leaves them. False when that failed.
bool StartServicesAsTheProgramDoes();

// The engine's run on `folder` with the English texts; each progress position lands in `positions` when given, and
// `pause`, when given, stands in for each wait for a held file. Returns the number of files moved.
int RunOn(const std::string& folder, bool renameAlways, bool createUndo, std::vector<int>* positions = nullptr,
          void (*pause)(void* context, int milliseconds) = nullptr);
