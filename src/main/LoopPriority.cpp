#include "main/LoopPriority.h"

namespace brio {

namespace {

PriorityGrant withNiceness(SchedulerCalls& calls, const std::string& why) {
    const int nice = calls.raiseNiceness(loopNiceness);
    if (nice < 0)
        return {LoopScheduling::niceness, nice, "timing at niceness " + std::to_string(nice) + why};
    return {LoopScheduling::normal, 0, "timing at normal priority" + why};
}

}  // namespace

PriorityGrant requestLoopPriority(SchedulerCalls& calls, bool realtimeWanted) {
    if (!realtimeWanted) return withNiceness(calls, " (real-time scheduling switched off in the options)");
    const std::string priority = std::to_string(loopRealtimePriority);
    calls.limitRealtimeRun();
    if (calls.setRealtime(loopRealtimePriority))
        return {LoopScheduling::realtime, loopRealtimePriority, "real-time timing (SCHED_FIFO " + priority + ")"};
    if (calls.setRealtimeThroughService(loopRealtimePriority))
        return {LoopScheduling::realtimeThroughService, loopRealtimePriority,
                "real-time timing through the desktop's real-time service (SCHED_FIFO " + priority + ")"};
    return withNiceness(calls, " (real-time scheduling was refused)");
}

}  // namespace brio
