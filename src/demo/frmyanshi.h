#pragma once
// frmYanShi, the demonstration window: laid over the simulated window (or
// centred when that is maximised or absent), it shows the player's copy of the
// screen with the drawn pointer, the click marker, the drawn menus and the text
// being typed. Its Qt timers call the player's tick methods at the intervals the
// panel chose (the slow demonstration doubles them). A double click, Enter,
// Space or Esc ends it early. It is made afresh for each demonstration and
// deletes itself at the end, after saying finished().

#include "demo/demoplayer.h"
#include "simulator/picturecache.h"
#include "simulator/screenpainter.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPointer>
#include <QStyleOptionMenuItem>
#include <QTimer>
#include <QWidget>

struct ModData;

namespace demo {

class FrmYanShi : public QWidget {
    Q_OBJECT
  public:
    // over: the simulated window to cover (its top-left corner), may be null.
    FrmYanShi(ModData &data, const Intervals &intervals, QWidget *over = nullptr);
    ~FrmYanShi() override;

    // Shows the window and step 1 of the current question; the timers start.
    void start();

    DemoPlayer &player() { return m_player; }
    // One tick of a timer as its Qt timer would give it, the window repainted at
    // once (screenshots and the benchmark drive it so).
    void tickNow(Timer t, bool repaintNow = false);
    QTimer &timer(Timer t) { return *m_timers[int(t)]; }
    // Decodes the next step's pictures ahead (done when the window is idle after
    // a step has been set up).
    void prefetch();

  Q_SIGNALS:
    // The demonstration is over; the window is going.
    void finished();

  protected:
    void paintEvent(QPaintEvent *) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

  private:
    PlayerEnv makeEnv();
    void afterTick();
    void refreshPictures();
    QImage picture(const QString &id);
    void paintBoxes(QPainter &p);
    void paintMenu(QPainter &p, const MenuPanel &panel);
    // The style's option for a drawn menu row, and the panel width (twips) a row
    // of this caption needs to be drawn whole with it.
    QStyleOptionMenuItem menuRowOption(const QRect &menuRect) const;
    int menuRowWidth(const QString &caption, bool cascade) const;
    void paintPointer(QPainter &p);
    void end();

    ModData &m_data;
    sim::ScreenGeometry m_geometry;
    QFont m_menuFont;
    sim::PictureCache m_cache{24};
    sim::ScreenPictures m_pictures;
    std::array<QString, 6> m_pictureIds; // [0] background
    QHash<QString, QImage> m_cursors;    // by file; null when unreadable
    DemoPlayer m_player;
    std::array<QTimer *, TimerCount> m_timers{};
    std::array<int, TimerCount> m_seenStarts{};
    bool m_said = false;
    int m_prefetched = 0; // the step whose successor was decoded ahead
};

} // namespace demo
