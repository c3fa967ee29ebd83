#pragma once

#include "graphics/UrlOpener.h"

namespace brio {

class ProcessLauncher;

// Opens addresses and files with the desktop's default program: SDL's opener, which starts
// xdg-open without a shell. Without xdg-open on the PATH nothing can be opened.
class DesktopUrlOpener : public UrlOpener {
public:
    explicit DesktopUrlOpener(ProcessLauncher& launcher) : launcher(launcher) {}
    bool openUrl(const std::string& url) override;

private:
    ProcessLauncher& launcher;
};

}  // namespace brio
