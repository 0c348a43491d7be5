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
    // 0 is an empty slot; otherwise the high half holds the upper 32 bits of the name's
    // hash and the low half 1 + its index, so that most probes never touch the arena.
    std::vector<std::uint64_t> slots;
};

// Room for `count` names without the table growing.
void ReserveNames(NameSet& set, std::size_t count);

// Adds `name`; false when an equal name was already there. Holds fewer than 2^32 names,
// as an inventory's count is a signed 32-bit number.
bool InsertName(NameSet& set, std::string_view name);
