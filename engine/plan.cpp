// The run's plan: where each file goes, which are thumbnail caches, whether two files would take one name.
#include "engine/plan.h"

#include "engine/name_set.h"

namespace {

const std::string_view kThumbnailCache = "THUMBS.DB";

// What the run does with one inventory entry.
enum EntryFate : char { kMove, kDeleteAsThumbnail, kLeaveAlone };

}  // namespace

bool IsThumbnailCache(std::string_view nameKey, std::string_view alternateKey, std::string_view thumbnailKey) {
    // A key that could not be made marks nothing for deletion.
    if (thumbnailKey.empty()) return false;
    return nameKey == thumbnailKey || alternateKey == thumbnailKey;
}

RelocationPlan PlanRelocation(const std::vector<PlanSource>& sources, std::string_view mainFolder,
                              bool renameAlways, FoldCaseFn fold) {
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
    for (int i = 0; i < count; ++i) {
        if (fate[i] == kMove) plan.relative.push_back(relative[i]);
    }
    for (int i = count - 1; i >= 0; --i) {
        if (fate[i] == kDeleteAsThumbnail) plan.thumbnails.push_back(i);
    }
    return plan;
}
