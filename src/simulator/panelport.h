#pragma once
// What the simulated window needs of the question panel beside it: its place
// (to dock it into the window's bottom-right corner), keeping it above all
// windows, and the two captions the closing record rewrites.

#include <QRect>
#include <QString>

class QuestionPanelPort {
  public:
    virtual ~QuestionPanelPort() = default;
    virtual QSize panelSize() const = 0; // pixels
    virtual void movePanel(const QPoint &topLeft) = 0;
    virtual void raisePanel() = 0;                          // topmost, without moving or sizing
    virtual void setTitle(const QString &lblBiao) = 0;      // LblBiao
    virtual void setUnfinished(const QString &lblUnit) = 0; // LblUnit
    virtual void takeKeyboard() {}                          // F6: the keyboard moves to the panel
};
