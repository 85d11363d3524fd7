#include "screen.h"
#include "simulator/screenlayout.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace cadbank {

namespace {

const QString UiFamily = QStringLiteral("Noto Sans CJK SC");

QFont uiFont(int px = 12, bool bold = false) {
    QFont f(UiFamily);
    f.setPixelSize(px);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QString noAmp(QString t) {
    t.remove(u'&');
    return t;
}

const QColor Face(236, 233, 216); // button face
const QColor Shadow(172, 168, 153);
const QColor DarkShadow(113, 111, 100);
const QColor Hilite(255, 255, 255);
const QColor TitleBlue(0, 84, 227);

void raised(QPainter &p, const QRect &r, bool pressed = false) {
    p.fillRect(r, pressed ? QColor(225, 222, 205) : Face);
    p.setPen(pressed ? DarkShadow : Hilite);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(pressed ? Hilite : DarkShadow);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void sunken(QPainter &p, const QRect &r, const QColor &fill = Qt::white) {
    p.fillRect(r, fill);
    p.setPen(Shadow);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(Hilite);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void dropArrow(QPainter &p, const QRect &r) {
    const QRect b(r.right() - 16, r.top() + 1, 16, r.height() - 2);
    p.fillRect(b, QColor(200, 215, 250));
    p.setPen(QColor(120, 140, 200));
    p.drawRect(b.adjusted(0, 0, -1, -1));
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    const QPoint c = b.center();
    p.drawPolygon(
        QPolygon({QPoint(c.x() - 3, c.y() - 1), QPoint(c.x() + 4, c.y() - 1), QPoint(c.x(), c.y() + 3)}));
    p.setBrush(Qt::NoBrush);
}

// ---- toolbar icons -------------------------------------------------------

void icon(QPainter &p, const QRect &box, const QString &n) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r = QRectF(box).adjusted(4, 4, -4, -4);
    const double l = r.left(), t = r.top(), w = r.width(), h = r.height(), cx = r.center().x(),
                 cy = r.center().y();
    QPen ink(QColor(0, 0, 0), 1.2);
    QPen blue(QColor(0, 70, 200), 1.4);
    QPen red(QColor(200, 0, 0), 1.4);
    p.setPen(ink);
    auto dot = [&](double x, double y, const QColor &c = QColor(0, 70, 200)) {
        p.fillRect(QRectF(x - 1.5, y - 1.5, 3, 3), c);
    };
    if (n == u"直线") {
        p.setPen(blue);
        p.drawLine(QPointF(l + 1, t + h - 1), QPointF(l + w - 1, t + 1));
        dot(l + 1, t + h - 1, Qt::red);
        dot(l + w - 1, t + 1, Qt::red);
    } else if (n == u"构造线") {
        p.setPen(blue);
        p.drawLine(QPointF(l - 2, t + h), QPointF(l + w + 2, t));
        p.drawLine(QPointF(l - 2, t + 2), QPointF(l + w + 2, t + h - 2));
        dot(cx, cy, Qt::red);
    } else if (n == u"多段线") {
        p.setPen(QPen(QColor(0, 70, 200), 2.2));
        p.drawPolyline(QPolygonF({QPointF(l, t + h), QPointF(l + w * 0.4, t + 2),
                                  QPointF(l + w * 0.7, t + h - 3), QPointF(l + w, t + 3)}));
    } else if (n == u"多边形") {
        p.setPen(blue);
        QPolygonF poly;
        for (int i = 0; i < 6; ++i)
            poly << QPointF(cx + w / 2 * qCos(M_PI / 3 * i), cy + h / 2 * qSin(M_PI / 3 * i));
        p.drawPolygon(poly);
    } else if (n == u"矩形") {
        p.setPen(blue);
        p.drawRect(r.adjusted(0, 2, 0, -2));
        dot(l, t + 2, Qt::red);
        dot(l + w, t + h - 2, Qt::red);
    } else if (n == u"圆弧") {
        p.setPen(blue);
        p.drawArc(r.adjusted(0, 2, 0, 8), 0, 180 * 16);
        dot(l, cy + 4, Qt::red);
        dot(l + w, cy + 4, Qt::red);
    } else if (n == u"圆") {
        p.setPen(blue);
        p.drawEllipse(r);
        dot(cx, cy, Qt::red);
    } else if (n == u"样条曲线") {
        QPainterPath path(QPointF(l, t + h));
        path.cubicTo(QPointF(l + w * 0.3, t - 4), QPointF(l + w * 0.6, t + h + 4), QPointF(l + w, t));
        p.setPen(blue);
        p.drawPath(path);
    } else if (n == u"椭圆") {
        p.setPen(blue);
        p.drawEllipse(r.adjusted(0, 3, 0, -3));
    } else if (n == u"插入块") {
        p.setPen(ink);
        p.drawRect(QRectF(l, t + 4, w * 0.6, h * 0.6));
        p.setPen(red);
        p.drawLine(QPointF(l + w, t), QPointF(l + w * 0.45, t + h * 0.55));
        p.drawLine(QPointF(l + w * 0.45, t + h * 0.55), QPointF(l + w * 0.7, t + h * 0.5));
    } else if (n == u"创建块") {
        p.setPen(ink);
        p.drawRect(QRectF(l, t, w * 0.55, h * 0.55));
        p.drawRect(QRectF(l + w * 0.45, t + h * 0.45, w * 0.55, h * 0.55));
        p.setPen(blue);
        p.drawEllipse(QRectF(l + w * 0.2, t + h * 0.2, w * 0.5, h * 0.5));
    } else if (n == u"点") {
        p.setPen(blue);
        p.drawLine(QPointF(cx - 4, cy), QPointF(cx + 4, cy));
        p.drawLine(QPointF(cx, cy - 4), QPointF(cx, cy + 4));
        p.setBrush(Qt::red);
        p.drawEllipse(QPointF(cx, cy), 1.5, 1.5);
    } else if (n == u"图案填充") {
        p.setPen(ink);
        p.drawRect(r);
        p.setClipRect(r);
        p.setPen(QPen(QColor(0, 70, 200), 1));
        for (double x = l - h; x < l + w; x += 3.5)
            p.drawLine(QPointF(x, t + h), QPointF(x + h, t));
    } else if (n == u"多行文字") {
        p.setFont(uiFont(14, true));
        p.setPen(QColor(0, 50, 160));
        p.drawText(r.toRect(), Qt::AlignCenter, QStringLiteral("A"));
    } else if (n == u"删除") {
        p.setBrush(QColor(250, 200, 120));
        p.setPen(ink);
        p.drawPolygon(QPolygonF({QPointF(l + 2, t + h - 4), QPointF(l + w * 0.55, t + 1),
                                 QPointF(l + w, t + h * 0.4), QPointF(l + w * 0.45, t + h)}));
        p.setPen(red);
        p.drawLine(QPointF(l, t + h), QPointF(l + w, t + h));
    } else if (n == u"复制" || n == u"标准复制") {
        p.setPen(ink);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(l, t, w * 0.6, h * 0.65));
        p.drawRect(QRectF(l + w * 0.4, t + h * 0.35, w * 0.6, h * 0.65));
    } else if (n == u"镜像") {
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawLine(QPointF(cx, t - 2), QPointF(cx, t + h + 2));
        p.setPen(blue);
        p.drawPolygon(QPolygonF({QPointF(cx - 2, t + 2), QPointF(l, t + h), QPointF(cx - 2, t + h)}));
        p.drawPolygon(QPolygonF({QPointF(cx + 2, t + 2), QPointF(l + w, t + h), QPointF(cx + 2, t + h)}));
    } else if (n == u"偏移") {
        p.setPen(blue);
        p.drawArc(QRectF(l, t + 2, w * 1.4, h * 1.6), 90 * 16, 90 * 16);
        p.drawArc(QRectF(l + 5, t + 7, w * 1.2, h * 1.4), 90 * 16, 90 * 16);
    } else if (n == u"阵列") {
        p.setPen(blue);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                p.drawRect(QRectF(l + i * w / 3 + 0.5, t + j * h / 3 + 0.5, w / 3 - 2, h / 3 - 2));
    } else if (n == u"移动") {
        p.setPen(QPen(Qt::black, 1.4));
        p.drawLine(QPointF(l, cy), QPointF(l + w, cy));
        p.drawLine(QPointF(cx, t), QPointF(cx, t + h));
        p.setBrush(Qt::black);
        const double a = 3;
        p.drawPolygon(
            QPolygonF({QPointF(l + w, cy), QPointF(l + w - a, cy - a), QPointF(l + w - a, cy + a)}));
        p.drawPolygon(QPolygonF({QPointF(l, cy), QPointF(l + a, cy - a), QPointF(l + a, cy + a)}));
        p.drawPolygon(QPolygonF({QPointF(cx, t), QPointF(cx - a, t + a), QPointF(cx + a, t + a)}));
        p.drawPolygon(
            QPolygonF({QPointF(cx, t + h), QPointF(cx - a, t + h - a), QPointF(cx + a, t + h - a)}));
    } else if (n == u"旋转") {
        p.setPen(blue);
        p.drawArc(r, 30 * 16, 280 * 16);
        p.setBrush(QColor(0, 70, 200));
        p.drawPolygon(
            QPolygonF({QPointF(l + w, cy - 4), QPointF(l + w - 5, cy - 4), QPointF(l + w - 1, cy + 1)}));
        dot(cx, cy, Qt::red);
    } else if (n == u"缩放") {
        p.setPen(blue);
        p.drawRect(QRectF(l, t + h * 0.45, w * 0.5, h * 0.55));
        p.drawRect(QRectF(l, t, w, h));
    } else if (n == u"拉伸") {
        p.setPen(blue);
        p.drawRect(QRectF(l, t + 3, w * 0.7, h - 6));
        p.setPen(red);
        p.drawLine(QPointF(l + w * 0.5, cy), QPointF(l + w, cy));
    } else if (n == u"修剪") {
        p.setPen(blue);
        p.drawLine(QPointF(cx, t), QPointF(cx, t + h));
        p.drawLine(QPointF(l, cy), QPointF(cx, cy));
        p.setPen(QPen(QColor(200, 0, 0), 1, Qt::DotLine));
        p.drawLine(QPointF(cx, cy), QPointF(l + w, cy));
    } else if (n == u"延伸") {
        p.setPen(blue);
        p.drawLine(QPointF(l + w, t), QPointF(l + w, t + h));
        p.drawLine(QPointF(l, cy), QPointF(cx, cy));
        p.setPen(QPen(QColor(200, 0, 0), 1, Qt::DashLine));
        p.drawLine(QPointF(cx, cy), QPointF(l + w, cy));
    } else if (n == u"打断") {
        p.setPen(blue);
        p.drawLine(QPointF(l, t + h), QPointF(cx - 2, cy + 2));
        p.drawLine(QPointF(cx + 2, cy - 2), QPointF(l + w, t));
        dot(cx - 2, cy + 2, Qt::red);
        dot(cx + 2, cy - 2, Qt::red);
    } else if (n == u"倒角") {
        p.setPen(blue);
        p.drawPolyline(
            QPolygonF({QPointF(l, t), QPointF(l + w - 6, t), QPointF(l + w, t + 6), QPointF(l + w, t + h)}));
    } else if (n == u"圆角") {
        p.setPen(blue);
        QPainterPath path(QPointF(l, t));
        path.lineTo(l + w - 7, t);
        path.quadTo(QPointF(l + w, t), QPointF(l + w, t + 7));
        path.lineTo(l + w, t + h);
        p.drawPath(path);
    } else if (n == u"分解") {
        p.setPen(red);
        for (int i = 0; i < 8; ++i) {
            const double a = M_PI / 4 * i;
            p.drawLine(QPointF(cx + 2 * qCos(a), cy + 2 * qSin(a)),
                       QPointF(cx + w / 2 * qCos(a), cy + h / 2 * qSin(a)));
        }
    } else if (n == u"新建") {
        p.setPen(ink);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(l + 2, t), QPointF(l + w - 5, t), QPointF(l + w - 1, t + 4),
                                 QPointF(l + w - 1, t + h), QPointF(l + 2, t + h)}));
    } else if (n == u"打开") {
        p.setPen(ink);
        p.setBrush(QColor(250, 215, 90));
        p.drawPolygon(QPolygonF({QPointF(l, t + 3), QPointF(l + 5, t + 3), QPointF(l + 7, t + 5),
                                 QPointF(l + w - 2, t + 5), QPointF(l + w - 2, t + h), QPointF(l, t + h)}));
        p.setBrush(QColor(255, 235, 150));
        p.drawPolygon(QPolygonF({QPointF(l + 3, t + 8), QPointF(l + w + 1, t + 8), QPointF(l + w - 2, t + h),
                                 QPointF(l, t + h)}));
    } else if (n == u"保存") {
        p.setPen(ink);
        p.setBrush(QColor(40, 60, 160));
        p.drawRect(r);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(l + 3, t + 1, w - 6, h * 0.45));
        p.setBrush(QColor(180, 180, 180));
        p.drawRect(QRectF(l + 4, t + h * 0.65, w - 8, h * 0.35));
    } else if (n == u"打印") {
        p.setPen(ink);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(l + 3, t, w - 6, h * 0.45));
        p.setBrush(QColor(190, 190, 190));
        p.drawRect(QRectF(l, t + h * 0.4, w, h * 0.45));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(l + 3, t + h * 0.75, w - 6, h * 0.25));
    } else if (n == u"预览") {
        p.setPen(ink);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(l, t, w * 0.7, h));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(l + w * 0.35, t + h * 0.35, w * 0.45, h * 0.45));
        p.drawLine(QPointF(l + w * 0.75, t + h * 0.75), QPointF(l + w, t + h));
    } else if (n == u"剪切") {
        p.setPen(ink);
        p.drawEllipse(QRectF(l, t + h * 0.6, w * 0.35, h * 0.4));
        p.drawEllipse(QRectF(l + w * 0.65, t + h * 0.6, w * 0.35, h * 0.4));
        p.drawLine(QPointF(l + w * 0.25, t + h * 0.6), QPointF(l + w * 0.7, t));
        p.drawLine(QPointF(l + w * 0.75, t + h * 0.6), QPointF(l + w * 0.3, t));
    } else if (n == u"粘贴") {
        p.setPen(ink);
        p.setBrush(QColor(200, 150, 80));
        p.drawRect(QRectF(l, t + 2, w * 0.7, h - 2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(l + w * 0.4, t + h * 0.4, w * 0.6, h * 0.6));
    } else if (n == u"特性匹配") {
        p.setPen(ink);
        p.setBrush(QColor(240, 200, 60));
        p.drawRect(QRectF(l, t, w, h * 0.4));
        p.setBrush(QColor(160, 100, 40));
        p.drawRect(QRectF(cx - 1.5, t + h * 0.4, 3, h * 0.6));
    } else if (n == u"放弃" || n == u"重做") {
        const bool undo = n == u"放弃";
        p.setPen(QPen(QColor(0, 70, 200), 2));
        p.drawArc(r.adjusted(2, 3, -2, 6), undo ? 0 : 0, 180 * 16);
        p.setBrush(QColor(0, 70, 200));
        const double x = undo ? l + 2 : l + w - 2;
        p.drawPolygon(QPolygonF({QPointF(x - 4, cy + 1), QPointF(x + 4, cy + 1), QPointF(x, cy + 6)}));
    } else if (n == u"实时平移") {
        p.setPen(ink);
        p.setBrush(QColor(255, 225, 190));
        p.drawRoundedRect(QRectF(l + 2, t + h * 0.35, w - 4, h * 0.65), 3, 3);
        for (int i = 0; i < 4; ++i)
            p.drawRoundedRect(
                QRectF(l + 2 + i * (w - 4) / 4, t + 1 + (i == 0 ? 4 : 0), (w - 4) / 4 - 0.5, h * 0.5), 1.5,
                1.5);
    } else if (n == u"实时缩放" || n == u"窗口缩放" || n == u"缩放上一个") {
        p.setPen(QPen(Qt::black, 1.3));
        p.setBrush(QColor(220, 240, 255));
        p.drawEllipse(QRectF(l, t, w * 0.7, h * 0.7));
        p.setPen(QPen(QColor(120, 60, 0), 2.5));
        p.drawLine(QPointF(l + w * 0.62, t + h * 0.62), QPointF(l + w, t + h));
        p.setPen(QPen(Qt::black, 1.2));
        if (n == u"实时缩放") {
            p.drawLine(QPointF(l + w * 0.2, t + h * 0.35), QPointF(l + w * 0.5, t + h * 0.35));
            p.drawLine(QPointF(l + w * 0.35, t + h * 0.2), QPointF(l + w * 0.35, t + h * 0.5));
        } else if (n == u"窗口缩放") {
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(l + w * 0.2, t + h * 0.2, w * 0.3, h * 0.3));
        } else {
            p.drawLine(QPointF(l + w * 0.2, t + h * 0.35), QPointF(l + w * 0.5, t + h * 0.35));
        }
    } else if (n == u"特性") {
        p.setPen(ink);
        p.setBrush(Qt::white);
        p.drawRect(r);
        for (int i = 1; i < 4; ++i)
            p.drawLine(QPointF(l + 2, t + i * h / 4), QPointF(l + w - 2, t + i * h / 4));
        p.fillRect(QRectF(l + 1, t + 1, w - 1, h / 4 - 1), QColor(0, 70, 200));
    } else if (n == u"设计中心") {
        p.setPen(ink);
        p.setBrush(QColor(250, 215, 90));
        p.drawRect(QRectF(l, t + 2, w * 0.6, h * 0.6));
        p.setBrush(QColor(120, 200, 120));
        p.drawEllipse(QRectF(l + w * 0.4, t + h * 0.35, w * 0.6, h * 0.6));
    } else if (n == u"工具选项板") {
        p.setPen(ink);
        p.setBrush(QColor(220, 220, 240));
        p.drawRect(QRectF(l + 2, t, w - 4, h));
        for (int i = 0; i < 3; ++i)
            p.fillRect(QRectF(l + 4, t + 2 + i * h / 3, 4, 4), QColor(200, 60, 60));
    } else if (n == u"帮助") {
        p.setBrush(QColor(255, 240, 120));
        p.setPen(ink);
        p.drawEllipse(r);
        p.setFont(uiFont(11, true));
        p.setPen(QColor(0, 0, 140));
        p.drawText(r.toRect(), Qt::AlignCenter, QStringLiteral("?"));
    } else if (n == u"图层按钮") {
        p.setPen(ink);
        for (int i = 0; i < 3; ++i) {
            p.setBrush(i == 0   ? QColor(250, 230, 90)
                       : i == 1 ? QColor(120, 200, 250)
                                : QColor(140, 220, 140));
            p.drawPolygon(QPolygonF({QPointF(l + 3, t + 4 + i * 4), QPointF(l + w, t + 4 + i * 4),
                                     QPointF(l + w - 3, t + 9 + i * 4), QPointF(l, t + 9 + i * 4)}));
        }
    } else if (n == u"线性标注" || n == u"对齐标注") {
        p.setPen(QPen(QColor(0, 120, 0), 1.2));
        p.save();
        if (n == u"对齐标注") {
            p.translate(cx, cy);
            p.rotate(-30);
            p.translate(-cx, -cy);
        }
        p.drawLine(QPointF(l, t + 2), QPointF(l, t + h));
        p.drawLine(QPointF(l + w, t + 2), QPointF(l + w, t + h));
        p.drawLine(QPointF(l, cy), QPointF(l + w, cy));
        p.setBrush(QColor(0, 120, 0));
        p.drawPolygon(QPolygonF({QPointF(l, cy), QPointF(l + 4, cy - 2), QPointF(l + 4, cy + 2)}));
        p.drawPolygon(
            QPolygonF({QPointF(l + w, cy), QPointF(l + w - 4, cy - 2), QPointF(l + w - 4, cy + 2)}));
        p.restore();
    } else if (n == u"半径标注" || n == u"直径标注") {
        p.setPen(blue);
        p.drawEllipse(r);
        p.setPen(QPen(QColor(0, 120, 0), 1.2));
        if (n == u"半径标注")
            p.drawLine(QPointF(cx, cy), QPointF(l + w, t));
        else
            p.drawLine(QPointF(l, t + h), QPointF(l + w, t));
    } else if (n == u"角度标注") {
        p.setPen(blue);
        p.drawLine(QPointF(l, t + h), QPointF(l + w, t + h));
        p.drawLine(QPointF(l, t + h), QPointF(l + w, t));
        p.setPen(QPen(QColor(0, 120, 0), 1.2));
        p.drawArc(QRectF(l - w * 0.7, t + h * 0.3, w * 1.4, h * 1.4), 0, 35 * 16);
    } else if (n == u"引线") {
        p.setPen(QPen(QColor(0, 120, 0), 1.2));
        p.drawLine(QPointF(l, t + h), QPointF(cx, t + 3));
        p.drawLine(QPointF(cx, t + 3), QPointF(l + w, t + 3));
        p.setFont(uiFont(8));
        p.drawText(QRectF(cx, t + 4, w / 2, h / 2), Qt::AlignCenter, QStringLiteral("A"));
    } else if (n == u"发布") {
        p.setPen(ink);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(l, t + 3, w * 0.6, h - 3));
        p.setBrush(QColor(90, 160, 90));
        p.drawEllipse(QRectF(l + w * 0.45, t, w * 0.55, h * 0.55));
    }
    p.restore();
}

// ---- main window geometry --------------------------------------------------

struct Named {
    QString name;
    QRect rect;
};

const QStringList &stdButtons() {
    static const QStringList b = {QStringLiteral("新建"),
                                  QStringLiteral("打开"),
                                  QStringLiteral("保存"),
                                  QString(),
                                  QStringLiteral("打印"),
                                  QStringLiteral("预览"),
                                  QStringLiteral("发布"),
                                  QString(),
                                  QStringLiteral("剪切"),
                                  QStringLiteral("复制"),
                                  QStringLiteral("粘贴"),
                                  QStringLiteral("特性匹配"),
                                  QString(),
                                  QStringLiteral("放弃"),
                                  QStringLiteral("重做"),
                                  QString(),
                                  QStringLiteral("实时平移"),
                                  QStringLiteral("实时缩放"),
                                  QStringLiteral("窗口缩放"),
                                  QStringLiteral("缩放上一个"),
                                  QString(),
                                  QStringLiteral("特性"),
                                  QStringLiteral("设计中心"),
                                  QStringLiteral("工具选项板"),
                                  QString(),
                                  QStringLiteral("帮助")};
    return b;
}
const QStringList &drawButtons() {
    static const QStringList b = {
        QStringLiteral("直线"),     QStringLiteral("构造线"),   QStringLiteral("多段线"),
        QStringLiteral("多边形"),   QStringLiteral("矩形"),     QStringLiteral("圆弧"),
        QStringLiteral("圆"),       QStringLiteral("样条曲线"), QStringLiteral("椭圆"),
        QStringLiteral("插入块"),   QStringLiteral("创建块"),   QStringLiteral("点"),
        QStringLiteral("图案填充"), QStringLiteral("多行文字")};
    return b;
}
const QStringList &modifyButtons() {
    static const QStringList b = {QStringLiteral("删除"), QStringLiteral("复制"), QStringLiteral("镜像"),
                                  QStringLiteral("偏移"), QStringLiteral("阵列"), QStringLiteral("移动"),
                                  QStringLiteral("旋转"), QStringLiteral("缩放"), QStringLiteral("拉伸"),
                                  QStringLiteral("修剪"), QStringLiteral("延伸"), QStringLiteral("打断"),
                                  QStringLiteral("倒角"), QStringLiteral("圆角"), QStringLiteral("分解")};
    return b;
}
const QStringList &statusButtons() {
    static const QStringList b = {QStringLiteral("捕捉"),     QStringLiteral("栅格"),
                                  QStringLiteral("正交"),     QStringLiteral("极轴"),
                                  QStringLiteral("对象捕捉"), QStringLiteral("对象追踪"),
                                  QStringLiteral("线宽"),     QStringLiteral("模型")};
    return b;
}

const QVector<Named> &stdRects() {
    static const QVector<Named> v = [] {
        QVector<Named> out;
        int x = 10;
        for (const QString &b : stdButtons()) {
            if (b.isEmpty()) {
                x += 6;
                continue;
            }
            out.push_back({b, QRect(x, lay::StdTop + 2, 23, 22)});
            x += 23;
        }
        return out;
    }();
    return v;
}

QVector<Named> columnRects(const QStringList &names, int x, int top) {
    QVector<Named> out;
    for (int i = 0; i < names.size(); ++i)
        out.push_back({names.at(i), QRect(x, top + 8 + i * 24, 24, 23)});
    return out;
}

QVector<Named> propRects() {
    const int y = lay::PropTop + 2;
    return {{QStringLiteral("图层按钮"), QRect(10, y, 23, 22)},
            {QStringLiteral("图层"), QRect(38, y + 1, 200, 20)},
            {QStringLiteral("颜色"), QRect(250, y + 1, 110, 20)},
            {QStringLiteral("线型"), QRect(368, y + 1, 130, 20)},
            {QStringLiteral("线宽"), QRect(506, y + 1, 110, 20)},
            {QStringLiteral("打印样式"), QRect(624, y + 1, 100, 20)}};
}

QVector<Named> statusRects() {
    QVector<Named> out;
    int x = 176;
    for (const QString &b : statusButtons()) {
        const int w = b.size() * 13 + 10;
        out.push_back({b, QRect(x, lay::StatusTop + 5, w, 20)});
        x += w + 2;
    }
    return out;
}

QVector<Named> tabRects() {
    return {{QStringLiteral("模型"), QRect(72, lay::TabTop + 1, 40, lay::TabH - 2)},
            {QStringLiteral("布局1"), QRect(112, lay::TabTop + 1, 46, lay::TabH - 2)},
            {QStringLiteral("布局2"), QRect(158, lay::TabTop + 1, 46, lay::TabH - 2)}};
}

QRect commandBoxRect(const ScreenState &s) {
    QFontMetrics fm(uiFont());
    const int x = 8 + fm.horizontalAdvance(s.prompt) + 4;
    return QRect(x, lay::CmdTop + 4 * lay::CmdLineH + 1, 760 - x, lay::CmdLineH);
}

// ---- dialogs -----------------------------------------------------------

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

const QHash<QString, DialogDef> &dialogs() {
    static const QHash<QString, DialogDef> all = [] {
        QHash<QString, DialogDef> h;
        auto def = [&](const QString &name, const QString &title, int w, int hh) -> DialogDef & {
            DialogDef &d = h[name];
            d.name = name;
            d.title = title;
            d.size = QSize(w, hh);
            return d;
        };
        auto add = [](DialogDef &d, const char *kind, const QString &name, int x, int y, int w, int hh,
                      const QString &text) {
            d.ctls.push_back({QString::fromLatin1(kind), name, QRect(x, y, w, hh), text});
        };
        auto okCancel = [&](DialogDef &d, bool apply = false) {
            const int y = d.size.height() - 34;
            int x = d.size.width() - (apply ? 4 : 3) * 80 - 8;
            add(d, "button", QStringLiteral("确定"), x, y, 73, 22, QStringLiteral("确定"));
            add(d, "button", QStringLiteral("取消"), x + 80, y, 73, 22, QStringLiteral("取消"));
            if (apply) {
                add(d, "button", QStringLiteral("应用"), x + 160, y, 73, 22, QStringLiteral("应用(&A)"));
                x += 80;
            }
            add(d, "button", QStringLiteral("帮助"), x + 160, y, 73, 22, QStringLiteral("帮助(&H)"));
        };
        {
            DialogDef &d = def(QStringLiteral("图层"), QStringLiteral("图层特性管理器"), 580, 340);
            add(d, "label", QString(), 12, 32, 120, 18, QStringLiteral("命名图层过滤器"));
            add(d, "combo", QStringLiteral("过滤器"), 12, 52, 190, 20, QStringLiteral("显示所有图层"));
            add(d, "check", QStringLiteral("反向过滤器"), 12, 78, 130, 18, QStringLiteral("反向过滤器(&I)"));
            add(d, "button", QStringLiteral("新建"), 330, 34, 73, 22, QStringLiteral("新建(&N)"));
            add(d, "button", QStringLiteral("删除"), 410, 34, 73, 22, QStringLiteral("删除(&D)"));
            add(d, "button", QStringLiteral("当前"), 330, 62, 73, 22, QStringLiteral("当前(&C)"));
            add(d, "button", QStringLiteral("显示细节"), 410, 62, 73, 22, QStringLiteral("显示细节"));
            add(d, "label", QString(), 12, 104, 300, 18, QStringLiteral("当前图层: 0"));
            add(d, "list", QStringLiteral("列表"), 12, 124, 556, 168,
                QStringLiteral("名称|开|冻结|锁定|颜色|线型|线宽|打印样式|打印"));
            okCancel(d, true);
        }
        {
            DialogDef &d = def(QStringLiteral("草图设置"), QStringLiteral("草图设置"), 440, 380);
            add(d, "tabs", QStringLiteral("选项卡"), 10, 30, 420, 300,
                QStringLiteral("捕捉和栅格|极轴追踪|对象捕捉"));
            add(d, "check", QStringLiteral("启用对象捕捉"), 24, 66, 160, 18,
                QStringLiteral("启用对象捕捉 (F3)(&O)"));
            add(d, "check", QStringLiteral("启用对象捕捉追踪"), 230, 66, 180, 18,
                QStringLiteral("启用对象捕捉追踪 (F11)(&K)"));
            add(d, "group", QString(), 20, 92, 400, 196, QStringLiteral("对象捕捉模式"));
            const QStringList left = {QStringLiteral("端点"),   QStringLiteral("中点"),
                                      QStringLiteral("圆心"),   QStringLiteral("节点"),
                                      QStringLiteral("象限点"), QStringLiteral("交点"),
                                      QStringLiteral("延伸")};
            const QStringList right = {QStringLiteral("插入点"),   QStringLiteral("垂足"),
                                       QStringLiteral("切点"),     QStringLiteral("最近点"),
                                       QStringLiteral("外观交点"), QStringLiteral("平行")};
            for (int i = 0; i < left.size(); ++i)
                add(d, "check", left.at(i), 36, 112 + i * 24, 120, 18, left.at(i));
            for (int i = 0; i < right.size(); ++i)
                add(d, "check", right.at(i), 230, 112 + i * 24, 120, 18, right.at(i));
            add(d, "button", QStringLiteral("全部选择"), 330, 112, 80, 22, QStringLiteral("全部选择"));
            add(d, "button", QStringLiteral("全部清除"), 330, 140, 80, 22, QStringLiteral("全部清除"));
            add(d, "button", QStringLiteral("选项"), 12, 346, 73, 22, QStringLiteral("选项(&T)..."));
            okCancel(d);
        }
        {
            DialogDef &d = def(QStringLiteral("文字样式"), QStringLiteral("文字样式"), 460, 300);
            add(d, "group", QString(), 10, 30, 440, 60, QStringLiteral("样式名(&S)"));
            add(d, "combo", QStringLiteral("样式名"), 20, 52, 170, 20, QStringLiteral("Standard"));
            add(d, "button", QStringLiteral("新建"), 200, 50, 73, 22, QStringLiteral("新建(&N)..."));
            add(d, "button", QStringLiteral("重命名"), 280, 50, 73, 22, QStringLiteral("重命名(&R)..."));
            add(d, "button", QStringLiteral("删除"), 360, 50, 73, 22, QStringLiteral("删除(&D)"));
            add(d, "group", QString(), 10, 96, 440, 66, QStringLiteral("字体"));
            add(d, "label", QString(), 20, 112, 80, 16, QStringLiteral("字体名(&F):"));
            add(d, "combo", QStringLiteral("字体名"), 20, 130, 170, 20, QStringLiteral("txt.shx"));
            add(d, "label", QString(), 200, 112, 80, 16, QStringLiteral("字体样式(&Y):"));
            add(d, "combo", QStringLiteral("字体样式"), 200, 130, 120, 20, QStringLiteral("常规"));
            add(d, "label", QString(), 330, 112, 80, 16, QStringLiteral("高度(&T):"));
            add(d, "edit", QStringLiteral("高度"), 330, 130, 110, 20, QStringLiteral("0.0000"));
            add(d, "group", QString(), 10, 168, 250, 90, QStringLiteral("效果"));
            add(d, "check", QStringLiteral("颠倒"), 20, 186, 80, 18, QStringLiteral("颠倒(&E)"));
            add(d, "check", QStringLiteral("反向"), 20, 210, 80, 18, QStringLiteral("反向(&K)"));
            add(d, "check", QStringLiteral("垂直"), 20, 234, 80, 18, QStringLiteral("垂直(&V)"));
            add(d, "label", QString(), 120, 186, 80, 16, QStringLiteral("宽度比例(&W):"));
            add(d, "edit", QStringLiteral("宽度比例"), 120, 204, 120, 20, QStringLiteral("1.0000"));
            add(d, "label", QString(), 120, 228, 80, 16, QStringLiteral("倾斜角度(&O):"));
            add(d, "edit", QStringLiteral("倾斜角度"), 120, 244, 120, 20, QStringLiteral("0"));
            add(d, "preview", QStringLiteral("预览"), 270, 174, 180, 84, QStringLiteral("AaBbCcD"));
            add(d, "button", QStringLiteral("应用"), 210, 268, 73, 22, QStringLiteral("应用(&A)"));
            add(d, "button", QStringLiteral("取消"), 290, 268, 73, 22, QStringLiteral("取消"));
            add(d, "button", QStringLiteral("帮助"), 370, 268, 73, 22, QStringLiteral("帮助(&H)"));
        }
        {
            DialogDef &d = def(QStringLiteral("新建文字样式"), QStringLiteral("新建文字样式"), 300, 110);
            add(d, "label", QString(), 14, 40, 70, 18, QStringLiteral("样式名:"));
            add(d, "edit", QStringLiteral("样式名"), 80, 38, 200, 20, QStringLiteral("样式 1"));
            add(d, "button", QStringLiteral("确定"), 120, 76, 73, 22, QStringLiteral("确定"));
            add(d, "button", QStringLiteral("取消"), 206, 76, 73, 22, QStringLiteral("取消"));
        }
        {
            DialogDef &d = def(QStringLiteral("打印"), QStringLiteral("打印"), 520, 390);
            add(d, "label", QString(), 12, 32, 300, 18, QStringLiteral("布局名: 模型"));
            add(d, "tabs", QStringLiteral("选项卡"), 10, 56, 500, 250, QStringLiteral("打印设备|打印设置"));
            add(d, "group", QString(), 20, 90, 480, 70, QStringLiteral("打印机配置"));
            add(d, "label", QString(), 30, 112, 60, 16, QStringLiteral("名称(&M):"));
            add(d, "combo", QStringLiteral("打印机"), 96, 110, 280, 20, QStringLiteral("DWF6 ePlot.pc3"));
            add(d, "button", QStringLiteral("特性"), 390, 108, 80, 22, QStringLiteral("特性(&R)..."));
            add(d, "group", QString(), 20, 170, 230, 126, QStringLiteral("打印区域"));
            add(d, "radio", QStringLiteral("界限"), 32, 190, 90, 18, QStringLiteral("界限(&L)"));
            add(d, "radio", QStringLiteral("范围"), 32, 214, 90, 18, QStringLiteral("范围(&X)"));
            add(d, "radio", QStringLiteral("显示"), 32, 238, 90, 18, QStringLiteral("显示(&D)"));
            add(d, "radio", QStringLiteral("窗口"), 32, 262, 90, 18, QStringLiteral("窗口(&N)"));
            add(d, "group", QString(), 260, 170, 240, 126, QStringLiteral("打印份数"));
            add(d, "label", QString(), 272, 192, 80, 16, QStringLiteral("份数(&B):"));
            add(d, "edit", QStringLiteral("份数"), 350, 190, 60, 20, QStringLiteral("1"));
            add(d, "check", QStringLiteral("打印到文件"), 272, 224, 140, 18,
                QStringLiteral("打印到文件(&F)"));
            add(d, "button", QStringLiteral("完全预览"), 12, 352, 86, 22, QStringLiteral("完全预览(&W)..."));
            add(d, "button", QStringLiteral("部分预览"), 104, 352, 86, 22, QStringLiteral("部分预览(&P)..."));
            add(d, "button", QStringLiteral("确定"), 276, 352, 73, 22, QStringLiteral("确定"));
            add(d, "button", QStringLiteral("取消"), 356, 352, 73, 22, QStringLiteral("取消"));
            add(d, "button", QStringLiteral("帮助"), 436, 352, 73, 22, QStringLiteral("帮助(&H)"));
        }
        {
            DialogDef &d = def(QStringLiteral("打印进度"), QStringLiteral("打印进度"), 320, 120);
            add(d, "label", QString(), 20, 40, 280, 18, QStringLiteral("正在打印: 模型"));
            add(d, "track", QStringLiteral("进度"), 20, 66, 280, 14, QStringLiteral("60"));
            add(d, "button", QStringLiteral("取消"), 124, 90, 73, 22, QStringLiteral("取消"));
        }
        {
            DialogDef &d = def(QStringLiteral("块定义"), QStringLiteral("块定义"), 460, 320);
            add(d, "label", QString(), 12, 34, 60, 18, QStringLiteral("名称(&A):"));
            add(d, "combo", QStringLiteral("名称"), 76, 32, 200, 20, QString());
            add(d, "group", QString(), 10, 64, 200, 120, QStringLiteral("基点"));
            add(d, "button", QStringLiteral("拾取点"), 22, 84, 90, 22, QStringLiteral("拾取点(&K)"));
            add(d, "label", QString(), 22, 114, 20, 16, QStringLiteral("X:"));
            add(d, "edit", QStringLiteral("X"), 44, 112, 150, 20, QStringLiteral("0"));
            add(d, "label", QString(), 22, 136, 20, 16, QStringLiteral("Y:"));
            add(d, "edit", QStringLiteral("Y"), 44, 134, 150, 20, QStringLiteral("0"));
            add(d, "label", QString(), 22, 158, 20, 16, QStringLiteral("Z:"));
            add(d, "edit", QStringLiteral("Z"), 44, 156, 150, 20, QStringLiteral("0"));
            add(d, "group", QString(), 220, 64, 230, 120, QStringLiteral("对象"));
            add(d, "button", QStringLiteral("选择对象"), 232, 84, 90, 22, QStringLiteral("选择对象(&T)"));
            add(d, "radio", QStringLiteral("保留"), 232, 112, 90, 18, QStringLiteral("保留(&R)"));
            add(d, "radio", QStringLiteral("转换为块"), 232, 134, 100, 18, QStringLiteral("转换为块(&C)"));
            add(d, "radio", QStringLiteral("删除"), 232, 156, 90, 18, QStringLiteral("删除(&D)"));
            add(d, "label", QString(), 12, 196, 120, 16, QStringLiteral("拖放单位(&U):"));
            add(d, "combo", QStringLiteral("单位"), 12, 214, 160, 20, QStringLiteral("毫米"));
            add(d, "label", QString(), 12, 240, 120, 16, QStringLiteral("说明(&E):"));
            add(d, "edit", QStringLiteral("说明"), 12, 256, 436, 20, QString());
            okCancel(d);
        }
        {
            DialogDef &d = def(QStringLiteral("插入"), QStringLiteral("插入"), 460, 300);
            add(d, "label", QString(), 12, 34, 60, 18, QStringLiteral("名称(&N):"));
            add(d, "combo", QStringLiteral("名称"), 76, 32, 200, 20, QString());
            add(d, "button", QStringLiteral("浏览"), 290, 30, 80, 22, QStringLiteral("浏览(&B)..."));
            add(d, "group", QString(), 10, 70, 140, 150, QStringLiteral("插入点"));
            add(d, "check", QStringLiteral("插入点屏幕"), 20, 90, 125, 18,
                QStringLiteral("在屏幕上指定(&S)"));
            add(d, "group", QString(), 160, 70, 140, 150, QStringLiteral("缩放比例"));
            add(d, "check", QStringLiteral("比例屏幕"), 170, 90, 125, 18, QStringLiteral("在屏幕上指定(&E)"));
            add(d, "label", QString(), 170, 116, 20, 16, QStringLiteral("X:"));
            add(d, "edit", QStringLiteral("比例X"), 190, 114, 100, 20, QStringLiteral("1"));
            add(d, "group", QString(), 310, 70, 140, 150, QStringLiteral("旋转"));
            add(d, "check", QStringLiteral("旋转屏幕"), 320, 90, 125, 18, QStringLiteral("在屏幕上指定(&C)"));
            add(d, "label", QString(), 320, 116, 40, 16, QStringLiteral("角度:"));
            add(d, "edit", QStringLiteral("角度"), 360, 114, 80, 20, QStringLiteral("0"));
            add(d, "check", QStringLiteral("分解"), 12, 236, 80, 18, QStringLiteral("分解(&D)"));
            okCancel(d);
        }
        {
            DialogDef &d = def(QStringLiteral("另存为"), QStringLiteral("图形另存为"), 500, 320);
            add(d, "label", QString(), 12, 34, 70, 18, QStringLiteral("保存于(&I):"));
            add(d, "combo", QStringLiteral("保存于"), 84, 32, 260, 20, QStringLiteral("我的文档"));
            add(d, "list", QStringLiteral("文件"), 12, 60, 476, 170, QStringLiteral("名称|大小|类型"));
            add(d, "label", QString(), 12, 244, 80, 18, QStringLiteral("文件名(&N):"));
            add(d, "edit", QStringLiteral("文件名"), 96, 242, 290, 20, QStringLiteral("Drawing1.dwg"));
            add(d, "label", QString(), 12, 272, 80, 18, QStringLiteral("文件类型(&T):"));
            add(d, "combo", QStringLiteral("文件类型"), 96, 270, 290, 20,
                QStringLiteral("AutoCAD 2004 图形 (*.dwg)"));
            add(d, "button", QStringLiteral("保存"), 404, 242, 80, 22, QStringLiteral("保存(&S)"));
            add(d, "button", QStringLiteral("取消"), 404, 270, 80, 22, QStringLiteral("取消"));
        }
        {
            DialogDef &d = def(QStringLiteral("选项"), QStringLiteral("选项"), 540, 390);
            add(d, "label", QString(), 12, 32, 300, 18, QStringLiteral("当前配置: <<未命名配置>>"));
            add(d, "tabs", QStringLiteral("选项卡"), 10, 54, 520, 290,
                QStringLiteral("文件|显示|打开和保存|打印|系统|用户系统配置|草图|选择"));
            add(d, "group", QString(), 20, 88, 250, 150, QStringLiteral("窗口元素"));
            add(d, "check", QStringLiteral("滚动条"), 30, 108, 220, 18,
                QStringLiteral("图形窗口中显示滚动条(&S)"));
            add(d, "check", QStringLiteral("屏幕菜单"), 30, 132, 220, 18, QStringLiteral("显示屏幕菜单(&U)"));
            add(d, "check", QStringLiteral("工具栏提示"), 30, 156, 220, 18,
                QStringLiteral("在工具栏中显示工具栏提示"));
            add(d, "button", QStringLiteral("颜色"), 30, 200, 100, 22, QStringLiteral("颜色(&C)..."));
            add(d, "button", QStringLiteral("字体"), 140, 200, 100, 22, QStringLiteral("字体(&F)..."));
            add(d, "group", QString(), 280, 88, 240, 150, QStringLiteral("显示精度"));
            add(d, "edit", QStringLiteral("圆弧平滑度"), 290, 108, 60, 20, QStringLiteral("1000"));
            add(d, "label", QString(), 356, 110, 150, 16, QStringLiteral("圆弧和圆的平滑度(&A)"));
            add(d, "group", QString(), 20, 246, 500, 90, QStringLiteral("十字光标大小(&Z)"));
            add(d, "edit", QStringLiteral("十字光标大小"), 30, 270, 50, 20, QStringLiteral("5"));
            add(d, "track", QStringLiteral("滑轨"), 90, 274, 300, 12, QString());
            okCancel(d, true);
        }
        {
            DialogDef &d = def(QStringLiteral("标注样式"), QStringLiteral("标注样式管理器"), 480, 320);
            add(d, "label", QString(), 12, 32, 200, 18, QStringLiteral("当前标注样式: ISO-25"));
            add(d, "label", QString(), 12, 52, 60, 16, QStringLiteral("样式(&S):"));
            add(d, "list", QStringLiteral("样式"), 12, 70, 140, 190, QStringLiteral("样式"));
            add(d, "preview", QStringLiteral("预览"), 162, 70, 200, 190, QStringLiteral("dim"));
            add(d, "button", QStringLiteral("置为当前"), 376, 70, 92, 22, QStringLiteral("置为当前(&U)"));
            add(d, "button", QStringLiteral("新建"), 376, 98, 92, 22, QStringLiteral("新建(&N)..."));
            add(d, "button", QStringLiteral("修改"), 376, 126, 92, 22, QStringLiteral("修改(&M)..."));
            add(d, "button", QStringLiteral("替代"), 376, 154, 92, 22, QStringLiteral("替代(&O)..."));
            add(d, "button", QStringLiteral("比较"), 376, 182, 92, 22, QStringLiteral("比较(&C)..."));
            add(d, "button", QStringLiteral("关闭"), 300, 284, 80, 22, QStringLiteral("关闭"));
            add(d, "button", QStringLiteral("帮助"), 388, 284, 80, 22, QStringLiteral("帮助(&H)"));
        }
        {
            DialogDef &d = def(QStringLiteral("图案填充"), QStringLiteral("边界图案填充"), 480, 330);
            add(d, "tabs", QStringLiteral("选项卡"), 10, 30, 320, 260,
                QStringLiteral("图案填充|高级|渐变色"));
            add(d, "label", QString(), 20, 64, 60, 16, QStringLiteral("类型(&Y):"));
            add(d, "combo", QStringLiteral("类型"), 90, 62, 200, 20, QStringLiteral("预定义"));
            add(d, "label", QString(), 20, 92, 60, 16, QStringLiteral("图案(&P):"));
            add(d, "combo", QStringLiteral("图案"), 90, 90, 200, 20, QStringLiteral("ANSI31"));
            add(d, "preview", QStringLiteral("样例"), 90, 118, 200, 50, QStringLiteral("hatch"));
            add(d, "label", QString(), 20, 184, 60, 16, QStringLiteral("角度(&L):"));
            add(d, "combo", QStringLiteral("角度"), 90, 182, 200, 20, QStringLiteral("0"));
            add(d, "label", QString(), 20, 212, 60, 16, QStringLiteral("比例(&S):"));
            add(d, "combo", QStringLiteral("比例"), 90, 210, 200, 20, QStringLiteral("1"));
            add(d, "button", QStringLiteral("拾取点"), 350, 40, 110, 22, QStringLiteral("拾取点(&K)"));
            add(d, "button", QStringLiteral("选择对象"), 350, 70, 110, 22, QStringLiteral("选择对象(&B)"));
            add(d, "button", QStringLiteral("预览"), 350, 200, 110, 22, QStringLiteral("预览(&W)"));
            okCancel(d);
        }
        {
            DialogDef &d = def(QStringLiteral("编辑文字"), QStringLiteral("编辑文字"), 360, 104);
            add(d, "label", QString(), 14, 34, 60, 18, QStringLiteral("文字:"));
            add(d, "edit", QStringLiteral("文字"), 60, 32, 286, 20, QString());
            add(d, "button", QStringLiteral("确定"), 110, 70, 73, 22, QStringLiteral("确定"));
            add(d, "button", QStringLiteral("取消"), 190, 70, 73, 22, QStringLiteral("取消"));
            add(d, "button", QStringLiteral("帮助"), 270, 70, 73, 22, QStringLiteral("帮助(&H)"));
        }
        {
            DialogDef &d = def(QStringLiteral("多行文字"), QStringLiteral("文字格式"), 540, 210);
            add(d, "combo", QStringLiteral("样式"), 8, 30, 100, 20, QStringLiteral("Standard"));
            add(d, "combo", QStringLiteral("字体"), 112, 30, 150, 20, QStringLiteral("txt"));
            add(d, "combo", QStringLiteral("高度"), 266, 30, 60, 20, QStringLiteral("2.5"));
            add(d, "button", QStringLiteral("粗体"), 332, 29, 24, 22, QStringLiteral("B"));
            add(d, "button", QStringLiteral("斜体"), 358, 29, 24, 22, QStringLiteral("I"));
            add(d, "button", QStringLiteral("下划线"), 384, 29, 24, 22, QStringLiteral("U"));
            add(d, "button", QStringLiteral("堆叠"), 412, 29, 24, 22, QStringLiteral("a/b"));
            add(d, "button", QStringLiteral("确定"), 456, 29, 73, 22, QStringLiteral("确定"));
            add(d, "area", QStringLiteral("内容"), 8, 58, 524, 144, QString());
        }
        {
            DialogDef &d = def(QStringLiteral("设计中心"), QStringLiteral("设计中心"), 300, 330);
            add(d, "tabs", QStringLiteral("选项卡"), 6, 30, 288, 290,
                QStringLiteral("文件夹|打开的图形|历史记录"));
            add(d, "list", QStringLiteral("内容"), 12, 60, 276, 250, QStringLiteral("名称"));
        }
        return h;
    }();
    return all;
}

const Ctl *findCtl(const DialogDef &d, const QString &name) {
    for (const Ctl &c : d.ctls)
        if (!c.name.isEmpty() && c.name == name)
            return &c;
    return nullptr;
}

QStringList rowsOf(const ScreenState &s, const QString &key, const QString &fallback = QString()) {
    const QString v = s.values.value(key, fallback);
    return v.isEmpty() ? QStringList() : v.split(u';');
}

QString kindWord(const QString &kind) {
    if (kind == u"button")
        return QStringLiteral("按钮");
    if (kind == u"check")
        return QStringLiteral("复选框");
    if (kind == u"radio")
        return QStringLiteral("单选按钮");
    if (kind == u"edit")
        return QStringLiteral("文本框");
    if (kind == u"combo")
        return QStringLiteral("下拉列表框");
    return QString();
}

constexpr int ListRowH = 18;

} // namespace

// ---- public ---------------------------------------------------------------

QString ScreenState::key() const {
    QStringList parts;
    for (const Entity &e : entities) {
        QStringList nums;
        for (double d : e.v)
            nums << QString::number(d, 'g', 10);
        parts << e.kind + u':' + nums.join(u',') + u':' + e.text + u':' + e.color + (e.dashed ? u"d" : u"");
    }
    QStringList sel;
    for (int i : selected)
        sel << QString::number(i);
    QStringList vals;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        vals << it.key() + u'=' + it.value();
    return QStringList{parts.join(u'/'),
                       sel.join(u','),
                       history.join(u'\n'),
                       prompt,
                       dialog,
                       vals.join(u'\n'),
                       dropdown,
                       dropRows.join(u';'),
                       statusOn.join(u','),
                       layer,
                       title,
                       tab,
                       menuTitles ? QStringLiteral("M") : QString(),
                       floating + u'@' + QString::number(floatPos.x()) + u',' + QString::number(floatPos.y())}
        .join(QChar(0x1f));
}

QString ScreenState::screenKey() const {
    ScreenState bare = *this;
    bare.dialog.clear();
    bare.values.clear();
    bare.dropdown.clear();
    bare.dropRows.clear();
    return bare.key();
}

bool dialogKnown(const QString &name) {
    return dialogs().contains(name);
}
QString dialogTitle(const QString &name) {
    return dialogs().value(name).title;
}

QRect dialogRect(const ScreenState &s) {
    if (s.dialog.isEmpty() || !dialogs().contains(s.dialog))
        return QRect();
    const DialogDef &d = dialogs()[s.dialog];
    if (s.dialog == u"设计中心")
        return QRect(QPoint(lay::DrawLeft + 2, lay::DrawTop + 2), d.size);
    return QRect(QPoint((ScreenW - d.size.width()) / 2, (ScreenH - d.size.height()) / 2 - 30), d.size);
}

QPointF worldToScreen(double x, double y) {
    return QPointF(lay::DrawLeft + 60 + x, lay::DrawBottom - 40 - y);
}

namespace {
QRectF entityBounds(const Entity &e) {
    const auto &v = e.v;
    auto pt = [&](int i) { return worldToScreen(v.value(i), v.value(i + 1)); };
    if (e.kind == u"line" || e.kind == u"rect" || e.kind == u"hatch" || e.kind == u"dim") {
        QPolygonF poly;
        for (int i = 0; i + 1 < (e.kind == u"dim" ? 4 : v.size()); i += 2)
            poly << pt(i);
        QRectF r = poly.boundingRect();
        if (e.kind == u"dim")
            r = r.united(QRectF(pt(0) - QPointF(0, v.value(4)), QSizeF(1, 1)));
        return r;
    }
    if (e.kind == u"circle" || e.kind == u"arc" || e.kind == u"polygon" || e.kind == u"insert") {
        const double rr = e.kind == u"insert" ? 20 * v.value(2, 1) : v.value(2);
        const QPointF c = pt(0);
        return QRectF(c.x() - rr, c.y() - rr, 2 * rr, 2 * rr);
    }
    if (e.kind == u"ellipse") {
        const QPointF c = pt(0);
        return QRectF(c.x() - v.value(2), c.y() - v.value(3), 2 * v.value(2), 2 * v.value(3));
    }
    if (e.kind == u"text") {
        const QPointF c = pt(0);
        const double hgt = v.value(2, 10);
        return QRectF(c.x(), c.y() - hgt, hgt * e.text.size(), hgt);
    }
    if (e.kind == u"point")
        return QRectF(pt(0) - QPointF(3, 3), QSizeF(6, 6));
    return QRectF();
}
} // namespace

QRect dropdownRect(const ScreenState &s) {
    if (s.dropdown.isEmpty())
        return QRect();
    const Element anchor = element(s, s.dropdown);
    if (!anchor.ok)
        return QRect();
    return QRect(anchor.rect.left(), anchor.rect.bottom() + 1, qMax(anchor.rect.width(), 120),
                 qMax(1, int(s.dropRows.size())) * ListRowH + 4);
}

Element element(const ScreenState &s, const QString &name, QString *why) {
    Element e;
    auto fail = [&](const QString &reason) {
        if (why)
            *why = reason;
        return e;
    };
    const int dot = name.indexOf(u'.');
    const QString head = dot < 0 ? name : name.left(dot);
    const QString tail = dot < 0 ? QString() : name.mid(dot + 1);
    auto found = [&](const QRect &r, const QString &label, bool drawing = false) {
        e.rect = r;
        e.label = label;
        e.inDrawing = drawing;
        e.ok = true;
        return e;
    };
    if (name == u"drawing" || name == u"绘图区")
        return found(QRect(lay::DrawLeft + 2, lay::DrawTop + 2, lay::DrawRight - lay::DrawLeft - 4,
                           lay::DrawBottom - lay::DrawTop - 4),
                     QStringLiteral("绘图区"), true);
    if (name == u"命令行")
        return found(commandBoxRect(s), QStringLiteral("命令行"));
    if (head == u"标准") {
        for (const Named &n : stdRects())
            if (n.name == tail)
                return found(n.rect, QStringLiteral("“标准”工具栏中的“%1”按钮").arg(tail));
        return fail(QStringLiteral("the 标准 toolbar has no button “%1”").arg(tail));
    }
    if (head == u"绘图" || head == u"修改") {
        const bool draw = head == u"绘图";
        const auto rects = draw ? columnRects(drawButtons(), 3, lay::DrawTop)
                                : columnRects(modifyButtons(), 773, lay::DrawTop);
        for (const Named &n : rects)
            if (n.name == tail)
                return found(n.rect, QStringLiteral("“%1”工具栏中的“%2”按钮").arg(head, tail));
        return fail(QStringLiteral("the %1 toolbar has no button “%2”").arg(head, tail));
    }
    if (head == u"特性") {
        for (const Named &n : propRects())
            if (n.name == tail)
                return found(n.rect, n.name == u"图层按钮"
                                         ? QStringLiteral("“对象特性”工具栏中的“图层特性管理器”按钮")
                                         : QStringLiteral("“对象特性”工具栏中的“%1”下拉列表框").arg(tail));
        return fail(QStringLiteral("the 对象特性 toolbar has no control “%1”").arg(tail));
    }
    if (head == u"状态") {
        for (const Named &n : statusRects())
            if (n.name == tail)
                return found(n.rect, QStringLiteral("状态栏中的“%1”按钮").arg(tail));
        return fail(QStringLiteral("the status bar has no button “%1”").arg(tail));
    }
    if (head == u"标签") {
        for (const Named &n : tabRects())
            if (n.name == tail)
                return found(n.rect, QStringLiteral("“%1”选项卡").arg(tail));
        return fail(QStringLiteral("no tab “%1”").arg(tail));
    }
    if (head == u"图形") {
        bool ok = false;
        const int n = tail.toInt(&ok);
        if (!ok || n < 1 || n > s.entities.size())
            return fail(QStringLiteral("the drawing has no object %1 (it holds %2)")
                            .arg(tail)
                            .arg(s.entities.size()));
        QRect r = entityBounds(s.entities.at(n - 1)).toAlignedRect();
        if (r.width() < 12)
            r.adjust(-(12 - r.width()) / 2 - 1, 0, (12 - r.width()) / 2 + 1, 0);
        if (r.height() < 12)
            r.adjust(0, -(12 - r.height()) / 2 - 1, 0, (12 - r.height()) / 2 + 1);
        return found(r, QStringLiteral("绘图区中的第%1个对象").arg(n), true);
    }
    if (head == u"点") {
        // 点.x,y : a pick point in the drawing
        const QStringList xy = tail.split(u',');
        if (xy.size() != 2)
            return fail(QStringLiteral("a pick point is written 点.x,y"));
        const QPointF c = worldToScreen(xy.at(0).toDouble(), xy.at(1).toDouble());
        return found(QRect(int(c.x()) - 8, int(c.y()) - 8, 17, 17),
                     QStringLiteral("绘图区中的点(%1,%2)处").arg(xy.at(0), xy.at(1)), true);
    }
    if (head == u"区域") {
        // 区域.x1,y1,x2,y2 : a part of the drawing given by two corners
        const QStringList v = tail.split(u',');
        if (v.size() != 4)
            return fail(QStringLiteral("an area is written 区域.x1,y1,x2,y2"));
        const QRectF r(worldToScreen(v.at(0).toDouble(), v.at(1).toDouble()),
                       worldToScreen(v.at(2).toDouble(), v.at(3).toDouble()));
        return found(r.normalized().toRect(), QStringLiteral("绘图区的指定区域"), true);
    }
    if (head == u"下拉") {
        const QRect dr = dropdownRect(s);
        if (dr.isNull())
            return fail(QStringLiteral("no drop-down list is open"));
        const int i = s.dropRows.indexOf(tail);
        if (i < 0)
            return fail(QStringLiteral("the drop-down list has no row “%1”").arg(tail));
        return found(QRect(dr.left() + 2, dr.top() + 2 + i * ListRowH, dr.width() - 4, ListRowH),
                     QStringLiteral("下拉列表中的“%1”").arg(tail));
    }
    if (dialogs().contains(head)) {
        if (s.dialog != head)
            return fail(QStringLiteral("the dialog “%1” is not open at this step").arg(head));
        const DialogDef &d = dialogs()[head];
        const QPoint o = dialogRect(s).topLeft();
        if (tail == u"标题栏")
            return found(QRect(o.x() + 2, o.y() + 2, d.size.width() - 50, 20),
                         QStringLiteral("“%1”对话框的标题栏").arg(d.title));
        // list rows: 列表.N / 列表.N.列名
        const QStringList parts = tail.split(u'.');
        const Ctl *c = findCtl(d, parts.at(0));
        if (!c)
            return fail(QStringLiteral("the dialog “%1” has no control “%2”").arg(head, parts.at(0)));
        QRect r = c->r.translated(o);
        if (c->kind == u"list" && parts.size() >= 2) {
            const int row = parts.at(1).toInt();
            const QStringList rows = rowsOf(s, head + u'.' + c->name);
            if (row < 1 || row > rows.size())
                return fail(QStringLiteral("the list “%1” has no row %2").arg(c->name, parts.at(1)));
            QRect rr(r.left() + 2, r.top() + 2 + ListRowH * row, r.width() - 4, ListRowH);
            QString label = QStringLiteral("“%1”对话框列表中的第%2行").arg(d.title).arg(row);
            if (parts.size() >= 3) {
                const QStringList cols = c->text.split(u'|');
                const int col = cols.indexOf(parts.at(2));
                if (col < 0)
                    return fail(QStringLiteral("the list “%1” has no column “%2”").arg(c->name, parts.at(2)));
                const int cw = (r.width() - 4) / cols.size();
                const int first = col == 0 ? cw + cw / 2 : cw;
                const int left = col == 0 ? 0 : first + (col - 1) * cw;
                rr = QRect(r.left() + 2 + left, rr.top(), col == 0 ? first : cw, ListRowH);
                label = QStringLiteral("“%1”对话框列表中第%2行的“%3”").arg(d.title).arg(row).arg(parts.at(2));
            }
            return found(rr, label);
        }
        if (c->kind == u"tabs" && parts.size() >= 2) {
            const QStringList tabs = c->text.split(u'|');
            const int i = tabs.indexOf(parts.at(1));
            if (i < 0)
                return fail(QStringLiteral("the dialog “%1” has no tab “%2”").arg(head, parts.at(1)));
            QFontMetrics fm(uiFont());
            int x = r.left() + 2;
            for (int k = 0; k < i; ++k)
                x += fm.horizontalAdvance(tabs.at(k)) + 14;
            return found(QRect(x, r.top(), fm.horizontalAdvance(tabs.at(i)) + 14, 20),
                         QStringLiteral("“%1”选项卡").arg(tabs.at(i)));
        }
        const bool named =
            c->kind == u"edit" || c->kind == u"combo" || c->kind == u"list" || c->kind == u"area";
        QString caption = named ? c->name : noAmp(c->text).section(u'(', 0, 0).trimmed();
        if (caption.isEmpty() || caption.endsWith(QLatin1String("...")))
            caption = c->name;
        return found(r, QStringLiteral("“%1”对话框中的“%2”%3").arg(d.title, caption, kindWord(c->kind)));
    }
    return fail(QStringLiteral("unknown screen element “%1”").arg(name));
}

// ---- rendering -----------------------------------------------------------

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
