#include "platform/fonts.h"

#include <QFontDatabase>

namespace platform::fonts {

const QStringList &sans() {
    static const QStringList f{QStringLiteral("Noto Sans CJK SC")};
    return f;
}

const QStringList &song() {
    static const QStringList f{QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                               QStringLiteral("Noto Serif CJK SC")};
    return f;
}

const QStringList &menuSong() {
    static const QStringList f{QStringLiteral("SimSun"), QStringLiteral("宋体"),
                               QStringLiteral("Noto Sans CJK SC")};
    return f;
}

const QStringList &script() {
    static const QStringList f{QStringLiteral("STXingkai"),     QStringLiteral("华文行楷"),
                               QStringLiteral("KaiTi"),         QStringLiteral("楷体"),
                               QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL KaitiM GB"),
                               QStringLiteral("LXGW WenKai"),   QStringLiteral("Noto Serif CJK SC")};
    return f;
}

QFont points(const QStringList &families, qreal pointSize, bool bold) {
    QFont f;
    f.setFamilies(families);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

QFont pixels(const QStringList &families, int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QFont ui(qreal pointSize, bool bold) {
    return points(sans(), pointSize, bold);
}

QFont uiPixels(int pixelSize, bool bold) {
    return pixels(sans(), pixelSize, bold);
}

QFont firstInstalled(const QStringList &preferred, qreal pointSize) {
    const QStringList have = QFontDatabase::families();
    QFont f;
    for (const QString &name : preferred)
        if (have.contains(name)) {
            f.setFamily(name);
            break;
        }
    f.setPointSizeF(pointSize);
    return f;
}

} // namespace platform::fonts
