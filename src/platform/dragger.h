#pragma once
// Dragging a borderless window by one of its labels or its background: a
// left-button press hands the move to the window system; where it cannot move
// windows itself (or is not asked to), the window follows the mouse until the
// button is released.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>

class QWidget;

namespace platform {

class Dragger : public QObject {
    Q_OBJECT
  public:
    // window: what moves; handles are added with grip().
    explicit Dragger(QWidget *window);
    void grip(QWidget *handle);
    // True while the window follows the mouse by itself (no system move).
    bool dragging() const { return m_manual; }

    // Whether a press hands the move to the window system first (on unless set).
    void setSystemMove(bool on) { m_systemMove = on; }
    // Whether the handle still sees the press, moves and release of a drag (on
    // unless set); when off, the drag takes them.
    void setHandleSees(bool on) { m_handleSees = on; }

    // Asked at each left press: whether the window may be dragged now (none: always).
    std::function<bool()> mayDrag;
    // Called after each step the window follows the mouse by itself.
    std::function<void()> moved;
    // Called after a drag by a handle ended (the panel returns the learner to the
    // simulated window after Label2 and LblMove).
    std::function<void(QWidget *handle)> afterDrag;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_handle;
    QPoint m_offset;
    bool m_manual = false;
    bool m_systemMove = true;
    bool m_handleSees = true;
};

} // namespace platform
