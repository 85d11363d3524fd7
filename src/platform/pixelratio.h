#pragma once
// Pictures drawn in code at the screen's pixel density: a painter on a canvas
// works in logical coordinates and the picture stays sharp under any scale factor.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QSize>

namespace platform {

// Device pixels per logical pixel: the highest of the screens (1 without a
// graphical application).
inline qreal pixelRatio() {
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? qGuiApp->devicePixelRatio() : 1.0;
}

// An empty picture of the given logical size drawn at pixelRatio(); its
// deviceIndependentSize() is the logical size.
inline QPixmap canvas(QSize logical) {
    const qreal ratio = pixelRatio();
    QPixmap pm(logical * ratio);
    pm.setDevicePixelRatio(ratio);
    return pm;
}

// The logical rectangle a canvas covers.
inline QRectF canvasRect(const QPixmap &pm) {
    return {QPointF(0, 0), pm.deviceIndependentSize()};
}

} // namespace platform
