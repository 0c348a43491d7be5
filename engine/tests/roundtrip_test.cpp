// Round trips on seeded random trees: flatten, change things as a user may, run the undo scripts newest first, and find every file again.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <set>

#include "engine/script_lines.h"
#include "tests/support/disk_trees.h"
#include "tests/support/program_services.h"
#include "startup/texts.h"

namespace {

struct TreeRecipe {
    unsigned seed;
    // Names beyond ASCII: the script is written in UTF-8.
    bool accented;
    // Names holding "!" pairs, and main-folder files named as delayed expansion would
    // read them.
    bool bangs;
    int folders;
    int files;
};

const char* const kPieces[] = {"photo", "IMG_2019", "a b", "x.y.z", "100%", "R&D", "up^down", "it's", "%PATH%",
                               "summer 2019", "notes.v2", "mix & match", "50% off", "q", "long name with blanks"};
const char* const kAccented[] = {"caf\xC3\xA9", "cr\xC3\xA8me", "na\xC3\xAFve", "\xC3\x85ngstr\xC3\xB6m"};
// Each holds its "!" in pairs, around names of variables nobody sets.
const char* const kBangs[] = {"x!y!", "(1) a!b!", "up^!z!down", "r!q!&(s)"};
const char* const kExtensions[] = {".jpg", ".txt", ".tar.gz", "", ".JPG", ".doc.bak"};

std::string RandomName(std::mt19937& random, const TreeRecipe& recipe) {
    std::string name = kPieces[random() % (sizeof(kPieces) / sizeof(kPieces[0]))];
    if (recipe.bangs && random() % 3 == 0) name = kBangs[random() % 4];
    if (random() % 2) name += " " + std::to_string(random() % 100);
    if (recipe.accented && random() % 2) name += " " + std::string(kAccented[random() % 4]);
    return name;
}

// A tree of folders up to three deep with files of every kind this program meets.
void BuildRandomTree(const std::string& root, const TreeRecipe& recipe) {
    std::mt19937 random(recipe.seed);
    std::vector<std::string> folders = {""};
    for (int i = 0; i < recipe.folders; ++i) {
        const std::string parent = folders[random() % folders.size()];
        if (std::count(parent.begin(), parent.end(), '\\') >= 3) continue;
        std::string folder = parent + RandomName(random, recipe) + "\\";
        if (random() % 7 == 0) folder = parent + ".dot" + std::to_string(i) + "\\";
        MakeFolders(root, folder);
        folders.push_back(folder);
    }
    std::set<std::string> taken;
    for (int i = 0; i < recipe.files; ++i) {
        const std::string folder = folders[random() % folders.size()];
        std::string name = RandomName(random, recipe) + kExtensions[random() % 6];
        if (random() % 9 == 0) name = "Thumbs.db";
        std::string upper = folder + name;
        CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
        if (!taken.insert(upper).second) continue;
        DWORD attributes = 0;
        switch (random() % 6) {
            case 0: attributes = FILE_ATTRIBUTE_HIDDEN; break;
            case 1: attributes = FILE_ATTRIBUTE_READONLY; break;
            default: break;
        }
        MakeFile(root, folder + name, "content of " + folder + name + " #" + std::to_string(random()), attributes);
    }
}

// A name as an interpreter with delayed expansion reads it: each "!" pair and what it
// holds, a variable nobody set, vanish. (Windows drops a "^" then too; Wine keeps it.)
std::string DelayedExpansionOf(const std::string& name) {
    std::string read;
    for (std::size_t at = 0; at < name.size(); ++at) {
        const std::size_t close = name[at] == '!' ? name.find('!', at + 1) : std::string::npos;
        if (close == std::string::npos) {
            read += name[at];
        } else {
            at = close;
        }
    }
    return read;
}

// Main-folder files named as delayed expansion would read the names of files with "!":
// the files an interpreter with it on would move instead.
void MakeDecoys(const std::string& root) {
    for (const auto& item : Snapshot(root)) {
        const std::string& path = item.first;
        if (item.second == "<folder>" || path.find('!') == std::string::npos) continue;
        const std::string name = path.substr(path.rfind('\\') + 1);
        std::string renamed = path;
        for (char& c : renamed) {
            if (c == '\\') c = ' ';
        }
        for (const std::string& decoy : {DelayedExpansionOf(name), DelayedExpansionOf(renamed)}) {
            if (decoy.find('\\') == std::string::npos && !Exists(root + decoy)) MakeFile(root, decoy, "decoy " + decoy);
        }
    }
}

// The tree after a run and its undo: the thumbnail caches the run deleted are gone.
TreeSnapshot WithoutThumbnailCaches(const TreeSnapshot& tree) {
    TreeSnapshot kept;
    for (const auto& item : tree) {
        const std::string& path = item.first;
        const std::size_t slash = path.rfind('\\', path.size() - 2);
        std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        CharUpperBuffA(&name[0], static_cast<DWORD>(name.size()));
        const bool inDotFolder = path[0] == '.' || path.find("\\.") != std::string::npos;
        if (name == "THUMBS.DB" && !inDotFolder) continue;
        kept.insert(item);
    }
    return kept;
}

// Files still in a subfolder after the run whose place in the main folder was free: a
// file stays behind only when a file or folder already held its name there.
int FilesLeftWithoutCause(const TreeSnapshot& tree) {
    int count = 0;
    for (const auto& item : tree) {
        const std::string& path = item.first;
        const bool inDotFolder = path[0] == '.' || path.find("\\.") != std::string::npos;
        if (item.second == "<folder>" || path.find('\\') == std::string::npos || inDotFolder) continue;
        const std::string name = path.substr(path.rfind('\\') + 1);
        std::string renamed = path;
        for (char& c : renamed) {
            if (c == '\\') c = ' ';
        }
        const bool occupied = tree.count(name) || tree.count(name + "\\") || tree.count(renamed) ||
                              tree.count(renamed + "\\");
        if (!occupied) ++count;
    }
    return count;
}

// What `found` holds that `expected` does not, and the other way round.
std::string Differences(const TreeSnapshot& expected, const TreeSnapshot& found) {
    std::string text;
    for (const auto& item : expected) {
        const auto there = found.find(item.first);
        if (there == found.end()) text += "  missing [" + item.first + "]\n";
        else if (there->second != item.second) text += "  changed [" + item.first + "]: " + there->second + "\n";
    }
    for (const auto& item : found) {
        if (!expected.count(item.first)) text += "  extra [" + item.first + "]: " + item.second + "\n";
    }
    return text;
}

std::string Unquoted(const std::string& text, std::size_t* at) {
    const std::size_t open = text.find('"', *at);
    const std::size_t close = text.find('"', open + 1);
    *at = close + 1;
    std::string value;
    for (std::size_t i = open + 1; i < close; ++i) {
        value += text[i];
        if (text[i] == '%' && i + 1 < close && text[i + 1] == '%') ++i;
    }
    return value;
}

// What the command interpreter does with the script's md, move and ren lines, done with
// the platform's calls: for the UTF-8 scripts, which Wine's interpreter cannot read.
void FollowScript(const std::string& script) {
    std::size_t start = 0;
    while (start < script.size()) {
        const std::size_t end = script.find("\r\n", start);
        const std::string line = script.substr(start, end - start);
        start = end + 2;
        std::size_t at = 0;
        if (line.rfind("md ", 0) == 0) {
            MakeFolders("", Unquoted(line, &at));
        } else if (line.rfind("if not exist ", 0) == 0) {
            if (Exists(Unquoted(line, &at))) continue;
            const std::string from = Unquoted(line, &at);
            const std::string into = Unquoted(line, &at);
            EXPECT_TRUE(MoveFileA(from.c_str(), (into + from.substr(from.rfind('\\') + 1)).c_str())) << line;
        } else if (line.rfind("ren ", 0) == 0) {
            const std::string from = Unquoted(line, &at);
            const std::string name = Unquoted(line, &at);
            EXPECT_TRUE(MoveFileA(from.c_str(), (from.substr(0, from.rfind('\\') + 1) + name).c_str())) << line;
        }
    }
}

std::string ScriptName(int number) {
    return UndoScriptName(Text(TXT_UNDO_FILE), number);
}

// Where a file of the tree came from: its path before the run, gone after it.
std::vector<std::string> PlacesLeft(const TreeSnapshot& before, const TreeSnapshot& after) {
    std::vector<std::string> places;
    for (const auto& item : before) {
        if (item.second != "<folder>" && item.first.find('\\') != std::string::npos && !after.count(item.first)) {
            places.push_back(item.first);
        }
    }
    return places;
}

// Where the file with `content` lies in `tree`; empty when nowhere.
std::string PlaceOf(const TreeSnapshot& tree, const std::string& content) {
    for (const auto& item : tree) {
        if (item.second == content) return item.first;
    }
    return std::string();
}

// The round trip as a user may take it. A run; a new file where one moved file came
// from; more files in new subfolders and a second run in the other rename mode; then
// both scripts, newest first. The tree is back as it was, the new files where they were
// put, and the moved file whose old place was taken stays where its move back stopped:
// in the main folder, or with renaming in its old folder under its new name, because
// ren never replaces a file. UTF-8 scripts, which Wine's interpreter cannot read, are
// followed line by line instead, after the first run alone.
void CheckRoundTrip(const TreeRecipe& recipe, bool renameAlways, bool delayedExpansion) {
    SCOPED_TRACE("seed " + std::to_string(recipe.seed) + " rename " + std::to_string(renameAlways));
    ScratchFolder scratch(recipe.accented ? "trip-utf8" : "trip");
    const std::string m = scratch.Path();
    BuildRandomTree(m, recipe);
    if (recipe.bangs) MakeDecoys(m);
    const TreeSnapshot before = Snapshot(m);
    TreeSnapshot expected = WithoutThumbnailCaches(before);
    std::string folder = m;
    std::vector<int> positions;
    RunOn(folder, renameAlways, true, &positions);
    const TreeSnapshot flat = Snapshot(m);
    EXPECT_EQ(0, FilesLeftWithoutCause(flat)) << "flattened:\n" << Describe(flat);
    const std::string script = m + ScriptName(1);
    ASSERT_TRUE(Exists(script));
    if (recipe.accented) {
        const std::string bytes = ReadWholeFile(script);
        EXPECT_EQ(0u, bytes.find("@echo off\r\nsetlocal EnableExtensions DisableDelayedExpansion\r\nchcp 65001 >nul\r\n"));
        FollowScript(bytes);
        DeleteFileA(script.c_str());
    } else {
        std::mt19937 random(recipe.seed + 7);
        const std::vector<std::string> places = PlacesLeft(expected, flat);
        if (!places.empty()) {
            const std::string place = places[random() % places.size()];
            const std::string moved = PlaceOf(flat, expected[place]);
            ASSERT_FALSE(moved.empty()) << place;
            ASSERT_TRUE(MakeFile(m, place, "the user's new file"));
            // Moved under its own name it is held back; renamed, it goes back and keeps that name.
            const std::string subfolder = place.substr(0, place.rfind('\\') + 1);
            const bool heldBack = subfolder + moved == place;
            expected[heldBack ? moved : subfolder + moved] = expected[place];
            expected[place] = "the user's new file";
        }
        for (int i = 0; i < 3; ++i) {
            const std::string added = "new " + std::to_string(i) + "\\" + (i == 2 ? "deeper\\" : "") +
                                      RandomName(random, recipe) + ".jpg";
            ASSERT_TRUE(MakeFile(m, added, "dropped in later " + added));
            expected[added] = "dropped in later " + added;
        }
        expected["new 0\\"] = expected["new 1\\"] = expected["new 2\\"] = expected["new 2\\deeper\\"] = "<folder>";
        const std::string firstScript = ReadWholeFile(script);
        folder = m;
        RunOn(folder, !renameAlways, true, &positions);
        EXPECT_EQ(firstScript, ReadWholeFile(script));
        const std::string secondScript =
            m + "undo 'Kellerup' (2).bat";
        ASSERT_TRUE(Exists(secondScript));
        ASSERT_TRUE(RunScripts({secondScript, script}, delayedExpansion));
        DeleteFileA(secondScript.c_str());
        DeleteFileA(script.c_str());
    }
    const TreeSnapshot restored = Snapshot(m);
    EXPECT_TRUE(expected == restored) << "restored, against what was expected:\n" << Differences(expected, restored);
}

TEST(RoundTrip, AsciiTreesThroughTheCommandInterpreter) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        CheckRoundTrip(TreeRecipe{seed, false, false, 14, 40}, seed % 2 == 0, false);
        CheckRoundTrip(TreeRecipe{seed + 100, false, false, 14, 40}, seed % 2 != 0, false);
    }
}

TEST(RoundTrip, NamesThatDelayedExpansionWouldChangeUnderCmdWithItOn) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
        CheckRoundTrip(TreeRecipe{seed + 200, false, true, 10, 30}, seed % 2 == 0, true);
    }
}

TEST(RoundTrip, AccentedTreesThroughTheirUtf8Scripts) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
        CheckRoundTrip(TreeRecipe{seed, true, false, 14, 40}, seed % 2 == 0, false);
        CheckRoundTrip(TreeRecipe{seed + 100, true, false, 14, 40}, seed % 2 != 0, false);
    }
}

// Each content among the files of `tree`: how many files hold it, and one of them.
std::map<std::uint64_t, std::pair<int, std::string>> Contents(const TreeSnapshot& tree) {
    std::map<std::uint64_t, std::pair<int, std::string>> contents;
    for (const auto& item : tree) {
        if (item.second == "<folder>") continue;
        std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
        for (unsigned char c : item.second) hash = (hash ^ c) * 1099511628211ull;
        ++contents[hash].first;
        contents[hash].second = item.first;
    }
    return contents;
}

struct Tally {
    int userChanges = 0;
    int runs = 0;
    int scriptRuns = 0;
    int filesPutBack = 0;
};

// One change a user may make between runs or before undoing them.
void ChangeAsAUserMight(const std::string& m, const std::vector<std::string>& placesLeft, std::mt19937& random,
                        const TreeRecipe& recipe, Tally& tally) {
    const std::string content = "made by the user " + std::to_string(recipe.seed) + "/" +
                                std::to_string(tally.userChanges);
    const std::string place = placesLeft.empty() ? std::string() : placesLeft[random() % placesLeft.size()];
    const std::string subfolder = place.substr(0, place.rfind('\\') + 1);
    std::string renamed = place;
    for (char& c : renamed) {
        if (c == '\\') c = ' ';
    }
    bool changed = false;
    switch (random() % 5) {
        case 0:  // a new file where a moved one came from
            changed = !place.empty() && MakeFile(m, place, content);
            break;
        case 1:  // a new file where the renamed one would go back to first
            changed = !place.empty() && MakeFile(m, subfolder + renamed, content);
            break;
        case 2: {  // a moved file deleted
            const std::string scriptStem = ScriptName(1).substr(0, ScriptName(1).rfind('.'));
            std::vector<std::string> inMain;
            for (const auto& item : Snapshot(m)) {
                const bool script = item.first.rfind(scriptStem, 0) == 0;
                if (item.first.find('\\') == std::string::npos && !script) inMain.push_back(item.first);
            }
            if (inMain.empty()) break;
            const std::string gone = m + inMain[random() % inMain.size()];
            SetFileAttributesA(gone.c_str(), FILE_ATTRIBUTE_NORMAL);
            changed = DeleteFileA(gone.c_str()) != FALSE;
            break;
        }
        case 3:  // a folder the run removed, made again
            changed = !place.empty() && !Exists(m + subfolder) && MakeFolders(m, subfolder);
            break;
        default:  // more files dropped into a new subfolder
            changed = MakeFile(m, "dropped " + std::to_string(tally.userChanges) + "\\" + RandomName(random, recipe),
                               content);
            break;
    }
    if (changed) ++tally.userChanges;
}

// The safety property: whatever a user changed after the runs, running every script,
// newest first, loses no byte of any file that existed just before: every content is
// still there, wherever its file ended up.
void CheckNothingIsLost(unsigned seed, Tally& tally) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const TreeRecipe recipe{seed, false, seed % 3 == 0, 8, 20};
    ScratchFolder scratch("safety");
    const std::string m = scratch.Path();
    BuildRandomTree(m, recipe);
    if (recipe.bangs) MakeDecoys(m);
    std::mt19937 random(seed * 7919u);
    const int runs = 1 + static_cast<int>(random() % 3);
    std::vector<std::string> placesLeft;
    std::vector<int> positions;
    for (int run = 0; run < runs; ++run) {
        for (int change = run == 0 ? 0 : static_cast<int>(random() % 3); change > 0; --change) {
            ChangeAsAUserMight(m, placesLeft, random, recipe, tally);
        }
        const TreeSnapshot before = Snapshot(m);
        std::string folder = m;
        RunOn(folder, run == 0 ? seed % 2 == 0 : random() % 2 == 0, true, &positions);
        ++tally.runs;
        for (const std::string& place : PlacesLeft(before, Snapshot(m))) placesLeft.push_back(place);
    }
    for (int change = 1 + static_cast<int>(random() % 4); change > 0; --change) {
        ChangeAsAUserMight(m, placesLeft, random, recipe, tally);
    }
    std::vector<std::string> scripts;
    for (int number = runs; number >= 1; --number) {
        scripts.push_back(m + ScriptName(number));
        ASSERT_TRUE(Exists(scripts.back())) << scripts.back();
    }
    const TreeSnapshot beforeScripts = Snapshot(m);
    ASSERT_TRUE(RunScripts(scripts, seed % 2 != 0));
    tally.scriptRuns += runs;
    const TreeSnapshot after = Snapshot(m);
    const auto left = Contents(after);
    for (const auto& content : Contents(beforeScripts)) {
        const auto found = left.find(content.first);
        EXPECT_LE(content.second.first, found == left.end() ? 0 : found->second.first)
            << "the content of [" << content.second.second << "] is gone; the scripts did:\n"
            << Differences(beforeScripts, after);
    }
    for (const auto& item : beforeScripts) {
        if (item.second != "<folder>" && !after.count(item.first)) ++tally.filesPutBack;
    }
}

TEST(SafetyProperty, EveryScriptNewestFirstAfterUserChangesLosesNoFile) {
    Tally tally;
    const unsigned seeds = 60;
    for (unsigned seed = 1; seed <= seeds; ++seed) CheckNothingIsLost(seed, tally);
    // The scripts did their work: files came back to their folders.
    EXPECT_GT(tally.filesPutBack, static_cast<int>(seeds));
    std::printf("%u seeds: %d runs, %d user changes, %d script runs, %d files put back\n", seeds, tally.runs,
                tally.userChanges, tally.scriptRuns, tally.filesPutBack);
}

}  // namespace
