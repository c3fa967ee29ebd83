#pragma once

#include <SDL2/SDL.h>

#include <optional>

#include "platform/ProcessLauncher.h"

namespace brio {

// Message boxes shown by a second copy of the program, so that the first goes on playing and
// answering the window system while the box waits (SDL's own box holds the calling thread until
// it is answered). The copy shows the box above the program's window, as its transient.

// The first argument that makes the program a message box process.
inline constexpr const char* messageBoxArgument = "--message-box";

// Shows `data` through a message box process started by `launcher`: the pressed button's id
// (-1 for a closed box), or nothing when no box could be shown that way.
std::optional<int> showMessageBoxAside(ProcessLauncher& launcher, const SDL_MessageBoxData& data);

// The message box process's own work, on the arguments after messageBoxArgument: shows the box,
// writes the pressed button's id on standard output and returns 0; returns 1 when no box could
// be shown or the arguments are not what showMessageBoxAside passes.
int runMessageBoxProcess(int argc, char** argv);

}  // namespace brio
