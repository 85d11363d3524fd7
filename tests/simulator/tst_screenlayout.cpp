// Laying out step records: the absent-group rules, what is kept from the screen
// before, the guided-teaching outlines and the typing prompts.
#include "fixture.h"
#include "simulator/picturecache.h"
#include "simulator/screenlayout.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <limits>

using namespace sim;

namespace {
QString textOf(int n) {
    static const QStringList t{QStringLiteral("单击“直线”按钮|直线"), QStringLiteral("默认"),
                               QStringLiteral("提示")};
    return (n >= 1 && n <= t.size()) ? t[n - 1] : t.last();
}
LayoutResult lay(const sim::bank::StepRecord &r, const ScreenModel &before = {}, int step = 2, int mode = 2,
                 double scale = 1.0) {
    return layoutStep(LayoutInput{r, step, mode, scale, scale, textOf}, before);
}
} // namespace

class TstScreenLayout : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void pictures_data();
    void pictures();
    void firstStepClearsPictures();
    void backgroundKeptOrLoaded();
    void zones();
    void boxAndHint();
    void menuBarAndBackButton();
    void guidedOutlines_data();
    void guidedOutlines();
    void scaleApplies();
    void windowPlacement();
    void rectContains_data();
    void rectContains();
    void picturesFromRegularFilesOnly_data();
    void picturesFromRegularFilesOnly();
};

void TstScreenLayout::pictures_data() {
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("shown");
    QTest::newRow("zero position hides even with an id") << "00000"
                                                         << "00000"
                                                         << "300001" << false << false << "old";
    QTest::newRow("placed and loaded") << "00150"
                                       << "00300"
                                       << "300001" << true << true << "300001";
    QTest::newRow("888888 moves and shows without loading") << "00150"
                                                            << "00300"
                                                            << "888888" << true << false << "old";
    QTest::newRow("only the top set still places") << "00000"
                                                   << "00015"
                                                   << "300002" << true << true << "300002";
    QTest::newRow("blank position is no zero position") << "     "
                                                        << "00000"
                                                        << "300002" << true << true << "300002";
}

void TstScreenLayout::pictures() {
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QString, id);
    QFETCH(bool, visible);
    QFETCH(bool, loaded);
    QFETCH(QString, shown);
    ScreenModel before;
    for (int k = 1; k <= 5; ++k)
        before.pics[k] = {true, 7, 7, QStringLiteral("old")};
    for (int k = 1; k <= 5; ++k) {
        static constexpr int xPos[6] = {0, 18, 34, 50, 135, 151};
        static constexpr int idPos[6] = {0, 28, 44, 60, 145, 161};
        Rec r(QStringLiteral("0001"));
        r.r.setText(xPos[k], 5, x);
        r.r.setText(xPos[k] + 5, 5, y);
        r.r.setText(idPos[k], 6, id);
        const LayoutResult out = lay(r, before);
        QCOMPARE(out.screen.pics[k].visible, visible);
        QCOMPARE(out.pictureLoaded[k], loaded);
        QCOMPARE(out.screen.pics[k].id, shown);
        if (visible)
            QCOMPARE(out.screen.pics[k].x, x.trimmed().toInt());
        for (int other = 1; other <= 5; ++other)
            if (other != k)
                QVERIFY2(!out.screen.pics[other].visible, "other pictures with a zero position are hidden");
        if (k == 5 && visible)
            QCOMPARE(out.screen.picLeft, out.screen.pics[5].x);
    }
}

void TstScreenLayout::firstStepClearsPictures() {
    ScreenModel before;
    for (int k = 1; k <= 5; ++k)
        before.pics[k] = {true, 0, 0, QStringLiteral("old")};
    const auto r = Rec(QStringLiteral("0001")).pic(1, 15, 15, QStringLiteral("888888"));
    const LayoutResult first = lay(r, before, 1);
    QVERIFY(first.screen.pics[1].visible);
    QVERIFY(first.screen.pics[1].id.isEmpty());
    for (int k = 2; k <= 5; ++k)
        QVERIFY(first.screen.pics[k].id.isEmpty());
    const LayoutResult later = lay(r, before, 2);
    QCOMPARE(later.screen.pics[1].id, QStringLiteral("old"));
}

void TstScreenLayout::backgroundKeptOrLoaded() {
    ScreenModel before;
    before.background = QStringLiteral("100000");
    LayoutResult keep = lay(Rec(QStringLiteral("0001")), before);
    QCOMPARE(keep.screen.background, QStringLiteral("100000"));
    QVERIFY(!keep.backgroundLoaded);
    LayoutResult load = lay(Rec(QStringLiteral("0001")).screen(QStringLiteral("100001")), before);
    QCOMPARE(load.screen.background, QStringLiteral("100001"));
    QVERIFY(load.backgroundLoaded);
}

void TstScreenLayout::zones() {
    ScreenModel before;
    before.zone1 = {600, 900, 300, 300};
    // Absent zone 1 shrinks to 1 x 1 at its old place; absent zone 2 sits 1 twip left of the window.
    LayoutResult absent = lay(Rec(QStringLiteral("0001")), before);
    QCOMPARE(absent.screen.zone1, (Rect{600, 900, 1, 1}));
    QCOMPARE(absent.screen.zone2.x, -1);
    QCOMPARE(absent.screen.zone2.w, 1);
    QCOMPARE(absent.screen.zone2.h, 1);
    // Height 0: the zone sizes itself.
    LayoutResult autoSized = lay(Rec(QStringLiteral("0001")).zone(1500, 1200, 900, 0), before);
    QVERIFY(autoSized.screen.zone1AutoSize);
    QCOMPARE(autoSized.screen.zone1, (Rect{1500, 1200, 900, AutoZoneHeight}));
    LayoutResult placed =
        lay(Rec(QStringLiteral("0001")).zone(1500, 1200, 900, 450).zone2(3000, 4500, 600, 300), before);
    QVERIFY(!placed.screen.zone1AutoSize);
    QCOMPARE(placed.screen.zone1, (Rect{1500, 1200, 900, 450}));
    // Zone2Y is characters 183-186; 182 is the click flag.
    QCOMPARE(placed.screen.zone2, (Rect{3000, 4500, 600, 300}));
    auto r = Rec(QStringLiteral("0001")).zone2(3000, 4500, 600, 300, u'0');
    QCOMPARE(lay(r, before).screen.zone2.y, 4500);
}

void TstScreenLayout::boxAndHint() {
    ScreenModel before;
    before.hintText = QStringLiteral("旧提示");
    before.hintX = 30;
    // Box with a default text; hint "000" gives two blanks.
    LayoutResult a =
        lay(Rec(QStringLiteral("0000")).box(300, 8400, 3000, 300, 2, 1).hint(450, 600, 0), before);
    QVERIFY(a.screen.boxVisible);
    QCOMPARE(a.screen.box, (Rect{300, 8400, 3000, 300}));
    QCOMPARE(a.screen.boxText, QStringLiteral("默认"));
    QCOMPARE(a.screen.hintText, QStringLiteral("  "));
    QCOMPARE(a.screen.hintX, 450);
    // Hint position "0000000000": place and text kept. No box: Text1 and Text2 hidden.
    before.overlayVisible = true;
    LayoutResult b = lay(Rec(QStringLiteral("0001")).pointer(QStringLiteral("S0002")), before);
    QVERIFY(!b.screen.boxVisible);
    QVERIFY(!b.screen.overlayVisible);
    QCOMPARE(b.screen.hintText, QStringLiteral("旧提示"));
    QCOMPARE(b.screen.hintX, 30);
    // Typing prompts.
    LayoutResult c =
        lay(Rec(QStringLiteral("0020")).box(300, 8400, 3000, 300, 0, 1).hint(450, 600, 1), before);
    QCOMPARE(c.screen.hintText, QStringLiteral("输入 单击“直线”按钮"));
    LayoutResult d =
        lay(Rec(QStringLiteral("0021")).box(300, 8400, 3000, 300, 2, 1).hint(450, 600, 1), before);
    QVERIFY(d.screen.overlayVisible);
    QVERIFY(!d.screen.boxVisible);
    QCOMPARE(d.screen.overlay, d.screen.box);
    QCOMPARE(d.screen.overlayText, QStringLiteral("默认"));
    LayoutResult e = lay(Rec(QStringLiteral("A111")).hint(450, 600, 3), before);
    QCOMPARE(e.screen.hintText, QStringLiteral("输入 提示并按回车键或空格键"));
}

void TstScreenLayout::menuBarAndBackButton() {
    ScreenModel before;
    LayoutResult bar = lay(Rec(QStringLiteral("A123")).menuBar(120, 345), before);
    QVERIFY(bar.screen.menuBarVisible);
    QCOMPARE(bar.screen.menuBarLeft, 120);
    QCOMPARE(bar.screen.menuBarTop, 345);
    QCOMPARE(bar.screen.menuTitles[2], QStringLiteral("视图(&V)"));
    QCOMPARE(bar.screen.stepValue, 10123);
    // Other codes keep the titles they have.
    LayoutResult keep = lay(Rec(QStringLiteral("0001")).menuBar(120, 345), bar.screen);
    QCOMPARE(keep.screen.menuTitles[2], QStringLiteral("视图(&V)"));
    QCOMPARE(lay(Rec(QStringLiteral("0001")).menuBar(120, 345)).screen.menuTitles[2],
             QStringLiteral("查看(&V)"));
    // A back marker hides the bar and places the back button at the target.
    LayoutResult back =
        lay(Rec(QStringLiteral("0001")).back(QStringLiteral("Q0002"), 9000, 8100), bar.screen);
    QVERIFY(!back.screen.menuBarVisible);
    QCOMPARE(back.screen.backSpec, QStringLiteral("Q0002"));
    QCOMPARE(back.screen.back, (Rect{9000, 8100, BackButtonW, BackButtonH}));
    // "MMMMM" just hides the bar; the back button shrinks at its old place.
    auto r = Rec(QStringLiteral("0001"));
    r.r.setText(125, 5, QStringLiteral("MMMMM"));
    LayoutResult none = lay(r, back.screen);
    QVERIFY(!none.screen.menuBarVisible);
    QCOMPARE(none.screen.backSpec, QStringLiteral("NONO"));
    QCOMPARE(none.screen.back, (Rect{9000, 8100, 1, 1}));
}

void TstScreenLayout::guidedOutlines_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("hint");
    QTest::addColumn<bool>("red");
    QTest::addColumn<bool>("green");
    QTest::addColumn<bool>("success");
    QTest::newRow("guided click") << "0001" << 1 << true << true << true << false;
    QTest::newRow("practice click") << "0001" << 2 << false << false << false << false;
    QTest::newRow("guided typing hides the red outline") << "0020" << 1 << true << false << true << false;
    QTest::newRow("guided overlay typing") << "0021" << 1 << true << false << true << false;
    QTest::newRow("guided closing record") << "9999" << 1 << false << false << true << true;
    QTest::newRow("practice closing record") << "9999" << 2 << false << false << false << true;
    QTest::newRow("exam closing record") << "9999" << 3 << false << false << false << false;
}

void TstScreenLayout::guidedOutlines() {
    QFETCH(QString, code);
    QFETCH(int, mode);
    QFETCH(bool, hint);
    QFETCH(bool, red);
    QFETCH(bool, green);
    QFETCH(bool, success);
    const LayoutResult out =
        lay(Rec(code).zone(300, 300, 300, 300).box(300, 8400, 3000, 300, 0, 1).hint(15, 15, 3), {}, 2, mode);
    QCOMPARE(out.screen.hintVisible, hint);
    QCOMPARE(out.screen.outline1, red);
    QCOMPARE(out.screen.outline4, green);
    QCOMPARE(out.screen.successVisible, success);
    QCOMPARE(out.closing, code == QLatin1String("9999"));
}

void TstScreenLayout::scaleApplies() {
    const LayoutResult out =
        lay(Rec(QStringLiteral("0001")).zone(1000, 2000, 300, 600).pic(1, 150, 300, QStringLiteral("888888")),
            {}, 2, 2, 1.5);
    QCOMPARE(out.screen.zone1, (Rect{1500, 3000, 450, 900}));
    QCOMPARE(out.screen.pics[1].x, 225);
    QCOMPARE(out.screen.pics[1].y, 450);

    // A place at either end of the range stays at that end when scaled up.
    Rec far(QStringLiteral("0001"));
    far.zone(1, 1, 1, 1);
    far.r.set(sim::bank::Field::ZoneX, QStringLiteral("9E+99"));
    far.r.set(sim::bank::Field::ZoneY, QStringLiteral("-9E99"));
    const LayoutResult scaled = lay(far, {}, 2, 2, 1.5);
    QCOMPARE(scaled.screen.zone1.x, std::numeric_limits<int>::max());
    QCOMPARE(scaled.screen.zone1.y, std::numeric_limits<int>::min());
}

void TstScreenLayout::windowPlacement() {
    const WindowPlacement tall = sim::windowPlacement(QRect(0, 0, 1024, 768), 1.0, 1.0);
    QVERIFY(!tall.maximised);
    QCOMPARE(tall.rect, QRect(112, 84, 800, 600));
    QVERIFY(sim::windowPlacement(QRect(0, 0, 800, 600), 1.0, 1.0).maximised);
    QVERIFY(sim::windowPlacement(QRect(0, 0, 1024, 650), 1.0, 1.0).maximised);
    QVERIFY(!sim::windowPlacement(QRect(0, 0, 1024, 651), 1.0, 1.0).maximised);
}

// Edges count as inside; a zone as large as a Long holds still has its far edge
// past every point of the screen.
void TstScreenLayout::rectContains_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("px");
    QTest::addColumn<int>("py");
    QTest::addColumn<bool>("inside");
    const int big = std::numeric_limits<int>::max();
    QTest::newRow("inside") << 100 << 100 << 50 << 50 << 120 << 130 << true;
    QTest::newRow("far edge") << 100 << 100 << 50 << 50 << 150 << 150 << true;
    QTest::newRow("past the far edge") << 100 << 100 << 50 << 50 << 151 << 150 << false;
    QTest::newRow("before the near edge") << 100 << 100 << 50 << 50 << 99 << 120 << false;
    QTest::newRow("huge size") << 44444 << 0 << big << big << 50000 << 9000 << true;
    QTest::newRow("huge size, point before it") << 44444 << 0 << big << big << 40000 << 9000 << false;
    QTest::newRow("huge place and size") << big << big << big << big << big << big << true;
}

void TstScreenLayout::rectContains() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, px);
    QFETCH(int, py);
    QFETCH(bool, inside);
    QCOMPARE((sim::Rect{x, y, w, h}.contains(px, py)), inside);
}

// A bank picture is read only from a regular file (or a link to one): a pipe or
// a device named like a picture gives no picture at once, instead of blocking
// the window or reading without end.
void TstScreenLayout::picturesFromRegularFilesOnly_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("loads");
    QTest::newRow("a picture named .rar") << "file" << true;
    QTest::newRow("a link to a picture") << "link" << true;
    QTest::newRow("a pipe named like a picture") << "fifo" << false;
    QTest::newRow("a link to an endless device") << "zero" << false;
    QTest::newRow("a folder named like a picture") << "folder" << false;
    QTest::newRow("no file") << "missing" << false;
    QTest::newRow("text, not a picture") << "text" << false;
}

void TstScreenLayout::picturesFromRegularFilesOnly() {
    QFETCH(QString, kind);
    QFETCH(bool, loads);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("288801.rar"));
    const QString real = dir.filePath(QStringLiteral("real.bmp"));
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    QVERIFY(picture.save(real, "BMP"));
    if (kind == QLatin1String("file")) {
        QVERIFY(QFile::copy(real, path));
    } else if (kind == QLatin1String("link")) {
        QVERIFY(QFile::link(real, path));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == QLatin1String("zero")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("288801.rar")));
    } else if (kind == QLatin1String("text")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("0001 not a picture\r\n");
    }
    const QImage read = sim::readPicture(path);
    QCOMPARE(!read.isNull(), loads);
    if (loads)
        QCOMPARE(read.pixel(3, 2), qRgb(10, 20, 30));
    sim::PictureCache cache;
    bool ok = !loads;
    QCOMPARE(!cache.image(path, &ok).isNull(), loads);
    QCOMPARE(ok, loads);
}

QTEST_GUILESS_MAIN(TstScreenLayout)
#include "tst_screenlayout.moc"
