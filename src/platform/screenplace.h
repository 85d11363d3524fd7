#pragma once
// Where a window may stand: inside the part of its screen that panels and docks
// leave free, never partly off it. Every form that places itself goes through here.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;
class QScreen;

namespace platform {

// The top left corner that puts a window of the given size as near to wanted as
// the available area allows. A window wider or taller than the area is aligned
// with the area's left or top edge, so its caption and its left end stay reachable.
QPoint placeInside(QPoint wanted, QSize window, const QRect &available);

// Where the question panel stands beside the simulated window: to the right of
// it, bottom edges level, when the area has room there; else under it, right
// edges level; else in the window's lower right corner. The place is then kept
// inside the area.
QPoint dockBeside(const QRect &mainFrame, QSize panel, const QRect &available);

// The screen that holds the point (the primary one when none does) and its
// available area.
QScreen *screenAt(QPoint globalPoint);
QRect availableArea(QPoint globalPoint);

// Moves w so that its frame stands at wanted or as near as the available area
// of the screen under wanted allows.
void placeOnScreen(QWidget *w, QPoint wanted);
// Centres w in the available area of its screen (the primary one before it is shown).
void centreOnScreen(QWidget *w);

} // namespace platform
