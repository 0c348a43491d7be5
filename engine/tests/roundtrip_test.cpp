// The safety property on seeded random trees: runs, changes a user may make, then every undo script newest first.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>

#include "engine/script_lines.h"
#include "tests/support/disk_trees.h"
#include "tests/support/program_services.h"

namespace {

// Names the interpreter could misread: "%", "&", "^", parentheses, and "!" pairs around
// names of variables nobody sets, which delayed expansion would drop.
const char* const kPieces[] = {"photo", "IMG_2019", "a b", "x.y.z", "100%", "R&D", "up^down", "it's", "%PATH%",
                               "(1) q", "x!y!", "r!q!&(s)"};
const char* const kExtensions[] = {".jpg", ".txt", ".tar.gz", "", ".JPG"};
const std::string kThumbnail = "a thumbnail cache";

std::string RandomName(std::mt19937& random) {
    return kPieces[random() % std::size(kPieces)] + (random() % 2 ? " " + std::to_string(random() % 100) : "");
}

// As delayed expansion reads a name: each "!" pair dropped with what it holds.
std::string Expanded(std::string name) {
    for (std::size_t open; (open = name.find('!')) != std::string::npos;) {
        name.erase(open, name.find('!', open + 1) - open + 1);
    }
    return name;
}

std::string Flattened(std::string path) {
    std::replace(path.begin(), path.end(), '\\', ' ');
    return path;
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\', path.size() - 2) + 1);
}

// Folders up to three deep, dot-folders among them; plain, hidden and read-only files,
// thumbnail caches, and for each name with "!" the main-folder files named as delayed
// expansion would read it, whichever rename mode.
void BuildRandomTree(const std::string& m, std::mt19937& random) {
    std::vector<std::string> folders = {""};
    for (int i = 0; i < 8; ++i) {
        const std::string parent = folders[random() % folders.size()];
        if (std::count(parent.begin(), parent.end(), '\\') < 3) {
            folders.push_back(parent + (random() % 7 ? RandomName(random) : ".dot") + "\\");
        }
    }
    const DWORD attributes[] = {0, 0, 0, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_READONLY};
    for (int i = 0; i < 20; ++i) {
        const bool thumbnail = random() % 9 == 0;
        const std::string path = folders[random() % folders.size()] +
                                 (thumbnail ? "Thumbs.db" : RandomName(random) + kExtensions[random() % 5]);
        // A name taken already, letter case aside, is not made again.
        MakeFile(m, path, thumbnail ? kThumbnail : path + " #" + std::to_string(random()), attributes[random() % 5]);
        for (const std::string& name : {path.substr(path.rfind('\\') + 1), Flattened(path)}) {
            if (Expanded(name) != name) MakeFile(m, Expanded(name), "decoy " + name);
        }
    }
}

struct Tally {
    int runs = 0, changes = 0, scripts = 0, putBack = 0, checked = 0;
};

// One change a user may make after a run. Notes the folders where a way back may now be
// blocked and the contents deleted: those files need not be back in their places.
void ChangeAsAUserMight(const std::string& m, const std::vector<std::string>& placesLeft, std::mt19937& random,
                        Tally& tally, std::set<std::string>& touched, std::set<std::string>& deleted) {
    const std::string made = "made by the user " + std::to_string(++tally.changes);
    const std::string place = placesLeft.empty() ? "none\\" : placesLeft[random() % placesLeft.size()];
    std::vector<std::string> inMain;
    std::string gone;
    switch (random() % 5) {
        case 0:  // a new file where a moved one came from
            if (MakeFile(m, place, made)) touched.insert(FolderOf(place));
            break;
        case 1:  // a new file where a renamed one is moved back to first
            if (MakeFile(m, FolderOf(place) + Flattened(place), made)) touched.insert(FolderOf(place));
            break;
        case 2:  // a moved file deleted
            for (const auto& item : Snapshot(m)) {
                if (item.first.find('\\') == std::string::npos && item.first.find(".bat") == std::string::npos) {
                    inMain.push_back(item.first);
                }
            }
            if (inMain.empty()) break;
            gone = m + inMain[random() % inMain.size()];
            deleted.insert(ReadWholeFile(gone));
            SetFileAttributesA(gone.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(gone.c_str());
            break;
        case 3:  // a folder the run removed, made again
            MakeFolders(m, FolderOf(place));
            break;
        default:  // more files, in a folder of their own
            MakeFile(m, "dropped " + std::to_string(tally.changes) + "\\" + RandomName(random), made);
    }
}

// One seed: a tree, one to three runs in either rename mode with changes between and after
// them, then every script, newest first, with delayed expansion on for odd seeds. No byte
// of any file there just before the scripts ran is lost, wherever its file ended up; every
// file and folder of the first tree is back in its place unless a change touched it.
void CheckSeed(unsigned seed, Tally& tally) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    ScratchFolder scratch("safety");
    const std::string m = scratch.Path();
    std::mt19937 random(seed);
    BuildRandomTree(m, random);
    const TreeSnapshot first = Snapshot(m);
    std::set<std::string> touched, deleted;
    std::vector<std::string> placesLeft;
    const int runs = 1 + static_cast<int>(random() % 3);
    for (int run = 0; run < runs; ++run) {
        for (int change = run == 0 ? 0 : random() % 3; change > 0; --change) {
            ChangeAsAUserMight(m, placesLeft, random, tally, touched, deleted);
        }
        const TreeSnapshot before = Snapshot(m);
        RunOn(m, run == 0 ? seed % 2 == 0 : random() % 2 == 0, true);
        const TreeSnapshot after = Snapshot(m);
        for (const auto& item : before) {
            if (item.second != "<folder>" && item.first.find('\\') != std::string::npos && !after.count(item.first)) {
                placesLeft.push_back(item.first);
            }
        }
        ++tally.runs;
    }
    for (int change = 1 + random() % 4; change > 0; --change) ChangeAsAUserMight(m, placesLeft, random, tally, touched, deleted);
    std::vector<std::string> scripts;
    for (int number = runs; number >= 1; --number) scripts.push_back(m + UndoScriptName("undo 'Kellerup'.bat", number));
    const TreeSnapshot beforeScripts = Snapshot(m);
    ASSERT_TRUE(RunScripts(scripts, seed % 2 != 0));
    tally.scripts += runs;
    const TreeSnapshot after = Snapshot(m);
    std::multiset<std::size_t> left;
    for (const auto& item : after) left.insert(std::hash<std::string>()(item.second));
    for (const auto& item : beforeScripts) {
        const auto found = left.find(std::hash<std::string>()(item.second));
        EXPECT_TRUE(found != left.end()) << "the content of [" << item.first << "] is gone: " << item.second;
        if (found != left.end()) left.erase(found);
        if (item.second != "<folder>" && !after.count(item.first)) ++tally.putBack;
    }
    for (const auto& item : first) {
        if (item.second == kThumbnail || touched.count(FolderOf(item.first)) || deleted.count(item.second)) continue;
        const auto found = after.find(item.first);
        EXPECT_TRUE(found != after.end() && found->second == item.second) << "[" << item.first << "] is not back: " << item.second;
        ++tally.checked;
    }
}

TEST(SafetyProperty, EveryScriptNewestFirstAfterUserChangesLosesNoByteAndPutsBackWhatNobodyTouched) {
    Tally tally;
    const unsigned seeds = 60;
    for (unsigned seed = 1; seed <= seeds; ++seed) CheckSeed(seed, tally);
    EXPECT_GT(tally.putBack, static_cast<int>(seeds));
    std::printf("%u seeds: %d runs, %d user changes, %d scripts run, %d files put back, %d places checked\n", seeds,
                tally.runs, tally.changes, tally.scripts, tally.putBack, tally.checked);
}

}  // namespace
