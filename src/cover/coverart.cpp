#include "cover/coverart.h"
#include "panel/panelart.h"
#include "platform/fonts.h"
#include "platform/pixelratio.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace cover::coverart {

namespace {

QFont cjk(int px, bool bold = false) {
    return platform::fonts::uiPixels(px, bold);
}

using platform::canvas;

// Heavy text in the regular face, struck twice one pixel apart: the page's
// first paint then needs only one font file and no glyph outlines.
void heavyText(QPainter &p, const QRectF &r, Qt::Alignment align, const QString &text, int px,
               const QColor &c) {
    const QFont f = cjk(px);
    const QFontMetricsF fm(f);
    const qreal w = fm.horizontalAdvance(text) + 1;
    qreal x = r.left();
    if (align & Qt::AlignHCenter)
        x = r.center().x() - w / 2;
    else if (align & Qt::AlignRight)
        x = r.right() - w;
    const qreal y = r.center().y() + (fm.ascent() - fm.descent()) / 2;
    p.save();
    p.setFont(f);
    p.setPen(c);
    const QPointF at(std::round(x), std::round(y));
    p.drawText(at, text);
    p.drawText(at + QPointF(1, 0), text); // opaque colours only: the strikes overlap
    p.restore();
}

// Drafting grid: one tiled fill instead of a line per grid line.
void grid(QPainter &p, const QRect &r, int step, const QColor &c) {
    QPixmap tile = canvas(QSize(step, step));
    tile.fill(Qt::transparent);
    {
        QPainter t(&tile);
        t.setPen(QPen(c, 1));
        t.drawLine(0, 0, step - 1, 0);
        t.drawLine(0, 1, 0, step - 1);
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrushOrigin(r.topLeft());
    p.fillRect(r, QBrush(tile));
    p.restore();
}

void roundedCard(QPainter &p, const QRectF &r, qreal radius, const QBrush &fill, const QPen &border) {
    p.setPen(border);
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
}

void softShadow(QPainter &p, const QRectF &r, qreal radius, int depth) {
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = depth; i > 0; --i) {
        p.setBrush(QColor(10, 40, 80, 10));
        p.drawRoundedRect(r.adjusted(-i + 1, -i + 3, i - 1, i + 1), radius + i, radius + i);
    }
    p.restore();
}

// A compass over a set square: the trainer's emblem.
void emblem(QPainter &p, QPointF c, qreal s) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Gold, 3.2 * s));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 34 * s, 34 * s);
    p.setPen(QPen(Qt::white, 3.4 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(0, -34 * s), c + QPointF(-19 * s, 30 * s));
    p.drawLine(c + QPointF(0, -34 * s), c + QPointF(19 * s, 30 * s));
    p.drawLine(c + QPointF(-14 * s, 14 * s), c + QPointF(14 * s, 14 * s));
    p.setPen(Qt::NoPen);
    p.setBrush(Gold);
    p.drawEllipse(c + QPointF(0, -34 * s), 5 * s, 5 * s);
    p.restore();
}

// Faint drafting figure on the banner: a flange with centre lines and a dimension.
void draftingFigure(QPainter &p, QPointF c) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor faint(255, 255, 255, 46);
    p.setPen(QPen(faint, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 70, 70);
    p.drawEllipse(c, 30, 30);
    for (int k = 0; k < 6; ++k) {
        const qreal a = k * 3.14159265 / 3;
        p.drawEllipse(c + QPointF(50 * std::cos(a), 50 * std::sin(a)), 7, 7);
    }
    QPen centre(QColor(255, 255, 255, 40), 1, Qt::DashDotLine);
    p.setPen(centre);
    p.drawLine(c + QPointF(-90, 0), c + QPointF(90, 0));
    p.drawLine(c + QPointF(0, -90), c + QPointF(0, 90));
    p.setPen(QPen(faint, 1));
    p.drawLine(c + QPointF(-70, 84), c + QPointF(70, 84));
    p.drawLine(c + QPointF(-70, 74), c + QPointF(-70, 92));
    p.drawLine(c + QPointF(70, 74), c + QPointF(70, 92));
    p.setFont(cjk(11));
    p.drawText(QRectF(c.x() - 30, c.y() + 86, 60, 16), Qt::AlignCenter, QStringLiteral("Ø140"));
    p.restore();
}

void unitsIcon(QPainter &p, QPointF o, const QColor &ink) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (int k = 2; k >= 0; --k) {
        const QRectF page(o.x() + k * 6, o.y() - k * 6, 36, 44);
        p.setPen(QPen(ink, 2));
        p.setBrush(k == 0 ? QColor(Qt::white) : QColor(255, 255, 255, 150));
        p.drawRoundedRect(page, 3, 3);
    }
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
    for (int k = 0; k < 3; ++k)
        p.drawLine(o + QPointF(7, 12 + k * 9), o + QPointF(29, 12 + k * 9));
    p.restore();
}

void examIcon(QPainter &p, QPointF o, const QColor &ink) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(o.x(), o.y() - 8, 36, 48), 3, 3);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(o.x() + 10, o.y() - 12, 16, 8), 2, 2);
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(o + QPointF(7, 6), o + QPointF(12, 11));
    p.drawLine(o + QPointF(12, 11), o + QPointF(20, 2));
    p.drawLine(o + QPointF(7, 22), o + QPointF(28, 22));
    // stopwatch
    const QPointF w = o + QPointF(38, 32);
    p.setBrush(Qt::white);
    p.drawEllipse(w, 12, 12);
    p.drawLine(w, w + QPointF(0, -7));
    p.drawLine(w, w + QPointF(5, 3));
    p.restore();
}

} // namespace

QPixmap background() {
    QPixmap pm = canvas(QSize(Width, Height));
    QPainter p(&pm);
    paintBackground(p);
    return pm;
}

void paintBackground(QPainter &p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // body
    QLinearGradient body(0, 190, 0, 560);
    body.setColorAt(0, QColor(0xf6, 0xf9, 0xfc));
    body.setColorAt(1, Paper);
    p.fillRect(0, 0, Width, Height, body);
    grid(p, QRect(0, 190, Width, 370), 20, QColor(0x1f, 0x6f, 0xb4, 14));
    // banner
    QLinearGradient banner(0, CaptionHeight, Width, 190);
    banner.setColorAt(0, DeepBlue);
    banner.setColorAt(1, Blue);
    p.fillRect(0, CaptionHeight, Width, 190 - CaptionHeight, banner);
    grid(p, QRect(0, CaptionHeight, Width, 190 - CaptionHeight), 12, QColor(255, 255, 255, 20));
    draftingFigure(p, QPointF(690, 112));
    emblem(p, QPointF(70, 110), 1.0);
    const QString name = QCoreApplication::translate("cover::coverart", "柏川云学职称计算机考试");
    heavyText(p, QRect(128, 54, 560, 44), Qt::AlignLeft, name, 32, QColor(0x08, 0x2a, 0x4e));
    heavyText(p, QRect(126, 52, 560, 44), Qt::AlignLeft, name, 32, Qt::white);
    // gold rule under the banner
    p.fillRect(0, 188, Width, 3, Gold);
    // caption strip
    QLinearGradient cap(0, 0, 0, CaptionHeight);
    cap.setColorAt(0, QColor(0x0d, 0x38, 0x66));
    cap.setColorAt(1, Navy);
    p.fillRect(0, 0, Width, CaptionHeight, cap);
    p.setPen(QColor(255, 255, 255, 40));
    p.drawLine(0, CaptionHeight - 1, Width, CaptionHeight - 1);
    emblem(p, QPointF(17, 17), 0.33);
    // close cross
    const QRectF x = closeRect();
    p.setPen(QPen(QColor(255, 255, 255, 210), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(x.center() + QPointF(-6, -6), x.center() + QPointF(6, 6));
    p.drawLine(x.center() + QPointF(6, -6), x.center() + QPointF(-6, 6));
    // body heading
    p.setFont(cjk(15));
    p.setPen(Muted);
    p.drawText(QRect(0, 200, Width, 26), Qt::AlignCenter,
               QCoreApplication::translate("cover::coverart", "请选择学习方式"));
    // footer
    QLinearGradient foot(0, 560, 0, Height);
    foot.setColorAt(0, QColor(0x12, 0x44, 0x75));
    foot.setColorAt(1, Navy);
    p.fillRect(footerRect(), foot);
    p.fillRect(0, 560, Width, 2, Gold);
    p.setFont(cjk(13));
    p.setPen(Muted);
    p.drawText(QRect(0, 470, Width, 24), Qt::AlignCenter,
               QCoreApplication::translate("cover::coverart", "练习进度与考试成绩自动保存，下次进入时继续"));
    p.setPen(QPen(Line, 1));
    p.drawLine(212, 482, 252, 482);
    p.drawLine(548, 482, 588, 482);
    p.restore();
}

QPixmap tabCard(Tab t, Look look) {
    const QRect full = tabRect(t);
    QPixmap pm = canvas(full.size() + QSize(16, 16));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor accent = t == Tab::Units ? Blue : Orange;
    const int shift = look == Look::Pressed ? 2 : 0;
    QRectF card(8, 8 + shift, full.width(), full.height() - 2);
    softShadow(p, card, 14, look == Look::Hover ? 8 : look == Look::Pressed ? 2 : 5);
    roundedCard(p, card, 14, look == Look::Pressed ? QColor(0xe4, 0xec, 0xf5) : QColor(Qt::white),
                QPen(look == Look::Normal ? Line : accent, look == Look::Normal ? 1 : 2));
    // coloured band with the icon
    QPainterPath band;
    band.addRoundedRect(card.adjusted(0, 0, 0, -card.height() + 84), 14, 14);
    QPainterPath cut;
    cut.addRect(card.adjusted(0, 70, 0, 0));
    QLinearGradient g(card.topLeft(), card.topRight());
    g.setColorAt(0, look == Look::Hover ? accent.lighter(118) : accent);
    g.setColorAt(1, (look == Look::Hover ? accent.lighter(118) : accent).lighter(135));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(band.subtracted(cut));
    grid(p, card.adjusted(1, 1, -1, -card.height() + 70).toRect(), 10, QColor(255, 255, 255, 30));
    if (t == Tab::Units)
        unitsIcon(p, card.topLeft() + QPointF(24, 18), Navy);
    else
        examIcon(p, card.topLeft() + QPointF(24, 22), Navy);
    heavyText(p, card.adjusted(96, 0, -10, -card.height() + 70), Qt::AlignLeft,
              t == Tab::Units ? QCoreApplication::translate("cover::coverart", "单元练习")
                              : QCoreApplication::translate("cover::coverart", "模拟考试"),
              26, Qt::white);
    p.setFont(cjk(14));
    p.setPen(Ink);
    const QString lines =
        t == Tab::Units
            ? QCoreApplication::translate("cover::coverart", "按章节逐题练习\n手把手教 · 操作演示")
            : QCoreApplication::translate("cover::coverart", "整卷限时五十分钟\n自动评分 · 错题复习");
    p.drawText(card.adjusted(24, 86, -20, -50), Qt::AlignLeft | Qt::AlignTop, lines);
    // "enter" pill
    QRectF pill(card.right() - 104, card.bottom() - 44, 84, 28);
    p.setBrush(look == Look::Normal ? QColor(accent.red(), accent.green(), accent.blue(), 30) : accent);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(pill, 14, 14);
    heavyText(p, pill, Qt::AlignHCenter, QCoreApplication::translate("cover::coverart", "进入  ›"), 13,
              look == Look::Normal ? accent.darker(120) : QColor(Qt::white));
    return pm;
}

QPixmap panelBackground(Tab t, int visibleSlots) {
    const QRect r = panelRect();
    QPixmap pm = canvas(r.size());
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, r.height());
    bg.setColorAt(0, QColor(0xf7, 0xfa, 0xfd));
    bg.setColorAt(1, QColor(0xe8, 0xef, 0xf6));
    p.fillRect(0, 0, r.width(), r.height(), bg);
    grid(p, QRect(0, 0, r.width(), 510), 20, QColor(0x1f, 0x6f, 0xb4, 12));
    // footer with the heading
    p.fillRect(0, 510, r.width(), r.height() - 510, QColor(0xdc, 0xe6, 0xf1));
    p.fillRect(0, 510, r.width(), 2, t == Tab::Units ? Blue : Orange);
    p.setFont(cjk(18, true));
    p.setPen(Navy);
    p.drawText(QRect(24, 512, 300, 48), Qt::AlignLeft | Qt::AlignVCenter,
               t == Tab::Units ? QCoreApplication::translate("cover::coverart", "单元练习")
                               : QCoreApplication::translate("cover::coverart", "模拟考试"));
    p.setFont(cjk(13));
    p.setPen(Muted);
    p.drawText(QRect(124, 512, 420, 48), Qt::AlignLeft | Qt::AlignVCenter,
               t == Tab::Units
                   ? QCoreApplication::translate("cover::coverart", "共 %1 个单元，选择一个单元开始练习")
                         .arg(visibleSlots)
                   : QCoreApplication::translate("cover::coverart", "共 %1 套试卷，每套 40 题，限时 50 分钟")
                         .arg(visibleSlots));
    return pm;
}

static QPixmap slotPicture(int width, const QColor &accent) {
    QPixmap pm = canvas(QSize(width, SlotHeight));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF card(0.5, 0.5, width - 1, SlotHeight - 2);
    roundedCard(p, card, 8, QColor(Qt::white), QPen(Line, 1));
    p.fillRect(QRectF(0.5, SlotHeight - 3, width - 1, 1), QColor(10, 40, 80, 18));
    QLinearGradient g(8, 8, 56, 56);
    g.setColorAt(0, accent.lighter(125));
    g.setColorAt(1, accent);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(8, 8, 46, 46), 8, 8);
    return pm;
}

QPixmap unitSlot() {
    QPixmap pm = slotPicture(UnitSlotWidth, Blue);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(cjk(12));
    p.setPen(Muted);
    p.drawText(QRect(64, 10, 44, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QCoreApplication::translate("cover::coverart", "题目数"));
    p.drawText(QRect(64, 34, 44, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QCoreApplication::translate("cover::coverart", "未完成"));
    p.drawPixmap(unitEnterRect().topLeft(), button(QCoreApplication::translate("cover::coverart", "进入练习"),
                                                   unitEnterRect().size(), Look::Normal, false));
    return pm;
}

QPixmap completionBar(int percent) {
    const QRect r = unitBarRect();
    QPixmap pm = canvas(r.size());
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const qreal radius = r.height() / 2.0;
    p.setBrush(QColor(0xdb, 0xe5, 0xf0));
    p.drawRoundedRect(QRectF(0, 0, r.width(), r.height()), radius, radius);
    const int done = std::clamp(percent, 0, 100);
    if (done > 0) {
        const qreal w = std::max<qreal>(r.height(), r.width() * done / 100.0);
        p.setBrush(done == 100 ? AllDone : Blue);
        p.drawRoundedRect(QRectF(0, 0, w, r.height()), radius, radius);
    }
    return pm;
}

QPixmap paperSlot() {
    QPixmap pm = slotPicture(PaperSlotWidth, Orange);
    QPainter p(&pm);
    p.drawPixmap(paperStartRect().topLeft(),
                 button(QCoreApplication::translate("cover::coverart", "开始考试"), paperStartRect().size(),
                        Look::Normal, true));
    p.drawPixmap(paperErrRect().topLeft(), button(QCoreApplication::translate("cover::coverart", "错题复习"),
                                                  paperErrRect().size(), Look::Normal, false));
    p.setFont(cjk(12));
    p.setPen(Muted);
    p.drawText(QRect(64, 34, 108, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QCoreApplication::translate("cover::coverart", "40 题 · 50 分钟"));
    return pm;
}

QPixmap button(const QString &text, QSize size, Look look, bool accent) {
    QPixmap pm = canvas(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = accent ? Orange : Blue;
    QColor top = base.lighter(128), bottom = base;
    if (look == Look::Hover) {
        top = base.lighter(150);
        bottom = base.lighter(115);
    } else if (look == Look::Pressed) {
        top = base.darker(125);
        bottom = base.darker(105);
    }
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    const QRectF r(0.5, 0.5, size.width() - 1, size.height() - 1);
    roundedCard(p, r, 5, g, QPen(look == Look::Hover ? QColor(255, 255, 255, 200) : base.darker(130), 1));
    p.setFont(cjk(12, true));
    p.setPen(Qt::white);
    p.drawText(r.translated(0, look == Look::Pressed ? 1 : 0), Qt::AlignCenter, text);
    return pm;
}

QPixmap closeHover() {
    QPixmap pm = canvas(closeRect().size());
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd9, 0x3a, 0x2b));
    p.drawRoundedRect(platform::canvasRect(pm), 5, 5);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = platform::canvasRect(pm).center();
    p.drawLine(c + QPointF(-6, -6), c + QPointF(6, 6));
    p.drawLine(c + QPointF(6, -6), c + QPointF(-6, 6));
    return pm;
}

QPixmap infoPage() {
    const QRect r(0, 0, Width, 560 - CaptionHeight);
    QPixmap pm = canvas(r.size());
    QPainter p(&pm);
    p.fillRect(r, QColor(0xfb, 0xfc, 0xfe));
    grid(p, r, 20, QColor(0x1f, 0x6f, 0xb4, 12));
    p.setFont(cjk(16, true));
    p.setPen(Navy);
    p.drawText(r.adjusted(0, 0, 0, -40), Qt::AlignCenter,
               QCoreApplication::translate("cover::coverart", "考试资料"));
    return pm;
}

void paintEmblemTile(QPainter &p, int size) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Navy);
    const QRect tile(0, 0, size, size);
    p.drawRoundedRect(QRectF(tile), size * 0.16, size * 0.16);
    const int inset = std::max(1, size * 10 / 64);
    panel::panelart::paintEmblem(p, tile.adjusted(inset, inset, -inset, -inset));
    p.restore();
}

QPixmap emblemTile(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    paintEmblemTile(p, size);
    return pm;
}

} // namespace cover::coverart
