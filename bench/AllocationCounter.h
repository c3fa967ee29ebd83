#pragma once

#include <atomic>

// Every allocation of the benchmark program is counted (the global operator new is replaced
// in AllocationCounter.cpp), so a benchmark can show that its loop allocates nothing.
extern std::atomic<long> allocationCount;
