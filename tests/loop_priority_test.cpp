// The main loop's scheduling: what it asks for and in which order, and that real-time
// scheduling stays with the loop's thread and gives way before it could freeze the desktop.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "main/LoopPriority.h"
#include "platform/SystemScheduler.h"

namespace brio {
namespace {

// Grants what it is told to and remembers what was asked.
struct FakeScheduler : SchedulerCalls {
    bool realtime = false, service = false;
    int lowestNice = 0;  // the lowest niceness allowed
    std::vector<std::string> asked;
    bool setRealtime(int priority) override {
        asked.push_back("realtime " + std::to_string(priority));
        return realtime;
    }
    bool setRealtimeThroughService(int priority) override {
        asked.push_back("service " + std::to_string(priority));
        return service;
    }
    int raiseNiceness(int wanted) override {
        asked.push_back("nice " + std::to_string(wanted));
        return std::max(wanted, lowestNice);
    }
    void limitRealtimeRun() override { asked.push_back("limit"); }
};

TEST(LoopPriority, RealtimeThenTheServiceThenNicenessEachRefusedInTurn) {
    struct Row {
        bool option, realtime, service;
        int lowestNice;
        LoopScheduling got;
        int value;
        std::vector<std::string> asked;
    };
    const Row rows[] = {
        {true, true, true, -20, LoopScheduling::realtime, 10, {"limit", "realtime 10"}},
        {true, false, true, -20, LoopScheduling::realtimeThroughService, 10, {"limit", "realtime 10", "service 10"}},
        {true, false, false, -20, LoopScheduling::niceness, -10, {"limit", "realtime 10", "service 10", "nice -10"}},
        {true, false, false, -3, LoopScheduling::niceness, -3, {"limit", "realtime 10", "service 10", "nice -10"}},
        {true, false, false, 0, LoopScheduling::normal, 0, {"limit", "realtime 10", "service 10", "nice -10"}},
        {false, true, true, -20, LoopScheduling::niceness, -10, {"nice -10"}},
    };
    for (const Row& row : rows) {
        FakeScheduler calls;
        calls.realtime = row.realtime;
        calls.service = row.service;
        calls.lowestNice = row.lowestNice;
        const PriorityGrant grant = requestLoopPriority(calls, row.option);
        EXPECT_EQ(grant.scheduling, row.got);
        EXPECT_EQ(grant.value, row.value);
        EXPECT_EQ(calls.asked, row.asked);
        EXPECT_FALSE(grant.report.empty());
        EXPECT_EQ(grant.report.find('\n'), std::string::npos);
    }
}

// In a child process, so that nothing here changes how the test program is scheduled. Skipped
// where real-time scheduling is not allowed at all.
int inChild(void (*body)()) {
    const pid_t child = fork();
    if (child == 0) {
        body();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

constexpr int notAllowed = 77;

// The real-time loop's thread starts threads and programs that run normally.
TEST(SystemScheduler, ThreadsAndProgramsStartedByTheLoopRunNormally) {
    const int result = inChild([] {
        SystemScheduler scheduler;
        if (!scheduler.setRealtime(loopRealtimePriority)) _exit(notAllowed);
        if (sched_getscheduler(0) != (SCHED_FIFO | SCHED_RESET_ON_FORK)) _exit(1);
        int threadPolicy = -1;
        std::thread([&threadPolicy] { threadPolicy = sched_getscheduler(0); }).join();
        if (threadPolicy != SCHED_OTHER) _exit(2);
        const pid_t program = fork();
        if (program == 0) _exit(sched_getscheduler(0) == SCHED_OTHER ? 0 : 3);
        int status = 0;
        waitpid(program, &status, 0);
        _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 4);
    });
    if (result == notAllowed) GTEST_SKIP() << "real-time scheduling is not allowed here";
    EXPECT_EQ(result, 0);
}

// A real-time loop that spun would be dropped back to normal scheduling by its run limit, with
// one message, instead of holding a core for ever.
TEST(SystemScheduler, ASpinningRealtimeThreadFallsBackToNormalScheduling) {
    const int result = inChild([] {
        SystemScheduler scheduler;
        scheduler.limitRealtimeRun();
        if (!scheduler.setRealtime(loopRealtimePriority)) _exit(notAllowed);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (std::chrono::steady_clock::now() < deadline) {
            if (sched_getscheduler(0) == SCHED_OTHER) _exit(0);
        }
        _exit(1);
    });
    if (result == notAllowed) GTEST_SKIP() << "real-time scheduling is not allowed here";
    EXPECT_EQ(result, 0);
}

}  // namespace
}  // namespace brio
