// The run's plan: which files are thumbnail caches, and whether two files would take one name.
#include "engine/plan.h"

#include "engine/name_set.h"

namespace {

const std::string_view kThumbnailCache = "THUMBS.DB";

// What the run does with one inventory entry.
enum EntryFate : char { kMove, kDeleteAsThumbnail, kLeaveAlone };

// Upper-cased copy, made in a bounded buffer: names here are never longer than a path.
std::string_view UpperInto(std::string_view text, UpperCaseFn upper, char (&buffer)[kMaxPathChars + 1]) {
    std::size_t length = text.size() < kMaxPathChars ? text.size() : kMaxPathChars;
    text.copy(buffer, length);
    buffer[length] = '\0';
    if (length > 0) upper(buffer, length);
    return std::string_view(buffer, length);
}

}  // namespace

bool IsThumbnailCache(std::string_view upperName, std::string_view upperAlternate) {
    return upperName == kThumbnailCache || upperAlternate == kThumbnailCache;
}

RelocationPlan PlanRelocation(const std::vector<PlanSource>& sources, std::string_view mainFolder,
                              bool renameAlways, UpperCaseFn upper) {
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
    char nameBuffer[kMaxPathChars + 1];
    char alternateBuffer[kMaxPathChars + 1];
    for (int i = 0; i < count; ++i) {
        const PlanSource& source = sources[i];
        if (!RelativePath(source.fullPath, mainFolder, &relative[i])) {
            fate[i] = kLeaveAlone;
            ++plan.strays;
            continue;
        }
        std::string_view upperName = UpperInto(FileNameOf(source.fullPath), upper, nameBuffer);
        std::string_view upperAlternate = UpperInto(source.alternateName, upper, alternateBuffer);
        if (IsThumbnailCache(upperName, upperAlternate)) {
            fate[i] = kDeleteAsThumbnail;
            continue;
        }
        // Only long names: the file system gives each moved file a fresh alternate name
        // in the main folder, and one made from the first letters of a name, as
        // IMG_20~1.JPG, is shared by files in many folders.
        if (scanning && !InsertName(names, upperName)) {
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
