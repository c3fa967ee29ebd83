#include "platform/SystemDialogs.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "foundation/AppIdentity.h"
#include "platform/MessageBoxProcess.h"
#include "platform/PathBox.h"

namespace brio {

namespace {

constexpr const char* zenity = "zenity";
constexpr const char* kdialog = "kdialog";

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string asFolder(const std::string& folder) {
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

// Where a save box starts: the name in the folder, or the name alone when it is a full path.
std::string proposedPath(const std::string& name, const std::string& folder) {
    if (!name.empty() && name.front() == '/') return name;
    return asFolder(folder) + name;
}

bool isExistingFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::vector<std::string> zenityArguments(bool saving, const std::string& title,
                                         const std::string& filter, const std::string& startPath) {
    std::vector<std::string> argv{zenity, "--file-selection"};
    if (saving) argv.insert(argv.end(), {"--save", "--confirm-overwrite"});
    argv.push_back("--title=" + title);
    if (!startPath.empty()) argv.push_back("--filename=" + startPath);
    // One filter a pair, the patterns separated by blanks as zenity expects them.
    for (const FileFilter& entry : parseFilterList(filter))
        argv.push_back("--file-filter=" + entry.description + " | " + entry.patternList());
    return argv;
}

std::vector<std::string> kdialogArguments(bool saving, const std::string& title,
                                          const std::string& filter, const std::string& startPath) {
    std::vector<std::string> argv{kdialog, "--title", title,
                                  saving ? "--getsavefilename" : "--getopenfilename",
                                  startPath.empty() ? "." : startPath};
    // kdialog takes every filter in one argument, a "patterns|description" line each.
    std::string filters;
    for (const FileFilter& entry : parseFilterList(filter))
        filters += (filters.empty() ? "" : "\n") + entry.patternList() + "|" + entry.description;
    if (!filters.empty()) argv.push_back(filters);
    return argv;
}

// A box of a second copy of the program where one can be started (the music goes on while it
// waits), else SDL's box here.
SystemDialogs::MessageBoxFunction messageBoxesOf(ProcessLauncher& launcher) {
    return [&launcher](const SDL_MessageBoxData& data, int& pressed) {
        if (const std::optional<int> answer = showMessageBoxAside(launcher, data)) {
            pressed = *answer;
            return 0;
        }
        return SDL_ShowMessageBox(&data, &pressed);
    };
}

}  // namespace

SystemDialogs::SystemDialogs(ProcessLauncher& launcher)
    : SystemDialogs(launcher, messageBoxesOf(launcher), askPathInBox) {}

SystemDialogs::SystemDialogs(ProcessLauncher& launcher, MessageBoxFunction showMessageBox,
                             PathPrompt askPath)
    : launcher(launcher), showMessageBox(std::move(showMessageBox)), askPath(std::move(askPath)) {}

bool SystemDialogs::askOpenFileName(std::string& fileName, const std::string& title,
                                    const std::string& filter, const std::string& initialFolder) {
    const std::optional<std::string> path =
        choosePath(chooser(), false, title, filter, asFolder(initialFolder));
    // The file must exist: whatever else comes back counts as cancelled.
    if (!path || !isExistingFile(*path)) return false;
    fileName = *path;
    return true;
}

bool SystemDialogs::askSaveFileName(std::string& fileName, const std::string& title,
                                    const std::string& filter, const std::string& initialFolder) {
    const Chooser used = chooser();
    const std::optional<std::string> chosen =
        choosePath(used, true, title, filter, proposedPath(fileName, initialFolder));
    if (!chosen) return false;
    const std::string path = withFilterExtension(*chosen, filter);
    // A chooser confirms replacing only the name it returns; the path box confirms nothing.
    const bool confirmed = used != Chooser::builtIn && path == *chosen;
    if (!confirmed && isExistingFile(path) && !confirmReplacing(path)) return false;
    fileName = path;
    return true;
}

void SystemDialogs::showNotice(const std::string& text) {
    const std::vector<SDL_MessageBoxButtonData> buttons{
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
         okButtonId, "OK"}};
    if (!showBox(text, buttons))
        std::fprintf(stderr, "%s: %s\n", applicationTitle, trimmed(text).c_str());
}

int SystemDialogs::askQuestion(const std::string& text) {
    const std::vector<SDL_MessageBoxButtonData> buttons{
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, okButtonId, "OK"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, cancelButtonId, "Cancel"}};
    const std::optional<int> pressed = showBox(text, buttons);
    if (!pressed) {
        std::fprintf(stderr, "%s: %s (no message box could be shown: answered Cancel)\n",
                     applicationTitle, trimmed(text).c_str());
        return 1;
    }
    return *pressed == okButtonId ? 0 : 1;
}

SystemDialogs::Chooser SystemDialogs::chooser() {
    if (launcher.available(zenity)) return Chooser::zenity;
    if (launcher.available(kdialog)) return Chooser::kdialog;
    return Chooser::builtIn;
}

std::optional<std::string> SystemDialogs::choosePath(Chooser used, bool saving,
                                                     const std::string& title,
                                                     const std::string& filter,
                                                     const std::string& startPath) {
    switch (used) {
        case Chooser::zenity:
            return runChooser(zenityArguments(saving, title, filter, startPath));
        case Chooser::kdialog:
            return runChooser(kdialogArguments(saving, title, filter, startPath));
        case Chooser::builtIn:
            break;
    }
    std::optional<std::string> typed = askPath ? askPath(title, startPath) : std::nullopt;
    if (typed && typed->empty()) return std::nullopt;
    return typed;
}

// A chooser answers with status 0 and the path on one line; anything else is a cancel.
std::optional<std::string> SystemDialogs::runChooser(const std::vector<std::string>& argv) {
    const std::optional<RunResult> result = launcher.run(argv);
    if (!result || result->exitStatus != 0) return std::nullopt;
    std::string path = result->output;
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
    if (path.empty()) return std::nullopt;
    return path;
}

bool SystemDialogs::confirmReplacing(const std::string& path) {
    return askQuestion(path + " already exists.\nDo you want to replace it?") == 0;
}

std::optional<int> SystemDialogs::showBox(const std::string& text,
                                          const std::vector<SDL_MessageBoxButtonData>& buttons) {
    SDL_MessageBoxData data{};
    data.flags = SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    data.window = SDL_GetKeyboardFocus();  // keeps the box above the program's window
    data.title = applicationTitle;
    data.message = text.c_str();
    data.numbuttons = int(buttons.size());
    data.buttons = buttons.data();
    int pressed = -1;
    if (!showMessageBox || showMessageBox(data, pressed) != 0) return std::nullopt;
    return pressed;
}

}  // namespace brio
