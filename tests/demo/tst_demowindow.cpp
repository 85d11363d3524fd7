// The demonstration window's own drawing (offscreen): the drawn menus show every
// row's caption whole, and the window's first frame shows the question's screen.
#include "demo/frmyanshi.h"
#include "demo/tickschedule.h"
#include "fixture.h"
#include "records.h"
#include "simulator/menufile.h"
#include "start/moddata.h"

#include <QApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTextItem>
#include <algorithm>
#include <climits>

using namespace demo;

namespace {

// A paint device that keeps the texts painted on it, where they were painted
// and how wide they came out (pixels of the window).
class TextRecorder : public QPaintEngine {
  public:
    struct Text {
        QPointF at; // start of the baseline
        qreal width = 0;
        QString text;
    };
    QList<Text> texts;

    TextRecorder() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &state) override {
        if (state.state() & QPaintEngine::DirtyTransform)
            m_transform = state.transform();
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override {
        texts << Text{m_transform.map(p), item.width(), item.text()};
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawImage(const QRectF &, const QImage &, const QRectF &, Qt::ImageConversionFlags) override {}
    void drawTiledPixmap(const QRectF &, const QPixmap &, const QPointF &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint *, int, PolygonDrawMode) override {}
    void drawLines(const QLineF *, int) override {}
    void drawLines(const QLine *, int) override {}
    void drawRects(const QRectF *, int) override {}
    void drawRects(const QRect *, int) override {}
    void drawEllipse(const QRectF &) override {}
    void drawPoints(const QPointF *, int) override {}
    Type type() const override { return QPaintEngine::User; }

  private:
    QTransform m_transform;
};

class TextDevice : public QPaintDevice {
  public:
    explicit TextDevice(const QWidget *like) : m_like(like) {}
    QPaintEngine *paintEngine() const override { return &m_engine; }
    const QList<TextRecorder::Text> &texts() const { return m_engine.texts; }

  protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return m_like->width();
        case PdmHeight:
            return m_like->height();
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return m_like->logicalDpiX();
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return m_like->logicalDpiY();
        case PdmWidthMM:
            return m_like->widthMM();
        case PdmHeightMM:
            return m_like->heightMM();
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

  private:
    const QWidget *m_like;
    mutable TextRecorder m_engine;
};

QRect px(const QRect &twips) {
    return QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
}

// A caption as a menu row shows it: "&" marks the mnemonic, "&&" is one "&".
QString shown(const QString &caption) {
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size())
            ++i;
        out += caption.at(i);
    }
    return out;
}

// What the window drew of each row of a panel: the texts whose baseline lies in
// the row's band, left to right. Returns a complaint, or "" when every item and
// cascade row shows its caption whole inside the panel.
QString checkPanel(const MenuPanel &panel, const QList<TextRecorder::Text> &texts) {
    const QRect frame = px(panel.frame);
    for (const TextRecorder::Text &t : texts) {
        if (!frame.contains(t.at.toPoint()))
            continue;
        if (t.text.contains(QChar(0x2026)))
            return QStringLiteral("\"%1\" is cut short").arg(t.text);
        if (t.at.x() + t.width > frame.right() + 1.5)
            return QStringLiteral("\"%1\" ends at %2, beyond the panel's right edge %3")
                .arg(t.text)
                .arg(t.at.x() + t.width)
                .arg(frame.right());
    }
    for (const MenuRow &r : panel.rows) {
        if (r.kind == MenuRow::Separator || r.text.isEmpty())
            continue;
        const int top = (r.label.top() - (ItemPitch - LabelHeight) / 2) / 15;
        const int bottom = (r.label.top() - (ItemPitch - LabelHeight) / 2 + ItemPitch) / 15;
        QList<TextRecorder::Text> row;
        for (const TextRecorder::Text &t : texts)
            if (frame.contains(t.at.toPoint()) && t.at.y() >= top && t.at.y() < bottom)
                row << t;
        std::sort(row.begin(), row.end(), [](const auto &a, const auto &b) { return a.at.x() < b.at.x(); });
        QString drawn;
        for (const TextRecorder::Text &t : row)
            drawn += t.text;
        if (drawn != shown(r.text))
            return QStringLiteral("the row \"%1\" shows \"%2\"").arg(shown(r.text), drawn);
    }
    return {};
}

// The steps that open a block's menu (its first item of a direct group) and
// each of its submenus (their first entry). prefix: the code's first two
// characters ("A3", "B2", "C1", "35").
QList<sim::bank::StepRecord> stepsOpening(const MenuBlock &b, const QString &prefix) {
    const bool context = !prefix.startsWith(u'A') && !prefix.startsWith(u'B') && !prefix.startsWith(u'C');
    QList<sim::bank::StepRecord> steps;
    auto add = [&](int group, int entry) {
        const QString code = prefix + QString::number(group) + QString::number(entry);
        if (code.startsWith(QLatin1String("A11")))
            return; // a typing step, not a menu
        steps << Rec(code).zone(3000, 3000, 300, 300).menuBar(context ? 0 : 120, context ? 0 : 360);
    };
    const int direct[][2] = {{4, 2}, {7, 4}, {10, 6}, {15, 9}};
    for (const auto &d : direct) {
        const QString &line = b.line[d[0]];
        if (line == QLatin1String("0"))
            continue;
        const QStringList entries = sim::menus::entriesOf(line);
        for (int e = 0; e < entries.size(); ++e)
            if (entries.at(e) != QLatin1String("-")) {
                add(d[1], e);
                break;
            }
        break;
    }
    const int cascades[][2] = {{2, 1}, {5, 3}, {8, 5}, {11, 7}, {13, 8}};
    for (const auto &c : cascades)
        if (b.line[c[0]] != QLatin1String("0"))
            add(c[1], 0);
    steps << Rec(QStringLiteral("9999"));
    return steps;
}

QStringList sampleMenuFile() {
    QStringList lines;
    platform::textfile::readLines(QStringLiteral(CADDRILL_PROGRAM_DIR "/sMenu.sys"), lines);
    return lines;
}

} // namespace

class TstDemoWindow : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void menuRowsDrawnWhole_data();
    void menuRowsDrawnWhole();
    void firstFrameShowsTheScreen();
};

void TstDemoWindow::menuRowsDrawnWhole_data() {
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QString>("prefix");
    // long entries that differ only near their ends, and a long cascade title
    QStringList own(465, QStringLiteral("0"));
    own[165 + 4 - 1] = QStringLiteral("相切、相切、半径(&T)|相切、相切、相切(&A)|-|设置(&S)...");
    own[165 + 5 - 1] = QStringLiteral("对象捕捉和极轴追踪设置(&O)...");
    own[165 + 6 - 1] = QStringLiteral("端点(&E)|中点(&M)|垂直于第一个对象的切线(&P)");
    own[165 + 10 - 1] = QStringLiteral("W");
    QTest::newRow("long entries") << own << QStringLiteral("31");
    QStringList narrow(465, QStringLiteral("0"));
    narrow[15 + 4 - 1] = QStringLiteral("X|-|MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM");
    narrow[15 + 2 - 1] = QStringLiteral("A cascade row longer than every item beside it(&C)");
    narrow[15 + 3 - 1] = QStringLiteral("&&|i");
    QTest::newRow("Latin entries") << narrow << QStringLiteral("A2");

    // every menu of the sample module
    const QStringList file = sampleMenuFile();
    if (file.isEmpty())
        QSKIP("the sample module is not staged in the program folder");
    auto addBlock = [&](const QString &prefix) {
        const MenuBlock b = menuBlock(file, prefix + QStringLiteral("00"));
        for (int i = 2; i <= 15; ++i)
            if (b.line[i] != QLatin1String("0") && !b.line[i].isEmpty()) {
                QTest::addRow("sample %s", qPrintable(prefix)) << file << prefix;
                return;
            }
    };
    for (int n = 1; n <= 9; ++n)
        addBlock(QStringLiteral("A%1").arg(n));
    addBlock(QStringLiteral("B1"));
    addBlock(QStringLiteral("B2"));
    for (int n = 1; n <= 9; ++n)
        addBlock(QStringLiteral("C%1").arg(n));
    for (int n = 1; n <= 9; ++n)
        addBlock(QStringLiteral("3%1").arg(n));
}

void TstDemoWindow::menuRowsDrawnWhole() {
    QFETCH(QStringList, file);
    QFETCH(QString, prefix);
    BankFixture f;
    QMap<int, QString> lines;
    for (int i = 0; i < file.size(); ++i)
        lines.insert(i + 1, file.at(i));
    f.writeMenu(lines, int(file.size()));
    const QList<sim::bank::StepRecord> steps =
        stepsOpening(menuBlock(file, prefix + QStringLiteral("00")), prefix);
    f.writeSteps(steps);
    f.data.DemoRunning = True;
    const Intervals speed = intervalsOf(sim::demoIntervals(1));
    auto *w = new FrmYanShi(f.data, speed);
    QPointer<FrmYanShi> watch(w);
    w->start();
    DemoPlayer &p = w->player();
    TickSchedule s(p, speed);
    s.setTicker([&](Timer t) {
        w->tickNow(t);
        for (int i = 0; i < TimerCount; ++i)
            w->timer(Timer(i)).stop();
    });
    int menus = 0, submenus = 0;
    int checkedMenu = 0, checkedSub = 0; // the steps whose panels were looked at
    qsizetype underSub = 0;              // texts painted before the submenu: the screen and the menu
    QString failure;
    while (failure.isEmpty() && s.step() && !p.finished()) {
        const bool menuDue = p.menu() && checkedMenu != p.step();
        const bool subDue = p.submenu() && checkedSub != p.step();
        if (!menuDue && !subDue)
            continue;
        TextDevice device(w);
        w->render(&device);
        if (menuDue) {
            checkedMenu = p.step();
            ++menus;
            failure = checkPanel(*p.menu(), device.texts());
            underSub = device.texts().size();
        }
        if (subDue && failure.isEmpty()) {
            // the submenu is painted over the menu: only its own texts count
            checkedSub = p.step();
            ++submenus;
            failure = checkPanel(*p.submenu(), device.texts().mid(underSub));
        }
        if (!failure.isEmpty())
            failure = QStringLiteral("step %1 (%2): ").arg(p.step()).arg(p.screen().code) + failure;
    }
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    int cascades = 0;
    for (const sim::bank::StepRecord &r : steps)
        cascades += isSubmenuGroup(codeDigit(r.StepCode(), 2)) ? 1 : 0;
    QCOMPARE(menus, steps.size() - 1);
    QCOMPARE(submenus, cascades);
    if (watch)
        delete watch.data();
}

namespace {
// Grabs what a widget shows the moment it becomes visible.
class ShowGrabber : public QObject {
  public:
    QImage frame;
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::Show && frame.isNull())
            frame = static_cast<QWidget *>(o)->grab().toImage();
        return false;
    }
};
} // namespace

void TstDemoWindow::firstFrameShowsTheScreen() {
    BankFixture f;
    const QColor screenColour(40, 90, 160);
    f.writePicture(QStringLiteral("100001"), 800, 600, screenColour);
    f.writeSteps({Rec(QStringLiteral("0001")).screen(QStringLiteral("100001")).zone(6000, 4500, 300, 300),
                  Rec(QStringLiteral("9999"))});
    f.data.DemoRunning = True;
    auto *w = new FrmYanShi(f.data, intervalsOf(sim::demoIntervals(1)));
    QPointer<FrmYanShi> watch(w);
    ShowGrabber grabber;
    w->installEventFilter(&grabber);
    w->start();
    // the frame it shows as it comes up is the question's screen, not an empty
    // (black) window waiting for the first step to be set up
    const QImage &first = grabber.frame;
    QCOMPARE(first.size(), QSize(800, 600));
    // a spot away from the pointer, the zone's outline and the emblem
    QCOMPARE(first.pixelColor(20, 300), screenColour);
    // and so it stays once the window system has shown it
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTRY_VERIFY(!w->screen()->grabWindow(w->winId()).isNull());
    QCOMPARE(w->screen()->grabWindow(w->winId()).toImage().pixelColor(20, 300), screenColour);
    w->removeEventFilter(&grabber);
    if (watch)
        delete watch.data();
}

QTEST_MAIN(TstDemoWindow)
#include "tst_demowindow.moc"
