#pragma once
// The demonstration window's timers and their intervals at normal speed. The
// question panel multiplies them by DemoSpeed (2 for the slow demonstration)
// when it opens the window; the window runs its timers at those intervals.

#include <array>

namespace sim {

struct DemoTimer {
    const char *name;
    int interval; // milliseconds at speed 1
};
constexpr int DemoTimerCount = 12;
extern const std::array<DemoTimer, DemoTimerCount> DemoTimers;
using DemoIntervals = std::array<int, DemoTimerCount>;
DemoIntervals demoIntervals(int demoSpeed);

} // namespace sim
