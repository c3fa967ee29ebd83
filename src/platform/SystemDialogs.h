#pragma once

#include <SDL2/SDL.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "graphics/UserDialogs.h"
#include "platform/ProcessLauncher.h"

namespace brio {

// The file boxes through the desktop's file chooser (zenity, else kdialog, else the program's
// own path box) and the message boxes through SDL.
class SystemDialogs : public UserDialogs {
public:
    // Shows a message box: SDL_ShowMessageBox's contract (0 when shown, with the pressed
    // button's id or -1 for a closed box).
    using MessageBoxFunction = std::function<int(const SDL_MessageBoxData&, int&)>;
    // Asks for a path (title, text the field starts with); nothing when cancelled.
    using PathPrompt =
        std::function<std::optional<std::string>(const std::string&, const std::string&)>;

    static constexpr int okButtonId = 0;
    static constexpr int cancelButtonId = 1;

    explicit SystemDialogs(ProcessLauncher& launcher);
    SystemDialogs(ProcessLauncher& launcher, MessageBoxFunction showMessageBox, PathPrompt askPath);

    bool askOpenFileName(std::string& fileName, const std::string& title, const std::string& filter,
                         const std::string& initialFolder) override;
    bool askSaveFileName(std::string& fileName, const std::string& title, const std::string& filter,
                         const std::string& initialFolder) override;
    void showNotice(const std::string& text) override;
    int askQuestion(const std::string& text) override;

private:
    enum class Chooser { zenity, kdialog, builtIn };

    Chooser chooser();
    std::optional<std::string> choosePath(Chooser used, bool saving, const std::string& title,
                                          const std::string& filter, const std::string& startPath);
    std::optional<std::string> runChooser(const std::vector<std::string>& argv);
    bool confirmReplacing(const std::string& path);
    // The pressed button's id (-1 for a closed box); nothing when no box could be shown.
    std::optional<int> showBox(const std::string& text,
                               const std::vector<SDL_MessageBoxButtonData>& buttons);

    ProcessLauncher& launcher;
    MessageBoxFunction showMessageBox;
    PathPrompt askPath;
};

}  // namespace brio
