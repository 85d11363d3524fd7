#include "simulator/cursorfile.h"
#include "platform/textfile.h"

#include <QtEndian>

namespace sim::cursorfile {

namespace {

quint16 u16(const QByteArray &b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 u32(const QByteArray &b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
qint32 s32(const QByteArray &b, qsizetype at) {
    return qFromLittleEndian<qint32>(b.constData() + at);
}

// A DIB as stored in icon files: header, palette, colour rows (bottom-up), then
// the AND mask (bottom-up, 1 bit per pixel, rows padded to 32 bits).
QImage decodeDib(const QByteArray &d) {
    if (d.size() < 40)
        return {};
    const quint32 headerSize = u32(d, 0);
    const qint32 width = s32(d, 4);
    const qint32 doubledHeight = s32(d, 8);
    const int bpp = u16(d, 14);
    const quint32 compression = u32(d, 16);
    quint32 colours = u32(d, 32);
    if (headerSize < 40 || headerSize > quint32(d.size()) || width <= 0 || width > 256 ||
        doubledHeight <= 0 || doubledHeight > 512 || compression != 0)
        return {};
    const int height = doubledHeight / 2;
    if (height <= 0)
        return {};
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return {};
    if (bpp <= 8 && colours == 0)
        colours = 1u << bpp;
    if (bpp > 8)
        colours = 0;
    if (colours > 256)
        return {};
    const qsizetype paletteAt = headerSize;
    const qsizetype pixelsAt = paletteAt + qsizetype(colours) * 4;
    const qsizetype stride = ((qsizetype(width) * bpp + 31) / 32) * 4;
    const qsizetype maskStride = ((qsizetype(width) + 31) / 32) * 4;
    const qsizetype maskAt = pixelsAt + stride * height;
    const bool hasMask = maskAt + maskStride * height <= d.size();
    if (maskAt > d.size())
        return {};

    QImage img(width, height, QImage::Format_ARGB32);
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const uchar *row =
            reinterpret_cast<const uchar *>(d.constData()) + pixelsAt + stride * (height - 1 - y);
        QRgb *out = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            QRgb c = 0;
            if (bpp == 32) {
                const uchar *p = row + x * 4;
                c = qRgba(p[2], p[1], p[0], p[3]);
                anyAlpha = anyAlpha || p[3] != 0;
            } else if (bpp == 24) {
                const uchar *p = row + x * 3;
                c = qRgb(p[2], p[1], p[0]);
            } else {
                int index = 0;
                if (bpp == 8)
                    index = row[x];
                else if (bpp == 4)
                    index = (row[x / 2] >> ((x % 2) ? 0 : 4)) & 0x0f;
                else
                    index = (row[x / 8] >> (7 - x % 8)) & 1;
                if (quint32(index) < colours) {
                    const qsizetype at = paletteAt + qsizetype(index) * 4;
                    c = qRgb(uchar(d.at(at + 2)), uchar(d.at(at + 1)), uchar(d.at(at)));
                }
            }
            out[x] = c;
        }
    }
    // Without an alpha channel the AND mask decides: a set bit is transparent.
    if (!(bpp == 32 && anyAlpha)) {
        for (int y = 0; y < height; ++y) {
            QRgb *out = reinterpret_cast<QRgb *>(img.scanLine(y));
            const uchar *mask = hasMask ? reinterpret_cast<const uchar *>(d.constData()) + maskAt +
                                              maskStride * (height - 1 - y)
                                        : nullptr;
            for (int x = 0; x < width; ++x) {
                const bool transparent = mask && ((mask[x / 8] >> (7 - x % 8)) & 1);
                out[x] = transparent ? 0u : (out[x] | 0xff000000u);
            }
        }
    }
    return img;
}

} // namespace

Cursor decode(const QByteArray &bytes) {
    Cursor best;
    if (bytes.size() < 6 || u16(bytes, 0) != 0)
        return best;
    const int type = u16(bytes, 2);
    const int count = u16(bytes, 4);
    if ((type != 1 && type != 2) || count == 0 || 6 + qsizetype(count) * 16 > bytes.size())
        return best;
    int bestArea = -1;
    for (int i = 0; i < count; ++i) {
        const qsizetype e = 6 + qsizetype(i) * 16;
        const quint32 size = u32(bytes, e + 8);
        const quint32 offset = u32(bytes, e + 12);
        if (offset >= quint32(bytes.size()) || size > quint32(bytes.size()) - offset)
            continue;
        const QByteArray payload = bytes.mid(offset, size);
        QImage img;
        if (payload.startsWith("\x89PNG"))
            img = QImage::fromData(payload, "PNG").convertToFormat(QImage::Format_ARGB32);
        else
            img = decodeDib(payload);
        if (img.isNull())
            continue;
        const int area = img.width() * img.height();
        if (area <= bestArea)
            continue;
        bestArea = area;
        best.image = img;
        best.hotSpot = type == 2 ? QPoint(u16(bytes, e + 4), u16(bytes, e + 6))
                                 : QPoint(img.width() / 2, img.height() / 2);
        if (best.hotSpot.x() >= img.width() || best.hotSpot.y() >= img.height())
            best.hotSpot = QPoint(0, 0);
    }
    return best;
}

Cursor load(const QString &path) {
    // a regular file only: a pipe named like a pointer file is not waited on
    QByteArray bytes;
    if (path.isEmpty() || !platform::textfile::readBytes(path, bytes))
        return {};
    return decode(bytes.left(1 << 20));
}

} // namespace sim::cursorfile
