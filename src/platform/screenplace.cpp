#include "platform/screenplace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace platform {

namespace {

int fit(int wanted, int length, int start, int room) {
    if (length >= room)
        return start;
    return std::clamp(wanted, start, start + room - length);
}

// The frame around w's contents (none for the frameless forms, and none known
// before the window is shown).
QMargins frameMargins(const QWidget *w) {
    const QRect frame = w->frameGeometry();
    const QRect inner = w->geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

} // namespace

QPoint placeInside(QPoint wanted, QSize window, const QRect &available) {
    if (!available.isValid())
        return wanted;
    return {fit(wanted.x(), window.width(), available.left(), available.width()),
            fit(wanted.y(), window.height(), available.top(), available.height())};
}

QPoint dockBeside(const QRect &mainFrame, QSize panel, const QRect &available) {
    const int right = mainFrame.left() + mainFrame.width();
    const int bottom = mainFrame.top() + mainFrame.height();
    QPoint at(right - panel.width(), bottom - panel.height());
    if (available.isValid()) {
        const int roomRight = available.left() + available.width() - right;
        const int roomBelow = available.top() + available.height() - bottom;
        if (roomRight >= panel.width())
            at = QPoint(right, bottom - panel.height());
        else if (roomBelow >= panel.height())
            at = QPoint(right - panel.width(), bottom);
    }
    return placeInside(at, panel, available);
}

QScreen *screenAt(QPoint globalPoint) {
    if (QScreen *s = QGuiApplication::screenAt(globalPoint))
        return s;
    return QGuiApplication::primaryScreen();
}

QRect availableArea(QPoint globalPoint) {
    const QScreen *s = screenAt(globalPoint);
    return s ? s->availableGeometry() : QRect();
}

void placeOnScreen(QWidget *w, QPoint wanted) {
    const QMargins m = frameMargins(w);
    const QSize outer = w->size().grownBy(m);
    const QRect area = availableArea(wanted + QPoint(outer.width() / 2, outer.height() / 2));
    w->move(placeInside(wanted, outer, area));
}

void centreOnScreen(QWidget *w) {
    const QScreen *s = w->isVisible() && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect area = s->availableGeometry();
    const QSize outer = w->size().grownBy(frameMargins(w));
    w->move(placeInside(QPoint(area.left() + (area.width() - outer.width()) / 2,
                               area.top() + (area.height() - outer.height()) / 2),
                        outer, area));
}

} // namespace platform
