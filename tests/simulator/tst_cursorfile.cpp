// Pointer files: a tiny cursor built in memory, in the bitmap and the PNG form,
// and damaged files.
#include "simulator/cursorfile.h"
#include "simulator/inputcodes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <sys/stat.h>

namespace {
void put16(QByteArray &b, quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}
void put32(QByteArray &b, quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

QByteArray container(int type, int w, int h, QPoint hot, const QByteArray &payload) {
    QByteArray f;
    put16(f, 0);
    put16(f, quint16(type));
    put16(f, 1);
    f.append(char(w));
    f.append(char(h));
    f.append(char(0));
    f.append(char(0));
    put16(f, quint16(hot.x()));
    put16(f, quint16(hot.y()));
    put32(f, quint32(payload.size()));
    put32(f, 22);
    return f + payload;
}

// 4 x 2 pixels, 1 bit per pixel with a black/white palette; the AND mask makes
// the right half transparent. Rows are stored bottom-up.
QByteArray monochromeDib() {
    QByteArray d;
    put32(d, 40);
    put32(d, 4);
    put32(d, 4);
    put16(d, 1);
    put16(d, 1);
    put32(d, 0);
    put32(d, 0);
    put32(d, 0);
    put32(d, 0);
    put32(d, 2);
    put32(d, 0);
    put32(d, 0x00000000);
    put32(d, 0x00ffffff); // palette: black, white
    put32(d, 0x00000000); // bottom row: black black black black
    put32(d, 0x000000a0); // top row: white black white black
    put32(d, 0x00000030);
    put32(d, 0x00000030); // AND mask: pixels 2, 3 transparent
    return d;
}
} // namespace

class TstCursorFile : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void bitmapCursor();
    void pngCursor();
    void damaged_data();
    void damaged();
    void keyAndPointerNumbers();
    void loadsRegularFilesOnly_data();
    void loadsRegularFilesOnly();
};

void TstCursorFile::bitmapCursor() {
    const sim::cursorfile::Cursor c =
        sim::cursorfile::decode(container(2, 4, 2, QPoint(1, 0), monochromeDib()));
    QVERIFY(!c.isNull());
    QCOMPARE(c.image.size(), QSize(4, 2));
    QCOMPARE(c.hotSpot, QPoint(1, 0));
    QCOMPARE(c.image.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(c.image.pixel(1, 0), qRgb(0, 0, 0));
    QCOMPARE(qAlpha(c.image.pixel(2, 0)), 0);
    QCOMPARE(qAlpha(c.image.pixel(3, 1)), 0);
    QCOMPARE(c.image.pixel(0, 1), qRgb(0, 0, 0));
}

void TstCursorFile::pngCursor() {
    QImage img(3, 3, QImage::Format_ARGB32);
    img.fill(qRgba(255, 0, 0, 128));
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    const sim::cursorfile::Cursor c = sim::cursorfile::decode(container(2, 3, 3, QPoint(2, 2), png));
    QCOMPARE(c.image.size(), QSize(3, 3));
    QCOMPARE(c.hotSpot, QPoint(2, 2));
    QCOMPARE(qAlpha(c.image.pixel(1, 1)), 128);
}

void TstCursorFile::damaged_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = container(2, 4, 2, QPoint(1, 0), monochromeDib());
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("cut in the directory") << good.left(12);
    QTest::newRow("cut in the bitmap") << good.left(60);
    QByteArray farOffset = good;
    qToLittleEndian<quint32>(0x7fffffff, farOffset.data() + 18);
    QTest::newRow("offset beyond the end") << farOffset;
    QByteArray wrongType = good;
    wrongType[2] = 7;
    QTest::newRow("not an icon or cursor") << wrongType;
    QTest::newRow("text file") << QByteArray("hello, this is no cursor at all");
}

void TstCursorFile::damaged() {
    QFETCH(QByteArray, bytes);
    QVERIFY(sim::cursorfile::decode(bytes).isNull());
    QVERIFY(sim::cursorfile::load(QStringLiteral("/nonexistent/ico01.CUR")).isNull());
}

// A pointer file is read only when it is a regular file (or a link to one): a
// pipe named like it is not waited on, a folder gives no pointer.
void TstCursorFile::loadsRegularFilesOnly_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("loads");
    QTest::newRow("a pointer file") << "file" << true;
    QTest::newRow("a link to a pointer file") << "link" << true;
    QTest::newRow("a pipe named like a pointer file") << "fifo" << false;
    QTest::newRow("a folder named like a pointer file") << "folder" << false;
}

void TstCursorFile::loadsRegularFilesOnly() {
    QFETCH(QString, kind);
    QFETCH(bool, loads);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ico01.CUR"));
    const auto write = [](const QString &to) {
        QFile f(to);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(container(2, 4, 2, QPoint(1, 0), monochromeDib()));
    };
    if (kind == u"file")
        write(path);
    else if (kind == u"link") {
        write(dir.filePath(QStringLiteral("real.CUR")));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("real.CUR")), path));
    } else if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QVERIFY(QDir().mkpath(path));
    const sim::cursorfile::Cursor c = sim::cursorfile::load(path);
    QCOMPARE(!c.isNull(), loads);
    if (loads)
        QCOMPARE(c.hotSpot, QPoint(1, 0));
}

void TstCursorFile::keyAndPointerNumbers() {
    QCOMPARE(sim::vkFromQtKey(Qt::Key_F4), 115);
    QCOMPARE(sim::vkFromQtKey(Qt::Key_Return), 13);
    QCOMPARE(sim::vkFromQtKey(Qt::Key_Enter), 13);
    QCOMPARE(sim::vkFromQtKey(Qt::Key_Slash), 191);
    QCOMPARE(sim::vkFromQtKey(Qt::Key_Period), 190);
    QCOMPARE(sim::vkFromQtKey(Qt::Key_A), 65);
    QCOMPARE(sim::shiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    QCOMPARE(sim::shiftState(Qt::ControlModifier | Qt::KeypadModifier), 2);
    QCOMPARE(sim::systemPointer(2), Qt::CrossCursor);
    QCOMPARE(sim::systemPointer(11), Qt::WaitCursor);
    QCOMPARE(sim::systemPointer(0), Qt::ArrowCursor);
}

QTEST_GUILESS_MAIN(TstCursorFile)
#include "tst_cursorfile.moc"
