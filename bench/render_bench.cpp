// A three-minute recording of the rhythm and the four parts, every part playing on every step,
// rendered to each audio format: the speed as a multiple of real time, on one core.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "BenchProgram.h"
#include "midi/Recorder.h"
#include "platform/RecordingRender.h"

namespace brio {
namespace {

constexpr uint32_t songMs = 180000;

std::vector<MidiEvent> threeMinuteSong() {
    ManualClock clock(1000);
    Program program(clock);
    program.station->startRecording();
    program.playEverything();
    for (uint32_t ms = 0; ms < songMs; ++ms) {
        clock.advance(1);
        program.station->tick(true);
    }
    program.station->stopRecordingOrPlayback();
    const Llist<MidiEvent>& events = recorder().events;
    return std::vector<MidiEvent>(events.begin(), events.end());
}

void renderThreeMinuteSong(benchmark::State& state, AudioFormat format, const char* name) {
    const std::vector<MidiEvent> song = threeMinuteSong();
    const std::string path = std::filesystem::temp_directory_path().string() + "/brio-bench-" + name;
    double seconds = 0;
    for (auto _ : state) {
        RenderControl control;
        const auto start = std::chrono::steady_clock::now();
        const RenderOutcome outcome = renderRecording({song, path, format, ""}, control);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (outcome.end != AudioRenderer::State::done) state.SkipWithError(outcome.failure.c_str());
    }
    std::filesystem::remove(path);
    state.counters["timesRealTime"] = double(songMs) / 1000.0 * double(state.iterations()) / seconds;
    state.counters["events"] = double(song.size());
}
BENCHMARK_CAPTURE(renderThreeMinuteSong, wav, AudioFormat::wav, "song.wav")->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(renderThreeMinuteSong, flac, AudioFormat::flac, "song.flac")->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(renderThreeMinuteSong, ogg, AudioFormat::ogg, "song.ogg")->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace brio
