// The program's entry: brings up the platform, runs the application, and shows any error that
// escapes it in a message box before ending normally.
#include <SDL2/SDL.h>

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <vector>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <cstdlib>
#include <exception>
#include <memory>

#include "foundation/AppIdentity.h"
#include "foundation/TextUtils.h"
#include "foundation/Trace.h"
#include "foundation/UserFolders.h"
#include "main/CommandLine.h"
#include "main/Application.h"
#include "graphics/FontRasterizer.h"
#include "graphics/Limage.h"
#include "platform/DesktopUrlOpener.h"
#include "platform/FreeTypeText.h"
#include "platform/MessageBoxProcess.h"
#include "platform/SdlKeyCharacters.h"
#include "platform/RealClock.h"
#include "platform/RecordingRender.h"
#include "platform/RenderCommand.h"
#include "platform/RtMidiInput.h"
#include "platform/SdlWindowSystem.h"
#include "platform/SystemScheduler.h"
#include "platform/SystemDialogs.h"
#include "platform/TerminationSignals.h"

#ifdef BRIO_CAPTURE
#include "midi/CaptureMidiBackend.h"
#else
#include "platform/SystemMidi.h"
#endif

namespace {

void showFatalError(const char* text) {
    std::fprintf(stderr, "%s: %s\n", brio::applicationTitle, text);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, brio::applicationTitle, text, nullptr);
}

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// The capture build sends every message to a file beside the program instead of a device.
#ifdef BRIO_CAPTURE
using MidiService = brio::CaptureMidiBackend;
std::unique_ptr<MidiService> makeMidiService() {
    return std::make_unique<MidiService>(brio::resolvePath("midi-capture.txt"));
}
#else
using MidiService = brio::SystemMidi;
std::unique_ptr<MidiService> makeMidiService() { return std::make_unique<MidiService>(); }
#endif

// When the process started, on the clock's scale: the kernel's start time (in clock ticks since
// boot) moved onto the monotonic clock, so the trace also counts the loading before main.
uint64_t processStartUs(brio::Clock& clock) {
    const uint64_t nowUs = clock.microseconds();
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t afterName = text.rfind(')');
    timespec boot{};
    if (afterName == std::string::npos || clock_gettime(CLOCK_BOOTTIME, &boot) != 0) return nowUs;
    std::istringstream fields(text.substr(afterName + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i < 22) continue;
        const uint64_t startedUs = std::stoull(field) * 1000000u / uint64_t(sysconf(_SC_CLK_TCK));
        const uint64_t bootUs = uint64_t(boot.tv_sec) * 1000000u + uint64_t(boot.tv_nsec) / 1000u;
        return bootUs > startedUs ? nowUs - (bootUs - startedUs) : nowUs;
    }
    return nowUs;
}

// Chooses the windowing back end from the session: X11, through XWayland in a Wayland session.
// A Wayland window can place neither itself nor its popups, and the menus, pickers and the
// dragged window need both; SDL's own Wayland driver is used only when the user asks for it.
bool chooseVideoDriver() {
    if (isSet("SDL_VIDEODRIVER")) return true;  // the user's explicit choice (tests use dummy)
    if (isSet("DISPLAY")) return SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    return false;
}

std::string environmentVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
}

// Plans where the program's files live and creates the settings folder of an installed copy;
// what cannot be used is said once on standard error and the program goes on (settings that
// cannot be written are kept for the run only).
void prepareFolders(brio::ProcessLauncher& launcher) {
    const auto documents = [&launcher]() -> std::string {
        if (!launcher.available("xdg-user-dir")) return {};
        const auto result = launcher.run({"xdg-user-dir", "DOCUMENTS"});
        return result && result->exitStatus == 0 ? result->output : std::string();
    };
    brio::FolderPlan plan = brio::planFolders(brio::executableFolder(), {environmentVariable, documents});
    std::string problem;
    if (!plan.portable && !brio::createFolder(plan.settings, problem)) {
        plan.problems.push_back(problem + " Settings will not be kept after this run.");
    }
    for (const std::string& text : plan.problems) std::fprintf(stderr, "%s: %s\n", brio::applicationTitle, text.c_str());
    brio::installFolderPlan(plan);
}

std::string currentFolder() {
    char path[PATH_MAX];
    return ::getcwd(path, sizeof path) ? std::string(path) : std::string("/");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == brio::messageBoxArgument)
        return brio::runMessageBoxProcess(argc - 2, argv + 2);
    // Before any thread starts, so that every thread inherits the blocked termination signals.
    brio::TerminationSignals::block();
    const brio::CommandLine commandLine =
        brio::parseCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc), currentFolder());
    switch (commandLine.action) {
        case brio::CommandLine::Action::help: std::fputs(brio::helpText().c_str(), stdout); return 0;
        case brio::CommandLine::Action::version: std::printf("brioletta %s\n", BRIO_VERSION); return 0;
        case brio::CommandLine::Action::usageError:
            std::fprintf(stderr, "Brioletta: %s\n%s\n", commandLine.problem.c_str(), brio::usageLine().c_str());
            return 2;
        case brio::CommandLine::Action::render: {
            if (!commandLine.problem.empty()) {
                std::fprintf(stderr, "%s: %s\n", brio::applicationTitle, commandLine.problem.c_str());
                return 1;
            }
            brio::PosixProcessLauncher launcher;
            prepareFolders(launcher);
            return brio::renderFromCommandLine(commandLine.file, commandLine.audioFile);
        }
        case brio::CommandLine::Action::run: break;
    }
    if (!chooseVideoDriver()) {
        std::fprintf(stderr, "%s: no X display to show the piano on (DISPLAY is not set; a Wayland "
                     "session needs XWayland).\n", brio::applicationTitle);
        return 1;
    }
    // The panel is drawn in software: a plain shared-memory window surface is all it needs. An
    // accelerated one would load the whole OpenGL driver stack (tens of megabytes) for nothing.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The termination signals are taken by their own thread (TerminationSignals).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "%s: cannot open the display: %s\n", brio::applicationTitle, SDL_GetError());
        return 1;
    }
    brio::RealClock clock;
    brio::installClock(&clock);
    if (isSet("BRIOLETTA_TRACE")) brio::enableTrace(processStartUs(clock));
    brio::traceAt("display open", clock.microseconds());
    brio::FreeTypeText text;
    brio::installFontRasterizer(&text);
    brio::PosixProcessLauncher launcher;
    prepareFolders(launcher);
    brio::SystemDialogs dialogs(launcher);
    brio::installUserDialogs(&dialogs);
    brio::DesktopUrlOpener opener(launcher);
    const brio::SdlKeyCharacters keyCharacters;
    brio::installKeyCharacters(&keyCharacters);
    brio::installUrlOpener(&opener);
    int status = 0;
    try {
        const brio::SpotLight spotLight;  // makes the blend tables before any window exists
        auto midi = makeMidiService();
        brio::RtMidiInput input;
        brio::SystemScheduler scheduler;
        brio::SdlWindowSystem windows;
        brio::RecordingRenderer renderer;  // goes before the window system and the MIDI output
        brio::installAudioRenderer(&renderer);
        // Ends before the window system goes.
        const brio::TerminationSignals signals([&windows](int) { windows.requestQuit(); });
        status = brio::runApplication(windows, clock, *midi, commandLine.file, commandLine.recording, &input,
                                        &scheduler);
    } catch (const std::exception& error) {
        showFatalError(error.what());
    } catch (...) {
        showFatalError("An unexpected error ended the program.");
    }
    brio::installAudioRenderer(nullptr);
    brio::installKeyCharacters(nullptr);
    brio::installUrlOpener(nullptr);
    brio::installUserDialogs(nullptr);
    brio::installFontRasterizer(nullptr);
    brio::installClock(nullptr);
    SDL_Quit();
    return status;
}
