#include "platform/SystemScheduler.h"

#include <SDL2/SDL.h>
#include <sched.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace brio {

namespace {

std::atomic<pid_t> realtimeThread{0};

pid_t currentThread() { return pid_t(syscall(SYS_gettid)); }

// SIGXCPU: the real-time thread ran too long without blocking. Back to normal scheduling
// (async-signal-safe calls only), said once.
void dropRealtime(int) {
    const pid_t thread = realtimeThread.exchange(0);
    if (thread == 0) return;
    sched_param normal{};
    (void)sched_setscheduler(thread, SCHED_OTHER, &normal);
    static const char message[] = "Brioletta: the timing thread ran too long without a pause; "
                                  "back to normal scheduling.\n";
    (void)!write(STDERR_FILENO, message, sizeof message - 1);
}

}  // namespace

bool SystemScheduler::setRealtime(int priority) {
    sched_param param{};
    param.sched_priority = priority;
    return sched_setscheduler(0, SCHED_FIFO | SCHED_RESET_ON_FORK, &param) == 0;
}

bool SystemScheduler::setRealtimeThroughService(int /*priority*/) {
    // The service picks the priority within its own limit; it resets on fork itself.
    return SDL_LinuxSetThreadPriorityAndPolicy(currentThread(), SDL_THREAD_PRIORITY_HIGH, SCHED_FIFO) == 0 &&
           sched_getscheduler(0) != SCHED_OTHER;
}

int SystemScheduler::raiseNiceness(int wanted) {
    for (int nice = wanted; nice < 0; ++nice) {
        if (setpriority(PRIO_PROCESS, id_t(currentThread()), nice) == 0) return nice;
    }
    return 0;
}

void SystemScheduler::limitRealtimeRun() {
    realtimeThread = currentThread();
    struct sigaction action {};
    action.sa_handler = dropRealtime;
    sigemptyset(&action.sa_mask);
    (void)sigaction(SIGXCPU, &action, nullptr);
    rlimit limit{};
    if (getrlimit(RLIMIT_RTTIME, &limit) != 0) return;
    const rlim_t hard = limit.rlim_max == RLIM_INFINITY ? rlim_t(hardRunLimitUs) : std::min<rlim_t>(limit.rlim_max, hardRunLimitUs);
    limit.rlim_cur = std::min<rlim_t>(rlim_t(runLimitUs), hard);
    limit.rlim_max = hard;
    (void)setrlimit(RLIMIT_RTTIME, &limit);
}

}  // namespace brio
