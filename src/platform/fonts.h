#pragma once
// The typefaces of the trainer in one place: the family lists each look asks
// for and the one way a font is built from them.

#include <QFont>
#include <QStringList>

namespace platform::fonts {

// The interface face: every form, the cover page, the panel and the start picture.
const QStringList &sans();
// The simulated window's text face (hints, dialog boxes, the command line).
const QStringList &song();
// The simulated window's menu titles: the same face, falling back to the sans.
const QStringList &menuSong();
// The brush-script faces of the success text, most wanted first.
const QStringList &script();

// A font of these families; the size in points or in pixels.
QFont points(const QStringList &families, qreal pointSize, bool bold = false);
QFont pixels(const QStringList &families, int pixelSize, bool bold = false);
// The interface face in points (the application font is ui(9)) or in pixels.
QFont ui(qreal pointSize, bool bold = false);
QFont uiPixels(int pixelSize, bool bold = false);
// The first of these families the desktop has, in points (the default family when none).
QFont firstInstalled(const QStringList &preferred, qreal pointSize);

} // namespace platform::fonts
