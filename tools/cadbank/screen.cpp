// The pictures of the simulated screen: the main window in a state, the open
// dialog, a drop-down list, question drawings, draggable pieces and information
// pages.
#include "screen.h"
#include "screenparts.h"
#include "simulator/screenlayout.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace cadbank {

using namespace screenparts;

namespace {

QColor entityColor(const QString &c) {
    static const QHash<QString, QColor> m = {
        {QStringLiteral("red"), QColor(255, 0, 0)},   {QStringLiteral("yellow"), QColor(255, 255, 0)},
        {QStringLiteral("green"), QColor(0, 255, 0)}, {QStringLiteral("cyan"), QColor(0, 255, 255)},
        {QStringLiteral("blue"), QColor(0, 0, 255)},  {QStringLiteral("magenta"), QColor(255, 0, 255)}};
    return m.value(c, QColor(255, 255, 255));
}

void drawEntities(QPainter &p, const QVector<Entity> &entities, const QVector<int> &selected,
                  const std::function<QPointF(double, double)> &map, const QColor &defaultInk,
                  double scale = 1.0) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(0.5, 0.5); // one-pixel lines on pixel centres stay crisp
    for (int idx = 0; idx < entities.size(); ++idx) {
        const Entity &e = entities.at(idx);
        const bool sel = selected.contains(idx + 1);
        QColor col = e.color.isEmpty() ? defaultInk : entityColor(e.color);
        if (defaultInk != QColor(255, 255, 255) && e.color == u"yellow")
            col = QColor(200, 160, 0);
        QPen pen(col, 1);
        if (e.dashed || sel)
            pen.setDashPattern({4, 3});
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const auto &v = e.v;
        auto pt = [&](int i) { return map(v.value(i), v.value(i + 1)); };
        QVector<QPointF> grips;
        if (e.kind == u"line") {
            QPolygonF poly;
            for (int i = 0; i + 1 < v.size(); i += 2)
                poly << pt(i);
            p.drawPolyline(poly);
            grips = poly;
        } else if (e.kind == u"rect") {
            const QRectF r = QRectF(pt(0), pt(2)).normalized();
            p.drawRect(r);
            grips = {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()};
        } else if (e.kind == u"circle") {
            const double r = v.value(2) * scale;
            p.drawEllipse(pt(0), r, r);
            grips = {pt(0), pt(0) + QPointF(r, 0), pt(0) - QPointF(r, 0), pt(0) + QPointF(0, r),
                     pt(0) - QPointF(0, r)};
        } else if (e.kind == u"arc") {
            const double r = v.value(2) * scale;
            const QPointF c = pt(0);
            p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), int(v.value(3) * 16),
                      int((v.value(4) - v.value(3)) * 16));
            grips = {c};
        } else if (e.kind == u"ellipse") {
            p.drawEllipse(pt(0), v.value(2) * scale, v.value(3) * scale);
            grips = {pt(0)};
        } else if (e.kind == u"polygon") {
            QPolygonF poly;
            const int n = qMax(3, int(v.value(3)));
            for (int i = 0; i < n; ++i) {
                const double a = 2 * M_PI * i / n + M_PI / 2;
                poly << pt(0) + QPointF(v.value(2) * scale * qCos(a), -v.value(2) * scale * qSin(a));
            }
            p.drawPolygon(poly);
            grips = poly;
        } else if (e.kind == u"hatch") {
            const QRectF r = QRectF(pt(0), pt(2)).normalized();
            p.save();
            p.setClipRect(r);
            for (double x = r.left() - r.height(); x < r.right(); x += 6 * scale)
                p.drawLine(QPointF(x, r.bottom()), QPointF(x + r.height(), r.top()));
            p.restore();
        } else if (e.kind == u"point") {
            p.drawLine(pt(0) - QPointF(3, 0), pt(0) + QPointF(3, 0));
            p.drawLine(pt(0) - QPointF(0, 3), pt(0) + QPointF(0, 3));
        } else if (e.kind == u"text") {
            QFont f = uiFont(qMax(6, int(v.value(2, 10) * scale)));
            p.setFont(f);
            p.drawText(pt(0), e.text);
            grips = {pt(0)};
        } else if (e.kind == u"insert") {
            const double r = 20 * v.value(2, 1) * scale;
            const QPointF c = pt(0);
            p.drawEllipse(c, r, r);
            p.drawEllipse(c, r * 0.45, r * 0.45);
            for (int i = 0; i < 6; ++i) {
                const double a = M_PI / 3 * i;
                p.drawLine(c + QPointF(r * 0.45 * qCos(a), r * 0.45 * qSin(a)),
                           c + QPointF(r * qCos(a), r * qSin(a)));
            }
            grips = {c};
        } else if (e.kind == u"dim") {
            // x1,y1,x2,y2,offset: linear dimension (horizontal when y1 == y2, else vertical)
            const bool vertical = qFuzzyCompare(v.value(0), v.value(2));
            const QPointF a = pt(0), b = pt(2);
            const double off = v.value(4) * scale;
            QPen dp(e.color.isEmpty() ? QColor(0, 200, 0) : col, 1);
            p.setPen(dp);
            p.setFont(uiFont(qMax(7, int(10 * scale))));
            if (!vertical) {
                const double y = qMin(a.y(), b.y()) - off;
                p.drawLine(a, QPointF(a.x(), y - 3));
                p.drawLine(b, QPointF(b.x(), y - 3));
                p.drawLine(QPointF(a.x(), y), QPointF(b.x(), y));
                p.drawLine(QPointF(a.x(), y), QPointF(a.x() + 6, y - 2));
                p.drawLine(QPointF(a.x(), y), QPointF(a.x() + 6, y + 2));
                p.drawLine(QPointF(b.x(), y), QPointF(b.x() - 6, y - 2));
                p.drawLine(QPointF(b.x(), y), QPointF(b.x() - 6, y + 2));
                p.drawText(QRectF(qMin(a.x(), b.x()), y - 16, qAbs(b.x() - a.x()), 14), Qt::AlignCenter,
                           QString::number(qAbs(v.value(2) - v.value(0)), 'g', 6));
            } else {
                const double x = qMax(a.x(), b.x()) + off;
                p.drawLine(a, QPointF(x + 3, a.y()));
                p.drawLine(b, QPointF(x + 3, b.y()));
                p.drawLine(QPointF(x, a.y()), QPointF(x, b.y()));
                p.save();
                p.translate(x - 3, (a.y() + b.y()) / 2);
                p.rotate(-90);
                p.drawText(QRectF(-30, -14, 60, 14), Qt::AlignCenter,
                           QString::number(qAbs(v.value(3) - v.value(1)), 'g', 6));
                p.restore();
            }
        } else if (e.kind == u"dimr") {
            // cx,cy,r,angle: radius dimension
            const QPointF c = pt(0);
            const double a = qDegreesToRadians(v.value(3));
            const double r = v.value(2) * scale;
            const QPointF q = c + QPointF(r * qCos(a), -r * qSin(a));
            p.setPen(QPen(QColor(0, 200, 0), 1));
            p.drawLine(c, q);
            p.drawLine(q, q + QPointF(30, 0));
            p.setFont(uiFont(qMax(7, int(10 * scale))));
            p.drawText(q + QPointF(4, -3), QStringLiteral("R") + QString::number(v.value(2), 'g', 6));
        }
        if (sel) {
            p.setPen(Qt::NoPen);
            for (const QPointF &g : grips)
                p.fillRect(QRectF(g.x() - 3, g.y() - 3, 6, 6), QColor(0, 100, 255));
        }
    }
    p.restore();
}

void drawControl(QPainter &p, const Ctl &c, const QPoint &o, const ScreenState &s, const QString &dlg) {
    const QRect r = c.r.translated(o);
    const QString key = dlg + u'.' + c.name;
    const QString value = s.values.value(key, c.text);
    p.setFont(uiFont());
    if (c.kind == u"label") {
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, noAmp(c.text));
    } else if (c.kind == u"button") {
        raised(p, r);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, noAmp(c.text));
    } else if (c.kind == u"edit" || c.kind == u"combo") {
        sunken(p, r);
        p.setPen(Qt::black);
        p.drawText(r.adjusted(4, 0, -20, 0), Qt::AlignLeft | Qt::AlignVCenter, value);
        if (c.kind == u"combo")
            dropArrow(p, r);
    } else if (c.kind == u"check" || c.kind == u"radio") {
        const bool on = s.values.value(key) == u"1";
        const QRect b(r.left(), r.top() + (r.height() - 13) / 2, 13, 13);
        p.setRenderHint(QPainter::Antialiasing, c.kind == u"radio");
        p.setPen(QColor(28, 81, 128));
        p.setBrush(Qt::white);
        if (c.kind == u"check")
            p.drawRect(b.adjusted(0, 0, -1, -1));
        else
            p.drawEllipse(b.adjusted(0, 0, -1, -1));
        if (on) {
            p.setPen(QPen(QColor(33, 161, 33), 2));
            if (c.kind == u"check")
                p.drawPolyline(QPolygon(
                    {b.topLeft() + QPoint(3, 6), b.topLeft() + QPoint(5, 9), b.topLeft() + QPoint(10, 3)}));
            else {
                p.setBrush(QColor(33, 161, 33));
                p.drawEllipse(b.center(), 2, 2);
            }
        }
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(Qt::NoBrush);
        p.setPen(Qt::black);
        p.drawText(r.adjusted(18, 0, 60, 0), Qt::AlignLeft | Qt::AlignVCenter, noAmp(c.text));
    } else if (c.kind == u"group") {
        p.setPen(Shadow);
        p.drawRect(r.adjusted(0, 8, -1, -1));
        p.setPen(Qt::black);
        QFontMetrics fm(p.font());
        const QRect t(r.left() + 8, r.top(), fm.horizontalAdvance(noAmp(c.text)) + 6, 16);
        p.fillRect(t, Face);
        p.setPen(QColor(0, 70, 213));
        p.drawText(t, Qt::AlignCenter, noAmp(c.text));
    } else if (c.kind == u"tabs") {
        const QStringList tabs = c.text.split(u'|');
        const int active = qMax(0, tabs.indexOf(s.values.value(key, tabs.value(tabs.size() - 1))));
        p.setPen(Shadow);
        p.drawRect(r.adjusted(0, 20, -1, -1));
        QFontMetrics fm(p.font());
        int x = r.left() + 2;
        for (int i = 0; i < tabs.size(); ++i) {
            const int w = fm.horizontalAdvance(tabs.at(i)) + 14;
            const QRect t(x, r.top() + (i == active ? 0 : 2), w, i == active ? 21 : 18);
            p.fillRect(t, i == active ? QColor(252, 252, 254) : Face);
            p.setPen(Shadow);
            p.drawRect(t.adjusted(0, 0, -1, 0));
            if (i == active)
                p.fillRect(QRect(t.left(), t.top(), t.width(), 3), QColor(255, 200, 60));
            p.setPen(Qt::black);
            p.drawText(t, Qt::AlignCenter, tabs.at(i));
            x += w;
        }
    } else if (c.kind == u"list") {
        sunken(p, r);
        const QStringList cols = c.text.split(u'|');
        const int cw = (r.width() - 4) / cols.size();
        const int first = cols.size() > 1 ? cw + cw / 2 : r.width() - 4;
        auto colLeft = [&](int col) { return r.left() + 2 + (col == 0 ? 0 : first + (col - 1) * cw); };
        auto colWidth = [&](int col) { return col == 0 ? first : cw; };
        for (int i = 0; i < cols.size(); ++i) {
            const QRect h(colLeft(i), r.top() + 2, colWidth(i), ListRowH);
            raised(p, h);
            p.setPen(Qt::black);
            p.drawText(h.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, cols.at(i));
        }
        const QStringList rows = rowsOf(s, key);
        const int selRow = s.values.value(key + QStringLiteral(".选中")).toInt();
        for (int j = 0; j < rows.size(); ++j) {
            const QRect rowRect(r.left() + 2, r.top() + 2 + ListRowH * (j + 1), r.width() - 4, ListRowH);
            if (rowRect.bottom() > r.bottom())
                break;
            if (selRow == j + 1)
                p.fillRect(rowRect, QColor(49, 106, 197));
            const QStringList cells = rows.at(j).split(u'|');
            for (int i = 0; i < cells.size() && i < cols.size(); ++i) {
                const QRect cell(colLeft(i), rowRect.top(), colWidth(i), ListRowH);
                const QString t = cells.at(i);
                if (cols.at(i) == u"颜色") {
                    const QColor sw = t.startsWith(u"红")     ? Qt::red
                                      : t.startsWith(u"黄")   ? Qt::yellow
                                      : t.startsWith(u"绿")   ? Qt::green
                                      : t.startsWith(u"青")   ? Qt::cyan
                                      : t.startsWith(u"蓝")   ? Qt::blue
                                      : t.startsWith(u"洋红") ? Qt::magenta
                                                              : Qt::white;
                    p.fillRect(QRect(cell.left() + 3, cell.top() + 4, 10, 10), sw);
                    p.setPen(Qt::black);
                    p.drawRect(QRect(cell.left() + 3, cell.top() + 4, 9, 9));
                    p.setPen(selRow == j + 1 ? Qt::white : Qt::black);
                    p.drawText(cell.adjusted(16, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, t);
                    continue;
                }
                p.setPen(selRow == j + 1 ? Qt::white : Qt::black);
                p.drawText(cell.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, t);
            }
        }
    } else if (c.kind == u"preview") {
        const bool dark = c.text == u"dim";
        sunken(p, r, dark ? Qt::black : Qt::white);
        if (c.text == u"hatch") {
            p.save();
            p.setClipRect(r.adjusted(2, 2, -2, -2));
            p.setPen(Qt::black);
            for (int x = r.left() - r.height(); x < r.right(); x += 6)
                p.drawLine(x, r.bottom(), x + r.height(), r.top());
            p.restore();
        } else if (dark) {
            p.setPen(Qt::white);
            p.drawRect(r.adjusted(40, 60, -60, -50));
            p.setPen(QColor(0, 220, 0));
            p.drawLine(r.left() + 40, r.top() + 40, r.right() - 60, r.top() + 40);
            p.drawText(QRect(r.left() + 40, r.top() + 22, r.width() - 100, 16), Qt::AlignCenter,
                       QStringLiteral("16.6"));
        } else {
            p.setPen(Qt::black);
            p.setFont(uiFont(20));
            p.drawText(r, Qt::AlignCenter, c.text);
        }
    } else if (c.kind == u"area") {
        sunken(p, r);
        p.setPen(Qt::black);
        p.setFont(uiFont(16));
        p.drawText(r.adjusted(8, 6, -8, -6), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   value + QStringLiteral("|"));
    } else if (c.kind == u"track") {
        sunken(p, QRect(r.left(), r.center().y() - 2, r.width(), 4), QColor(220, 220, 220));
        if (!c.text.isEmpty()) {
            const int pct = c.text.toInt();
            p.fillRect(QRect(r.left(), r.top(), r.width() * pct / 100, r.height()), QColor(50, 180, 60));
        }
    }
}

void titleBar(QPainter &p, const QRect &r, const QString &text, bool small) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0, 88, 238));
    g.setColorAt(0.1, QColor(61, 149, 255));
    g.setColorAt(0.5, TitleBlue);
    g.setColorAt(1, QColor(0, 61, 190));
    p.fillRect(r, g);
    p.setPen(Qt::white);
    p.setFont(uiFont(small ? 12 : 13, true));
    p.drawText(r.adjusted(small ? 8 : 26, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    // window buttons
    int x = r.right() - 23;
    const QStringList kinds =
        small ? QStringList{QStringLiteral("x")}
              : QStringList{QStringLiteral("x"), QStringLiteral("max"), QStringLiteral("min")};
    for (const QString &k : kinds) {
        const QRect b(x, r.top() + 3, 19, r.height() - 6);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setBrush(k == u"x" ? QColor(218, 72, 38) : QColor(40, 110, 245));
        p.setPen(QPen(Qt::white, 1));
        p.drawRoundedRect(QRectF(b).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        p.setPen(QPen(Qt::white, 2));
        const QPointF c = QRectF(b).center();
        if (k == u"x") {
            p.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
            p.drawLine(c + QPointF(-4, 4), c + QPointF(4, -4));
        } else if (k == u"max") {
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(c.x() - 5, c.y() - 5, 10, 9));
        } else {
            p.drawLine(c + QPointF(-4, 4), c + QPointF(2, 4));
        }
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(Qt::NoBrush);
        x -= 21;
    }
}

// The program's emblem: a white pen nib on a blue tile, writing a short stroke.
void appIcon(QPainter &p, const QRect &r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF tile = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(tile.topLeft(), tile.bottomRight());
    g.setColorAt(0, QColor(120, 190, 255));
    g.setColorAt(1, QColor(20, 90, 190));
    p.setBrush(g);
    p.setPen(QPen(QColor(230, 240, 255), 1));
    p.drawRoundedRect(tile, 3, 3);
    // the stroke the nib leaves
    p.setPen(QPen(QColor(255, 214, 90), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(tile.left() + 3, tile.bottom() - 2.5), QPointF(tile.left() + 7, tile.bottom() - 2.5));
    // the nib, drawn upright and turned to write towards the bottom left
    p.translate(tile.center() + QPointF(0.5, -0.5));
    p.rotate(45);
    const QPolygonF nib(
        {QPointF(-3.2, -6.5), QPointF(3.2, -6.5), QPointF(3.2, -2), QPointF(0, 6.5), QPointF(-3.2, -2)});
    p.setPen(QPen(QColor(10, 60, 150), 0.8));
    p.setBrush(Qt::white);
    p.drawPolygon(nib);
    p.setPen(QPen(QColor(10, 60, 150), 1));
    p.drawLine(QPointF(0, 0.5), QPointF(0, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 60, 150));
    p.drawEllipse(QPointF(0, -0.5), 1.2, 1.2);
    p.restore();
}

// The trainer's menu-bar captions without their access-key markers.
const QStringList &menuTitles() {
    static const QStringList t = [] {
        QStringList out;
        for (const QString &caption : sim::cadMenuTitles())
            out << QString(caption).remove(u'&');
        return out;
    }();
    return t;
}

void toolbarGrip(QPainter &p, int x, int y, int h, bool vertical) {
    p.setPen(Hilite);
    if (vertical) {
        p.drawLine(x, y, x + h, y);
        p.setPen(Shadow);
        p.drawLine(x, y + 2, x + h, y + 2);
    } else {
        p.drawLine(x, y, x, y + h);
        p.setPen(Shadow);
        p.drawLine(x + 2, y, x + 2, y + h);
    }
}

} // namespace

QImage renderScreen(const ScreenState &s) {
    QImage img(ScreenW, ScreenH, QImage::Format_RGB32);
    img.fill(Face);
    QPainter p(&img);
    // title bar
    titleBar(p, QRect(0, 0, ScreenW, lay::TitleH), QStringLiteral("AutoCAD 2004 - [%1]").arg(s.title), false);
    appIcon(p, QRect(5, 4, 16, 16));
    // menu strip; the trainer draws its titles on top of it
    p.fillRect(QRect(0, lay::MenuTop, ScreenW, lay::MenuH), Face);
    p.setPen(Shadow);
    p.drawLine(0, lay::MenuTop + lay::MenuH - 1, ScreenW, lay::MenuTop + lay::MenuH - 1);
    if (s.menuTitles) {
        p.setFont(uiFont());
        p.setPen(Qt::black);
        for (int i = 0; i < menuTitles().size(); ++i)
            p.drawText(
                QPoint((lay::MenuBarXTwips + lay::MenuPitchTwips * i) / 15, lay::MenuBarYTwips / 15 + 14),
                menuTitles().at(i));
    }
    // standard toolbar
    raised(p, QRect(2, lay::StdTop, 640, lay::BarH - 1));
    toolbarGrip(p, 5, lay::StdTop + 3, lay::BarH - 8, false);
    for (const Named &n : stdRects())
        icon(p, n.rect, n.name == u"复制" ? QStringLiteral("标准复制") : n.name);
    // properties toolbar
    raised(p, QRect(2, lay::PropTop, 730, lay::BarH - 1));
    toolbarGrip(p, 5, lay::PropTop + 3, lay::BarH - 8, false);
    for (const Named &n : propRects()) {
        if (n.name == u"图层按钮") {
            icon(p, n.rect, n.name);
            continue;
        }
        sunken(p, n.rect);
        p.setFont(uiFont());
        p.setPen(n.name == u"打印样式" ? QColor(140, 140, 140) : Qt::black);
        QString text = n.name == u"图层"       ? s.layer
                       : n.name == u"打印样式" ? QStringLiteral("随颜色")
                                               : QStringLiteral("ByLayer");
        int tx = n.rect.left() + 4;
        if (n.name == u"图层") {
            // on, freeze, lock symbols before the name
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setBrush(QColor(250, 220, 60));
            p.setPen(QColor(120, 100, 0));
            p.drawEllipse(QRectF(tx, n.rect.top() + 5, 9, 10));
            p.setBrush(QColor(250, 200, 40));
            p.drawEllipse(QRectF(tx + 14, n.rect.top() + 5, 10, 10));
            p.setBrush(QColor(220, 190, 60));
            p.drawRect(QRectF(tx + 30, n.rect.top() + 8, 9, 7));
            p.setRenderHint(QPainter::Antialiasing, false);
            p.fillRect(QRect(tx + 44, n.rect.top() + 5, 10, 10), Qt::white);
            p.setPen(Qt::black);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(tx + 44, n.rect.top() + 5, 9, 9));
            tx += 60;
        } else if (n.name == u"颜色" || n.name == u"线型" || n.name == u"线宽") {
            p.setPen(Qt::black);
            if (n.name == u"颜色") {
                p.drawRect(QRect(tx, n.rect.top() + 5, 9, 9));
                tx += 14;
            } else {
                p.drawLine(tx, n.rect.center().y(), tx + 30, n.rect.center().y());
                tx += 36;
            }
        }
        p.setPen(n.name == u"打印样式" ? QColor(140, 140, 140) : Qt::black);
        p.drawText(QRect(tx, n.rect.top(), n.rect.right() - tx - 18, n.rect.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, text);
        dropArrow(p, n.rect);
    }
    // side toolbars
    raised(p, QRect(1, lay::DrawTop, 28, 14 * 24 + 12));
    toolbarGrip(p, 4, lay::DrawTop + 3, 20, true);
    for (const Named &n : columnRects(drawButtons(), 3, lay::DrawTop))
        icon(p, n.rect, n.name);
    raised(p, QRect(771, lay::DrawTop, 28, 15 * 24 + 12));
    toolbarGrip(p, 774, lay::DrawTop + 3, 20, true);
    for (const Named &n : columnRects(modifyButtons(), 773, lay::DrawTop))
        icon(p, n.rect, n.name);
    // drawing area
    const QRect da(lay::DrawLeft, lay::DrawTop, lay::DrawRight - lay::DrawLeft,
                   lay::DrawBottom - lay::DrawTop);
    const bool layout = s.tab != u"模型";
    p.fillRect(da, layout ? QColor(128, 128, 128) : Qt::black);
    if (layout) {
        const QRect paper(da.left() + 40, da.top() + 20, da.width() - 80, da.height() - 40);
        p.fillRect(paper.translated(4, 4), QColor(60, 60, 60));
        p.fillRect(paper, Qt::white);
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(paper.adjusted(12, 12, -12, -12));
        p.setPen(Qt::black);
        p.drawRect(paper.adjusted(30, 30, -30, -30));
        p.save();
        p.setClipRect(paper.adjusted(31, 31, -31, -31));
        drawEntities(
            p, s.entities, {},
            [&](double x, double y) {
                const QPointF w = worldToScreen(x, y);
                return QPointF(paper.left() + 40 + (w.x() - da.left()) * 0.8,
                               paper.top() + 40 + (w.y() - da.top()) * 0.8);
            },
            Qt::black, 0.8);
        p.restore();
    } else {
        if (s.statusOn.contains(QStringLiteral("栅格"))) {
            for (int x = 0; x <= 660; x += 20)
                for (int y = 0; y <= 320; y += 20) {
                    const QPointF q = worldToScreen(x, y);
                    if (da.contains(q.toPoint()))
                        img.setPixelColor(q.toPoint(), QColor(150, 150, 150));
                }
        }
        // UCS icon
        const QPointF o(da.left() + 14, da.bottom() - 14);
        p.setPen(Qt::white);
        p.drawLine(o, o + QPointF(36, 0));
        p.drawLine(o, o - QPointF(0, 36));
        p.drawRect(QRectF(o.x(), o.y() - 6, 6, 6));
        p.setFont(uiFont(11));
        p.drawText(o + QPointF(38, 4), QStringLiteral("X"));
        p.drawText(o + QPointF(-4, -40), QStringLiteral("Y"));
        p.drawLine(o + QPointF(30, -3), o + QPointF(36, 0));
        p.drawLine(o + QPointF(30, 3), o + QPointF(36, 0));
        p.drawLine(o + QPointF(-3, -30), o - QPointF(0, 36));
        p.drawLine(o + QPointF(3, -30), o - QPointF(0, 36));
        p.save();
        p.setClipRect(da);
        drawEntities(p, s.entities, s.selected, worldToScreen, Qt::white);
        // the crosshair cursor parked in the drawing
        const QPointF c(da.left() + da.width() * 0.62, da.top() + da.height() * 0.45);
        p.setPen(Qt::white);
        p.drawLine(c - QPointF(22, 0), c + QPointF(22, 0));
        p.drawLine(c - QPointF(0, 22), c + QPointF(0, 22));
        p.drawRect(QRectF(c.x() - 3, c.y() - 3, 6, 6));
        p.restore();
    }
    if (!s.floating.isEmpty()) {
        const QImage piece = renderPiece(s.floating);
        p.fillRect(QRect(s.floatPos + QPoint(3, 3), piece.size()), QColor(40, 40, 40));
        p.drawImage(s.floatPos, piece);
    }
    // layout tabs and horizontal scroll bar
    p.fillRect(QRect(lay::DrawLeft, lay::TabTop, da.width(), lay::TabH), Face);
    p.setPen(Shadow);
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRect(lay::DrawLeft + 2 + i * 10, lay::TabTop + 3, 9, 11));
    for (const Named &n : tabRects()) {
        const bool on = n.name == s.tab;
        p.fillRect(n.rect, on ? Qt::white : Face);
        p.setPen(DarkShadow);
        p.drawRect(n.rect.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.setFont(uiFont(12, on));
        p.drawText(n.rect, Qt::AlignCenter, n.name);
    }
    sunken(p, QRect(220, lay::TabTop + 2, 540, lay::TabH - 4), QColor(245, 244, 238));
    raised(p, QRect(300, lay::TabTop + 3, 160, lay::TabH - 6));
    // command window
    const QRect cw(2, lay::CmdTop, ScreenW - 4, lay::CmdBottom - lay::CmdTop + 1);
    sunken(p, cw, Qt::white);
    p.setFont(uiFont());
    p.setPen(Qt::black);
    const int shown = qMin(4, int(s.history.size()));
    for (int i = 0; i < shown; ++i)
        p.drawText(QRect(8, lay::CmdTop + 1 + (4 - shown + i) * lay::CmdLineH, 760, lay::CmdLineH),
                   Qt::AlignLeft | Qt::AlignVCenter, s.history.at(s.history.size() - shown + i));
    p.setPen(Shadow);
    p.drawLine(4, lay::CmdTop + 4 * lay::CmdLineH, 780, lay::CmdTop + 4 * lay::CmdLineH);
    p.setPen(Qt::black);
    p.drawText(QRect(8, lay::CmdTop + 4 * lay::CmdLineH + 1, 760, lay::CmdLineH),
               Qt::AlignLeft | Qt::AlignVCenter, s.prompt);
    raised(p, QRect(782, lay::CmdTop + 2, 14, cw.height() - 4));
    // status bar
    p.fillRect(QRect(0, lay::StatusTop, ScreenW, ScreenH - lay::StatusTop), Face);
    p.setPen(Shadow);
    p.drawLine(0, lay::StatusTop, ScreenW, lay::StatusTop);
    p.setPen(Qt::black);
    p.drawText(QRect(6, lay::StatusTop + 5, 166, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("412.5362, 186.0417, 0.0000"));
    for (const Named &n : statusRects()) {
        const bool on = s.statusOn.contains(n.name) || n.name == u"模型";
        if (on)
            sunken(p, n.rect, QColor(250, 250, 246));
        else
            raised(p, n.rect);
        p.setPen(Qt::black);
        p.setFont(uiFont(12, false));
        p.drawText(n.rect, Qt::AlignCenter, n.name);
    }
    return img;
}

QImage renderDialog(const ScreenState &s) {
    if (!dialogs().contains(s.dialog))
        return QImage();
    const DialogDef &d = dialogs()[s.dialog];
    QImage img(d.size, QImage::Format_RGB32);
    img.fill(Face);
    QPainter p(&img);
    p.setPen(QColor(0, 60, 200));
    p.drawRect(QRect(0, 0, d.size.width() - 1, d.size.height() - 1));
    titleBar(p, QRect(1, 1, d.size.width() - 2, 22), d.title, true);
    for (const Ctl &c : d.ctls)
        if (c.kind == u"tabs" || c.kind == u"group")
            drawControl(p, c, QPoint(0, 0), s, d.name);
    for (const Ctl &c : d.ctls)
        if (c.kind != u"tabs" && c.kind != u"group")
            drawControl(p, c, QPoint(0, 0), s, d.name);
    return img;
}

QImage renderDropdown(const ScreenState &s) {
    const QRect r = dropdownRect(s);
    if (r.isNull())
        return QImage();
    QImage img(r.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.drawRect(QRect(0, 0, r.width() - 1, r.height() - 1));
    p.setFont(uiFont());
    for (int i = 0; i < s.dropRows.size(); ++i) {
        const QRect row(2, 2 + i * ListRowH, r.width() - 4, ListRowH);
        if (i == 0) {
            p.fillRect(row, QColor(49, 106, 197));
            p.setPen(Qt::white);
        } else {
            p.setPen(Qt::black);
        }
        p.drawText(row.adjusted(6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, s.dropRows.at(i));
    }
    return img;
}

QImage renderDrawing(const QVector<Entity> &entities) {
    QImage img(420, 260, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QColor(180, 180, 180));
    p.drawRect(QRect(0, 0, 419, 259));
    QRectF box;
    for (const Entity &e : entities)
        box = box.united(entityBounds(e));
    if (box.isEmpty())
        box = QRectF(0, 0, 10, 10);
    const double sc = qMin(380.0 / qMax(1.0, box.width()), 220.0 / qMax(1.0, box.height()));
    const double scale = qMin(sc, 1.6);
    const QPointF off(210 - box.center().x() * scale, 130 - box.center().y() * scale);
    drawEntities(
        p, entities, {}, [&](double x, double y) { return worldToScreen(x, y) * scale + off; }, Qt::black,
        scale);
    return img;
}

bool pieceKnown(const QString &name) {
    return name == u"标注工具栏" || name == u"滑块" || name == u"特性窗口";
}

QImage renderPiece(const QString &name) {
    if (name == u"滑块") {
        QImage img(11, 20, QImage::Format_RGB32);
        img.fill(Face);
        QPainter p(&img);
        raised(p, QRect(0, 0, 11, 20));
        return img;
    }
    if (name == u"特性窗口") {
        QImage img(180, 240, QImage::Format_RGB32);
        img.fill(Face);
        QPainter p(&img);
        titleBar(p, QRect(0, 0, 180, 20), QStringLiteral("特性"), true);
        p.setFont(uiFont());
        const QStringList rows = {QStringLiteral("颜色|ByLayer"), QStringLiteral("图层|0"),
                                  QStringLiteral("线型|ByLayer"), QStringLiteral("线型比例|1.0000"),
                                  QStringLiteral("线宽|ByLayer"), QStringLiteral("厚度|0.0000")};
        for (int i = 0; i < rows.size(); ++i) {
            const QRect r(4, 28 + i * 20, 172, 20);
            p.fillRect(r, Qt::white);
            p.setPen(Shadow);
            p.drawRect(r);
            p.setPen(Qt::black);
            p.drawText(r.adjusted(4, 0, 0, 0), Qt::AlignVCenter, rows.at(i).section(u'|', 0, 0));
            p.drawText(r.adjusted(84, 0, 0, 0), Qt::AlignVCenter, rows.at(i).section(u'|', 1));
        }
        return img;
    }
    // a floating toolbar with a small title bar
    const QStringList names = {QStringLiteral("线性标注"), QStringLiteral("对齐标注"),
                               QStringLiteral("半径标注"), QStringLiteral("直径标注"),
                               QStringLiteral("角度标注"), QStringLiteral("引线")};
    QImage img(names.size() * 24 + 8, 44, QImage::Format_RGB32);
    img.fill(Face);
    QPainter p(&img);
    titleBar(p, QRect(0, 0, img.width(), 16), QStringLiteral("标注"), true);
    for (int i = 0; i < names.size(); ++i)
        icon(p, QRect(4 + i * 24, 18, 24, 24), names.at(i));
    return img;
}

QImage renderPage(int n, const QString &title, const QStringList &paragraphs, const QStringList &modules) {
    QImage img(PageW, PageH, QImage::Format_RGB32);
    img.fill(QColor(250, 250, 244));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient g(0, 0, PageW, 0);
    g.setColorAt(0, QColor(26, 82, 150));
    g.setColorAt(1, QColor(90, 150, 210));
    p.fillRect(QRect(0, 0, PageW, 44), g);
    p.setPen(Qt::white);
    p.setFont(uiFont(20, true));
    p.drawText(QRect(20, 0, PageW - 40, 44), Qt::AlignLeft | Qt::AlignVCenter, title);
    p.setFont(uiFont(12));
    p.drawText(QRect(20, 0, PageW - 40, 44), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("第 %1 / 17 页").arg(n));
    p.setPen(QColor(40, 40, 40));
    if (!modules.isEmpty()) {
        // the module slots of the cover page: four per row, 191 x 73 pixels apart
        p.setFont(uiFont(14));
        for (int i = 0; i < modules.size(); ++i) {
            const QRect cell(12 + (i % 4) * 191, 60 + (i / 4) * 73, 180, 60);
            p.setPen(QColor(150, 170, 200));
            p.setBrush(QColor(235, 242, 252));
            p.drawRoundedRect(cell, 6, 6);
            p.setPen(QColor(30, 50, 90));
            p.drawText(cell, Qt::AlignCenter | Qt::TextWordWrap, modules.at(i));
        }
        return img;
    }
    // a faint drawing in the corner
    p.setPen(QPen(QColor(190, 208, 230), 2));
    p.drawRect(QRectF(PageW - 250, PageH - 170, 200, 120));
    p.drawEllipse(QPointF(PageW - 150, PageH - 110), 38, 38);
    p.setPen(QPen(QColor(190, 208, 230), 1, Qt::DashDotLine));
    p.drawLine(QPointF(PageW - 270, PageH - 110), QPointF(PageW - 30, PageH - 110));
    p.drawLine(QPointF(PageW - 150, PageH - 190), QPointF(PageW - 150, PageH - 30));
    p.setPen(QColor(40, 40, 40));
    p.setFont(uiFont(15));
    int y = 64;
    for (const QString &para : paragraphs) {
        const QRect r = p.boundingRect(QRect(30, y, PageW - 60, PageH - y), Qt::TextWordWrap, para);
        p.drawText(QRect(30, y, PageW - 60, r.height()), Qt::TextWordWrap, para);
        y += r.height() + 10;
    }
    return img;
}

} // namespace cadbank
