#include "demo/tickschedule.h"

namespace demo {

TickSchedule::TickSchedule(DemoPlayer &player, const Intervals &intervals)
    : m_player(player), m_intervals(intervals) {
    sync();
}

void TickSchedule::sync() {
    for (int i = 0; i < TimerCount; ++i) {
        const Timer t = Timer(i);
        if (!m_player.runs(t)) {
            m_armed[i] = false;
            continue;
        }
        if (!m_armed[i] || m_player.starts(t) != m_seenStarts[i]) {
            m_armed[i] = true;
            m_due[i] = m_now + m_intervals[i];
        }
        m_seenStarts[i] = m_player.starts(t);
    }
}

bool TickSchedule::step() {
    sync(); // the player may have been ticked or ended from outside
    int next = -1;
    for (int i = 0; i < TimerCount; ++i)
        if (m_armed[i] && (next < 0 || m_due[i] < m_due[next]))
            next = i;
    if (next < 0)
        return false;
    m_now = m_due[next];
    m_due[next] = m_now + m_intervals[next];
    ++m_ticks;
    ++m_count[next];
    if (m_ticker)
        m_ticker(Timer(next));
    else
        m_player.tick(Timer(next));
    sync();
    return true;
}

bool TickSchedule::runToEnd(int maxTicks) {
    for (int i = 0; i < maxTicks && !m_player.finished(); ++i)
        if (!step())
            break;
    return m_player.finished();
}

} // namespace demo
