// Times the engine's run under Wine against the floor: the same walk and one MoveFileA per file.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "startup/texts.h"

namespace {

double Seconds() {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Ten folders, ten in each, ten in each of those: 1 000 leaf folders, files shared out
// among them, every name unique so that neither run renames.
void BuildTree(const std::string& root, int files) {
    CreateDirectoryA(root.c_str(), nullptr);
    for (int leaf = 0; leaf < 1000; ++leaf) {
        const std::string level1 = root + "year " + std::to_string(leaf / 100) + "\\";
        const std::string level2 = level1 + "month " + std::to_string(leaf / 10 % 10) + "\\";
        const std::string level3 = level2 + "day " + std::to_string(leaf % 10) + "\\";
        CreateDirectoryA(level1.c_str(), nullptr);
        CreateDirectoryA(level2.c_str(), nullptr);
        CreateDirectoryA(level3.c_str(), nullptr);
        for (int i = leaf; i < files; i += 1000) {
            const std::string path = level3 + "holiday picture " + std::to_string(i) + ".jpeg";
            HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            DWORD written = 0;
            WriteFile(file, path.data(), static_cast<DWORD>(path.size()), &written, nullptr);
            CloseHandle(file);
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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: flatten_bench FOLDER [FILES] [undo|noundo]\n");
        return 2;
    }
    std::string base = argv[1];
    if (base.back() != '\\') base += '\\';
    const int files = argc > 2 ? std::atoi(argv[2]) : 10000;
    const bool undo = argc <= 3 || std::string(argv[3]) != "noundo";
    const std::string floorTree = base + "floor\\";
    const std::string engineTree = base + "engine\\";
    CreateDirectoryA(base.c_str(), nullptr);
    double started = Seconds();
    BuildTree(floorTree, files);
    BuildTree(engineTree, files);
    std::printf("built two trees of %d files in 1000 folders in %.1f s\n", files, Seconds() - started);

    started = Seconds();
    const int floorMoved = Floor(floorTree);
    const double floorSeconds = Seconds() - started;

    const PROCESS_MEMORY_COUNTERS before = Memory();
    std::string folder = engineTree;
    started = Seconds();
    const int engineMoved = RelocateFolder(folder, false, undo, nullptr);
    const double engineSeconds = Seconds() - started;
    const PROCESS_MEMORY_COUNTERS after = Memory();

    std::printf("floor : %d files moved in %.3f s\n", floorMoved, floorSeconds);
    std::printf("engine: %d files moved in %.3f s (undo script %s, folders removed)\n", engineMoved, engineSeconds,
                undo ? "written" : "not written");
    std::printf("ratio engine / floor: %.3f\n", engineSeconds / floorSeconds);
    const double peakWorkingSet = static_cast<double>(after.PeakWorkingSetSize) -
                                  static_cast<double>(before.WorkingSetSize);
    const double peakPagefile = static_cast<double>(after.PeakPagefileUsage) - static_cast<double>(before.PagefileUsage);
    std::printf("engine peak memory over its start: working set %.0f bytes per file, committed %.0f bytes per file\n",
                peakWorkingSet / files, peakPagefile / files);
    return floorMoved == files && engineMoved == files ? 0 : 1;
}
