#pragma once
// Pointer files in the Windows icon/cursor container: a directory of images, each
// a PNG or a device-independent bitmap (colour rows followed by a 1-bit AND
// mask), with the hot spot stored in the cursor directory entry.

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>

namespace sim::cursorfile {

struct Cursor {
    QImage image; // ARGB32, empty when nothing could be decoded
    QPoint hotSpot;
    bool isNull() const { return image.isNull(); }
};

// Decodes the largest image of the file's directory. Anything malformed gives a
// null cursor, never a crash.
Cursor decode(const QByteArray &bytes);

// Reads and decodes a file; a missing or unreadable file gives a null cursor.
Cursor load(const QString &path);

} // namespace sim::cursorfile
