#pragma once
// A label that reports the mouse: the cover page's drawn buttons, the panel's
// hot spots over its captions and the simulated window's transparent zones.
// It is also a button for the keyboard and for assistive tools: Tab reaches it,
// the arrow keys move on to the neighbouring control, Space or Enter press and
// release it as the left mouse button would, and a focus mark is drawn around it
// while it holds the focus. Its accessible name is the accessible name set on
// it, else its text, else its tooltip. A shortcut (Alt and a letter) presses it
// from anywhere in its window while it is shown and Tab can reach it; its tooltip
// and its accelerator for assistive tools name that key.

#include <QColor>
#include <QKeySequence>
#include <QLabel>
#include <QPoint>

namespace platform {

class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(QWidget *parent = nullptr);

    // The buttons whose release inside the label is a click (the left one unless set).
    void setClickButtons(Qt::MouseButtons buttons) { m_clickButtons = buttons; }
    Qt::MouseButtons clickButtons() const { return m_clickButtons; }
    // Whether the second press of a double click comes as doubleClicked() instead
    // of a second pressed() (off unless set).
    void setSeparateDoubleClicks(bool on) { m_separateDoubleClicks = on; }
    // Whether mouse moves stop here (on unless set); when off they go on to the parent.
    void setKeepsMoves(bool on) { m_keepsMoves = on; }
    // The focus mark: its colour and the radius of its corners, in the look of
    // the window the label sits on.
    void setFocusMark(const QColor &colour, qreal radius = 4);
    QColor focusMarkColour() const { return m_markColour; }
    // The rectangle the focus mark is drawn along (the label's own by default).
    void setFocusMarkRect(const QRect &r) { m_markRect = r; }

    // What the label is called for assistive tools and tests: the accessible
    // name, else the text, else the tooltip.
    QString spokenName() const;

    // The key that presses the label from anywhere in its window (none unless set).
    void setShortcut(const QKeySequence &key);
    QKeySequence shortcut() const { return m_shortcut; }
    // The tooltip as it is shown: the tooltip (or the name) with the shortcut after it.
    QString shownTip() const;

  Q_SIGNALS:
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void released(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void doubleClicked(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void moved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
    // A release inside the label of one of the click buttons (or Space / Enter).
    void clicked(Qt::MouseButton button);
    void entered();
    void left();

  public Q_SLOTS:
    // Presses and releases the label as the left button would (the accessible
    // "press" action).
    void activate(Qt::KeyboardModifiers modifiers = Qt::NoModifier);

  protected:
    bool event(QEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

  private:
    Qt::MouseButtons m_clickButtons = Qt::LeftButton;
    bool m_separateDoubleClicks = false;
    bool m_keepsMoves = true;
    bool m_keyDown = false; // Space or Enter went down here and has not come up
    QColor m_markColour = QColor(0x1f, 0x6f, 0xb4);
    qreal m_markRadius = 4;
    QRect m_markRect;
    QKeySequence m_shortcut;
    int m_shortcutId = 0;
};

} // namespace platform
