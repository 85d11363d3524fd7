// The drawing helpers every picture of the simulated screen shares (fonts,
// raised and sunken frames) and the toolbar icons.
#include "screen.h"
#include "screenparts.h"

#include "platform/fonts.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace cadbank::screenparts {

QFont uiFont(int px, bool bold) {
    QFont f = platform::fonts::uiPixels(px, bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QString noAmp(QString t) {
    t.remove(u'&');
    return t;
}

void raised(QPainter &p, const QRect &r, bool pressed) {
    p.fillRect(r, pressed ? QColor(225, 222, 205) : Face);
    p.setPen(pressed ? DarkShadow : Hilite);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(pressed ? Hilite : DarkShadow);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void sunken(QPainter &p, const QRect &r, const QColor &fill) {
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

} // namespace cadbank::screenparts
