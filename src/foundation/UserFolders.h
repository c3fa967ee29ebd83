#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brio {

// Where the program finds and keeps its files. A portable copy (the executable's own folder
// holds the shipped files and may be written) keeps everything in that folder. An installed
// copy (shipped files in "../share/brioletta/" beside "bin/", or a folder that may not be
// written) keeps its settings and an edited style library in the user's XDG folders, and its
// file boxes start in the user's documents folder. Every folder ends in "/".
struct FolderPlan {
    std::string shipped;    // the style library and the help pages as shipped
    std::string settings;   // options.cfg, recentS.cfg, recentR.cfg
    std::string userData;   // an edited style library; empty for a portable copy
    std::string documents;  // where file boxes start and the recent lists' first scan looks
    bool portable = true;
    std::vector<std::string> problems;  // one clear message per setting that could not be used
    std::string cache;  // what the program measured and may measure again (XDG cache)
};

// What the plan reads from the session: environment variables ("" when unset) and the user's
// documents folder as `xdg-user-dir DOCUMENTS` reports it ("" when unknown).
struct FolderEnvironment {
    std::function<std::string(const std::string&)> variable;
    std::function<std::string()> documentsFolder;
};

// The plan for an executable in `executableFolder`. XDG variables that are relative or name
// something other than a folder are ignored with a message; a documents folder that is not a
// folder falls back to the home folder.
FolderPlan planFolders(const std::string& executableFolder, const FolderEnvironment& environment);

// The folder of the running executable, ending in "/" ("./" when it cannot be found).
std::string executableFolder();

// Creates `folder` and its missing parents (0700); false with a message in `problem` otherwise.
bool createFolder(const std::string& folder, std::string& problem);

// The plan in use; the first call plans for the running executable with the process's
// environment and no documents-folder lookup (the home folder), unless one was installed.
const FolderPlan& folderPlan();
void installFolderPlan(const FolderPlan& plan);
// Drops the installed plan: the next folderPlan() plans for the running executable again.
void forgetFolderPlan();

// An edited style library in the user's data folder; empty for a portable copy.
std::string userStylesPath();

}  // namespace brio
