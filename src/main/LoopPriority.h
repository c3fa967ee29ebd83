#pragma once

#include <string>

namespace brio {

// What the main loop's thread may ask of the system's scheduler, in the order it is asked for:
// real-time scheduling directly, real-time scheduling through the desktop's service, then the
// best niceness allowed.
class SchedulerCalls {
public:
    virtual ~SchedulerCalls() = default;
    // SCHED_FIFO at `priority` for the calling thread, reset on fork; false when refused.
    virtual bool setRealtime(int priority) = 0;
    // The same through the desktop's real-time service; false when it refuses or is missing.
    virtual bool setRealtimeThroughService(int priority) = 0;
    // The best niceness the calling thread may take down to `wanted`; the value it got, or 0.
    virtual int raiseNiceness(int wanted) = 0;
    // Limits the real-time thread's processor time between blocking calls, so that a loop that
    // spun would be dropped back to normal scheduling instead of freezing the desktop.
    virtual void limitRealtimeRun() = 0;
};

// How the loop's thread is scheduled after the request.
enum class LoopScheduling { realtime, realtimeThroughService, niceness, normal };

struct PriorityGrant {
    LoopScheduling scheduling = LoopScheduling::normal;
    int value = 0;        // the real-time priority, or the niceness
    std::string report;   // one line for standard error
};

// A modest real-time priority: above the desktop, below the sound server's audio threads.
inline constexpr int loopRealtimePriority = 10;
// The niceness the loop asks for without real-time scheduling (or with the option off).
inline constexpr int loopNiceness = -10;

// Asks for real-time scheduling of the calling thread when `realtimeWanted`, falling back in
// turn; with it off only the niceness is raised.
PriorityGrant requestLoopPriority(SchedulerCalls& calls, bool realtimeWanted);

}  // namespace brio
