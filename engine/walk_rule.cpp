// The walk's folder rule: dot-folders and links stay out, cloud-sync placeholders are entered.
#include "engine/walk_rule.h"

bool IsFolderLeftOut(std::uint32_t attributes, std::uint32_t reparseTag, std::string_view name) {
    // ".", "..", and every dot-folder (.git and the like) with all it holds.
    if (!name.empty() && name[0] == '.') return true;
    if ((attributes & kFileAttributeReparsePoint) == 0) return false;
    // A name surrogate (symbolic link, junction, mount point) stands for another folder,
    // which may lie outside the main folder or above it; a tag that was not reported
    // could be one. Any other reparse point, a OneDrive placeholder folder among them, is
    // the folder itself and is flattened like any other.
    return reparseTag == 0 || (reparseTag & kReparseTagNameSurrogate) != 0;
}
