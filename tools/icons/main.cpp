// cadicons: writes the trainer's emblem as the desktop's icon theme wants it,
// from the same drawing the windows use:
//   OUT/hicolor/scalable/apps/caddrill.svg
//   OUT/hicolor/NxN/apps/caddrill.png   for N = 16, 22, 24, 32, 48, 64, 128, 256
// The drawing goes into the SVG once; every PNG is that SVG rendered at its size,
// so the desktop shows the same picture at every size.
// Runs at build time on the off-screen platform.
#include "cover/coverart.h"
#include "platform/cmdline.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <cstdio>

namespace {

const int Sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// The scalable icon is drawn on this grid and its lines keep their width relative
// to it: on 32 units the emblem's 1.6-unit lines are a twentieth of the tile, as
// the question panel's title shows it, still most of a pixel at 16 px.
const int SvgGrid = 32;

bool writeSvg(const QString &path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(SvgGrid, SvgGrid));
    svg.setViewBox(QRect(0, 0, SvgGrid, SvgGrid));
    svg.setTitle(QStringLiteral("caddrill"));
    svg.setDescription(QStringLiteral("The trainer's emblem"));
    QPainter p;
    if (!p.begin(&svg))
        return false;
    cover::coverart::paintEmblemTile(p, SvgGrid);
    return p.end();
}

// The SVG at size x size pixels on a transparent ground.
bool writePng(const QString &svgPath, int size, const QString &path) {
    QSvgRenderer svg(svgPath);
    if (!svg.isValid())
        return false;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    svg.render(&p, QRectF(0, 0, size, size));
    p.end();
    return image.save(path, "PNG");
}

} // namespace

int main(int argc, char **argv) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the emblem as hicolor icons (PNG and SVG) below OUT."));
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("the folder that receives hicolor/"));
    if (const int code = platform::cmdline::parse(parser, platform::cmdline::arguments(argc, argv));
        code >= 0)
        return code;
    if (parser.positionalArguments().size() != 1)
        return platform::cmdline::refuse(QStringLiteral("cadicons"),
                                         QStringLiteral("one OUT folder expected"));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(parser.positionalArguments().constFirst() + QStringLiteral("/hicolor"));
    const QString scalable = out.filePath(QStringLiteral("scalable/apps"));
    const QString svgPath = scalable + QStringLiteral("/caddrill.svg");
    if (!QDir().mkpath(scalable) || !writeSvg(svgPath)) {
        std::fprintf(stderr, "cadicons: cannot write %s\n", qPrintable(svgPath));
        return 1;
    }
    for (int size : Sizes) {
        const QString folder = out.filePath(QStringLiteral("%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder) || !writePng(svgPath, size, folder + QStringLiteral("/caddrill.png"))) {
            std::fprintf(stderr, "cadicons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
