// A set of names for the conflict scan: open addressing over one arena, no allocation per name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct NameSet {
    std::string arena;
    std::vector<std::size_t> starts;
    std::vector<std::uint16_t> lengths;
    // Slot values are 1 + the name's index; 0 is an empty slot.
    std::vector<std::uint32_t> slots;
};

// Room for `count` names without the table growing.
void ReserveNames(NameSet& set, std::size_t count);

// Adds `name`; false when an equal name was already there.
bool InsertName(NameSet& set, std::string_view name);
