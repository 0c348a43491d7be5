// Times the engine's run under Wine against the floor: the same walk and one MoveFileA per file.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "tests/support/program_services.h"
#include "texts/texts.h"

namespace {

double Seconds() {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Ten folders, ten in each, ten in each of those: 1 000 leaf folders, files shared out
// among them, every name unique so that neither run renames. The two trees grow side by
// side, one file each in turn: a tree made wholly before the other moves measurably
// faster under Wine, which would tilt the comparison.
void BuildTrees(const std::string (&roots)[2], int files) {
    for (const std::string& root : roots) CreateDirectoryA(root.c_str(), nullptr);
    for (int leaf = 0; leaf < 1000; ++leaf) {
        const std::string level1 = "year " + std::to_string(leaf / 100) + "\\";
        const std::string level2 = level1 + "month " + std::to_string(leaf / 10 % 10) + "\\";
        const std::string level3 = level2 + "day " + std::to_string(leaf % 10) + "\\";
        for (const std::string& root : roots) {
            CreateDirectoryA((root + level1).c_str(), nullptr);
            CreateDirectoryA((root + level2).c_str(), nullptr);
            CreateDirectoryA((root + level3).c_str(), nullptr);
        }
        for (int i = leaf; i < files; i += 1000) {
            const std::string relative = level3 + "holiday picture " + std::to_string(i) + ".jpeg";
            for (const std::string& root : roots) {
                const std::string path = root + relative;
                HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
                DWORD written = 0;
                WriteFile(file, relative.data(), static_cast<DWORD>(relative.size()), &written, nullptr);
                CloseHandle(file);
            }
        }
    }
}

void FloorWalk(const std::string& folder, std::vector<std::string>& files) {
    std::vector<std::string> subfolders;
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((folder + "*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (found.cFileName[0] != '.') subfolders.push_back(folder + found.cFileName + "\\");
        } else {
            files.push_back(folder + found.cFileName);
        }
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
    for (const std::string& subfolder : subfolders) FloorWalk(subfolder, files);
}

int Floor(const std::string& root) {
    std::vector<std::string> files;
    FloorWalk(root, files);
    int moved = 0;
    for (const std::string& path : files) {
        if (MoveFileA(path.c_str(), (root + path.substr(path.rfind('\\') + 1)).c_str())) ++moved;
    }
    return moved;
}

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters;
}

struct RoundResult {
    double floorSeconds = 0;
    double engineSeconds = 0;
    double workingSetPerFile = 0;
    bool allMoved = false;
};

// One pair of fresh trees; `engineFirst` decides which side moves first.
// With `calibrate` the floor flattens both trees: the ratio then shows what the harness
// itself tilts, which should be nothing.
RoundResult RunRound(const std::string& base, int files, bool undo, bool engineFirst, bool calibrate) {
    const std::string trees[2] = {base + "floor\\", base + "engine\\"};
    CreateDirectoryA(base.c_str(), nullptr);
    BuildTrees(trees, files);
    RoundResult result;
    int floorMoved = 0;
    auto runFloor = [&]() {
        const double started = Seconds();
        floorMoved = Floor(trees[0]);
        result.floorSeconds = Seconds() - started;
    };
    if (!engineFirst) runFloor();
    const PROCESS_MEMORY_COUNTERS before = Memory();
    std::string folder = trees[1];
    const double started = Seconds();
    const int engineMoved = calibrate ? Floor(folder) : RunOn(folder, false, undo);
    result.engineSeconds = Seconds() - started;
    const PROCESS_MEMORY_COUNTERS after = Memory();
    if (engineFirst) runFloor();
    result.workingSetPerFile =
        (static_cast<double>(after.PeakWorkingSetSize) - static_cast<double>(before.WorkingSetSize)) / files;
    result.allMoved = floorMoved == files && engineMoved == files;
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: flatten_bench FOLDER [FILES] [undo|noundo|calibrate] [ROUNDS]\n");
        return 2;
    }
    std::string base = argv[1];
    if (base.back() != '\\') base += '\\';
    const int files = argc > 2 ? std::atoi(argv[2]) : 10000;
    const std::string mode = argc > 3 ? argv[3] : "undo";
    const bool undo = mode == "undo";
    const bool calibrate = mode == "calibrate";
    const int rounds = argc > 4 ? std::atoi(argv[4]) : 2;
    CreateDirectoryA(base.c_str(), nullptr);
    double bestFloor = 0;
    double bestEngine = 0;
    bool allMoved = true;
    // Rounds alternate which side goes first; the best time of each side is the one
    // least disturbed by whatever else the machine was doing.
    for (int round = 0; round < rounds; ++round) {
        const bool engineFirst = round % 2 == 1;
        RoundResult result =
            RunRound(base + "round " + std::to_string(round) + "\\", files, undo, engineFirst, calibrate);
        std::printf(
            "round %d (%s first): floor %.3f s, engine %.3f s, ratio %.3f, engine peak working set %.0f "
            "bytes per file\n",
            round, engineFirst ? "engine" : "floor", result.floorSeconds, result.engineSeconds,
            result.engineSeconds / result.floorSeconds, result.workingSetPerFile);
        std::fflush(stdout);
        if (round == 0 || result.floorSeconds < bestFloor) bestFloor = result.floorSeconds;
        if (round == 0 || result.engineSeconds < bestEngine) bestEngine = result.engineSeconds;
        allMoved = allMoved && result.allMoved;
    }
    std::printf("%d files, %s: best floor %.3f s, best engine %.3f s, ratio %.3f%s\n", files,
                calibrate ? "the floor on both sides"
                : undo    ? "undo script written"
                          : "no undo script",
                bestFloor, bestEngine, bestEngine / bestFloor, allMoved ? "" : " (NOT every file was moved)");
    return allMoved ? 0 : 1;
}
