// The test process set up the way the program's start-up sets up its own, and runs of the engine for tests.
#pragma once

#include <string>

#include "engine/engine.h"

// The dialog services with the program's default font, the common-control classes and
// every process-wide value at zero, as start-up leaves them. False when that failed.
bool StartServicesAsTheProgramDoes();

// The engine's run on `folder` with the English texts, telling `sink` of it. Returns the number of files moved.
int RunOn(const std::string& folder, bool renameAlways, bool createUndo, const RunSink& sink = {});
