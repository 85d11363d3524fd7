// The step engine against small question sets: which action completes which
// step, and what the closing record, the back button and bad files do.
#include "fixture.h"
#include "simulator/stepengine.h"

#include <QTest>

using namespace sim;

namespace {

struct Recorder : EngineListener {
    int laidOut = 0;
    QList<int> menuBar; // bar index of every pop-up (-1 at the pointer)
    QList<sim::menus::MenuContent> menus;
    QStringList problems;
    std::optional<QString> biao, unit;
    QList<PointerShape> zone1, zone2;
    void stepLaidOut() override { ++laidOut; }
    void showMenu(const sim::menus::MenuContent &m, int bar) override {
        menus << m;
        menuBar << bar;
    }
    void panelCaptions(const std::optional<QString> &b, const std::optional<QString> &u) override {
        if (b)
            biao = b;
        if (u)
            unit = u;
    }
    void fileProblem(const QString &m) override { problems << m; }
    void zone1Pointer(const PointerShape &p) override { zone1 << p; }
    void zone2Pointer(const PointerShape &p) override { zone2 << p; }
};

// Learner actions, as the engine takes them.
Action down(int button, int shift = 0) {
    return Action::zone1Down(button, shift);
}
Action up(int button, int shift = 0) {
    return Action::zone1Up(button, shift);
}
Action click(int shift = 0) {
    return Action::zone1Up(1, shift);
}
Action z2down(int x, int y, int shift = 0, int button = 1) {
    return Action::zone2Down(button, shift, x, y);
}
Action z2move(int x, int y, int shift = 0) {
    return Action::zone2Move(shift, x, y);
}
Action z2up(int x, int y, int shift = 0) {
    return Action::zone2Up(1, shift, x, y);
}
Action p5move(int x, int y) {
    return Action::picture5Move(1, x, y);
}
Action type(const QString &t) {
    return Action::text1(t);
}
Action keyUp(int vk) {
    return Action::text1KeyUp(vk);
}
Action key(int vk, int shift = 0) {
    return Action::windowKey(vk, shift);
}

void run(StepEngine &e, const QList<Action> &acts) {
    for (const Action &x : acts)
        e.apply(x);
}

Rec z1(const QString &code) {
    return Rec(code).zone(1500, 1500, 600, 600);
}
sim::bank::StepRecord closing() {
    return Rec(QStringLiteral("9999"));
}

} // namespace

Q_DECLARE_METATYPE(QList<sim::bank::StepRecord>)
Q_DECLARE_METATYPE(QList<Action>)
Q_DECLARE_METATYPE(QList<QList<sim::bank::StepRecord>>)

class TstStepEngine : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void actions_data();
    void actions();
    void textEntry_data();
    void textEntry();
    void enterEmptiesOnMismatch();
    void selfCompletingSteps_data();
    void selfCompletingSteps();
    void longTextsAreCut();
    void closingCaptions_data();
    void closingCaptions();
    void closingInExamShowsNoSuccess();
    void backButton_data();
    void backButton();
    void missingStepFileBlocksOnce();
    void missingPictureBlocksQuestion();
    void rememberedScreenAndResume();
    void contextMenuOpensAtPointer();
    void missingMenuFileLeavesStepOpen();
    void menuFileChangedBetweenOpenings();
    void pointerShapes();
    void rewrittenFilesAreSeen();
};

// Each row: the records of one question, the actions, the step reached.
void TstStepEngine::actions_data() {
    QTest::addColumn<QList<sim::bank::StepRecord>>("steps");
    QTest::addColumn<QList<Action>>("acts");
    QTest::addColumn<int>("step");
    const auto q = [](std::initializer_list<sim::bank::StepRecord> l) {
        return QList<sim::bank::StepRecord>(l);
    };
    const QString c0001 = QStringLiteral("0001");

    QTest::newRow("0001 left click") << q({z1(c0001), closing()}) << QList<Action>{down(1), click()} << 2;
    QTest::newRow("0001 with Shift stays") << q({z1(c0001), closing()}) << QList<Action>{click(1)} << 1;
    QTest::newRow("0001 right button stays") << q({z1(c0001), closing()}) << QList<Action>{up(2)} << 1;
    QTest::newRow("0002 double click") << q({z1(QStringLiteral("0002")), closing()})
                                       << QList<Action>{down(1), up(1), Action::zone1DoubleClick()} << 2;
    QTest::newRow("0002 single click stays")
        << q({z1(QStringLiteral("0002")), closing()}) << QList<Action>{down(1), up(1)} << 1;
    QTest::newRow("0003 right press")
        << q({z1(QStringLiteral("0003")), closing()}) << QList<Action>{down(2)} << 2;
    QTest::newRow("0003 left press stays")
        << q({z1(QStringLiteral("0003")), closing()}) << QList<Action>{down(1)} << 1;
    QTest::newRow("0003 then 9002: one right press completes both")
        << q({z1(QStringLiteral("0003")), z1(QStringLiteral("9002")), closing()}) << QList<Action>{down(2)}
        << 3;
    QTest::newRow("2000 right press")
        << q({z1(QStringLiteral("2000")), closing()}) << QList<Action>{down(2)} << 2;
    QTest::newRow("2000 Enter") << q({z1(QStringLiteral("2000")), closing()}) << QList<Action>{key(13)} << 2;
    QTest::newRow("2000 Space") << q({z1(QStringLiteral("2000")), closing()}) << QList<Action>{key(32)} << 2;
    QTest::newRow("2000 Ctrl+Enter stays")
        << q({z1(QStringLiteral("2000")), closing()}) << QList<Action>{key(13, 2)} << 1;
    QTest::newRow("0030 hover") << q({z1(QStringLiteral("0030")), closing()})
                                << QList<Action>{Action::zone1Move()} << 2;
    QTest::newRow("9101 Shift+left press")
        << q({z1(QStringLiteral("9101")), closing()}) << QList<Action>{down(1, 1)} << 2;
    QTest::newRow("9101 left press without Shift stays")
        << q({z1(QStringLiteral("9101")), closing()}) << QList<Action>{down(1)} << 1;
    QTest::newRow("9204 Ctrl+middle")
        << q({z1(QStringLiteral("9204")), closing()}) << QList<Action>{down(4, 2)} << 2;
    QTest::newRow("9204 Ctrl+left stays")
        << q({z1(QStringLiteral("9204")), closing()}) << QList<Action>{down(1, 2)} << 1;

    // Zone 2 at (3000, 3000) 300 x 300, zone 1 at (1500, 1500) 600 x 600.
    const auto drag = [](const QString &code) { return z1(code).zone2(3000, 3000, 300, 300); };
    QTest::newRow("zone 2 plain click")
        << q({z1(c0001).zone2(3000, 3000, 300, 300, u'0'), closing()}) << QList<Action>{z2down(10, 10)} << 2;
    QTest::newRow("zone 2 click locked by EE")
        << q({z1(c0001).zone2(3000, 3000, 300, 300, u'0').lock(), closing()}) << QList<Action>{z2down(10, 10)}
        << 1;
    QTest::newRow("zone 2 click flag completes a drag code")
        << q({z1(QStringLiteral("0050")).zone2(3000, 3000, 300, 300, u'0'), closing()})
        << QList<Action>{z2down(10, 10)} << 2;
    QTest::newRow("0042 selection with Ctrl")
        << q({drag(QStringLiteral("0042")), closing()})
        << QList<Action>{z2down(0, 0, 2), z2move(-1000, -1000, 2), z2up(-1200, -1200, 2)} << 2;
    QTest::newRow("0042 released without Ctrl, then with Ctrl")
        << q({drag(QStringLiteral("0042")), closing()})
        << QList<Action>{z2down(0, 0, 2), z2move(-1000, -1000, 2), z2up(-1200, -1200, 0),
                         z2up(-1200, -1200, 2)}
        << 2;
    QTest::newRow("0042 released without Ctrl only")
        << q({drag(QStringLiteral("0042")), closing()})
        << QList<Action>{z2down(0, 0, 2), z2move(-1000, -1000, 2), z2up(-1200, -1200, 0)} << 1;
    QTest::newRow("0040 drop outside zone 1")
        << q({drag(QStringLiteral("0040")), closing()})
        << QList<Action>{z2down(0, 0), z2move(-100, -100), z2up(-100, -100)} << 1;
    QTest::newRow("0050 drop inside")
        << q({drag(QStringLiteral("0050")), closing()})
        << QList<Action>{z2down(0, 0), z2move(-1200, -1200), z2up(-1200, -1200)} << 2;
    QTest::newRow("0050 without a move stays") << q({drag(QStringLiteral("0050")), closing()})
                                               << QList<Action>{z2down(0, 0), z2up(-1200, -1200)} << 1;
    // Zone 1 right edge is 2100, bottom edge 2100: X = 3000 + x.
    QTest::newRow("0050 drop on the zone edge")
        << q({drag(QStringLiteral("0050")), closing()})
        << QList<Action>{z2down(0, 0), z2move(-900, -900), z2up(-900, -900)} << 2;
    QTest::newRow("0050 drop one twip past the edge")
        << q({drag(QStringLiteral("0050")), closing()})
        << QList<Action>{z2down(0, 0), z2move(-899, -900), z2up(-899, -900)} << 1;
    // A damaged record can place zone 2 past the far end of the range (a field
    // that reads as a huge number is kept at the Long's end) and zone 1 over the
    // whole near half: a drop beyond zone 2's place is still beyond, it does not
    // wrap round into zone 1.
    const auto farDrag = [](const QString &code) {
        Rec r = z1(code).zone2(0, 0, 300, 300);
        for (auto f : {sim::bank::Field::Zone2X, sim::bank::Field::Zone2Y, sim::bank::Field::ZoneW,
                       sim::bank::Field::ZoneH})
            r.r.set(f, QStringLiteral("9E+99"));
        r.r.set(sim::bank::Field::ZoneX, QStringLiteral("-9E99"));
        r.r.set(sim::bank::Field::ZoneY, QStringLiteral("-9E99"));
        return r;
    };
    QTest::newRow("0050 drop beyond a zone 2 at the far end")
        << q({farDrag(QStringLiteral("0050")), closing()})
        << QList<Action>{z2down(0, 0), z2move(12336, 12336), z2up(12336, 12336)} << 1;
    QTest::newRow("0042 selection beyond a zone 2 at the far end")
        << q({farDrag(QStringLiteral("0042")), closing()})
        << QList<Action>{z2down(100, 100, 2), z2move(12336, 12336, 2), z2up(12336, 12336, 2)} << 1;
    QTest::newRow("0051 needs Shift")
        << q({drag(QStringLiteral("0051")), closing()})
        << QList<Action>{z2down(0, 0), z2move(-1200, -1200), z2up(-1200, -1200)} << 1;

    // Picture 5 home (6000, 3000), target (4500, 1500).
    const auto p5 = [](const QString &code) {
        return Rec(code).pic(5, 6000, 3000, QStringLiteral("888888")).target(4500, 1500);
    };
    QTest::newRow("8001 dragged left past the target")
        << q({p5(QStringLiteral("8001")), closing()}) << QList<Action>{p5move(-3200, 0), Action::picture5Up()}
        << 2;
    QTest::newRow("8001 short of the target") << q({p5(QStringLiteral("8001")), closing()})
                                              << QList<Action>{p5move(-2000, 0), Action::picture5Up()} << 1;
    QTest::newRow("8002 right of the target")
        << q({p5(QStringLiteral("8002")), closing()}) << QList<Action>{Action::picture5Up()} << 2;
    QTest::newRow("8003 up past the target") << q({p5(QStringLiteral("8003")), closing()})
                                             << QList<Action>{p5move(0, -3000), Action::picture5Up()} << 2;
    QTest::newRow("8004 below the target")
        << q({p5(QStringLiteral("8004")), closing()}) << QList<Action>{Action::picture5Up()} << 2;
    QTest::newRow("8008 up-left") << q({p5(QStringLiteral("8008")), closing()})
                                  << QList<Action>{p5move(-3000, -3000), Action::picture5Up()} << 2;
    QTest::newRow("8008 only left stays") << q({p5(QStringLiteral("8008")), closing()})
                                          << QList<Action>{p5move(-3000, 0), Action::picture5Up()} << 1;
    // A picture placed at the near end of the range, dragged further left, is
    // still left of the target: its place does not wrap round to the far end.
    const auto p5far = [&](const QString &code) {
        Rec r = p5(code);
        r.r.set(sim::bank::Field::Pic5X, QStringLiteral("-9E99"));
        return r;
    };
    QTest::newRow("8001 from the near end, dragged further left")
        << q({p5far(QStringLiteral("8001")), closing()})
        << QList<Action>{p5move(-3200, 0), Action::picture5Up()} << 2;
    QTest::newRow("8007 down-right holds at start")
        << q({p5(QStringLiteral("8007")).target(6000, 3000), closing()})
        << QList<Action>{Action::picture5Up()} << 2;
    QTest::newRow("8006 right of target stays")
        << q({p5(QStringLiteral("8006")), closing()}) << QList<Action>{Action::picture5Up()} << 1;
    QTest::newRow("8009 needs up") << q({p5(QStringLiteral("8009")).target(5000, 1500), closing()})
                                   << QList<Action>{Action::picture5Up()} << 1;

    QTest::newRow("6002 Enter") << q({Rec(QStringLiteral("6002")), closing()}) << QList<Action>{key(13)} << 2;
    QTest::newRow("6002 Space") << q({Rec(QStringLiteral("6002")), closing()}) << QList<Action>{key(32)} << 2;
    QTest::newRow("6002 Shift+Enter stays")
        << q({Rec(QStringLiteral("6002")), closing()}) << QList<Action>{key(13, 1)} << 1;
    QTest::newRow("6115 Shift+F4") << q({Rec(QStringLiteral("6115")), closing()})
                                   << QList<Action>{key(115, 1)} << 2;
    QTest::newRow("6115 F4 alone stays")
        << q({Rec(QStringLiteral("6115")), closing()}) << QList<Action>{key(115)} << 1;
    QTest::newRow("6003 F2") << q({Rec(QStringLiteral("6003")), closing()}) << QList<Action>{key(113)} << 2;
    QTest::newRow("6020 F9") << q({Rec(QStringLiteral("6020")), closing()}) << QList<Action>{key(120)} << 2;
    QTest::newRow("6291 Ctrl+/") << q({Rec(QStringLiteral("6291")), closing()}) << QList<Action>{key(191, 2)}
                                 << 2;
    QTest::newRow("6299 Ctrl+.") << q({Rec(QStringLiteral("6299")), closing()}) << QList<Action>{key(190, 2)}
                                 << 2;
    QTest::newRow("6265 Ctrl+A") << q({Rec(QStringLiteral("6265")), closing()}) << QList<Action>{key(65, 2)}
                                 << 2;
    QTest::newRow("6002 then 3420: one Enter completes both")
        << q({Rec(QStringLiteral("6002")), Rec(QStringLiteral("3420")), closing()}) << QList<Action>{key(13)}
        << 3;
    QTest::newRow("6002 then 2000: one Space completes both")
        << q({Rec(QStringLiteral("6002")), Rec(QStringLiteral("2000")), closing()}) << QList<Action>{key(32)}
        << 3;
    QTest::newRow("3420 Esc") << q({z1(QStringLiteral("3420")), closing()}) << QList<Action>{key(27)} << 2;
    QTest::newRow("3220 Enter") << q({z1(QStringLiteral("3220")), closing()}) << QList<Action>{key(13)} << 2;
    QTest::newRow("3512 Esc stays") << q({z1(QStringLiteral("3512")), closing()}) << QList<Action>{key(27)}
                                    << 1;

    QTest::newRow("3512 context menu choice") << q({z1(QStringLiteral("3512")), closing()})
                                              << QList<Action>{down(2), Action::chooseItem(1, 2)} << 2;
    QTest::newRow("3512 choice without opening stays")
        << q({z1(QStringLiteral("3512")), closing()}) << QList<Action>{Action::chooseItem(1, 2)} << 1;
    QTest::newRow("A123 from title 1")
        << q({Rec(QStringLiteral("A123")).menuBar(100, 100), closing()})
        << QList<Action>{Action::openBarMenu(0), Action::chooseItem(2, 3)} << 2;
    QTest::newRow("A123 from title 2 stays")
        << q({Rec(QStringLiteral("A123")).menuBar(100, 100), closing()})
        << QList<Action>{Action::openBarMenu(1), Action::chooseItem(2, 3)} << 1;
    QTest::newRow("A123 left click on zone 1")
        << q({z1(QStringLiteral("A123")), closing()}) << QList<Action>{click()} << 2;
    QTest::newRow("B220 from the eleventh title")
        << q({Rec(QStringLiteral("B220")), closing()})
        << QList<Action>{Action::openBarMenu(10), Action::chooseItem(2, 0)} << 2;
    QTest::newRow("B220 from the second title stays")
        << q({Rec(QStringLiteral("B220")), closing()})
        << QList<Action>{Action::openBarMenu(1), Action::chooseItem(2, 0)} << 1;
    QTest::newRow("C315 second bar") << q({Rec(QStringLiteral("C315")), closing()})
                                     << QList<Action>{Action::openBarMenu(2), Action::chooseItem(1, 5)} << 2;
    QTest::newRow("6123 is not a menu step")
        << q({Rec(QStringLiteral("6123")), closing()})
        << QList<Action>{Action::openBarMenu(0), Action::chooseItem(2, 3)} << 1;

    QTest::newRow("8888 twice, one tick each")
        << q({Rec(QStringLiteral("8888")), Rec(QStringLiteral("8888")), closing()})
        << QList<Action>{Action::timerTick()} << 2;
    QTest::newRow("8888 twice, two ticks")
        << q({Rec(QStringLiteral("8888")), Rec(QStringLiteral("8888")), closing()})
        << QList<Action>{Action::timerTick(), Action::timerTick()} << 3;
    QTest::newRow("tick on another step")
        << q({z1(c0001), closing()}) << QList<Action>{Action::timerTick()} << 1;
    QTest::newRow("closing record never advances")
        << q({closing(), z1(c0001)}) << QList<Action>{click(), Action::timerTick(), key(13)} << 1;
    QTest::newRow("D code has no action")
        << q({z1(QStringLiteral("D123")), closing()}) << QList<Action>{click(), down(2)} << 1;
}

void TstStepEngine::actions() {
    QFETCH(QList<sim::bank::StepRecord>, steps);
    QFETCH(QList<Action>, acts);
    QFETCH(int, step);
    BankFixture f;
    f.writeSteps(steps);
    f.writeTexts({QStringLiteral("x")});
    f.writeMenu({});
    StepEngine e(f.data);
    Recorder rec;
    e.setListener(&rec);
    e.setData();
    QVERIFY(!e.blocked());
    run(e, acts);
    QCOMPARE(int(f.data.CurStep), step);
    QVERIFY(rec.problems.isEmpty());
}

void TstStepEngine::textEntry_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("boxText"); // text line of the initial box text
    QTest::addColumn<QList<Action>>("acts");
    QTest::addColumn<int>("step");
    // Texts: 1 "line|l", 2 "", 3 "Abc", 4 " L "
    QTest::newRow("capital letter and Enter") << "0000" << 0 << QList<Action>{type("L"), keyUp(13)} << 2;
    QTest::newRow("full name in capitals and Space")
        << "0000" << 0 << QList<Action>{type("LINE"), keyUp(32)} << 2;
    QTest::newRow("other text and Enter") << "0000" << 0 << QList<Action>{type("lin"), keyUp(13)} << 1;
    QTest::newRow("no Enter, no completion") << "0000" << 0 << QList<Action>{type("line")} << 1;
    QTest::newRow("stray Chinese character stripped")
        << "0000" << 0 << QList<Action>{type("中line"), keyUp(13)} << 2;
    QTest::newRow("blanks inside stripped") << "0000" << 0 << QList<Action>{type("li ne"), keyUp(13)} << 2;
    QTest::newRow("other key does not confirm") << "0000" << 0 << QList<Action>{type("line"), keyUp(65)} << 1;
    QTest::newRow("0020 at once in any case") << "0020" << 0 << QList<Action>{type("L")} << 2;
    QTest::newRow("0020 ignores Enter on a mismatch")
        << "0020" << 0 << QList<Action>{type("x"), keyUp(13)} << 1;
    QTest::newRow("0020 initial text is the answer") << "0020" << 4 << QList<Action>{} << 2;
    QTest::newRow("initial text for another code waits") << "0000" << 4 << QList<Action>{} << 1;
    QTest::newRow("initial text then Enter") << "0000" << 4 << QList<Action>{keyUp(13)} << 2;
}

void TstStepEngine::textEntry() {
    QFETCH(QString, code);
    QFETCH(int, boxText);
    QFETCH(QList<Action>, acts);
    QFETCH(int, step);
    BankFixture f;
    f.writeTexts({QStringLiteral("line|l"), QString(), QStringLiteral("Abc"), QStringLiteral(" L ")});
    f.writeSteps({Rec(code).box(300, 8500, 3000, 300, boxText, 1), closing()});
    StepEngine e(f.data);
    e.setData();
    run(e, acts);
    QCOMPARE(int(f.data.CurStep), step);
}

void TstStepEngine::enterEmptiesOnMismatch() {
    BankFixture f;
    f.writeTexts({QStringLiteral("line|l"), QString()});
    f.writeSteps({Rec(QStringLiteral("0000")).box(300, 8500, 3000, 300, 0, 1),
                  Rec(QStringLiteral("0000")).box(300, 8500, 3000, 300, 0, 2),
                  Rec(QStringLiteral("0021")).box(300, 8500, 3000, 300, 0, 1), closing()});
    StepEngine e(f.data);
    e.setData();
    e.text1Changed(QStringLiteral("lx"));
    QVERIFY(!e.text1KeyReleased(32)); // Space keeps the text
    QVERIFY(e.text1KeyReleased(13));  // Enter empties the box
    QCOMPARE(int(f.data.CurStep), 1);
    e.text1Changed(QStringLiteral("l"));
    QVERIFY(!e.text1KeyReleased(13));
    QCOMPARE(int(f.data.CurStep), 2);
    // An empty answer: a bare Enter in an empty box.
    e.text1Changed(QString());
    e.text1KeyReleased(13);
    QCOMPARE(int(f.data.CurStep), 3);
    // "0021": the overlay box takes the whole answer, not one alternative.
    QVERIFY(e.screen().overlayVisible);
    QVERIFY(!e.screen().boxVisible);
    e.text2Changed(QStringLiteral("l"));
    QCOMPARE(int(f.data.CurStep), 3);
    e.text2Changed(QStringLiteral(" LINE|L "));
    QCOMPARE(int(f.data.CurStep), 4);
}

void TstStepEngine::selfCompletingSteps_data() {
    QTest::addColumn<QList<QList<sim::bank::StepRecord>>>("questions");
    QTest::addColumn<QList<Action>>("acts");
    QTest::addColumn<int>("step");     // where question 1 stops
    QTest::addColumn<bool>("blocked"); // with the blocked-step notice
    QTest::addColumn<bool>("closing"); // at its closing record
    // Text 4 " L " is the answer "line|l" (text 1): these boxes complete at once.
    const sim::bank::StepRecord self = Rec(QStringLiteral("0020")).box(300, 8500, 3000, 300, 4, 1);
    const sim::bank::StepRecord wait = Rec(QStringLiteral("0020")).box(300, 8500, 3000, 300, 0, 1);
    QTest::newRow("last line of the step file")
        << QList<QList<sim::bank::StepRecord>>{{self}} << QList<Action>{} << 2 << true << false;
    QTest::newRow("last line after another step")
        << QList<QList<sim::bank::StepRecord>>{{z1(QStringLiteral("0001")), self}} << QList<Action>{click()}
        << 3 << true << false;
    QTest::newRow("a run of them up to the closing record")
        << QList<QList<sim::bank::StepRecord>>{{self, self, self, closing()}} << QList<Action>{} << 4 << false
        << true;
    QTest::newRow("a run of them up to a waiting step")
        << QList<QList<sim::bank::StepRecord>>{{self, self, wait, closing()}} << QList<Action>{} << 3 << false
        << false;
    QTest::newRow("into the next question's records")
        << QList<QList<sim::bank::StepRecord>>{{self}, {z1(QStringLiteral("0001")), closing()}}
        << QList<Action>{} << 2 << true << false;
}

// A step whose box already holds its answer completes as it is set up; a run of
// them ends at the question's last record, never in the records beyond it.
void TstStepEngine::selfCompletingSteps() {
    QFETCH(QList<QList<sim::bank::StepRecord>>, questions);
    QFETCH(QList<Action>, acts);
    QFETCH(int, step);
    QFETCH(bool, blocked);
    QFETCH(bool, closing);
    BankFixture f;
    f.writeTexts({QStringLiteral("line|l"), QString(), QStringLiteral("Abc"), QStringLiteral(" L ")});
    f.writeQuestions(questions);
    StepEngine e(f.data);
    Recorder rec;
    e.setListener(&rec);
    e.setData();
    run(e, acts);
    QCOMPARE(int(f.data.CurStep), step);
    QCOMPARE(e.blocked(), blocked);
    QCOMPARE(e.record().isClosing(), closing);
    QCOMPARE(rec.problems.size(), blocked ? 1 : 0);
    if (blocked)
        QVERIFY(rec.problems.first().contains(QStringLiteral("288820.rar")));
    QCOMPARE(rec.laidOut, step); // each step laid out once
    e.zone1MouseUp(1, 0);
    QCOMPARE(int(f.data.CurStep), step);
}

// A damaged text table with a line of megabytes: the hint and the box show it cut
// at a length no bank reaches.
void TstStepEngine::longTextsAreCut() {
    BankFixture f;
    const QString longText = QString(10 << 20, u'x');
    f.writeTexts({longText, QStringLiteral("line")});
    f.writeSteps({z1(QStringLiteral("0001")).hint(300, 300, 1).box(300, 8500, 3000, 300, 1, 2), closing()});
    f.data.WorkMode = WorkGuided;
    StepEngine e(f.data);
    e.setData();
    QVERIFY(!e.blocked());
    QCOMPARE(e.screen().hintText, QString(platform::textfile::MaxShownChars, u'x'));
    QCOMPARE(e.screen().boxText, QString(platform::textfile::MaxShownChars, u'x'));
    QVERIFY(e.screen().hintVisible);
}

void TstStepEngine::closingCaptions_data() {
    QTest::addColumn<int>("setBase");
    QTest::addColumn<int>("curSet");
    QTest::addColumn<QString>("biao");
    QTest::addColumn<QString>("unit");
    QTest::newRow("unit practice") << 20 << 2 << QStringLiteral("第3单元  第2/3题（已完成）")
                                   << QStringLiteral("未完成的题目 3");
    QTest::newRow("wrong-question review")
        << 20 << -1 << QStringLiteral("错题复习  第2/3题") << QStringLiteral("未完成的题目 1 3");
    QTest::newRow("exam paper") << 0 << 4 << QString() << QStringLiteral("未完成的题目 1 3");
}

void TstStepEngine::closingCaptions() {
    QFETCH(int, setBase);
    QFETCH(int, curSet);
    QFETCH(QString, biao);
    QFETCH(QString, unit);
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writeQuestions({{closing()}, {z1(QStringLiteral("0001")), closing()}, {closing()}});
    f.data.SetBase = Integer(setBase);
    f.data.CurSet = Integer(curSet);
    f.data.QuestionMark[1] = QStringLiteral("T"); // done before, by its mark only
    f.data.QuestionScore[2] = 1;                  // visited
    f.data.QuestionScore[3] = 2;                  // marked, not solved
    f.data.CurQuestion = 2;
    StepEngine e(f.data);
    Recorder rec;
    e.setListener(&rec);
    e.setData();
    QVERIFY(!rec.unit);
    e.zone1MouseUp(1, 0);
    QCOMPARE(int(f.data.CurStep), 2);
    QCOMPARE(int(f.data.QuestionScore[2]), 5);
    QVERIFY(e.screen().successVisible);
    QCOMPARE(rec.biao.value_or(QString()), biao);
    QCOMPARE(rec.unit.value_or(QString()), unit);
    QCOMPARE(f.data.QuestionMark[2], setBase == 20 ? QStringLiteral("T") : QStringLiteral("F"));
    // Another click on the closing screen adds nothing.
    e.zone1MouseUp(1, 0);
    QCOMPARE(int(f.data.QuestionScore[2]), 5);
    QCOMPARE(int(f.data.CurStep), 2);
}

void TstStepEngine::closingInExamShowsNoSuccess() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writeSteps({Rec(QStringLiteral("0001")).zone(0, 0, 100, 100).hint(300, 300, 1), closing()});
    f.data.WorkMode = WorkExam;
    f.data.SetBase = SetBaseExamPaper;
    StepEngine e(f.data);
    e.setData();
    e.zone1MouseUp(1, 0);
    QVERIFY(!e.screen().successVisible);
    QVERIFY(f.data.QuestionScore[1] >= StatusSolved);
}

void TstStepEngine::backButton_data() {
    QTest::addColumn<QString>("marker");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("Q...3 from step 5") << QStringLiteral("Q0003") << 5 << 2;
    QTest::newRow("Q...0 counts as 1") << QStringLiteral("Q0000") << 5 << 4;
    QTest::newRow("before step 1 stops at 1") << QStringLiteral("Q0009") << 5 << 1;
}

void TstStepEngine::backButton() {
    QFETCH(QString, marker);
    QFETCH(int, from);
    QFETCH(int, to);
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    QList<sim::bank::StepRecord> q1{z1(QStringLiteral("0001")), closing()};
    QList<sim::bank::StepRecord> q2;
    for (int s = 1; s < 5; ++s)
        q2 << Rec(QStringLiteral("0001")).zone(s * 100, 0, 50, 50);
    q2 << Rec(QStringLiteral("0001")).back(marker, 9000, 8000);
    q2 << closing();
    f.writeQuestions({q1, q2});
    f.data.CurQuestion = 2;
    f.data.CurStep = Integer(from);
    StepEngine e(f.data);
    e.setData();
    QCOMPARE(e.screen().back, (Rect{9000, 8000, BackButtonW, BackButtonH}));
    e.backClick();
    QCOMPARE(int(f.data.CurStep), to);
    // The step shown is the question's own record, as recorded.
    QCOMPARE(e.screen().zone1.x, to * 100);
    QCOMPARE(e.screen().backSpec, QStringLiteral("NONO"));
}

void TstStepEngine::missingStepFileBlocksOnce() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.data.QuestionFirstStep[1] = 1;
    StepEngine e(f.data);
    Recorder rec;
    e.setListener(&rec);
    e.setData();
    e.setData();
    QCOMPARE(rec.problems.size(), 1);
    QVERIFY(rec.problems.first().contains(QStringLiteral("288820.rar")));
    QVERIFY(e.blocked());
    e.zone1MouseUp(1, 0);
    e.windowKeyDown(13, 0);
    QCOMPARE(int(f.data.CurStep), 1);

    // A record shorter than 196 characters is named by file and line.
    platform::textfile::writeLinesAtomic(f.data.StepFile, {QStringLiteral("0000000001888888")});
    e.setData();
    QCOMPARE(rec.problems.size(), 2);
    QVERIFY(rec.problems.last().contains(QStringLiteral("第1行")));
    QVERIFY(e.blocked());
}

void TstStepEngine::missingPictureBlocksQuestion() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writePicture(QStringLiteral("100001"));
    f.writeSteps({z1(QStringLiteral("0001")).screen(QStringLiteral("100001")),
                  z1(QStringLiteral("0001")).pic(2, 300, 300, QStringLiteral("100404")), closing()});
    StepEngine e(f.data);
    Recorder rec;
    e.setListener(&rec);
    e.setData();
    QVERIFY(!e.blocked());
    QVERIFY(!e.picture(QStringLiteral("100001")).isNull());
    e.zone1MouseUp(1, 0);
    QCOMPARE(int(f.data.CurStep), 2);
    QVERIFY(e.blocked());
    QCOMPARE(rec.problems.size(), 1);
    QVERIFY(rec.problems.first().contains(QStringLiteral("100404.rar")));
    e.zone1MouseUp(1, 0);
    QCOMPARE(int(f.data.CurStep), 2); // the question cannot be completed
    // Back and forward again: still blocked, still said once.
    e.backClick();
    QCOMPARE(int(f.data.CurStep), 1);
    QVERIFY(!e.blocked());
    e.zone1MouseUp(1, 0);
    QVERIFY(e.blocked());
    QCOMPARE(rec.problems.size(), 1);
    // The picture arrives: the step works again.
    f.writePicture(QStringLiteral("100404"));
    e.setData();
    QVERIFY(!e.blocked());
    e.zone1MouseUp(1, 0);
    QCOMPARE(int(f.data.CurStep), 3);
}

void TstStepEngine::rememberedScreenAndResume() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    for (const char *id : {"200001", "200002", "200003"})
        f.writePicture(QLatin1String(id));
    f.writeQuestions({{z1(QStringLiteral("0001"))
                           .screen(QStringLiteral("200001"))
                           .pic(1, 15, 15, QStringLiteral("200002")),
                       z1(QStringLiteral("0001"))
                           .pic(3, 30, 30, QStringLiteral("200003"))
                           .pic(1, 45, 45, QStringLiteral("888888")),
                       closing()},
                      {z1(QStringLiteral("0001")).screen(QStringLiteral("200003")), closing()}});
    StepEngine e(f.data);
    e.formLoad();
    e.setData();
    e.zone1MouseUp(1, 0);
    QCOMPARE(int(f.data.SavedStep[1]), 2);
    const std::array<QString, 6> expect{QStringLiteral("200001"),
                                        QStringLiteral("200002"),
                                        QString(),
                                        QStringLiteral("200003"),
                                        QString(),
                                        QString()};
    QCOMPARE(f.data.QuestionScreen[1], expect);
    // Leave for question 2 and come back.
    f.data.CurQuestion = 2;
    e.restoreQuestion(2);
    e.setData();
    QCOMPARE(e.screen().background, QStringLiteral("200003"));
    f.data.CurQuestion = 1;
    e.restoreQuestion(1);
    QCOMPARE(int(f.data.CurStep), 2);
    QCOMPARE(e.screen().background, QStringLiteral("200001"));
    e.setData();
    QCOMPARE(e.screen().pics[1].id, QStringLiteral("200002"));
    QCOMPARE(e.screen().pics[3].id, QStringLiteral("200003"));
    e.zone1MouseUp(1, 0);
    QVERIFY(e.screen().successVisible);
    // A solved question shows its closing screen again.
    e.restoreQuestion(1);
    e.setData();
    QCOMPARE(int(f.data.CurStep), 3);
    QVERIFY(e.screen().successVisible);
}

void TstStepEngine::contextMenuOpensAtPointer() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writeMenu(
        {{226, QStringLiteral("块5")}, {227, QStringLiteral("子菜单")}, {228, QStringLiteral("甲|乙|丙")}});
    f.writeSteps({z1(QStringLiteral("0003")), z1(QStringLiteral("3512")), closing()});
    StepEngine e(f.data);
    Recorder rec;
    e.setListener(&rec);
    e.setData();
    e.zone1MouseDown(2, 0); // completes "0003" and opens the menu of "3512"
    QCOMPARE(int(f.data.CurStep), 2);
    QCOMPARE(rec.menuBar, QList<int>{-1});
    QCOMPARE(e.OpenMenu(), 5);
    QCOMPARE(rec.menus.first().subTitle[1], QStringLiteral("子菜单"));
    QCOMPARE(rec.menus.first().groups[1],
             (QStringList{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}));
    e.menuItemChosen(1, 1);
    QCOMPARE(int(f.data.CurStep), 2);
    e.menuItemChosen(1, 2);
    QCOMPARE(int(f.data.CurStep), 3);
}

void TstStepEngine::missingMenuFileLeavesStepOpen() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writeSteps({Rec(QStringLiteral("A123")).menuBar(100, 100), closing()});
    StepEngine e(f.data);
    Recorder rec;
    e.setListener(&rec);
    e.setData();
    e.openBarMenu(0);
    e.openBarMenu(0);
    QCOMPARE(rec.menus.size(), 2);
    QVERIFY(rec.menus.first().isEmpty());
    QCOMPARE(rec.problems.size(), 1);
    QVERIFY(rec.problems.first().contains(QStringLiteral("sMenu.sys")));
    QCOMPARE(int(f.data.CurStep), 1);
}

// The engine keeps the lines of sMenu.sys between openings; a file replaced or
// removed in between is seen at the next opening.
void TstStepEngine::menuFileChangedBetweenOpenings() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writeMenu({{226, QStringLiteral("块5")}, {227, QStringLiteral("旧标题")}, {228, QStringLiteral("甲")}});
    f.writeSteps({z1(QStringLiteral("3512")), closing()});
    StepEngine e(f.data);
    Recorder rec;
    e.setListener(&rec);
    e.setData();
    e.zone1MouseDown(2, 0);
    f.writeMenu({{226, QStringLiteral("块5")}, {227, QStringLiteral("新标题")}, {228, QStringLiteral("乙")}});
    e.zone1MouseDown(2, 0);
    QFile::remove(f.data.programFile(QStringLiteral("sMenu.sys")));
    e.zone1MouseDown(2, 0);
    QCOMPARE(rec.menus.size(), 3);
    QCOMPARE(rec.menus.at(0).subTitle[1], QStringLiteral("旧标题"));
    QCOMPARE(rec.menus.at(1).subTitle[1], QStringLiteral("新标题"));
    QCOMPARE(rec.menus.at(1).groups[1], QStringList{QStringLiteral("乙")});
    QVERIFY(rec.menus.at(2).isEmpty());
    QCOMPARE(rec.problems.size(), 1);
    QVERIFY(rec.problems.first().contains(QStringLiteral("sMenu.sys")));
}

void TstStepEngine::pointerShapes() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writeSteps({z1(QStringLiteral("0001")).pointer(QStringLiteral("S0002")),
                  z1(QStringLiteral("0001")).pointer(QStringLiteral("M0007")),
                  z1(QStringLiteral("0050")).zone2(3000, 3000, 300, 300).pointer(QStringLiteral("00012")),
                  closing()});
    StepEngine e(f.data);
    Recorder rec;
    e.setListener(&rec);
    e.setData();
    e.zone1MouseMove();
    QCOMPARE(rec.zone1.last().kind, PointerShape::System);
    QCOMPARE(rec.zone1.last().number, 2);
    e.zone1MouseUp(1, 0);
    e.zone1MouseMove();
    QCOMPARE(rec.zone1.last().kind, PointerShape::Custom);
    QVERIFY(rec.zone1.last().file.endsWith(QStringLiteral("ico07.CUR")));
    e.zone1MouseUp(1, 0);
    e.zone1MouseMove();
    QCOMPARE(rec.zone1.last().kind, PointerShape::Default); // drag codes keep the default on zone 1
    e.zone2MouseDown(1, 0, 0, 0);
    e.zone2MouseMove(0, 5, 5);
    QCOMPARE(rec.zone2.last().kind, PointerShape::Custom); // zone 2 drags with ico12.CUR
    QVERIFY(rec.zone2.last().file.endsWith(QStringLiteral("ico12.CUR")));
    e.zone2MouseUp(1, 0, 5, 5);
    QCOMPARE(rec.zone2.last().kind, PointerShape::Default);
    QCOMPARE(int(f.data.CurStep), 3);
}

// Pictures and records are kept between lookups, but a rewritten file is read again.
void TstStepEngine::rewrittenFilesAreSeen() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writePicture(QStringLiteral("600001"), 4, 4, Qt::red);
    f.writeSteps({z1(QStringLiteral("0001")).screen(QStringLiteral("600001")), closing()});
    StepEngine e(f.data);
    e.setData();
    QCOMPARE(e.picture(QStringLiteral("600001")).pixel(0, 0), qRgb(255, 0, 0));
    QTest::qWait(20);
    f.writePicture(QStringLiteral("600001"), 6, 4, Qt::green);
    QCOMPARE(e.picture(QStringLiteral("600001")).pixel(0, 0), qRgb(0, 255, 0));
    // The step file rewritten while the program runs (the review set is rebuilt).
    f.writeSteps({z1(QStringLiteral("0002")).screen(QStringLiteral("600001")), closing()});
    e.setData();
    QCOMPARE(e.screen().code, QStringLiteral("0002"));
}

QTEST_GUILESS_MAIN(TstStepEngine)
#include "tst_stepengine.moc"
