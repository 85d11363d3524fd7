#pragma once
// Paints a laid-out screen: the background, pictures 1-5, the guided outlines,
// the hint, the menu-bar titles (one of them hovered), the selection frame, the
// success text and the emblem, bottom to top. The window's view and the bank
// tool's step pictures both paint through it, so a step looks the same in both.

#include "simulator/screengeometry.h"

#include <QImage>
#include <QPalette>
#include <array>

class QPainter;

namespace sim {

// The decoded pictures a screen shows (null where none).
struct ScreenPictures {
    QImage background;
    std::array<QImage, 6> pics; // 1..5
};

struct ScreenPaintOptions {
    QPalette palette;      // Window behind the background; menu title colours
    int hoveredTitle = -1; // the title shown highlighted, -1 none
    bool exam = false;     // the emblem says the run is an exam, not practice
};

void paintScreen(QPainter &p, const QSize &size, const ScreenModel &s, const ScreenPictures &pictures,
                 const ScreenGeometry &g, const ScreenPaintOptions &options);

// The emblem at the bottom right, drawn at its size: "练习", or "考试" in an exam.
QImage emblemImage(const QSize &size, bool exam = false);

} // namespace sim
