#pragma once
// Runs a DemoPlayer's timers on a virtual clock: each running timer is due one
// interval after it was switched on or last ticked, and the earliest due timer
// ticks next (timers due together tick in the order of the Timer enum). Tests
// play whole demonstrations with it in no time; the benchmark compares a real
// run's length with the virtual one.

#include "demo/demoplayer.h"

#include <QtGlobal>
#include <functional>

namespace demo {

class TickSchedule {
  public:
    TickSchedule(DemoPlayer &player, const Intervals &intervals);

    // What ticks a timer: the player's own tick unless set (a window passes its
    // tick, which also repaints).
    void setTicker(std::function<void(Timer)> ticker) { m_ticker = std::move(ticker); }

    // Ticks the next due timer; false when no timer runs.
    bool step();
    // Steps until the player has finished or stops ticking (waits for the
    // learner), at most maxTicks ticks; true when it finished.
    bool runToEnd(int maxTicks = 200000);
    // Steps until pred holds after a tick (or nothing runs); true when it held.
    template <typename Pred> bool runUntil(Pred pred, int maxTicks = 200000) {
        for (int i = 0; i < maxTicks; ++i) {
            if (!step())
                return false;
            if (pred())
                return true;
        }
        return false;
    }

    qint64 now() const { return m_now; } // virtual milliseconds since the start
    int ticks() const { return m_ticks; }
    int ticksOf(Timer t) const { return m_count[int(t)]; }

  private:
    void sync();

    DemoPlayer &m_player;
    std::function<void(Timer)> m_ticker;
    Intervals m_intervals;
    std::array<qint64, TimerCount> m_due{};
    std::array<int, TimerCount> m_seenStarts{};
    std::array<bool, TimerCount> m_armed{};
    std::array<int, TimerCount> m_count{};
    qint64 m_now = 0;
    int m_ticks = 0;
};

} // namespace demo
