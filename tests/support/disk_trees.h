// Real folders for the tests under Wine: scratch trees, files made and read, snapshots, programs run.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// A fresh folder under `parent` (ending in "\"; the temporary folder when empty), removed
// with everything in it afterwards (links are removed, never followed). Path() ends in "\".
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& label, const std::string& parent = std::string());
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Makes every folder on the way; `relative` ends in "\" for a folder.
bool MakeFolders(const std::string& root, const std::string& relative);
// Makes the file, new, and its folders, with `content` and then `attributes` (0: as made).
bool MakeFile(const std::string& root, const std::string& relative, const std::string& content,
              DWORD attributes = 0);
// The file's bytes; "<unreadable>" when it cannot be opened.
std::string ReadWholeFile(const std::string& path);
bool Exists(const std::string& path);

// Everything beneath `root`: each folder as "sub\" -> "<folder>", each file as its
// relative path -> its content, with `marks` followed by " [system]" and " [read-only]"
// where it has them. Links are listed as "<link>" and not entered.
typedef std::map<std::string, std::string> TreeSnapshot;
TreeSnapshot Snapshot(const std::string& root, bool marks = false);

// Runs the host's /bin/`program` with `option` and the host's forms of `paths` (Wine makes no
// symbolic link itself); false when it could not be started. Wine does not wait for it.
bool RunOnHost(const std::string& program, const std::string& option, const std::vector<std::string>& paths);
// Runs the batch files one after the other in the command interpreter, each with call
// from a small batch file, as a double click does (names with parentheses need it);
// with `delayedExpansion` the interpreter starts with it on, as the registry can ask.
// Returns what kept them from running (the runner file or the interpreter, with the
// platform's error), or an empty text once the interpreter has ended.
std::string RunScripts(const std::vector<std::string>& scripts, bool delayedExpansion);
