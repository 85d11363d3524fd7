#include "simulator/demotimers.h"

namespace sim {

const std::array<DemoTimer, DemoTimerCount> DemoTimers = {{
    {"Timer1", 500},
    {"Timer2", 100},
    {"Timer3", 1000},
    {"Timer4", 200},
    {"Timer5", 100},
    {"Timer6", 100},
    {"Timer7", 200},
    {"Timer8", 100},
    {"Timer9", 100},
    {"TimerRM", 100},
    {"TimEnd", 100},
    {"TimerRS", 100},
}};

DemoIntervals demoIntervals(int demoSpeed) {
    DemoIntervals out{};
    for (int i = 0; i < DemoTimerCount; ++i)
        out[i] = DemoTimers[i].interval * demoSpeed;
    return out;
}

} // namespace sim
