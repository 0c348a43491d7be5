// Round trips on seeded random trees: flatten, run the undo script, and find the tree as it was.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "engine/tests/test_tree.h"
#include "startup/texts.h"

namespace {

struct TreeRecipe {
    bool accented;
    unsigned seed;
};

const char* const kPieces[] = {"photo", "IMG_2019", "a b", "x.y.z", "100%", "R&D", "up^down", "it's", "%PATH%",
                               "summer 2019", "notes.v2", "mix & match", "50% off", "q", "long name with blanks"};
const char* const kAccented[] = {"caf\xC3\xA9", "cr\xC3\xA8me", "na\xC3\xAFve", "\xC3\x85ngstr\xC3\xB6m"};
const char* const kExtensions[] = {".jpg", ".txt", ".tar.gz", "", ".JPG", ".doc.bak"};

std::string RandomName(std::mt19937& random, bool accented) {
    std::string name = kPieces[random() % (sizeof(kPieces) / sizeof(kPieces[0]))];
    if (random() % 2) name += " " + std::to_string(random() % 100);
    if (accented && random() % 2) name += " " + std::string(kAccented[random() % 4]);
    return name;
}

// A tree of folders up to three deep with files of every kind this program meets.
void BuildRandomTree(const std::string& root, const TreeRecipe& recipe) {
    std::mt19937 random(recipe.seed);
    std::vector<std::string> folders = {""};
    for (int i = 0; i < 14; ++i) {
        const std::string parent = folders[random() % folders.size()];
        if (std::count(parent.begin(), parent.end(), '\\') >= 3) continue;
        std::string folder = parent + RandomName(random, recipe.accented) + "\\";
        if (random() % 7 == 0) folder = parent + ".dot" + std::to_string(i) + "\\";
        MakeFolders(root, folder);
        folders.push_back(folder);
    }
    std::set<std::string> taken;
    for (int i = 0; i < 40; ++i) {
        const std::string folder = folders[random() % folders.size()];
        std::string name = RandomName(random, recipe.accented) + kExtensions[random() % 6];
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

std::string Describe(const TreeSnapshot& tree) {
    std::string text;
    for (const auto& item : tree) text += "  [" + item.first + "]\n";
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

void CheckRoundTrip(const TreeRecipe& recipe, bool renameAlways) {
    ScratchFolder scratch(recipe.accented ? "trip-utf8" : "trip");
    const std::string m = scratch.Path();
    BuildRandomTree(m, recipe);
    const TreeSnapshot before = Snapshot(m);
    std::string folder = m;
    RunWindow window;
    RelocateFolder(folder, renameAlways, true, window.Handle());
    const TreeSnapshot flat = Snapshot(m);
    EXPECT_EQ(0, FilesLeftWithoutCause(flat)) << "seed " << recipe.seed << " flattened:\n" << Describe(flat);
    const std::string script = m + Text(TXT_UNDO_FILE);
    ASSERT_TRUE(Exists(script)) << "seed " << recipe.seed;
    if (recipe.accented) {
        const std::string bytes = ReadWholeFile(script);
        EXPECT_EQ(0u, bytes.find("@echo off\r\nsetlocal EnableExtensions DisableDelayedExpansion\r\nchcp 65001 >nul\r\n"))
            << "seed " << recipe.seed;
        FollowScript(bytes);
    } else {
        DWORD exitCode = 0;
        ASSERT_TRUE(RunAndWait("cmd.exe /c \"\"" + script + "\"\"", &exitCode)) << "seed " << recipe.seed;
    }
    DeleteFileA(script.c_str());
    const TreeSnapshot restored = Snapshot(m);
    const TreeSnapshot expected = WithoutThumbnailCaches(before);
    EXPECT_EQ(expected, restored) << "seed " << recipe.seed << " rename " << renameAlways << "\nexpected:\n"
                                  << Describe(expected) << "restored:\n"
                                  << Describe(restored);
}

TEST(RoundTrip, AsciiTreesThroughTheCommandInterpreter) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        CheckRoundTrip(TreeRecipe{false, seed}, seed % 2 == 0);
        CheckRoundTrip(TreeRecipe{false, seed + 100}, seed % 2 != 0);
    }
}

TEST(RoundTrip, AccentedTreesThroughTheirUtf8Scripts) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
        CheckRoundTrip(TreeRecipe{true, seed}, seed % 2 == 0);
        CheckRoundTrip(TreeRecipe{true, seed + 100}, seed % 2 != 0);
    }
}

}  // namespace
