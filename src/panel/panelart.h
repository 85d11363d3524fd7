#pragma once
// The question panel's artwork, drawn in code: the toolbar icons (chosen by the
// caption they stand for), the hover and pressed highlights, the backgrounds of
// the title strip, the toolbar and the minimised bar.

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

class QPainter;
class QRect;

namespace panel::panelart {

QFont uiFont(double pointSize, bool bold = false);

// A 22 x 22 icon for a toolbar caption ("上一题", "结束练习", "考生信息", ...).
QPixmap toolIcon(const QString &caption, bool enabled);
// Highlight under a hot spot: hover (light) or pressed (deeper).
QPixmap highlight(const QSize &size, bool pressed);
// The minimise hot spot's hover image.
QPixmap minimiseHover(const QSize &size);

void paintTitleStrip(QPainter &p, const QRect &r);
void paintToolbar(QPainter &p, const QRect &r);
void paintPanelFrame(QPainter &p, const QRect &r);
void paintGrip(QPainter &p, const QRect &r);
void paintEmblem(QPainter &p, const QRect &r);

extern const QColor Accent; // the panel's blue
extern const QColor Ink;    // text colour of the toolbar
} // namespace panel::panelart
