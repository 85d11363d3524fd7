#pragma once
// Dragging a borderless window by one of its labels or its background: a
// left-button press hands the move to the window system; where it cannot move
// windows itself, the window follows the mouse until the button is released.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>

class QWidget;

class Dragger : public QObject {
    Q_OBJECT
  public:
    // window: what moves; handles are added with grip().
    explicit Dragger(QWidget *window);
    void grip(QWidget *handle);
    // True while the window follows the mouse by itself (no system move).
    bool dragging() const { return m_manual; }
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
};
