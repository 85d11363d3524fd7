#pragma once
// The demonstration's motion, without a window: it plays the stored solution of
// the current question on its own copy of the simulated screen. A pointer glides
// from target to target and flashes a marker where it clicks, drags pull a
// selection frame or carry picture 5, menus drop down and the pointer walks to
// the item, and the expected text is typed one character at a time. Nothing of
// the learner's is touched: the player keeps its own step and never writes the
// learner's records.
//
// Every timer is a tick method; whoever owns the player (the demonstration
// window, a test or a benchmark) calls the tick of each timer that runs(), and
// paints what the accessors hold. A timer that was switched on anew (starts()
// changed) restarts its interval.
//
// Typical use:
//   DemoPlayer p(data, env);
//   p.start();                               // step 1, pointer at the centre
//   ... every 100 ms while p.runs(Timer2): p.tick(Timer2); and so on ...
//   p.requestEnd();                          // the learner's double click, Enter, Space, Esc
//   finished() once the end has run its four ticks; DemoRunning is off again.

#include "demo/menupanel.h"
#include "demo/pointer.h"
#include "simulator/bankreader.h"
#include "simulator/demotimers.h"
#include "simulator/screenlayout.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>
#include <functional>
#include <optional>

struct ModData;

namespace demo {

enum class Timer { Timer1, Timer2, Timer3, Timer5, TimerRM, TimerRS, TimEnd };
constexpr int TimerCount = 7;
// Names as the panel's interval table gives them.
const char *timerName(Timer t);

// Milliseconds per timer at the chosen speed.
using Intervals = std::array<int, TimerCount>;
// The player's timers picked by name from the panel's table of intervals.
Intervals intervalsOf(const sim::DemoIntervals &all);

// Steps whose action the player does not act out rest this many Timer2 ticks
// on their target, then the demonstration moves on.
constexpr int RestTicks = 10;

struct PlayerEnv {
    double scaleX = 1.0, scaleY = 1.0;
    // Width of a menu label's caption in twips.
    TextWidth menuTextWidth;
    // Width a menu panel needs for a row to be drawn whole (may be empty).
    RowWidth menuRowWidth;
    // Size of a picture in pixels (empty when it cannot be read).
    std::function<QSize(const QString &id)> pictureSize;
    // Menu-bar title i and its highlight, twips (scaled), on screen s.
    std::function<QRect(const sim::ScreenModel &s, int i)> titleRect;
    std::function<QRect(const sim::ScreenModel &s, int i)> titleHighlight;
};

class DemoPlayer {
  public:
    DemoPlayer(ModData &data, PlayerEnv env);

    // The window's loading: step 1 of the current question, pointer at the centre.
    void start();
    // One tick of a timer (only the timers that runs() should be ticked).
    void tick(Timer t);
    void tickTyping();      // Timer1
    void tickMotion();      // Timer2
    void tickPictureDrag(); // Timer3
    void tickBlink();       // Timer5
    void tickMenuWalk();    // TimerRM
    void tickSubWalk();     // TimerRS
    void tickEnd();         // TimEnd
    // The learner ends the demonstration (it takes the end's four ticks).
    void requestEnd();

    bool runs(Timer t) const { return m_on[int(t)]; }
    // How often t was switched on: a change means its interval starts anew.
    int starts(Timer t) const { return m_starts[int(t)]; }
    bool anyRunning() const;
    bool finished() const { return m_finished; }
    void setFinishedHandler(std::function<void()> f) { m_onFinished = std::move(f); }

    // ---- what there is to paint
    QSize windowSize() const; // twips
    const sim::ScreenModel &screen() const { return m_screen; }
    const sim::bank::StepRecord &record() const { return m_record; }
    int step() const { return m_step; }
    QPoint pointer() const { return m_pointer; }
    QPoint aim() const { return m_aim; }
    Glide glide() const { return m_glide; }
    // The drawn pointer is shown unless a cursor picture stands in for it.
    bool cursorShown() const { return m_cursorShown; }
    QString cursorPath() const { return m_cursorPath; }
    // The click marker (375 x 375 twips) and its colour, that of the step it marks.
    QRect marker() const { return m_marker; }
    bool markerVisible() const { return m_markerVisible; }
    QColor markerColour() const { return m_markerColour; }
    // The drawn menus; the bar title whose highlight shows (-1 none).
    const std::optional<MenuPanel> &menu() const { return m_menu; }
    const std::optional<MenuPanel> &submenu() const { return m_sub; }
    const std::optional<QRect> &menuHighlight() const { return m_highlight; }
    int barHighlight() const { return m_barHighlight; }
    bool firstLegDone() const { return m_firstLegDone; }
    bool dragging() const { return m_dragging; }
    bool resting() const { return m_restTicks > 0; }
    QString typeText() const { return m_typeText; }
    int typedLength() const { return m_typedLen; }
    // The pictures the next step will show (ids), to decode them ahead while the
    // current step plays.
    QStringList upcomingPictures();
    // Codes shown and passed over without being acted out, in order of showing.
    const QStringList &passedCodes() const { return m_passed; }
    // A file that could not be read (the step file ends the demonstration).
    const QStringList &problems() const { return m_problems; }

  private:
    bool gate() const;
    void on(Timer t);
    void off(Timer t) { m_on[int(t)] = false; }
    void resetMenus(); // CSH
    void setData();
    void aimForStep(); // MuBiaoWei
    void doNext();
    void advanceOneStep();
    void arrival();
    void openMenu();    // RightKeyMenu
    void openSubmenu(); // RightKeySub
    void startGlide() { m_glide = glideTo(m_pointer, m_aim); }
    void advance();
    bool hasArrived() const;
    void flashMarker();
    QString code() const { return m_screen.code; }
    QPoint centre(const sim::Rect &r) const;
    QPoint picture5Centre() const;
    QSize picture5Size() const;
    QString cursorFile() const;
    QString answerText();
    QStringList menuFileLines();

    ModData &m_data;
    PlayerEnv m_env;
    sim::bank::BankReader m_reader;
    sim::bank::StepRecord m_record = sim::bank::StepRecord::blank();
    sim::ScreenModel m_screen;

    std::array<bool, TimerCount> m_on{};
    std::array<int, TimerCount> m_starts{};
    bool m_finished = false;
    std::function<void()> m_onFinished;

    int m_step = 1;
    QPoint m_pointer, m_aim;
    Glide m_glide;
    int m_tickCount = 0;
    QString m_typeText;
    int m_typedLen = 0;
    bool m_dragging = false;
    bool m_firstLegDone = false;
    int m_dropX = 0, m_dropY = 0;
    int m_restTicks = 0;
    // doNext sets steps up in a loop: a step passed at once while another is
    // being set up asks for one more turn instead of calling in deeper.
    bool m_advancing = false;
    bool m_advanceAgain = false;
    bool m_glideAfterRun = false;
    bool m_cursorShown = false;
    QString m_cursorPath;
    QRect m_marker{-500, -500, MarkerSize, MarkerSize};
    bool m_markerVisible = false;
    QColor m_markerColour = Qt::red;
    std::optional<MenuPanel> m_menu, m_sub;
    std::optional<QRect> m_highlight;
    int m_barHighlight = -1;
    QStringList m_passed, m_problems;
};

} // namespace demo
