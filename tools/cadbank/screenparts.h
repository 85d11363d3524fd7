#pragma once
// Shared by the files that draw and measure the simulated screen (not for other
// users): the look of its controls, its toolbar button lists and rectangles, and
// the dialog catalogue.

#include "screen.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QSize>

class QPainter;

namespace cadbank::screenparts {

// ---- look (screenicons.cpp) ---------------------------------------------------

inline const QColor Face(236, 233, 216); // button face
inline const QColor Shadow(172, 168, 153);
inline const QColor DarkShadow(113, 111, 100);
inline const QColor Hilite(255, 255, 255);
inline const QColor TitleBlue(0, 84, 227);

QFont uiFont(int px = 12, bool bold = false);
QString noAmp(QString t);
void raised(QPainter &p, const QRect &r, bool pressed = false);
void sunken(QPainter &p, const QRect &r, const QColor &fill = Qt::white);
void dropArrow(QPainter &p, const QRect &r);
// The toolbar icon named n, drawn into box.
void icon(QPainter &p, const QRect &box, const QString &n);

// ---- main window (screenplaces.cpp) -------------------------------------------

struct Named {
    QString name;
    QRect rect;
};

const QStringList &stdButtons();
const QStringList &drawButtons();
const QStringList &modifyButtons();
const QStringList &statusButtons();
const QVector<Named> &stdRects();
QVector<Named> columnRects(const QStringList &names, int x, int top);
QVector<Named> propRects();
QVector<Named> statusRects();
QVector<Named> tabRects();
QRect commandBoxRect(const ScreenState &s);
// The screen rectangle an entity covers.
QRectF entityBounds(const Entity &e);

// ---- dialogs (screendialogs.cpp) ---------------------------------------------

struct Ctl {
    QString kind; // button edit combo check radio list label group tabs preview track
    QString name;
    QRect r;
    QString text;
};

struct DialogDef {
    QString name;
    QString title;
    QSize size;
    QVector<Ctl> ctls;
};

const QHash<QString, DialogDef> &dialogs();
const Ctl *findCtl(const DialogDef &d, const QString &name);
QStringList rowsOf(const ScreenState &s, const QString &key, const QString &fallback = QString());
QString kindWord(const QString &kind);
constexpr int ListRowH = 18;

} // namespace cadbank::screenparts
