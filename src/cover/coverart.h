#pragma once
// The cover page's pictures, drawn in code: the window background, the two tab
// cards in their three looks, the slot pictures of both panels and the hover and
// pressed looks of their buttons.

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <QString>

namespace cover::coverart {

// The page's colours.
inline const QColor Navy(0x0a, 0x2f, 0x57);
inline const QColor Blue(0x1f, 0x6f, 0xb4);
inline const QColor DeepBlue(0x0b, 0x3d, 0x6e);
inline const QColor Gold(0xff, 0xc8, 0x3d); // the module's name, a footer link under the mouse
inline const QColor Orange(0xd9, 0x7a, 0x1f);
inline const QColor Paper(0xee, 0xf3, 0xf8);
inline const QColor Line(0xc6, 0xd4, 0xe3);
inline const QColor Ink(0x23, 0x34, 0x48); // text on the slots
inline const QColor Muted(0x6a, 0x7b, 0x8e);
inline const QColor Mist(0xe6, 0xee, 0xf7);         // caption and footer text
inline const QColor TitleShadow(0, 0, 0, 110);      // under the module's name
inline const QColor Unfinished(0xc0, 0x39, 0x2b);   // questions left in a unit
inline const QColor AllDone(0x1e, 0x8e, 0x3e);      // ... none left
inline const QColor OnAccent(0xff, 0xff, 0xff);     // numbers on the slot badges
inline const QColor Installed(0xff, 0x00, 0x00);    // the frame of an installed module's slot
inline const QColor NotInstalled(0xc0, 0xc0, 0xc0); // ... of a module to download
// The frame of a module slot on the last information page.
inline QString slotFrameStyle(const QColor &border) {
    return QStringLiteral("QFrame { border: 2px solid %1; border-radius: 6px; background: transparent; }")
        .arg(border.name());
}

enum class Look { Normal, Hover, Pressed };
enum class Tab { Units, Exams };

// Layout of the page in pixels (800 x 600).
constexpr int Width = 800;
constexpr int Height = 600;
constexpr int CaptionHeight = 34; // the caption strip with LblCaption and the close button
inline QRect closeRect() {
    return {764, 4, 28, 26};
}
inline QRect tabRect(Tab t) {
    return t == Tab::Units ? QRect(118, 232, 270, 210) : QRect(412, 232, 270, 210);
}
inline QRect panelRect() {
    return {0, CaptionHeight, Width, Height - CaptionHeight};
}
inline QRect footerRect() {
    return {0, 560, Width, 40};
}
// Slot pictures and the buttons on them, relative to the slot's origin.
constexpr int SlotHeight = 64;
constexpr int UnitSlotWidth = 236;
constexpr int PaperSlotWidth = 368;
inline QRect unitEnterRect() {
    return {160, 19, 68, 26};
}
// The unit's completion bar, under its enter button.
inline QRect unitBarRect() {
    return {160, 50, 68, 5};
}
inline QRect paperStartRect() {
    return {176, 34, 84, 24};
}
inline QRect paperErrRect() {
    return {270, 34, 84, 24};
}
// Panel footer with the back and exit buttons, relative to the panel.
inline QRect panelBackRect() {
    return {560, 520, 100, 32};
}
inline QRect panelExitRect() {
    return {672, 520, 100, 32};
}

// Every picture below is drawn at the screen's pixel ratio (platform/pixelratio.h);
// sizes and places are logical.
QPixmap background();
// The same picture painted straight onto a device (the window's first paint).
void paintBackground(QPainter &p);
QPixmap tabCard(Tab t, Look look);
QPixmap panelBackground(Tab t, int visibleSlots);
QPixmap unitSlot();
// A unit's completion bar at percent (0 .. 100): blue while questions are left,
// green when none is.
QPixmap completionBar(int percent);
QPixmap paperSlot();
QPixmap button(const QString &text, QSize size, Look look, bool accent);
QPixmap closeHover();
QPixmap infoPage();
// The trainer's emblem on its navy tile, size x size pixels: the about box's
// logo, the windows' icon and the installed program's icon.
QPixmap emblemTile(int size);
// The same tile painted on any device (a picture, a vector file) at 0,0.
void paintEmblemTile(QPainter &p, int size);

} // namespace cover::coverart
