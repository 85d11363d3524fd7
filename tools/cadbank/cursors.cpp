#include "cursors.h"

#include <QPainter>
#include <QtEndian>

namespace cadbank {

const QVector<CursorDef> &cursorDefs() {
    static const QVector<CursorDef> defs = {
        {0, 1, 1, "arrow"},      {1, 15, 15, "crosshair with pick box"},
        {2, 15, 15, "pick box"}, {3, 15, 15, "move"},
        {4, 12, 4, "hand"},      {5, 1, 1, "arrow carrying a copy"},
    };
    return defs;
}

QImage cursorImage(const CursorDef &c) {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    auto outlined = [&](const QPolygon &poly) {
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawPolygon(poly);
    };
    auto arrow = [&]() {
        outlined(QPolygon({QPoint(1, 1), QPoint(1, 17), QPoint(5, 13), QPoint(8, 20), QPoint(10, 19),
                           QPoint(7, 12), QPoint(12, 12)}));
    };
    switch (c.number) {
    case 1:
        p.setPen(Qt::black);
        p.drawLine(0, 15, 31, 15);
        p.drawLine(15, 0, 15, 31);
        p.setPen(Qt::white);
        p.drawLine(0, 16, 31, 16);
        p.drawLine(16, 0, 16, 31);
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(12, 12, 7, 7);
        break;
    case 2:
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(11, 11, 9, 9);
        p.setPen(Qt::white);
        p.drawRect(12, 12, 7, 7);
        break;
    case 3:
        outlined(QPolygon({QPoint(15, 1),  QPoint(20, 6),  QPoint(17, 6),  QPoint(17, 13), QPoint(24, 13),
                           QPoint(24, 10), QPoint(29, 15), QPoint(24, 20), QPoint(24, 17), QPoint(17, 17),
                           QPoint(17, 24), QPoint(20, 24), QPoint(15, 29), QPoint(10, 24), QPoint(13, 24),
                           QPoint(13, 17), QPoint(6, 17),  QPoint(6, 20),  QPoint(1, 15),  QPoint(6, 10),
                           QPoint(6, 13),  QPoint(13, 13), QPoint(13, 6),  QPoint(10, 6)}));
        break;
    case 4:
        outlined(QPolygon({QPoint(10, 4), QPoint(13, 2), QPoint(15, 4), QPoint(15, 11), QPoint(17, 3),
                           QPoint(19, 3), QPoint(20, 11), QPoint(22, 5), QPoint(24, 6), QPoint(24, 13),
                           QPoint(26, 9), QPoint(28, 10), QPoint(27, 20), QPoint(23, 27), QPoint(12, 27),
                           QPoint(6, 18), QPoint(5, 14), QPoint(7, 13), QPoint(10, 17)}));
        break;
    case 5:
        arrow();
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(14, 18, 11, 11);
        p.drawLine(17, 23, 22, 23);
        p.drawLine(19, 21, 19, 26);
        break;
    default:
        arrow();
    }
    p.end();
    return img;
}

QByteArray cursorFile(const CursorDef &c) {
    const QImage img = cursorImage(c);
    QByteArray out;
    auto u16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    auto u32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    const quint32 imageBytes = 40 + 8 + 128 + 128;
    // header: reserved, type 2 (cursor), one image
    u16(0);
    u16(2);
    u16(1);
    // directory entry
    out.append(char(32));
    out.append(char(32));
    out.append(char(2));
    out.append(char(0));
    u16(quint16(c.hotX));
    u16(quint16(c.hotY));
    u32(imageBytes);
    u32(22);
    // bitmap header: height counts both masks
    u32(40);
    u32(32);
    u32(64);
    u16(1);
    u16(1);
    u32(0);
    u32(256);
    u32(0);
    u32(0);
    u32(2);
    u32(0);
    // palette: black, white
    u32(0x00000000);
    u32(0x00FFFFFF);
    QByteArray xorMask, andMask;
    for (int y = 31; y >= 0; --y) {
        for (int bx = 0; bx < 4; ++bx) {
            unsigned char x8 = 0, a8 = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const QRgb px = img.pixel(bx * 8 + bit, y);
                const bool opaque = qAlpha(px) >= 128;
                const bool white = qGray(px) >= 128;
                if (!opaque)
                    a8 |= 0x80 >> bit;
                else if (white)
                    x8 |= 0x80 >> bit;
            }
            xorMask.append(char(x8));
            andMask.append(char(a8));
        }
    }
    out += xorMask;
    out += andMask;
    return out;
}

} // namespace cadbank
