#include "panel/panelart.h"
#include "platform/fonts.h"
#include "platform/pixelratio.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace panel::panelart {

QFont uiFont(double pointSize, bool bold) {
    QFont f = platform::fonts::ui(pointSize, bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

namespace {
QString hex(const QColor &c) {
    return c.name();
}
} // namespace

QString textStyle(const QColor &colour, bool bold) {
    return QStringLiteral("color:%1;").arg(hex(colour)) +
           (bold ? QStringLiteral("font-weight:bold;") : QString());
}

QString sheetStyle(const QString &objectName) {
    return QStringLiteral("#%1{background:%2;border-top:1px solid %3;}")
        .arg(objectName, hex(Sheet), hex(Rule));
}

// A button holding the keyboard: edged in the panel's blue.
QString focusRule() {
    return QStringLiteral("QPushButton:focus{border:2px solid %1;}").arg(hex(Accent));
}

QString chooserStyle(ChooserColour colour, bool solved) {
    // a solved question: a dark green ring inside its colour and bold figures
    const QString ring =
        solved ? QStringLiteral("QPushButton{border:2px solid %1;font-weight:bold;}").arg(hex(SolvedRing))
               : QString();
    switch (colour) {
    case ChooserColour::Green:
        return QStringLiteral("QPushButton{background:%1;border:1px solid %2;border-radius:3px;}")
                   .arg(hex(Seen), hex(SeenLine)) +
               ring + focusRule();
    case ChooserColour::Red:
        return QStringLiteral("QPushButton{background:%1;color:%2;border:1px solid %3;border-radius:3px;}")
                   .arg(hex(Marked), hex(OnBlue), hex(MarkedLine)) +
               ring + focusRule();
    case ChooserColour::ButtonFace:
        break;
    }
    return QStringLiteral("QPushButton{background:palette(button);border:1px solid %1;border-radius:3px;}"
                          "QPushButton:hover{border-color:%2;}")
               .arg(hex(ControlLine), hex(HoverLine)) +
           ring + focusRule();
}

QString restoreStyle(bool hover) {
    if (hover)
        return QStringLiteral("QLabel{color:%1;background:%2;border-radius:3px;border:1px outset %3;}")
            .arg(hex(RestoreInk), hex(Qt::white), hex(RestoreHoverLine));
    return QStringLiteral("QLabel{color:%1;background:%2;border-radius:3px;}")
        .arg(hex(RestoreInk), hex(RestoreFace));
}

QString legendHtml(bool withSolved) {
    const QString mark = QStringLiteral("<span style='color:%1'>■</span> ");
    QString html = mark.arg(hex(SeenLegend)) + QCoreApplication::translate("panel::panelart", "已看过") +
                   u'　' + mark.arg(hex(Marked)) + QCoreApplication::translate("panel::panelart", "已标识") +
                   u'　' + mark.arg(hex(InkOff)) + QCoreApplication::translate("panel::panelart", "未看过");
    if (withSolved)
        html += u'　' + QStringLiteral("<span style='color:%1'>▣</span> ").arg(hex(SolvedRing)) +
                QCoreApplication::translate("panel::panelart", "已完成");
    return html;
}

QString timeFrameStyle() {
    return QStringLiteral("#PTime{background:%1;border:1px solid %2;}").arg(hex(Qt::white), hex(TimeLine));
}

QString timeBarStyle() {
    return QStringLiteral("background:%1;").arg(hex(TimeFill));
}

QString inputMethodStyle() {
    return QStringLiteral("QLabel{color:%1;background:%2;border:1px solid %3;border-radius:4px;}"
                          "QLabel:hover{border-color:%4;}")
        .arg(hex(Ink), hex(Qt::white), hex(ControlLine), hex(HoverLine));
}

QString questionTextStyle() {
    return QStringLiteral(
               "QTextEdit{background:%1;color:%2;border:1px solid %3;border-radius:3px;padding:2px;}")
        .arg(hex(Qt::white), hex(TextInk), hex(Rule));
}

QString pictureButtonStyle() {
    return QStringLiteral("QPushButton{background:%1;border:1px solid %2;border-radius:3px;color:%3;}"
                          "QPushButton:hover{background:%4;}")
               .arg(hex(PictureFace), hex(PictureLine), hex(PictureInk), hex(PictureHover)) +
           focusRule();
}

QString unfinishedStyle() {
    return QStringLiteral("#PicUnit{background:%1;border:1px solid %2;border-radius:3px;}")
        .arg(hex(NoteFace), hex(NoteLine));
}

QString minimisedBarStyle() {
    return QStringLiteral("#PicMin{background:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 %1,stop:1 %2);"
                          "border:1px solid %3;}")
        .arg(hex(BarTop), hex(BarBottom), hex(BarLine));
}

namespace {

void arrow(QPainter &p, bool left) {
    QPainterPath path;
    if (left) {
        path.moveTo(3, 11);
        path.lineTo(11, 3);
        path.lineTo(11, 7.5);
        path.lineTo(19, 7.5);
        path.lineTo(19, 14.5);
        path.lineTo(11, 14.5);
        path.lineTo(11, 19);
    } else {
        path.moveTo(19, 11);
        path.lineTo(11, 3);
        path.lineTo(11, 7.5);
        path.lineTo(3, 7.5);
        path.lineTo(3, 14.5);
        path.lineTo(11, 14.5);
        path.lineTo(11, 19);
    }
    path.closeSubpath();
    p.drawPath(path);
}

// The toolbar's captions come from the panel's form and from the run rules, each
// through its own translation: a caption names its icon in the wording of either,
// or as written when no translation is installed.
bool captionIs(const QString &caption, const char *source) {
    return caption == QString::fromUtf8(source) || caption == QCoreApplication::translate("FrmTm", source) ||
           caption == QCoreApplication::translate("panel", source);
}

bool endCaption(const QString &caption) {
    return caption.startsWith(QStringLiteral("结束")) || captionIs(caption, "结束练习") ||
           captionIs(caption, "结束复习") || captionIs(caption, "结束考试");
}

} // namespace

QPixmap toolIcon(const QString &caption, bool enabled) {
    QPixmap pm = platform::canvas(QSize(22, 22));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor blue = enabled ? IconBlue : IconOff;
    const QColor green = enabled ? IconGreen : IconOff;
    const QColor red = enabled ? IconRed : IconOff;
    const QColor orange = enabled ? IconOrange : IconOff;
    const QColor dark = enabled ? IconDark : IconDarkOff;

    if (captionIs(caption, "上一题") || captionIs(caption, "下一题")) {
        QLinearGradient g(0, 3, 0, 19);
        g.setColorAt(0, blue.lighter(135));
        g.setColorAt(1, blue);
        p.setBrush(g);
        p.setPen(QPen(blue.darker(130), 1));
        arrow(p, captionIs(caption, "上一题"));
    } else if (captionIs(caption, "重做本题")) {
        p.setPen(QPen(green, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 4, 14, 14), 60 * 16, 290 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(green);
        p.drawPolygon(QPolygonF({QPointF(13, 1.5), QPointF(19.5, 5), QPointF(13, 9.5)}));
    } else if (captionIs(caption, "标识本题")) {
        p.setPen(QPen(dark, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 3), QPointF(5, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(red);
        QPainterPath flag;
        flag.moveTo(6, 3.5);
        flag.cubicTo(10, 1.5, 13, 6.5, 18.5, 4);
        flag.lineTo(18.5, 12);
        flag.cubicTo(13, 14.5, 10, 9.5, 6, 11.5);
        flag.closeSubpath();
        p.drawPath(flag);
    } else if (caption.startsWith(QStringLiteral("选")) || captionIs(caption, "选 题")) {
        p.setPen(Qt::NoPen);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                QColor cell = (r == 1 && c == 1) ? red : ((r + c) % 2 ? green : blue);
                p.setBrush(cell);
                p.drawRoundedRect(QRectF(3 + c * 6, 3 + r * 6, 4.8, 4.8), 1, 1);
            }
    } else if (endCaption(caption)) {
        p.setPen(QPen(red.darker(115), 1.2));
        QLinearGradient g(0, 2, 0, 20);
        g.setColorAt(0, red.lighter(130));
        g.setColorAt(1, red);
        p.setBrush(g);
        QPolygonF oct;
        for (int i = 0; i < 8; ++i) {
            const double a = (22.5 + 45 * i) * 3.14159265 / 180;
            oct << QPointF(11 + 9 * std::cos(a), 11 + 9 * std::sin(a));
        }
        p.drawPolygon(oct);
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(7.5, 11), QPointF(14.5, 11));
    } else if (captionIs(caption, "手把手教")) {
        p.setPen(QPen(orange.darker(130), 1));
        p.setBrush(orange.lighter(120));
        QPainterPath hand;
        hand.addRoundedRect(QRectF(5, 9, 12, 10), 3, 3);
        p.drawPath(hand);
        for (int i = 0; i < 4; ++i)
            p.drawRoundedRect(QRectF(5.3 + i * 3, i == 1 ? 2 : 3.5 + (i == 3 ? 1.5 : 0), 2.6, 8), 1.3, 1.3);
        p.drawRoundedRect(QRectF(1.5, 11, 5, 2.6), 1.3, 1.3);
    } else if (captionIs(caption, "考生信息")) {
        p.setPen(QPen(blue.darker(120), 1));
        p.setBrush(IconPaper);
        p.drawRoundedRect(QRectF(1.5, 4, 19, 14), 2, 2);
        p.setBrush(blue);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(4, 7, 5, 5));
        p.drawPie(QRectF(3, 11.5, 7, 7), 0, 180 * 16);
        p.setPen(QPen(dark, 1.3));
        p.drawLine(QPointF(12, 8.5), QPointF(18, 8.5));
        p.drawLine(QPointF(12, 12), QPointF(18, 12));
        p.drawLine(QPointF(12, 15), QPointF(16, 15));
    } else if (captionIs(caption, "操作演示")) {
        p.setPen(QPen(green.darker(120), 1));
        QLinearGradient g(0, 1, 0, 21);
        g.setColorAt(0, green.lighter(140));
        g.setColorAt(1, green);
        p.setBrush(g);
        p.drawEllipse(QRectF(1.5, 1.5, 19, 19));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(8.5, 6), QPointF(16, 11), QPointF(8.5, 16)}));
    } else { // 操作提示 and anything else: a light bulb
        p.setPen(QPen(orange.darker(140), 1));
        p.setBrush(IconBulb);
        p.drawEllipse(QRectF(5, 1.5, 12, 12));
        p.setBrush(dark);
        p.drawRect(QRectF(8, 14, 6, 2.2));
        p.drawRect(QRectF(8.5, 17, 5, 2.2));
    }
    return pm;
}

QPixmap highlight(const QSize &size, bool pressed) {
    QPixmap pm = platform::canvas(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = platform::canvasRect(pm).adjusted(1.5, 1.5, -1.5, -1.5);
    QLinearGradient g(0, 0, 0, size.height());
    if (pressed) {
        g.setColorAt(0, PressedTop);
        g.setColorAt(1, PressedBottom);
        p.setPen(QPen(HoverLine, 1));
    } else {
        g.setColorAt(0, HoverTop);
        g.setColorAt(1, HoverBottom);
        p.setPen(QPen(HoverEdge, 1));
    }
    p.setBrush(g);
    p.drawRoundedRect(r, 5, 5);
    return pm;
}

QPixmap minimiseHover(const QSize &size) {
    QPixmap pm = platform::canvas(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 160), 1));
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawRoundedRect(platform::canvasRect(pm).adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
    return pm;
}

void paintTitleStrip(QPainter &p, const QRect &r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, BarTop);
    g.setColorAt(1, BarBottom);
    p.fillRect(r, g);
    p.setPen(QColor(255, 255, 255, 50));
    p.drawLine(r.topLeft(), r.topRight());
}

void paintToolbar(QPainter &p, const QRect &r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, ToolbarTop);
    g.setColorAt(1, ToolbarBottom);
    p.fillRect(r, g);
    p.setPen(Rule);
    p.drawLine(r.bottomLeft(), r.bottomRight());
}

void paintPanelFrame(QPainter &p, const QRect &r) {
    p.setPen(BarLine);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void paintGrip(QPainter &p, const QRect &r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, GripTop);
    g.setColorAt(1, GripBottom);
    p.fillRect(r, g);
    p.setPen(Qt::NoPen);
    p.setBrush(GripDots);
    const int cy = r.center().y();
    for (int i = 0; i < 6; ++i) {
        const int x = r.center().x() - 15 + i * 6;
        p.drawEllipse(QPointF(x, cy - 2), 1.1, 1.1);
        p.drawEllipse(QPointF(x + 3, cy + 2), 1.1, 1.1);
    }
}

void paintEmblem(QPainter &p, const QRect &r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF f = QRectF(r).adjusted(1, 1, -1, -1);
    p.setPen(QPen(EmblemGold, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(f);
    p.drawLine(QPointF(f.center().x(), f.top() + 2), QPointF(f.left() + 3, f.bottom() - 2));
    p.drawLine(QPointF(f.center().x(), f.top() + 2), QPointF(f.right() - 3, f.bottom() - 2));
    p.restore();
}

} // namespace panel::panelart
