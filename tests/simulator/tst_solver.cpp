// The solver on small question sets: the actions it finds complete the step
// when played, and a step no action can complete comes back with the reason.
#include "fixture.h"
#include "simulator/solver.h"
#include "simulator/stepengine.h"

#include <QTest>

using namespace sim;

namespace {

struct Quiet : EngineListener {
    QStringList problems;
    void stepLaidOut() override {}
    void showMenu(const sim::menus::MenuContent &, int) override {}
    void panelCaptions(const std::optional<QString> &, const std::optional<QString> &) override {}
    void fileProblem(const QString &m) override { problems << m; }
};

Rec z1(const QString &code) {
    return Rec(code).zone(1500, 1500, 600, 600);
}

} // namespace

Q_DECLARE_METATYPE(sim::bank::StepRecord)

class TstSolver : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void solve_data();
    void solve();
    void clickLandsInsideZone1();
    void dragWaypointsEndInZone1();
    void partlyCoveredZoneIsNoted();
};

// Each row: the step, what the solver says it does, and why it cannot ("" when
// it can; the step is then played and must advance).
void TstSolver::solve_data() {
    QTest::addColumn<sim::bank::StepRecord>("step");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("why");
    const QString none;
    QTest::newRow("click") << sim::bank::StepRecord(z1(QStringLiteral("0001"))) << "a click on zone 1"
                           << none;
    QTest::newRow("double click") << sim::bank::StepRecord(z1(QStringLiteral("0002")))
                                  << "a double click on zone 1" << none;
    QTest::newRow("press with Ctrl") << sim::bank::StepRecord(z1(QStringLiteral("9204")))
                                     << "a press on zone 1" << none;
    QTest::newRow("hover") << sim::bank::StepRecord(z1(QStringLiteral("0030")))
                           << "moving the pointer onto zone 1" << none;
    QTest::newRow("key") << sim::bank::StepRecord(Rec(QStringLiteral("6115"))) << "the key" << none;
    QTest::newRow("timer") << sim::bank::StepRecord(Rec(QStringLiteral("8888"))) << "the one-second timer"
                           << none;
    QTest::newRow("typing and Enter")
        << sim::bank::StepRecord(Rec(QStringLiteral("A111")).box(300, 8100, 3000, 300, 0, 1))
        << "typing the answer" << none;
    QTest::newRow("typing completes at once")
        << sim::bank::StepRecord(Rec(QStringLiteral("0020")).box(300, 8100, 3000, 300, 0, 1))
        << "typing the answer" << none;
    QTest::newRow("drag onto zone 1")
        << sim::bank::StepRecord(z1(QStringLiteral("0050")).zone2(4500, 4500, 300, 300))
        << "dragging from zone 2 to zone 1" << none;
    QTest::newRow("selection window with Shift")
        << sim::bank::StepRecord(z1(QStringLiteral("0041")).zone2(4500, 4500, 300, 300))
        << "dragging from zone 2 to zone 1" << none;
    QTest::newRow("context menu") << sim::bank::StepRecord(z1(QStringLiteral("3521")))
                                  << "choosing from the context menu" << none;
    QTest::newRow("menu bar") << sim::bank::StepRecord(Rec(QStringLiteral("A721")).menuBar(120, 300))
                              << "choosing from the menu bar" << none;
    QTest::newRow("picture 5 dragged left")
        << sim::bank::StepRecord(
               Rec(QStringLiteral("8001")).pic(5, 6000, 3000, QStringLiteral("500001")).target(4500, 3000))
        << "dragging picture 5 to its target" << none;

    QTest::newRow("zone 1 under the input box")
        << sim::bank::StepRecord(z1(QStringLiteral("0001")).box(1200, 1200, 1200, 1200, 0, 1))
        << "a click on zone 1"
        << "zone 1 lies entirely under the input box";
    QTest::newRow("zone 1 absent") << sim::bank::StepRecord(Rec(QStringLiteral("0001"))) << QString()
                                   << "zone 1 is absent";
    QTest::newRow("zone 1 off the window")
        << sim::bank::StepRecord(Rec(QStringLiteral("0001")).zone(12300, 1500, 600, 600)) << QString()
        << "zone 1 lies outside the window";
    QTest::newRow("key while the box has the keyboard")
        << sim::bank::StepRecord(Rec(QStringLiteral("6115")).box(300, 8100, 3000, 300, 0, 1)) << "the key"
        << "the input box has the keyboard, so the key never reaches the window";
    QTest::newRow("menu entry missing from sMenu.sys")
        << sim::bank::StepRecord(z1(QStringLiteral("3522"))) << "choosing from the context menu"
        << "group 2 of the pop-up has no item 3 (sMenu.sys)";
    QTest::newRow("hidden menu bar") << sim::bank::StepRecord(Rec(QStringLiteral("A721")))
                                     << "choosing from the menu bar"
                                     << "the menu bar is hidden";
    QTest::newRow("demonstration-only code") << sim::bank::StepRecord(z1(QStringLiteral("D123"))) << QString()
                                             << "“D123” is a step code no action of the learner completes";
    QTest::newRow("drag without zone 2")
        << sim::bank::StepRecord(z1(QStringLiteral("0050"))) << "dragging from zone 2 to zone 1"
        << "zone 2, where the drag starts, is absent";
}

void TstSolver::solve() {
    QFETCH(sim::bank::StepRecord, step);
    QFETCH(QString, what);
    QFETCH(QString, why);
    BankFixture f;
    f.writeSteps({step, Rec(QStringLiteral("9999"))});
    f.writeTexts({QStringLiteral("line|l")});
    f.writePicture(QStringLiteral("500001"), 60, 45);
    // context menu 5 and menu 7: group 2 holds two entries
    f.writeMenu({{229, QStringLiteral("甲|乙")}, {94, QStringLiteral("甲|乙")}});
    StepEngine e(f.data);
    Quiet l;
    e.setListener(&l);
    e.setData();
    QVERIFY(!e.blocked());
    const Solution s = solveStep(situationOf(e, [] { return QStringLiteral("line|l"); }));
    QCOMPARE(s.why, why);
    QCOMPARE(s.solvable(), why.isEmpty());
    if (!why.isEmpty()) {
        QVERIFY(s.steps.isEmpty());
        QCOMPARE(f.data.CurStep, 1);
        return;
    }
    QCOMPARE(s.what, what);
    QVERIFY(!s.steps.isEmpty());
    QVERIFY(playSolution(e, s));
    QCOMPARE(int(f.data.CurStep), 2);
    QVERIFY(l.problems.isEmpty());
}

void TstSolver::clickLandsInsideZone1() {
    BankFixture f;
    f.writeSteps({z1(QStringLiteral("0001")), Rec(QStringLiteral("9999"))});
    StepEngine e(f.data);
    e.setData();
    const Solution s = solveStep(situationOf(e, {}));
    QCOMPARE(s.waypoints.size(), 1);
    QVERIFY(e.screen().zone1.contains(s.waypoints.first().x(), s.waypoints.first().y()));
    QCOMPARE(s.steps.size(), 2);
    QCOMPARE(s.steps.at(0).action, Action::zone1Down(1));
    QCOMPARE(s.steps.at(1).action, Action::zone1Up(1));
}

// The pointer starts in zone 2, and the drop point lies inside zone 1.
void TstSolver::dragWaypointsEndInZone1() {
    BankFixture f;
    f.writeSteps({z1(QStringLiteral("0050")).zone2(4500, 4500, 300, 300), Rec(QStringLiteral("9999"))});
    StepEngine e(f.data);
    e.setData();
    const Solution s = solveStep(situationOf(e, {}));
    QVERIFY(s.solvable());
    QCOMPARE(s.waypoints.size(), 3);
    const Rect z2 = e.screen().zone2;
    QVERIFY(z2.contains(s.waypoints.first().x(), s.waypoints.first().y()));
    QVERIFY(e.screen().zone1.contains(s.waypoints.last().x(), s.waypoints.last().y()));
}

// A control over part of zone 1 leaves the rest clickable and is reported.
void TstSolver::partlyCoveredZoneIsNoted() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writeSteps({z1(QStringLiteral("0001")).box(1200, 1200, 600, 600, 0, 1), Rec(QStringLiteral("9999"))});
    StepEngine e(f.data);
    e.setData();
    const Solution s = solveStep(situationOf(e, {}));
    QVERIFY(s.solvable());
    QCOMPARE(s.notes.size(), 1);
    QCOMPARE(s.notes.first().field, QStringLiteral("BoxX"));
    QCOMPARE(s.notes.first().reason,
             QStringLiteral("the input box covers part of zone 1; a click there goes to it"));
    QVERIFY(!e.screen().box.contains(s.waypoints.first().x(), s.waypoints.first().y()));
}

QTEST_GUILESS_MAIN(TstSolver)
#include "tst_solver.moc"
