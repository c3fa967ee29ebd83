#pragma once

#include "main/LoopPriority.h"

namespace brio {

// The scheduler calls on Linux: sched_setscheduler with SCHED_RESET_ON_FORK (so threads and
// programs started later run normally), the desktop's real-time service through SDL, and
// setpriority on the calling thread. The real-time run limit (RLIMIT_RTTIME) sends SIGXCPU
// before the thread could hog a core; the signal drops the loop's thread back to normal
// scheduling and says so once.
class SystemScheduler : public SchedulerCalls {
public:
    bool setRealtime(int priority) override;
    bool setRealtimeThroughService(int priority) override;
    int raiseNiceness(int wanted) override;
    void limitRealtimeRun() override;

    // Processor time a real-time thread may take without blocking before it is dropped back,
    // and the hard limit at which the kernel would end the program.
    static constexpr long runLimitUs = 200000;
    static constexpr long hardRunLimitUs = 2000000;
};

}  // namespace brio
