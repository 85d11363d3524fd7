// The demonstration's motion without a window: the glide and its arrival, the
// drawn menus' layout, typing, and whole questions played on a virtual clock
// (every question of the sample module, and a fixture with every kind of step)
// to their closing record without touching the learner's records.
#include "demo/demoplayer.h"
#include "demo/tickschedule.h"
#include "fixture.h"
#include "records.h"
#include "simulator/picturecache.h"
#include "simulator/screengeometry.h"
#include "simulator/steprecord.h"
#include "start/moddata.h"
#include "start/setfiles.h"
#include "start/verfile.h"

#include <QFileInfo>
#include <QTest>
#include <cmath>

using namespace demo;

namespace {

// Every caption is 100 twips per character wide.
int fixedWidth(const QString &t) {
    return int(t.size()) * 100;
}

Intervals normalSpeed() {
    return intervalsOf(sim::demoIntervals(1));
}

struct Env {
    sim::PictureCache pictures;
    sim::ScreenGeometry geometry;
    PlayerEnv make(const ModData &d) {
        PlayerEnv e;
        e.scaleX = d.ScaleX;
        e.scaleY = d.ScaleY;
        e.menuTextWidth = fixedWidth;
        e.pictureSize = [this, &d](const QString &id) {
            return id.isEmpty() ? QSize() : pictures.image(sim::bank::picturePath(d, id)).size();
        };
        auto twips = [](QRect r) { return QRect(r.x() * 15, r.y() * 15, r.width() * 15, r.height() * 15); };
        e.titleRect = [this, twips](const sim::ScreenModel &s, int i) {
            return twips(geometry.titleRect(s, i));
        };
        e.titleHighlight = [this, twips](const sim::ScreenModel &s, int i) {
            return twips(geometry.highlightRect(s, i));
        };
        return e;
    }
};

struct Snapshot {
    std::array<Integer, MaxQuestions + 1> saved, score;
    std::array<QString, MaxQuestions + 1> mark;
    std::array<std::array<QString, 6>, MaxQuestions + 1> screen;
    Integer curStep;
    explicit Snapshot(const ModData &d)
        : saved(d.SavedStep), score(d.QuestionScore), mark(d.QuestionMark), screen(d.QuestionScreen),
          curStep(d.CurStep) {}
    bool operator==(const Snapshot &) const = default;
};

double distance(QPoint a, QPoint b) {
    return std::hypot(double(a.x() - b.x()), double(a.y() - b.y()));
}

// As near as the arrival test lets a glide of increment len end: 1.2 increments
// on both axes, or eight pixels.
bool nearAim(QPoint p, QPoint aim, double len, double scale = 1.0) {
    return distance(p, aim) <= std::max(1.2 * std::sqrt(2.0) * len, 120 * scale) + 1;
}

QPoint centreOf(const sim::Rect &r) {
    return QPoint(r.x + r.w / 2, r.y + r.h / 2);
}

bool isClickCode(const QString &c) {
    return c == QLatin1String("0001") || c == QLatin1String("0002") || c == QLatin1String("0003") ||
           c == QLatin1String("2000") || (c.startsWith(u'9') && c != QLatin1String("9999"));
}

// Plays the current question to its end, checking where the pointer arrives on
// the steps that name a target: click steps on zone 1 (within the arrival
// distance of its centre), menu steps on the highlighted row; and that context
// menus and submenus stay inside the window. Returns the number of steps checked.
int playChecked(DemoPlayer &p, TickSchedule &s, const ModData &d, QString *failure) {
    int checked = 0;
    for (int guard = 0; guard < 200000 && !p.finished(); ++guard) {
        const int step = p.step();
        const QString code = p.screen().code;
        const QPoint zone = centreOf(p.screen().zone1);
        const std::optional<QRect> bar = p.menuHighlight();
        const Glide g = p.glide();
        const bool twoTargets = p.record().MenuBarY().startsWith(u'X');
        if (!s.step())
            break;
        // a context menu and every submenu lie inside the window
        const QRect window(QPoint(), p.windowSize());
        const bool context = p.record().MenuBarY() == QLatin1String("00000");
        for (const std::optional<MenuPanel> *panel : {&p.menu(), &p.submenu()}) {
            if (!*panel || (panel == &p.menu() && !context) || window.contains((*panel)->frame))
                continue;
            const QRect f = (*panel)->frame;
            *failure = QStringLiteral("step %1 (%2): a menu at %3,%4 %5x%6 reaches beyond the window")
                           .arg(p.step())
                           .arg(p.screen().code)
                           .arg(f.x())
                           .arg(f.y())
                           .arg(f.width())
                           .arg(f.height());
            return checked;
        }
        if (p.step() == step || code.isEmpty() || p.passedCodes().contains(code))
            continue;
        // the step just completed: the marker sits where the pointer arrived
        const QPoint at = p.marker().center();
        if (isClickCode(code) && !twoTargets) {
            // the marker's centre lies 7 twips right of and below the pointer
            if (!nearAim(at - QPoint(7, 7), zone, g.len, d.ScaleX)) {
                *failure = QStringLiteral("step %1 (%2): arrived at %3,%4, zone 1 centre %5,%6")
                               .arg(step)
                               .arg(code)
                               .arg(at.x())
                               .arg(at.y())
                               .arg(zone.x())
                               .arg(zone.y());
                return checked;
            }
            ++checked;
        } else if (bar &&
                   (code.at(0) == u'3' || code.at(0) == u'4' || code.at(0) == u'5' ||
                    (code.at(0) >= u'A' && code.at(0) <= u'D' && !code.startsWith(QLatin1String("A11"))))) {
            // within the arrival distance of the highlighted row's middle
            const QPoint row(at.x() - 7, bar->top() + bar->height() / 2);
            if (!nearAim(at - QPoint(7, 7), row, g.len, d.ScaleX)) {
                *failure = QStringLiteral("step %1 (%2): arrived at y %3, the highlighted row is %4..%5")
                               .arg(step)
                               .arg(code)
                               .arg(at.y())
                               .arg(bar->top())
                               .arg(bar->bottom());
                return checked;
            }
            ++checked;
        }
    }
    return checked;
}

} // namespace

class TstDemoPlayer : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void rounding_data();
    void rounding();
    void increments_data();
    void increments();
    void arrival_data();
    void arrival();
    void glideEndsNearItsAim_data();
    void glideEndsNearItsAim();
    void markerColours_data();
    void markerColours();

    void menuBlockChoice_data();
    void menuBlockChoice();
    void menuRows();
    void menuFlip_data();
    void menuFlip();
    void menuStaysInTheWindow_data();
    void menuStaysInTheWindow();
    void submenuPlacement();
    void submenuStaysInTheWindow_data();
    void submenuStaysInTheWindow();

    void typing_data();
    void typing();
    void everyKindOfStep();
    void selectionFrameFollowsTheDrag();
    void pictureCarriedToItsTarget();
    void markerKeepsItsStepsColour_data();
    void markerKeepsItsStepsColour();
    void longRunOfPassedSteps_data();
    void longRunOfPassedSteps();
    void closingFirst();
    void learnerEndsItEarly();
    void slowSpeedDoublesTheTime();
    void missingFilesDoNotStopIt();
    void sampleModule_data();
    void sampleModule();
};

// ---- the glide ---------------------------------------------------------------------

void TstDemoPlayer::rounding_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("half to even below") << 2.5 << 2;
    QTest::newRow("half to even above") << 3.5 << 4;
    QTest::newRow("zero and a half") << 0.5 << 0;
    QTest::newRow("negative half") << -2.5 << -2;
    QTest::newRow("negative odd half") << -3.5 << -4;
    QTest::newRow("below half") << 2.4999 << 2;
    QTest::newRow("above half") << 2.5001 << 3;
    QTest::newRow("beyond 16 bits") << 40000.0 << 32767;
    QTest::newRow("beyond 16 bits, negative") << -40000.0 << -32768;
}

void TstDemoPlayer::rounding() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(roundHalfEven16(value), expected);
}

void TstDemoPlayer::increments_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("aim");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<double>("len");
    QTest::newRow("pure horizontal") << QPoint(0, 0) << QPoint(1500, 0) << 100 << 0 << 100.0;
    QTest::newRow("pure vertical, upward") << QPoint(0, 3000) << QPoint(0, 0) << 0 << -200 << 200.0;
    QTest::newRow("3-4-5, longer y") << QPoint(0, 0) << QPoint(900, 1200) << 75 << 100 << 100.0;
    QTest::newRow("3-4-5, up and left") << QPoint(1000, 1000) << QPoint(100, -200) << -75 << -100 << 100.0;
    // len 100.2219: the short axis gets 100.2219 * 100 / 1500 = 6.68 -> 7
    QTest::newRow("short axis in proportion") << QPoint(0, 0) << QPoint(1500, 100) << 100 << 7 << 100.2219;
    // len 7.5 on the long axis: halves go to the even neighbour
    QTest::newRow("half increment rounds to even") << QPoint(0, 0) << QPoint(0, 1125) << 0 << 75 << 75.0;
    QTest::newRow("len 2.5 -> 2") << QPoint(0, 0) << QPoint(-37, 0) << -2 << 0 << 37.0 / 15;
    QTest::newRow("zero distance") << QPoint(500, 500) << QPoint(500, 500) << 0 << 0 << 0.0;
}

void TstDemoPlayer::increments() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, aim);
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(double, len);
    const Glide g = glideTo(from, aim);
    QCOMPARE(g.dx, dx);
    QCOMPARE(g.dy, dy);
    QVERIFY2(std::abs(g.len - len) < 1e-3, qPrintable(QString::number(g.len)));
}

void TstDemoPlayer::arrival_data() {
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QPoint>("aim");
    QTest::addColumn<double>("len");
    QTest::addColumn<double>("scale");
    QTest::addColumn<bool>("arrived");
    QTest::newRow("zero distance, no motion") << QPoint(10, 10) << QPoint(10, 10) << 0.0 << 1.0 << true;
    QTest::newRow("exactly on the aim") << QPoint(3000, 2000) << QPoint(3000, 2000) << 100.0 << 1.0 << true;
    QTest::newRow("overshot by one increment")
        << QPoint(3100, 2000) << QPoint(3000, 2000) << 100.0 << 1.0 << true;
    QTest::newRow("1.2 increments on both axes")
        << QPoint(3120, 2120) << QPoint(3000, 2000) << 100.0 << 1.0 << true;
    QTest::newRow("two increments short")
        << QPoint(2800, 2000) << QPoint(3000, 2000) << 100.0 << 1.0 << false;
    QTest::newRow("inside 1.5 increments straight")
        << QPoint(3140, 2000) << QPoint(3000, 2000) << 100.0 << 1.0 << true;
    QTest::newRow("under eight pixels") << QPoint(3119, 2000) << QPoint(3000, 2000) << 10.0 << 1.0 << true;
    QTest::newRow("eight pixels exactly") << QPoint(3120, 2000) << QPoint(3000, 2000) << 10.0 << 1.0 << false;
    QTest::newRow("eight pixels on a doubled scale")
        << QPoint(3200, 2000) << QPoint(3000, 2000) << 10.0 << 2.0 << true;
}

void TstDemoPlayer::arrival() {
    QFETCH(QPoint, pointer);
    QFETCH(QPoint, aim);
    QFETCH(double, len);
    QFETCH(double, scale);
    QFETCH(bool, arrived);
    QCOMPARE(demo::arrived(pointer, aim, len, scale), arrived);
}

void TstDemoPlayer::glideEndsNearItsAim_data() {
    QTest::addColumn<QPoint>("aim");
    QTest::newRow("far right") << QPoint(11800, 4500);
    QTest::newRow("upper left") << QPoint(100, 100);
    QTest::newRow("shallow slope") << QPoint(1000, 4700);
    QTest::newRow("steep slope") << QPoint(6200, 8900);
    QTest::newRow("six pixels away") << QPoint(6090, 4500);
}

void TstDemoPlayer::glideEndsNearItsAim() {
    QFETCH(QPoint, aim);
    QPoint p(6000, 4500);
    const Glide g = glideTo(p, aim);
    int ticks = 0;
    do {
        p += QPoint(g.dx, g.dy);
        ++ticks;
    } while (!demo::arrived(p, aim, g.len, 1.0) && ticks < 100);
    QVERIFY2(ticks <= 15, qPrintable(QString::number(ticks)));
    QVERIFY(nearAim(p, aim, g.len));
}

void TstDemoPlayer::markerColours_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("double click green") << "0002" << QColor(0, 255, 0);
    QTest::newRow("right click yellow") << "0003" << QColor(255, 255, 0);
    QTest::newRow("context menu yellow") << "4512" << QColor(255, 255, 0);
    QTest::newRow("right click or Enter red") << "2000" << QColor(255, 0, 0);
    QTest::newRow("button press red") << "9102" << QColor(255, 0, 0);
}

void TstDemoPlayer::markerColours() {
    QFETCH(QString, code);
    QFETCH(QColor, colour);
    QCOMPARE(markerColour(code), colour);
}

// ---- drawn menus ---------------------------------------------------------------------

void TstDemoPlayer::menuBlockChoice_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("fileLines");
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line15");
    // line n of the file reads "Ln"
    QTest::newRow("A: menu-bar block 7") << "A720" << 465 << "L91"
                                         << "L105";
    QTest::newRow("B2: menu-bar block 11") << "B220" << 465 << "L151"
                                           << "L165";
    QTest::newRow("C: second menu bar block 1") << "C120" << 465 << "L301"
                                                << "L315";
    QTest::newRow("context block 1") << "3120" << 465 << "L166"
                                     << "L180";
    QTest::newRow("D reads the context bank") << "D210" << 465 << "L181"
                                              << "L195";
    // a second-menu-bar block cut short keeps the context block's lines
    QTest::newRow("C block cut short") << "C120" << 310 << "L301"
                                       << "L180";
    QTest::newRow("context block past the end") << "3920" << 200 << ""
                                                << "";
}

void TstDemoPlayer::menuBlockChoice() {
    QFETCH(QString, code);
    QFETCH(int, fileLines);
    QFETCH(QString, line1);
    QFETCH(QString, line15);
    QStringList file;
    for (int i = 1; i <= fileLines; ++i)
        file << QStringLiteral("L%1").arg(i);
    const MenuBlock b = menuBlock(file, code);
    QCOMPARE(b.line[1], line1);
    QCOMPARE(b.line[15], line15);
}

namespace {
MenuBlock blockOf(const QMap<int, QString> &lines) {
    MenuBlock b;
    for (int i = 1; i <= 15; ++i)
        b.line[i] = lines.value(i, QStringLiteral("0"));
    return b;
}
} // namespace

void TstDemoPlayer::menuRows() {
    // cascade row (submenu 1), then group 2 with a separator, then group 9 of 12 entries
    QStringList twelve;
    for (int i = 0; i < 12; ++i)
        twelve << QStringLiteral("e%1").arg(i);
    const MenuBlock b = blockOf({{2, QStringLiteral("子菜单")},
                                 {3, QStringLiteral("甲|乙")},
                                 {4, QStringLiteral("新建|-|打开文件")},
                                 {15, twelve.join(u'|')}});
    const MenuPanel p = layoutMenu(b, QPoint(1000, 500), fixedWidth, false, QSize(12000, 9000));
    const MenuRow *cascade = p.cascade(1);
    QVERIFY(cascade);
    QCOMPARE(cascade->label.topLeft(), QPoint(1300, 590));
    const MenuRow *first = p.target(2, 0);
    const MenuRow *third = p.target(2, 2);
    QVERIFY(first && third);
    QCOMPARE(first->label.top(), 590 + 270);
    QCOMPARE(third->label.top() - first->label.top(), 405); // separator 135 high between
    QVERIFY(!p.target(2, 1));                               // the separator is no item
    QCOMPARE(p.separatorsDrawn, 1);
    QVERIFY(p.target(9, 9));
    QVERIFY(!p.target(9, 10)); // only ten entries of a line
    // width: widest item (4 characters) + 690; the cascade caption does not count
    QCOMPARE(p.frame.width(), 400 + 690);
    // height: 90 + cascade 270 + group 2 (270 + 135 + 270) + 10 x 270
    QCOMPARE(p.frame.height(), 90 + 270 + 675 + 2700);
    QCOMPARE(cascade->arrow, QPoint(1000 + 1090 - 180, 590 + 30));
    for (const MenuRow &r : p.rows)
        if (r.kind == MenuRow::Separator) {
            QCOMPARE(r.label.left(), 1060);
            QCOMPARE(r.label.width(), 1090 - 120);
        }
}

void TstDemoPlayer::menuFlip_data() {
    QTest::addColumn<QPoint>("corner");
    QTest::addColumn<bool>("context");
    QTest::addColumn<QPoint>("expected");
    // the panel is 890 x 630 (two items of 200 twips)
    QTest::newRow("room everywhere") << QPoint(2000, 2000) << true << QPoint(2000, 2000);
    QTest::newRow("near the right edge: opens left")
        << QPoint(10220, 2000) << true << QPoint(10220 - 890, 2000);
    QTest::newRow("just clear of the right edge") << QPoint(10219, 2000) << true << QPoint(10219, 2000);
    QTest::newRow("near the bottom: opens up") << QPoint(2000, 8070) << true << QPoint(2000, 8070 - 630);
    QTest::newRow("just clear of the bottom") << QPoint(2000, 8069) << true << QPoint(2000, 8069);
    QTest::newRow("corner: left and up") << QPoint(11000, 8500) << true << QPoint(11000 - 890, 8500 - 630);
    QTest::newRow("menu bar: never moved") << QPoint(11000, 8500) << false << QPoint(11000, 8500);
}

void TstDemoPlayer::menuFlip() {
    QFETCH(QPoint, corner);
    QFETCH(bool, context);
    QFETCH(QPoint, expected);
    const MenuBlock b = blockOf({{4, QStringLiteral("剪切|复制")}});
    const MenuPanel p = layoutMenu(b, corner, fixedWidth, context, QSize(12000, 9000));
    QCOMPARE(p.frame.size(), QSize(200 + 690, 90 + 540));
    QCOMPARE(p.frame.topLeft(), expected);
    // the rows move with the panel
    QCOMPARE(p.target(2, 1)->label.topLeft(), expected + QPoint(300, 90 + 270));
}

void TstDemoPlayer::submenuPlacement() {
    const MenuBlock b = blockOf({{4, QStringLiteral("复制")},
                                 {8, QStringLiteral("三号子菜单")},
                                 {9, QStringLiteral("一|-|二三")},
                                 {13, QStringLiteral("五号")},
                                 {14, QStringLiteral("末项")}});
    const MenuPanel m = layoutMenu(b, QPoint(1000, 1000), fixedWidth, true, QSize(12000, 9000));
    const MenuRow *cascade = m.cascade(5);
    QVERIFY(cascade);
    const MenuPanel s = layoutSubmenu(b, 5, m, fixedWidth);
    QCOMPARE(s.frame.topLeft(), QPoint(m.frame.right() + 1 - 60, cascade->label.top()));
    QCOMPARE(s.target(5, 0)->label.top(), cascade->label.top() + 135);
    QCOMPARE(s.target(5, 2)->label.top(), cascade->label.top() + 135 + 270 + 135);
    QCOMPARE(s.frame.width(), 200 + 690);
    QCOMPARE(s.frame.height(), 135 + 270 + 135 + 270);
    // submenu 5 (block line 13) holds group 8 from line 14
    const MenuPanel last = layoutSubmenu(b, 8, m, fixedWidth);
    QVERIFY(last.target(8, 0));
    QCOMPARE(last.target(8, 0)->text, QStringLiteral("末项"));
}

namespace {
// A block whose direct groups 2, 4, 6 and 9 hold `items` entries between them
// (ten to a line), each caption `chars` characters wide.
MenuBlock blockOfItems(int items, int chars) {
    QMap<int, QString> lines;
    const int groupLines[] = {4, 7, 10, 15};
    for (int g = 0; g < 4 && items > 0; ++g) {
        QStringList entries;
        for (int k = 0; k < 10 && items > 0; ++k, --items)
            entries << QString(chars, QChar(u'项'));
        lines.insert(groupLines[g], entries.join(u'|'));
    }
    return blockOf(lines);
}
} // namespace

void TstDemoPlayer::menuStaysInTheWindow_data() {
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("chars");
    QTest::addColumn<QPoint>("corner");
    QTest::addColumn<QPoint>("expected");
    // 30 items: 890 x 8190 twips, flipped up from the middle it would start 3690 above the top
    QTest::newRow("tall, from the middle: held at the top")
        << 30 << 2 << QPoint(6000, 4500) << QPoint(6000, 0);
    QTest::newRow("taller than the window: its top rows show")
        << 40 << 2 << QPoint(6000, 4500) << QPoint(6000, 0);
    // 7690 wide: flipped left from 5500 it would start 2190 left of the window
    QTest::newRow("wide, flipped left: held at the left edge")
        << 2 << 70 << QPoint(5500, 1000) << QPoint(0, 1000);
    QTest::newRow("pointer left of the window") << 2 << 2 << QPoint(-500, 1000) << QPoint(0, 1000);
    QTest::newRow("pointer above the window") << 2 << 2 << QPoint(2000, -400) << QPoint(2000, 0);
    // 890 x 630 flipped up from below the window: 8870 + 630 passes the bottom
    QTest::newRow("pointer below the window: held at the bottom")
        << 2 << 2 << QPoint(2000, 9500) << QPoint(2000, 9000 - 630);
    QTest::newRow("pointer right of the window: held at the right edge")
        << 2 << 2 << QPoint(13000, 2000) << QPoint(12000 - 890, 2000);
    QTest::newRow("flipped into the bottom right corner, inside")
        << 2 << 2 << QPoint(11500, 8800) << QPoint(11500 - 890, 8800 - 630);
}

void TstDemoPlayer::menuStaysInTheWindow() {
    QFETCH(int, items);
    QFETCH(int, chars);
    QFETCH(QPoint, corner);
    QFETCH(QPoint, expected);
    const QSize window(12000, 9000);
    const MenuPanel p = layoutMenu(blockOfItems(items, chars), corner, fixedWidth, true, window);
    QCOMPARE(p.frame.topLeft(), expected);
    if (p.frame.height() <= window.height())
        QVERIFY2(QRect(QPoint(), window).contains(p.frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                           .arg(p.frame.x())
                                                                           .arg(p.frame.y())
                                                                           .arg(p.frame.width())
                                                                           .arg(p.frame.height())));
    // the rows move with the panel
    QCOMPARE(p.target(2, 0)->label.topLeft(), expected + QPoint(LabelIndent, MenuFirstRow));
}

void TstDemoPlayer::submenuStaysInTheWindow_data() {
    QTest::addColumn<bool>("context");
    QTest::addColumn<QPoint>("corner");
    QTest::addColumn<int>("subItems");
    QTest::addColumn<int>("subChars");
    QTest::addColumn<QPoint>("expected");
    // the menu: a cascade row then one item of 2 characters, 890 x 630 twips;
    // the cascade row's top is 90 below the menu's top
    QTest::newRow("room everywhere: hangs right of the menu")
        << true << QPoint(2000, 2000) << 3 << 2 << QPoint(2000 + 890 - 60, 2090);
    // 10 entries: 135 + 2700 high; hung from 7090 it would pass the bottom
    QTest::newRow("near the bottom: pushed up")
        << false << QPoint(2000, 7000) << 10 << 2 << QPoint(2000 + 890 - 60, 9000 - 2835);
    // 3290 wide: hung at 11030 it would pass the right edge, so it opens on the menu's left
    QTest::newRow("near the right edge: opens on the menu's left")
        << false << QPoint(10200, 1000) << 3 << 26 << QPoint(10200 - 3290 + 60, 1090);
    QTest::newRow("too wide for either side: held at the left edge")
        << false << QPoint(3000, 1000) << 3 << 110 << QPoint(0, 1090);
}

void TstDemoPlayer::submenuStaysInTheWindow() {
    QFETCH(bool, context);
    QFETCH(QPoint, corner);
    QFETCH(int, subItems);
    QFETCH(int, subChars);
    QFETCH(QPoint, expected);
    QStringList entries;
    for (int k = 0; k < subItems; ++k)
        entries << QString(subChars, QChar(u'子'));
    const MenuBlock b =
        blockOf({{2, QStringLiteral("子菜单")}, {3, entries.join(u'|')}, {4, QStringLiteral("复制")}});
    const QSize window(12000, 9000);
    const MenuPanel m = layoutMenu(b, corner, fixedWidth, context, window);
    QCOMPARE(m.frame.topLeft(), corner);
    const MenuPanel s = layoutSubmenu(b, 1, m, fixedWidth);
    QCOMPARE(s.frame.topLeft(), expected);
    QVERIFY(QRect(QPoint(), window).contains(s.frame) || s.frame.width() > window.width());
    // the rows move with the panel
    QCOMPARE(s.target(1, 0)->label.topLeft(), expected + QPoint(LabelIndent, SubFirstRow));
}

// ---- whole steps ---------------------------------------------------------------------

void TstDemoPlayer::typing_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("answer");    // "" = AnswerLine 0
    QTest::addColumn<QStringList>("typed"); // the box after each Timer1 tick
    QTest::addColumn<bool>("overlay");
    QTest::newRow("command line, one character a tick")
        << "0020"
        << "LINE" << QStringList{"L", "LI", "LIN", "LINE"} << false;
    QTest::newRow("first of two alternatives")
        << "A111"
        << "CIRCLE|C" << QStringList{"C", "CI", "CIR", "CIRC", "CIRCL", "CIRCLE"} << false;
    QTest::newRow("overlay box") << "0021"
                                 << "12" << QStringList{"1", "12"} << true;
    QTest::newRow("no answer: one tick, nothing typed") << "0022"
                                                        << "" << QStringList{""} << false;
    QTest::newRow("0023 types nothing") << "0023"
                                        << "ABC" << QStringList{"起始"} << false;
}

void TstDemoPlayer::typing() {
    QFETCH(QString, code);
    QFETCH(QString, answer);
    QFETCH(QStringList, typed);
    QFETCH(bool, overlay);
    BankFixture f;
    f.writeTexts({QStringLiteral("起始"), answer});
    f.writeSteps({Rec(code).box(600, 8000, 9000, 270, 1, answer.isEmpty() ? 0 : 2).zone(3000, 3000, 600, 600),
                  Rec(QStringLiteral("9999"))});
    f.data.DemoRunning = True;
    Env env;
    DemoPlayer p(f.data, env.make(f.data));
    p.start();
    TickSchedule s(p, normalSpeed());
    QVERIFY(s.runUntil([&] { return p.runs(Timer::Timer1); }));
    // the pointer is 300 twips into the box at mid height
    QVERIFY(nearAim(p.pointer(), QPoint(900, 8135), p.glide().len));
    for (int i = 0; i < typed.size(); ++i) {
        QCOMPARE(p.step(), 1);
        p.tick(Timer::Timer1);
        const QString shown = overlay ? p.screen().overlayText : p.screen().boxText;
        QCOMPARE(shown, typed.at(i));
    }
    QVERIFY(!p.runs(Timer::Timer1));
    if (code == QLatin1String("0022")) {
        // then on to zone 1, where the step completes
        QCOMPARE(p.step(), 1);
        QVERIFY(p.runs(Timer::Timer2));
        QVERIFY(s.runUntil([&] { return p.step() == 2; }));
        QVERIFY(nearAim(p.marker().center() - QPoint(7, 7), QPoint(3300, 3300), p.glide().len));
    } else {
        QCOMPARE(p.step(), 2);
    }
    QVERIFY(s.runToEnd());
}

namespace {

// One question with a step of every kind the player acts out or passes over.
void writeEveryKind(BankFixture &f, bool withMenuFile = true) {
    f.writeTexts({QStringLiteral("提示"), QStringLiteral("LINE"), QStringLiteral("10,20")});
    if (withMenuFile)
        f.writeMenu({{4, QStringLiteral("新建|打开")},          // menu-bar block 1
                     {92, QStringLiteral("绘图子菜单")},        // block 7, submenu 1
                     {93, QStringLiteral("直线|-|圆")},         // its entries (group 1)
                     {94, QStringLiteral("设置|-|选项")},       // block 7, group 2
                     {154, QStringLiteral("帮助|-|关于")},      // block 11 (B2)
                     {304, QStringLiteral("第二栏")},           // second bar block 1
                     {169, QStringLiteral("重复|-|剪切|复制")}, // context block 1
                     {187, QStringLiteral("上下文甲")}});       // context block 2, group 4 (D2)
    f.writePicture(QStringLiteral("100001"), 800, 600, Qt::darkGray);
    f.writePicture(QStringLiteral("100005"), 60, 20, Qt::yellow);
    using R = Rec;
    auto z = [](const QString &c) { return R(c).zone(4500, 3000, 900, 600).hint(300, 300, 1); };
    R twoTargets = z(QStringLiteral("0001"));
    twoTargets.r.set(sim::bank::Field::MenuBarY, QStringLiteral("X0100"));
    f.writeSteps({z(QStringLiteral("0001")).screen(QStringLiteral("100001")),
                  z(QStringLiteral("0002")),
                  z(QStringLiteral("0003")),
                  z(QStringLiteral("2000")),
                  z(QStringLiteral("9102")),
                  twoTargets,
                  z(QStringLiteral("0030")),
                  z(QStringLiteral("T000")),
                  z(QStringLiteral("0000")),
                  z(QStringLiteral("0020")).box(600, 8000, 9000, 270, 0, 2),
                  z(QStringLiteral("0021")).box(3000, 3000, 2000, 270, 0, 3),
                  z(QStringLiteral("0026")).box(600, 8000, 9000, 270, 0, 2),
                  z(QStringLiteral("0023")).box(600, 8000, 9000, 270, 0, 2),
                  z(QStringLiteral("A111")).box(600, 8000, 9000, 270, 0, 2),
                  z(QStringLiteral("0041")).zone2(1500, 1500, 150, 150),
                  z(QStringLiteral("0050")).zone2(1500, 1500, 150, 150).pointer(QStringLiteral("M0003")),
                  R(QStringLiteral("6002")),
                  R(QStringLiteral("8888")),
                  R(QStringLiteral("8002")).pic(5, 1500, 6000, QStringLiteral("100005")).target(9000, 6000),
                  z(QStringLiteral("3120")).menuBar(0, 0),
                  z(QStringLiteral("A710")).menuBar(120, 360),
                  z(QStringLiteral("A722")).menuBar(120, 360),
                  z(QStringLiteral("B222")).menuBar(120, 360),
                  z(QStringLiteral("C120")).menuBar(120, 360),
                  z(QStringLiteral("D240")).menuBar(0, 0),
                  R(QStringLiteral("9999"))});
}

} // namespace

void TstDemoPlayer::everyKindOfStep() {
    BankFixture f;
    writeEveryKind(f);
    f.data.DemoRunning = True;
    const Snapshot before(f.data);
    Env env;
    DemoPlayer p(f.data, env.make(f.data));
    p.start();
    TickSchedule s(p, normalSpeed());
    QString failure;
    const int checked = playChecked(p, s, f.data, &failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY(p.finished());
    QCOMPARE(checked, 5 + 6); // five click steps, six menu steps
    QCOMPARE(p.passedCodes(), (QStringList{"0030", "T000", "0000"}));
    QVERIFY(p.problems().isEmpty());
    QCOMPARE(int(f.data.DemoRunning), int(False));
    QCOMPARE(p.step(), 1);
    QVERIFY(Snapshot(f.data) == before);
    QVERIFY(s.ticksOf(Timer::TimerRS) > 0); // the cascade was walked
    // the end counts on from the marker's blink: two to four ticks
    QVERIFY(s.ticksOf(Timer::TimEnd) >= 2 && s.ticksOf(Timer::TimEnd) <= 4);
}

void TstDemoPlayer::selectionFrameFollowsTheDrag() {
    BankFixture f;
    f.writeSteps({Rec(QStringLiteral("0041")).zone(6000, 5000, 600, 600).zone2(1500, 1500, 150, 150),
                  Rec(QStringLiteral("9999"))});
    f.data.DemoRunning = True;
    Env env;
    DemoPlayer p(f.data, env.make(f.data));
    p.start();
    TickSchedule s(p, normalSpeed());
    QVERIFY(s.runUntil([&] { return p.dragging(); }));
    QVERIFY(p.cursorShown());
    QCOMPARE(p.cursorPath(), sim::bank::pointerPath(f.data, QStringLiteral("00")));
    QVERIFY(p.screen().selectionVisible);
    QCOMPARE(QPoint(p.screen().selection.x, p.screen().selection.y), QPoint(1500, 1500));
    int lastW = 0;
    while (p.step() == 1 && s.step()) {
        if (p.step() != 1)
            break;
        const sim::Rect &r = p.screen().selection;
        // the far corner trails the pointer by eight pixels
        QCOMPARE(r.w, p.pointer().x() - 1500 + 120);
        QCOMPARE(r.h, p.pointer().y() - 1500 + 120);
        QVERIFY(r.w >= lastW);
        lastW = r.w;
    }
    QVERIFY(lastW > 4000);
    QVERIFY(s.runToEnd());
}

void TstDemoPlayer::pictureCarriedToItsTarget() {
    BankFixture f;
    f.writePicture(QStringLiteral("100005"), 60, 20);
    f.writeSteps({Rec(QStringLiteral("8002")).pic(5, 1500, 6000, QStringLiteral("100005")).target(9000, 6000),
                  Rec(QStringLiteral("9999"))});
    f.data.DemoRunning = True;
    Env env;
    DemoPlayer p(f.data, env.make(f.data));
    p.start();
    TickSchedule s(p, normalSpeed());
    QVERIFY(s.runUntil([&] { return p.runs(Timer::Timer3); }));
    // the pointer took hold of the picture's centre (1500 + 450, 6000 + 150)
    QVERIFY(nearAim(p.pointer(), QPoint(1950, 6150), glideTo(QPoint(6000, 4500), QPoint(1950, 6150)).len));
    QVERIFY(s.runUntil([&] { return p.step() == 2; }));
    QVERIFY(nearAim(p.pointer(), QPoint(9000, 6000), glideTo(QPoint(1950, 6150), QPoint(9000, 6000)).len));
    // picture 5 travelled centred on the pointer
    QCOMPARE(p.screen().pics[5].x, p.pointer().x() - 450);
    QVERIFY(s.ticksOf(Timer::Timer3) >= 10 && s.ticksOf(Timer::Timer3) <= 15);
}

void TstDemoPlayer::markerKeepsItsStepsColour_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("double click, then a click") << "0002"
                                                << "0001" << QColor(0, 255, 0);
    QTest::newRow("right click, then a click") << "0003"
                                               << "0001" << QColor(255, 255, 0);
    QTest::newRow("click, then a double click") << "0001"
                                                << "0002" << QColor(255, 0, 0);
    QTest::newRow("button press, then a right click") << "9102"
                                                      << "0003" << QColor(255, 0, 0);
    QTest::newRow("context menu item, then a click") << "3120"
                                                     << "0001" << QColor(255, 255, 0);
    QTest::newRow("menu-bar item, then a right click") << "A120"
                                                       << "0003" << QColor(255, 0, 0);
}

// The marker flashes where a step was done, while the next step's glide has
// begun: it keeps the colour of the step it marks.
void TstDemoPlayer::markerKeepsItsStepsColour() {
    QFETCH(QString, code);
    QFETCH(QString, next);
    QFETCH(QColor, colour);
    BankFixture f;
    f.writeMenu({{4, QStringLiteral("新建|打开")}, {169, QStringLiteral("重复|剪切")}});
    const bool context = code.startsWith(u'3');
    f.writeSteps({Rec(code).zone(1500, 1500, 600, 600).menuBar(context ? 0 : 120, context ? 0 : 360),
                  Rec(next).zone(9000, 7000, 600, 600), Rec(QStringLiteral("9999"))});
    f.data.DemoRunning = True;
    Env env;
    DemoPlayer p(f.data, env.make(f.data));
    p.start();
    TickSchedule s(p, normalSpeed());
    QVERIFY(s.runUntil([&] { return p.step() == 2; }));
    QVERIFY(p.runs(Timer::Timer2)); // the next step glides
    int shown = 0;
    while (p.step() == 2 && s.step()) {
        if (p.step() != 2 || !p.markerVisible())
            continue;
        ++shown;
        QCOMPARE(p.markerColour(), colour);
    }
    QVERIFY(shown > 0); // the marker did flash during the next step's glide
}

void TstDemoPlayer::longRunOfPassedSteps_data() {
    QTest::addColumn<QStringList>("pattern"); // repeated to fill the run
    QTest::addColumn<int>("length");
    QTest::newRow("10,000 key steps") << QStringList{"6002"} << 10000;
    QTest::newRow("10,000 steps passed at once") << QStringList{"8888"} << 10000;
    QTest::newRow("keys and passed steps in turn") << QStringList{"6002", "8888", "6013"} << 10000;
}

// A run of steps acted out without motion is passed one after the other, not
// one inside the other, however long it is: the demonstration plays on to the
// click after it and to the end.
void TstDemoPlayer::longRunOfPassedSteps() {
    QFETCH(QStringList, pattern);
    QFETCH(int, length);
    BankFixture f;
    QList<sim::bank::StepRecord> steps;
    steps.reserve(length + 2);
    for (int i = 0; i < length; ++i)
        steps << Rec(pattern.at(i % pattern.size()));
    steps << Rec(QStringLiteral("0001")).zone(1500, 1500, 600, 600) << Rec(QStringLiteral("9999"));
    f.writeSteps(steps);
    f.data.DemoRunning = True;
    Env env;
    DemoPlayer p(f.data, env.make(f.data));
    p.start();
    // the whole run passed while the first step was set up; the click is next
    QCOMPARE(p.step(), length + 1);
    QCOMPARE(p.screen().code, QStringLiteral("0001"));
    QVERIFY(p.runs(Timer::Timer2));
    QCOMPARE(p.aim(), QPoint(1800, 1800));
    TickSchedule s(p, normalSpeed());
    QVERIFY(s.runToEnd());
    QVERIFY(p.problems().isEmpty());
    QVERIFY(p.passedCodes().isEmpty());
}

void TstDemoPlayer::closingFirst() {
    BankFixture f;
    f.writeSteps({Rec(QStringLiteral("9999"))});
    f.data.DemoRunning = True;
    Env env;
    DemoPlayer p(f.data, env.make(f.data));
    bool said = false;
    p.setFinishedHandler([&] { said = true; });
    p.start();
    QCOMPARE(p.screen().hintText, QStringLiteral("操作成功！"));
    QVERIFY(p.screen().hintVisible);
    QVERIFY(!p.screen().successVisible);
    TickSchedule s(p, normalSpeed());
    QVERIFY(s.runToEnd());
    QVERIFY(said);
    QCOMPARE(s.ticks(), 4);
    QCOMPARE(s.ticksOf(Timer::Timer2), 0);
    QCOMPARE(s.now(), 400);
}

void TstDemoPlayer::learnerEndsItEarly() {
    BankFixture f;
    writeEveryKind(f);
    f.data.DemoRunning = True;
    Env env;
    DemoPlayer p(f.data, env.make(f.data));
    p.start();
    TickSchedule s(p, normalSpeed());
    QVERIFY(s.runUntil([&] { return p.runs(Timer::TimerRS); })); // deep inside a submenu walk
    const int step = p.step();
    p.requestEnd();
    QVERIFY(s.runToEnd());
    QVERIFY(s.ticksOf(Timer::TimEnd) <= 4);
    QCOMPARE(p.step(), 1);
    QVERIFY(step > 1);
    QCOMPARE(int(f.data.DemoRunning), int(False));
    QVERIFY(!p.anyRunning());
}

void TstDemoPlayer::slowSpeedDoublesTheTime() {
    qint64 elapsed[2] = {};
    int ticks[2] = {};
    for (int speed = 1; speed <= 2; ++speed) {
        BankFixture f;
        writeEveryKind(f);
        f.data.DemoRunning = True;
        Env env;
        DemoPlayer p(f.data, env.make(f.data));
        p.start();
        const Intervals iv = intervalsOf(sim::demoIntervals(speed));
        QCOMPARE(iv, (Intervals{500 * speed, 100 * speed, 1000 * speed, 100 * speed, 100 * speed, 100 * speed,
                                100 * speed}));
        TickSchedule s(p, iv);
        QVERIFY(s.runToEnd());
        elapsed[speed - 1] = s.now();
        ticks[speed - 1] = s.ticks();
    }
    QCOMPARE(ticks[1], ticks[0]);
    QCOMPARE(elapsed[1], 2 * elapsed[0]);
}

void TstDemoPlayer::missingFilesDoNotStopIt() {
    BankFixture f;
    writeEveryKind(f, false); // no sMenu.sys
    QFile::remove(f.data.DataDir + QStringLiteral("100005.rar"));
    f.data.DemoRunning = True;
    Env env;
    DemoPlayer p(f.data, env.make(f.data));
    p.start();
    TickSchedule s(p, normalSpeed());
    QVERIFY(s.runToEnd());
    QVERIFY(!p.problems().isEmpty()); // the menu file is named
    QVERIFY(p.problems().first().contains(QStringLiteral("sMenu.sys")));
}

void TstDemoPlayer::sampleModule_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("question");
    ModData d;
    d.AppPath = QStringLiteral(CADDRILL_PROGRAM_DIR);
    QString err;
    if (!start::verfile::readInfo(d, &err))
        QSKIP("the sample module is not staged in the program folder");
    for (int u = 0; u < 20; ++u) {
        d.CurSet = Integer(u);
        d.SetBase = SetBaseUnit;
        start::setfiles::nameSetFiles(d);
        if (!QFileInfo::exists(d.IndexFile))
            break;
        const int n = start::setfiles::readQuestionOffsets(d, &err);
        for (int q = 1; q <= n && q <= MaxQuestions; ++q)
            QTest::addRow("unit %d question %d", u + 1, q) << u << q;
    }
}

void TstDemoPlayer::sampleModule() {
    QFETCH(int, unit);
    QFETCH(int, question);
    ModData d;
    d.AppPath = QStringLiteral(CADDRILL_PROGRAM_DIR);
    QString err;
    QVERIFY(start::verfile::readInfo(d, &err));
    d.CurSet = Integer(unit);
    d.SetBase = SetBaseUnit;
    d.WorkMode = WorkPractice;
    start::setfiles::nameSetFiles(d);
    d.QuestionCount = Integer(start::setfiles::readQuestionOffsets(d, &err));
    d.CurQuestion = Integer(question);
    d.CurStep = 1;
    d.DemoRunning = True;
    const Snapshot before(d);
    Env env;
    DemoPlayer p(d, env.make(d));
    p.start();
    TickSchedule s(p, normalSpeed());
    QString failure;
    const int checked = playChecked(p, s, d, &failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY2(p.finished(),
             qPrintable(QStringLiteral("stopped at step %1 code %2").arg(p.step()).arg(p.screen().code)));
    QVERIFY2(p.problems().isEmpty(), qPrintable(p.problems().join(u'\n')));
    Q_UNUSED(checked); // some questions are typing only
    QVERIFY(Snapshot(d) == before);
    QCOMPARE(d.WorkMode, Integer(WorkPractice));
    if (!p.passedCodes().isEmpty())
        qInfo("passed over: %s", qPrintable(p.passedCodes().join(u' ')));
}

QTEST_MAIN(TstDemoPlayer)
#include "tst_demoplayer.moc"
