// The desktop's icons: cadicons writes one scalable SVG and every PNG size is
// that SVG rendered, so the menu, the dock and the software centre show the
// same picture at every size.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>

namespace {

// The largest difference of one colour or alpha channel over all pixels, and
// how many pixels differ by more than tolerance.
struct Difference {
    int largest = 0;
    int pixels = 0;
};

Difference compare(const QImage &a, const QImage &b, int tolerance) {
    Difference d;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            const int channel = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            d.largest = std::max(d.largest, channel);
            if (channel > tolerance)
                ++d.pixels;
        }
    return d;
}

} // namespace

class TstIcons : public QObject {
    Q_OBJECT
    QTemporaryDir out;
    QString hicolor;

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(out.isValid());
        QProcess cadicons;
        cadicons.start(QStringLiteral(CADDRILL_BINARY_DIR "/bin/cadicons"), {out.path()});
        QVERIFY(cadicons.waitForFinished(60000));
        QCOMPARE(cadicons.exitStatus(), QProcess::NormalExit);
        QVERIFY2(cadicons.exitCode() == 0, cadicons.readAllStandardError().constData());
        hicolor = out.filePath(QStringLiteral("hicolor"));
    }

    void pngIsTheSvg_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::addRow("%dpx", size) << size;
    }
    void pngIsTheSvg() {
        QFETCH(int, size);
        QSvgRenderer svg(hicolor + QStringLiteral("/scalable/apps/caddrill.svg"));
        QVERIFY(svg.isValid());
        QImage drawn(size, size, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        QPainter p(&drawn);
        svg.render(&p, QRectF(0, 0, size, size));
        p.end();

        const QImage png(hicolor + QStringLiteral("/%1x%1/apps/caddrill.png").arg(size));
        QCOMPARE(png.size(), QSize(size, size));
        // a picture at all: opaque in the middle, (mostly) clear in the corner the tile rounds off
        QCOMPARE(qAlpha(png.pixel(size / 2, size / 2)), 255);
        QVERIFY2(qAlpha(png.pixel(0, 0)) < 64, qPrintable(QString::number(qAlpha(png.pixel(0, 0)))));
        // PNG keeps straight alpha: a channel may move by one when it is multiplied back
        const Difference d = compare(png, drawn, 1);
        QVERIFY2(
            d.pixels == 0,
            qPrintable(
                QStringLiteral("%1 pixels differ from the SVG (by up to %2)").arg(d.pixels).arg(d.largest)));
    }
};

QTEST_MAIN(TstIcons)
#include "tst_icons.moc"
