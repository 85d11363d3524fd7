#pragma once
// Pointer files "icoNN.CUR" of the program folder: 32 x 32 monochrome cursors
// with their hot spots, drawn by code.

#include <QByteArray>
#include <QImage>
#include <QVector>

namespace cadbank {

struct CursorDef {
    int number = 0; // NN of icoNN.CUR
    int hotX = 0;
    int hotY = 0;
    const char *what = "";
};

const QVector<CursorDef> &cursorDefs();
// The cursor's picture: opaque black and white pixels on a transparent ground.
QImage cursorImage(const CursorDef &c);
// The .CUR file bytes (one 32 x 32 1-bit image, AND and XOR masks, hot spot).
QByteArray cursorFile(const CursorDef &c);

} // namespace cadbank
