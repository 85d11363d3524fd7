#pragma once
// A label that reports the mouse: the cover page's drawn buttons, the panel's
// hot spots over its captions and the simulated window's transparent zones.

#include <QLabel>
#include <QPoint>

namespace platform {

class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(QWidget *parent = nullptr);

    // The buttons whose release inside the label is a click (the left one unless set).
    void setClickButtons(Qt::MouseButtons buttons) { m_clickButtons = buttons; }
    // Whether the second press of a double click comes as doubleClicked() instead
    // of a second pressed() (off unless set).
    void setSeparateDoubleClicks(bool on) { m_separateDoubleClicks = on; }
    // Whether mouse moves stop here (on unless set); when off they go on to the parent.
    void setKeepsMoves(bool on) { m_keepsMoves = on; }

  Q_SIGNALS:
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void released(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void doubleClicked(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void moved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
    // A release inside the label of one of the click buttons.
    void clicked(Qt::MouseButton button);
    void entered();
    void left();

  protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;

  private:
    Qt::MouseButtons m_clickButtons = Qt::LeftButton;
    bool m_separateDoubleClicks = false;
    bool m_keepsMoves = true;
};

} // namespace platform
