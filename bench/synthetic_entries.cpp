// Made-up archive-like inventories for the planning benchmark.
#include "bench/synthetic_entries.h"

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
