// Made-up inventories for the planning benchmark: archive-like paths under one main folder.
#pragma once

#include <string>
#include <vector>

struct SyntheticInventory {
    std::vector<std::string> paths;
    std::vector<std::string> alternates;
};

// `count` files, ten to a folder, three folder levels, a thumbnail cache in every
// hundredth folder, and every name unique so that the conflict scan runs to the end.
SyntheticInventory MakeSyntheticInventory(const std::string& mainFolder, int count);
