// Times the run's planning natively: relative paths, conflict scan, thumbnail pass, target names and script lines.
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/file_move.h"
#include "engine/script_lines.h"

namespace {

struct SyntheticInventory {
    std::vector<std::string> paths;
    std::vector<std::string> alternates;
};

// `count` files, ten to a folder, three folder levels, a thumbnail cache in every
// hundredth folder, and every name unique so that the conflict scan runs to the end.
SyntheticInventory MakeSyntheticInventory(const std::string& mainFolder, int count) {
    SyntheticInventory inventory;
    inventory.paths.reserve(static_cast<std::size_t>(count));
    inventory.alternates.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int folder = i / 10;
        std::string path = mainFolder + "year " + std::to_string(folder / 10000) + "\\month " +
                           std::to_string(folder / 100 % 100) + "\\day " + std::to_string(folder % 100) + "\\";
        if (i % 10 == 9 && folder % 100 == 0) {
            inventory.paths.push_back(path + "Thumbs.db");
            inventory.alternates.push_back("");
        } else {
            inventory.paths.push_back(path + "holiday picture " + std::to_string(i) + ".jpeg");
            inventory.alternates.push_back("HOLI~" + std::to_string(i % 1000) + ".JPE");
        }
    }
    return inventory;
}

void UpperAscii(std::string_view name, std::string& key) {
    key.assign(name);
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// Everything the run works out between the inventory and the file-system calls; the
// script's bytes are counted so that none of the work can be left out.
std::size_t PlanAndWriteLines(const std::string& mainFolder, const SyntheticInventory& inventory) {
    std::vector<PlanSource> sources;
    sources.reserve(inventory.paths.size());
    for (std::size_t i = 0; i < inventory.paths.size(); ++i) {
        sources.push_back(PlanSource{inventory.paths[i], inventory.alternates[i]});
    }
    const RelocationPlan plan = PlanRelocation(sources, mainFolder, false, UpperAscii);
    const RunTexts texts{"undo 'Kellerup'.bat", "echo restoring file #", "done"};
    const int n = static_cast<int>(plan.relative.size());
    std::string header;
    AppendHeaderLines(header, false);
    std::size_t bytes = header.size();
    std::string_view tracker;
    FileMove move;
    for (int i = 0; i < n; ++i) {
        bytes += static_cast<std::size_t>(ProgressPosition(i, n) > kProgressRange);
        DescribeFileMove(plan, i, mainFolder, texts, tracker, move);
        bytes += move.folderLine.size() + move.echoLine.size() + move.backLines.size();
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mainFolder = "C:\\Users\\someone\\Pictures\\Archive\\";
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {100000, 1000000, 10000000};
    double previous = 0;
    int previousSize = 0;
    for (int size : sizes) {
        const SyntheticInventory inventory = MakeSyntheticInventory(mainFolder, size);
        // The best of three: the least disturbed by whatever else shares the machine.
        double seconds = 0;
        std::size_t bytes = 0;
        for (int repeat = 0; repeat < 3; ++repeat) {
            const auto started = std::chrono::steady_clock::now();
            bytes = PlanAndWriteLines(mainFolder, inventory);
            const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            if (repeat == 0 || took < seconds) seconds = took;
        }
        std::printf("%9d entries: %.3f s (%.0f ns per entry), script %zu bytes", size, seconds, seconds * 1e9 / size,
                    bytes);
        if (previousSize > 0)
            std::printf(", %.2fx the time for %.0fx the entries", seconds / previous,
                        static_cast<double>(size) / previousSize);
        std::printf("\n");
        previous = seconds;
        previousSize = size;
    }
    return 0;
}
