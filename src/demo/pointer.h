#pragma once
// The demonstration's pointer: how it glides toward an aim, when it has arrived,
// the arrow it is drawn as and the colour of the marker it flashes on a click.
// Positions are twips of the demonstration window (already scaled).

#include <QColor>
#include <QLine>
#include <QPoint>
#include <QString>
#include <array>

namespace demo {

// Rounds to the nearest integer, halves to the even neighbour, as a 16-bit
// integer (values beyond its range are held at its ends).
int roundHalfEven16(double v);
// Rounds to the nearest integer, halves to the even neighbour (whole twips).
int roundHalfEven(double v);

// One glide: the pointer advances by (dx, dy) per tick; len is a fifteenth of
// the straight distance, so every glide takes about the same number of ticks.
struct Glide {
    int dx = 0, dy = 0;
    double len = 0;
    bool operator==(const Glide &) const = default;
};

// The increments from the pointer to the aim. The longer axis advances by len,
// the shorter one in proportion; a zero distance gives no motion at all.
Glide glideTo(QPoint pointer, QPoint aim);

// The pointer has come near enough: within 1.2 increments on both axes, within
// 1.5 increments in a straight line, or closer than eight pixels (120 x scaleX).
bool arrived(QPoint pointer, QPoint aim, double len, double scaleX);

// The drawn arrow at reference point p: 8 black outline segments, then 6 white
// filling segments (two pixels wide). The tip lies four pixels right of p.
struct PointerShape {
    std::array<QLine, 8> outline;
    std::array<QLine, 6> filling;
};
PointerShape pointerShape(QPoint p, double scaleX, double scaleY);

// The click marker's outline by step code: green for a double click, yellow for
// the right-click kinds, red for everything else.
QColor markerColour(const QString &code);
constexpr int MarkerSize = 375; // twips
constexpr int MarkerOffset = 180;

} // namespace demo
