#include "platform/MessageBoxProcess.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/X11Window.h"

namespace brio {

namespace {

// Arguments: flags, title, message, owner window id, then flags, id and text of each button.
constexpr int fixedArguments = 4;
constexpr int argumentsPerButton = 3;

std::string ownExecutable() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, size_t(length)) : std::string();
}

bool parseNumber(const char* text, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0';
}

}  // namespace

std::optional<int> showMessageBoxAside(ProcessLauncher& launcher, const SDL_MessageBoxData& data) {
    const std::string executable = ownExecutable();
    if (executable.empty() || !launcher.available(executable)) return std::nullopt;
    std::vector<std::string> argv{executable,
                                  messageBoxArgument,
                                  std::to_string(data.flags),
                                  data.title ? data.title : "",
                                  data.message ? data.message : "",
                                  std::to_string(nativeWindowId(data.window))};
    for (int i = 0; i < data.numbuttons; ++i) {
        const SDL_MessageBoxButtonData& button = data.buttons[i];
        argv.insert(argv.end(), {std::to_string(button.flags), std::to_string(button.buttonid),
                                 button.text ? button.text : ""});
    }
    const std::optional<RunResult> result = launcher.run(argv);
    long long pressed = 0;
    if (!result || result->exitStatus != 0) return std::nullopt;
    std::string output = result->output;
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
    if (!parseNumber(output.c_str(), pressed)) return std::nullopt;
    return int(pressed);
}

int runMessageBoxProcess(int argc, char** argv) {
    if (argc < fixedArguments || (argc - fixedArguments) % argumentsPerButton != 0) return 1;
    long long flags = 0;
    long long owner = 0;
    if (!parseNumber(argv[0], flags) || !parseNumber(argv[3], owner)) return 1;
    std::vector<SDL_MessageBoxButtonData> buttons;
    for (int i = fixedArguments; i < argc; i += argumentsPerButton) {
        long long buttonFlags = 0;
        long long id = 0;
        if (!parseNumber(argv[i], buttonFlags) || !parseNumber(argv[i + 1], id)) return 1;
        buttons.push_back(SDL_MessageBoxButtonData{Uint32(buttonFlags), int(id), argv[i + 2]});
    }
    // The owner is the program's window: the box is its transient, centred over it and kept
    // above it by a window manager.
    SDL_Window* ownerWindow = nullptr;
    if (owner != 0 && std::getenv("DISPLAY") && SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11") &&
        SDL_Init(SDL_INIT_VIDEO) == 0)
        ownerWindow = SDL_CreateWindowFrom(reinterpret_cast<const void*>(uintptr_t(owner)));
    SDL_MessageBoxData data{};
    data.flags = Uint32(flags);
    data.window = ownerWindow;
    data.title = argv[1];
    data.message = argv[2];
    data.numbuttons = int(buttons.size());
    data.buttons = buttons.data();
    int pressed = -1;
    const int shown = SDL_ShowMessageBox(&data, &pressed);
    SDL_Quit();
    if (shown != 0) return 1;
    std::printf("%d\n", pressed);
    return 0;
}

}  // namespace brio
