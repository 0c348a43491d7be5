// The run's plan: where each file goes, which are thumbnail caches, whether two files would take one name (a set).
#include "engine/plan.h"

#include <iterator>

namespace {

const std::string_view kThumbnailCache = "THUMBS.DB";
// Windows keeps a hidden desktop.ini in every folder it has customised, and a Mac leaves a
// hidden .DS_Store in every folder it opens: files the user never sees, one per folder, so
// they would make every run rename if they took part in the conflict scan.
const std::string_view kFolderDescriptions[] = {"DESKTOP.INI", ".DS_STORE"};

// What the run does with one inventory entry.
enum EntryFate : char { kMove, kDeleteAsThumbnail, kLeaveAlone };

// The name set: linear probing in a table kept at most half full.
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

bool IsThumbnailCache(std::string_view nameKey, std::string_view alternateKey, std::string_view thumbnailKey) {
    // A key that could not be made marks nothing for deletion.
    if (thumbnailKey.empty()) return false;
    return nameKey == thumbnailKey || alternateKey == thumbnailKey;
}

RelocationPlan PlanRelocation(const std::vector<PlanSource>& sources, std::string_view mainFolder, bool renameAlways,
                              FoldCaseFn fold) {
    RelocationPlan plan;
    plan.rename = renameAlways;
    const int count = static_cast<int>(sources.size());
    std::vector<std::string_view> relative(sources.size());
    std::vector<char> fate(sources.size(), kMove);
    // A set rather than the pairwise comparison: a large archive would take hours with
    // the square of its size.
    NameSet names;
    bool scanning = !renameAlways;
    if (scanning) ReserveNames(names, sources.size());
    std::string thumbnailKey;
    fold(kThumbnailCache, thumbnailKey);
    std::string descriptionKeys[std::size(kFolderDescriptions)];
    for (std::size_t d = 0; d < std::size(kFolderDescriptions); ++d) fold(kFolderDescriptions[d], descriptionKeys[d]);
    std::vector<bool> describesFolder(sources.size(), false);
    std::string nameKey;
    std::string alternateKey;
    for (int i = 0; i < count; ++i) {
        const PlanSource& source = sources[i];
        if (!RelativePath(source.fullPath, mainFolder, &relative[i])) {
            fate[i] = kLeaveAlone;
            ++plan.strays;
            continue;
        }
        fold(FileNameOf(source.fullPath), nameKey);
        fold(source.alternateName, alternateKey);
        if (IsThumbnailCache(nameKey, alternateKey, thumbnailKey)) {
            fate[i] = kDeleteAsThumbnail;
            continue;
        }
        for (const std::string& key : descriptionKeys) describesFolder[i] = describesFolder[i] || nameKey == key;
        if (describesFolder[i]) continue;
        // Only long names: the file system gives each moved file a fresh alternate name
        // in the main folder, and one made from the first letters of a name, as
        // IMG_20~1.JPG, is shared by files in many folders.
        if (scanning && !InsertName(names, nameKey)) {
            plan.rename = true;
            scanning = false;
            names = NameSet();
        }
    }
    plan.relative.reserve(sources.size());
    plan.describesFolder.reserve(sources.size());
    for (int i = 0; i < count; ++i) {
        if (fate[i] != kMove) continue;
        plan.relative.push_back(relative[i]);
        plan.describesFolder.push_back(describesFolder[i]);
    }
    for (int i = count - 1; i >= 0; --i) {
        if (fate[i] == kDeleteAsThumbnail) plan.thumbnails.push_back(i);
    }
    return plan;
}
