#pragma once

#include <string>

namespace brio {

class Clock;
class MidiBackend;
class MidiInputBackend;
class SchedulerCalls;
class WindowSystem;

// Runs the program from its global objects to their orderly end: constructs them in order,
// creates the four windows, runs the main loop, and destroys everything in reverse order
// (which writes the settings files). Returns the process exit status.
// `midi` is the system's MIDI output service, `input` its MIDI input service (nullptr: none),
// `scheduler` what raises the loop's priority once the options are read (nullptr: nothing).
// `startFile`, when not empty, is opened once the window shows, as the menus open one: a
// workspace, or with `startRecording` a recording that then plays.
int runApplication(WindowSystem& windows, Clock& clock, MidiBackend& midi, const std::string& startFile = {},
                   bool startRecording = false, MidiInputBackend* input = nullptr,
                   SchedulerCalls* scheduler = nullptr);

}  // namespace brio
