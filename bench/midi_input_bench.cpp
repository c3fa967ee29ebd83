// From a message's arrival on the MIDI input to its note leaving through the sender, through
// the real main loop while the accompaniment plays.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "BenchProgram.h"
#include "graphics/WindowHost.h"
#include "main/MainLoop.h"
#include "midi/MidiBackend.h"
#include "midi/MidiInputQueue.h"
#include "platform/RealClock.h"

namespace brio {
namespace {

uint64_t steadyUs() {
    return uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count());
}

// A device that notes when each note-on of tone A (channel 0) leaves the sender.
class TimingDevice : public MidiBackend {
public:
    std::vector<std::string> deviceNames() override { return {}; }
    bool open(int) override { return true; }
    void send(uint32_t packed) override {
        if ((packed & 0xFF) == 0x90 && (packed >> 16) > 0) sentUs.push_back(steadyUs());
    }
    void reset() override {}
    void close() override {}
    std::vector<uint64_t> sentUs;
};

// Windows without events whose wait a wake from another thread ends at once, as the display
// connection's wait does; the loop ends once `finished` is set.
class WakingWindows : public WindowSystem {
public:
    WakingWindows(bool& quit, const std::atomic<bool>& finished) : quit(quit), finished(finished) {}
    ~WakingWindows() override { ::close(wakeFd); }
    std::unique_ptr<HostWindow> createWindow(WindowKind, WindowEvents&) override { return nullptr; }
    void processPendingMessages() override {
        uint64_t wakes = 0;
        (void)!::read(wakeFd, &wakes, sizeof wakes);
        runWakeHandler();
        if (finished.load()) quit = true;
    }
    void waitForMessages(uint64_t timeoutUs) override {
        pollfd fd{wakeFd, POLLIN, 0};
        const timespec timeout{time_t(timeoutUs / 1000000u), long(timeoutUs % 1000000u) * 1000L};
        (void)ppoll(&fd, 1, timeoutUs == forever ? nullptr : &timeout, nullptr);
    }
    void wake() override {
        const uint64_t one = 1;
        (void)!::write(wakeFd, &one, sizeof one);
    }
    bool applicationActive() const override { return true; }
    int screenWidth() const override { return 1920; }
    int screenHeight() const override { return 1080; }

private:
    int wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    bool& quit;
    const std::atomic<bool>& finished;
};

// A fake input port plays 1,000 notes, 1 to 4 ms apart, while rhythm and bass play.
void midiInputToSenderLatency(benchmark::State& state) {
    for (auto _ : state) {
        RealClock clock;
        TimingDevice device;
        Program program(clock, &device);
        MidiInputQueue queue;
        bool quit = false;
        std::atomic<bool> finished{false};
        WakingWindows windows(quit, finished);
        queue.setWaker([&windows] { windows.wake(); });
        program.station->attachMidiInput(&queue);
        windows.setWakeHandler([&program] { program.station->drainMidiInput(); });
        program.station->keyDown(120);  // F9: bass
        program.station->keyDown(121);  // F10: rhythm
        device.sentUs.reserve(4096);

        constexpr int noteCount = 1000;
        std::vector<uint64_t> arrivedUs(noteCount);
        std::thread port([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            for (int i = 0; i < noteCount; ++i) {
                const uint32_t note = 60 + uint32_t(i % 12);
                arrivedUs[size_t(i)] = steadyUs();
                queue.push(0x90 | note << 8 | 100u << 16);
                std::this_thread::sleep_for(std::chrono::microseconds(1000 + 700 * (i % 4)));
                queue.push(0x80 | note << 8);
                std::this_thread::sleep_for(std::chrono::microseconds(900 + 500 * (i % 3)));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            finished = true;
            windows.wake();
        });
        runMainLoop(*program.station, windows, clock, quit);
        port.join();
        windows.setWakeHandler(nullptr);
        program.station->attachMidiInput(nullptr);

        std::vector<double> latency;
        for (size_t i = 0; i < std::min(device.sentUs.size(), arrivedUs.size()); ++i)
            latency.push_back(double(device.sentUs[i] - arrivedUs[i]));
        std::sort(latency.begin(), latency.end());
        const auto at = [&](double q) { return latency.empty() ? 0.0 : latency[size_t(q * double(latency.size() - 1))]; };
        state.counters["notes"] = double(device.sentUs.size());
        state.counters["medianUs"] = at(0.5);
        state.counters["p99Us"] = at(0.99);
        state.counters["maxUs"] = latency.empty() ? 0.0 : latency.back();
    }
}
BENCHMARK(midiInputToSenderLatency)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brio
