// cadicons: writes the trainer's emblem as the desktop's icon theme wants it,
// from the same drawing the windows use:
//   OUT/hicolor/NxN/apps/caddrill.png   for N = 16, 22, 24, 32, 48, 64, 128, 256
//   OUT/hicolor/scalable/apps/caddrill.svg
// Runs at build time on the off-screen platform.
#include "cover/coverart.h"
#include "platform/cmdline.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QSvgGenerator>
#include <cstdio>

namespace {

const int Sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// The scalable icon is drawn on this grid; its lines keep their width relative to it.
const int SvgGrid = 64;

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
    for (int size : Sizes) {
        const QString folder = out.filePath(QStringLiteral("%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder) ||
            !cover::coverart::emblemTile(size).save(folder + QStringLiteral("/caddrill.png"), "PNG")) {
            std::fprintf(stderr, "cadicons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    const QString scalable = out.filePath(QStringLiteral("scalable/apps"));
    if (!QDir().mkpath(scalable) || !writeSvg(scalable + QStringLiteral("/caddrill.svg"))) {
        std::fprintf(stderr, "cadicons: cannot write %s\n", qPrintable(scalable));
        return 1;
    }
    return 0;
}
