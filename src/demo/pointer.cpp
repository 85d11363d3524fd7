#include "demo/pointer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace demo {

int roundHalfEven(double v) {
    const double f = std::floor(v);
    const double diff = v - f;
    double r = f;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(f, 2.0) != 0.0))
        r = f + 1.0;
    return int(r);
}

int roundHalfEven16(double v) {
    return std::clamp(roundHalfEven(std::clamp(v, -1e6, 1e6)), int(INT16_MIN), int(INT16_MAX));
}

Glide glideTo(QPoint pointer, QPoint aim) {
    const double dx = aim.x() - pointer.x();
    const double dy = aim.y() - pointer.y();
    Glide g;
    g.len = std::sqrt(dx * dx + dy * dy) / 15.0;
    if (dx == 0 && dy == 0)
        return g; // already there: no motion, the arrival test holds at once
    const double ax = std::abs(dx), ay = std::abs(dy);
    if (ay >= ax) {
        g.dx = roundHalfEven16(ax * g.len / ay);
        g.dy = roundHalfEven16(g.len);
    } else {
        g.dx = roundHalfEven16(g.len);
        g.dy = roundHalfEven16(ay * g.len / ax);
    }
    if (aim.x() < pointer.x())
        g.dx = -g.dx;
    if (aim.y() < pointer.y())
        g.dy = -g.dy;
    return g;
}

bool arrived(QPoint pointer, QPoint aim, double len, double scaleX) {
    const double dx = std::abs(double(pointer.x() - aim.x()));
    const double dy = std::abs(double(pointer.y() - aim.y()));
    if (dx <= 1.2 * len && dy <= 1.2 * len)
        return true;
    const double d = std::sqrt(dx * dx + dy * dy);
    return d < 1.5 * len || d < 120.0 * scaleX;
}

PointerShape pointerShape(QPoint p, double scaleX, double scaleY) {
    auto at = [&](int a, int b) {
        return QPoint(p.x() + roundHalfEven(a * scaleX), p.y() + roundHalfEven(b * scaleY));
    };
    PointerShape s;
    s.outline[0] = {at(60, 0), at(60, 240)};
    s.outline[1] = {at(60, 240), at(120, 180)};
    s.outline[2] = {at(120, 180), at(180, 300)};
    s.outline[3] = {at(150, 150), at(225, 285)};
    s.outline[4] = {at(165, 150), at(240, 150)};
    s.outline[5] = {at(60, -15), at(240, 165)};
    s.outline[6] = {at(195, 300), at(225, 270)};
    s.outline[7] = {s.outline[2].p2(), s.outline[6].p1()};
    s.filling[0] = {at(75, 15), at(75, 210)};
    s.filling[1] = {at(105, 45), at(105, 180)};
    s.filling[2] = {at(135, 75), at(135, 150)};
    s.filling[3] = {at(165, 105), at(165, 135)};
    s.filling[4] = {at(195, 120), at(195, 135)};
    s.filling[5] = {at(135, 165), at(210, 285)};
    return s;
}

QColor markerColour(const QString &code) {
    if (code == QLatin1String("0002"))
        return QColor(0, 255, 0);
    const QChar c0 = code.isEmpty() ? QChar() : code.at(0);
    if (code == QLatin1String("0003") || c0 == u'3' || c0 == u'4' || c0 == u'5')
        return QColor(255, 255, 0);
    return QColor(255, 0, 0);
}

} // namespace demo
