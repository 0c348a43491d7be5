// The conflict scan's name set: linear probing in a table kept at most half full.
#include "engine/name_set.h"

namespace {

std::uint64_t NameHash(std::string_view name) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    // A final mix spreads FNV's weak low bits, which pick the slot.
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdull;
    hash ^= hash >> 33;
    return hash;
}

std::uint64_t SlotValue(std::uint64_t hash, std::size_t index) {
    return (hash & 0xffffffff00000000ull) | (static_cast<std::uint64_t>(index) + 1);
}

std::size_t IndexOf(std::uint64_t slot) {
    return static_cast<std::size_t>((slot & 0xffffffffull) - 1);
}

std::string_view NameAt(const NameSet& set, std::size_t index) {
    return std::string_view(set.arena).substr(set.starts[index], set.lengths[index]);
}

void Rehash(NameSet& set, std::size_t slotCount) {
    set.slots.assign(slotCount, 0);
    const std::size_t mask = slotCount - 1;
    for (std::size_t index = 0; index < set.starts.size(); ++index) {
        const std::uint64_t hash = NameHash(NameAt(set, index));
        std::size_t slot = hash & mask;
        while (set.slots[slot] != 0) slot = (slot + 1) & mask;
        set.slots[slot] = SlotValue(hash, index);
    }
}

}  // namespace

void ReserveNames(NameSet& set, std::size_t count) {
    std::size_t slotCount = 16;
    while (slotCount < 2 * count) slotCount *= 2;
    set.starts.reserve(count);
    set.lengths.reserve(count);
    if (slotCount > set.slots.size()) Rehash(set, slotCount);
}

bool InsertName(NameSet& set, std::string_view name) {
    if (set.slots.empty() || 2 * (set.starts.size() + 1) > set.slots.size()) {
        Rehash(set, set.slots.empty() ? 16 : 2 * set.slots.size());
    }
    const std::size_t mask = set.slots.size() - 1;
    const std::uint64_t hash = NameHash(name);
    const std::uint64_t fingerprint = hash & 0xffffffff00000000ull;
    std::size_t slot = hash & mask;
    while (set.slots[slot] != 0) {
        const std::uint64_t value = set.slots[slot];
        if ((value & 0xffffffff00000000ull) == fingerprint && NameAt(set, IndexOf(value)) == name) return false;
        slot = (slot + 1) & mask;
    }
    set.slots[slot] = SlotValue(hash, set.starts.size());
    set.starts.push_back(set.arena.size());
    set.lengths.push_back(static_cast<std::uint16_t>(name.size()));
    set.arena.append(name);
    return true;
}
