// A practice run from start to finish on the real windows (offscreen): start,
// cover page, unit 1, question 1 solved by clicking the simulated window, end of
// the practice, and the records and the fresh cover page that follow. The same
// run once more with the keyboard alone.
#include "app/trainer.h"
#include "cover/frmfengmian.h"
#include "fakes.h"
#include "fixture.h"
#include "panel/frmtm.h"
#include "platform/registry.h"
#include "records.h"
#include "simulator/frmmain.h"
#include "simulator/steprecord.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

template <class T> T *topLevel() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

// Unit 0 with three questions, each one click on a 40 x 40 pixel zone at (100, 100).
void writeUnit(const Fixture &f) {
    const sim::bank::StepRecord click = Rec(QStringLiteral("0001")).zone(1500, 1500, 600, 600).r;
    const sim::bank::StepRecord done = Rec(QStringLiteral("9999")).r;
    QStringList steps, index;
    for (int q = 1; q <= 3; ++q) {
        steps << click.line << done.line;
        index << QStringLiteral("00%102单击绘图区域中的方框。").arg(q, 2, 10, QChar(u'0'));
    }
    Fixture::put(f.data() + QStringLiteral("288820.rar"), steps);
    Fixture::put(f.data() + QStringLiteral("288870.rar"), index);
    Fixture::put(f.data() + QStringLiteral("288890.rar"), {QStringLiteral("001")});
    Fixture::put(f.data() + QStringLiteral("288892.rar"), {QStringLiteral("1")}); // installed before
    Fixture::put(f.data() + QStringLiteral("288897.rar"), {QStringLiteral("1")});
    Fixture::put(f.program() + QStringLiteral("/refresher.txt"), {QStringLiteral("0")});
    Fixture::put(f.program() + QStringLiteral("/sMenu.sys"), QStringList(465, QStringLiteral("0")));
}

// Unit 0 with two questions; question 1 asks for a typed command ("line" or "l"
// and Enter) and then the shortcut Shift+F4.
void writeKeyUnit(const Fixture &f) {
    const QList<sim::bank::StepRecord> q1 = {Rec(QStringLiteral("0000")).box(600, 8000, 6000, 240, 0, 1),
                                             Rec(QStringLiteral("6115")), Rec(QStringLiteral("9999"))};
    const QList<sim::bank::StepRecord> q2 = {Rec(QStringLiteral("6002")), Rec(QStringLiteral("9999"))};
    QStringList steps;
    for (const auto &r : q1 + q2)
        steps << r.line;
    Fixture::put(f.data() + QStringLiteral("288820.rar"), steps);
    Fixture::put(f.data() + QStringLiteral("288870.rar"),
                 {QStringLiteral("000103输入直线命令，再按Shift+F4。"), QStringLiteral("000202按回车键。")});
    Fixture::put(f.data() + QStringLiteral("288890.rar"), {QStringLiteral("001line|l")});
    Fixture::put(f.data() + QStringLiteral("288892.rar"), {QStringLiteral("1")});
    Fixture::put(f.data() + QStringLiteral("288897.rar"), {QStringLiteral("1")});
    Fixture::put(f.program() + QStringLiteral("/refresher.txt"), {QStringLiteral("0")});
    Fixture::put(f.program() + QStringLiteral("/sMenu.sys"), QStringList(465, QStringLiteral("0")));
}

// Keys go where the keyboard is, as a person's would.
QWidget *focused() {
    return QApplication::focusWidget();
}
void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget *w = focused();
    QVERIFY(w);
    QTest::keyClick(w, Qt::Key(key), mods);
}
// Tab until target holds the keyboard (at most a round of the window's controls).
bool tabTo(QWidget *target) {
    for (int i = 0; i < 80 && focused() != target; ++i) {
        if (!focused())
            return false;
        QTest::keyClick(focused(), Qt::Key_Tab);
    }
    return focused() == target;
}

} // namespace

class TstCoverRun : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void practiceWithKeysAlone();
    void practiceFromStartToCover() {
        Fixture f;
        f.install(0, {3}, {QStringLiteral("绘图基础")});
        writeUnit(f);
        ModData d;
        d.AppPath = f.program();
        FakePrompter prompter;
        FakeLauncher launcher;
        FakeInstance instance;
        FakeClock clock;
        platform::FileRegistry registry(f.program() + QStringLiteral("/reg"));
        Trainer trainer(d, {&prompter, &registry, &launcher, &clock, &instance}, QStringLiteral("caddrill"));

        // start -> cover page
        QVERIFY(trainer.start());
        QTRY_VERIFY(topLevel<FrmFengmian>());
        FrmFengmian *cover = topLevel<FrmFengmian>();
        QTRY_VERIFY(cover->PicTiKu);
        QCOMPARE(cover->LblUnitWei[0]->text(), QStringLiteral("3"));

        // cover -> unit 1
        QTest::mouseClick(cover->LblTiKu, Qt::LeftButton);
        QTest::mouseClick(cover->LblJinRuXX[0], Qt::LeftButton);
        QTRY_VERIFY(topLevel<FrmMain>());
        QTRY_VERIFY(topLevel<FrmTm>());
        QTRY_VERIFY(!topLevel<FrmFengmian>());
        FrmMain *main = topLevel<FrmMain>();
        FrmTm *panel = topLevel<FrmTm>();
        QCOMPARE(d.CurSet, Integer(0));
        QCOMPARE(d.QuestionCount, Integer(3));
        QTRY_COMPARE(main->Label1->geometry(), QRect(100, 100, 40, 40));
        QTRY_VERIFY(main->Label1->isVisible());

        // solve question 1 by clicking its zone
        QTest::mouseClick(main->Label1, Qt::LeftButton);
        QTRY_COMPARE(d.QuestionMark[1], QStringLiteral("T"));
        QVERIFY(d.QuestionScore[1] >= StatusSolved);
        QCOMPARE(d.QuestionMark[2], QStringLiteral("F"));

        // end the practice through the panel's end button
        QCOMPARE(panel->CmdEnd->text(), QStringLiteral("结束练习"));
        QTest::mouseClick(panel->CmdGN[5], Qt::LeftButton);
        QTRY_VERIFY(topLevel<FrmFengmian>());
        QTRY_VERIFY(!topLevel<FrmMain>());
        QVERIFY(!topLevel<FrmTm>());

        QCOMPARE(Fixture::lines(f.records() + QStringLiteral("288893.rar")).value(0), QStringLiteral("TFF"));
        QCOMPARE(Fixture::lines(f.records() + QStringLiteral("208800.rar")),
                 QStringList{QStringLiteral("4") + QString(39, u'0')});
        FrmFengmian *again = topLevel<FrmFengmian>();
        QTRY_VERIFY(again->PicTiKu);
        QVERIFY(!again->PicTiKu->isVisible()); // a fresh page: its panels start closed
        QCOMPARE(again->LblUnintSL[0]->text(), QStringLiteral("3"));
        QCOMPARE(again->LblUnitWei[0]->text(), QStringLiteral("2"));

        // unit 1 again: question 1 is remembered as done and solved
        QTest::mouseClick(again->LblTiKu, Qt::LeftButton);
        QTest::mouseClick(again->LblJinRuXX[0], Qt::LeftButton);
        QTRY_VERIFY(topLevel<FrmTm>());
        QCOMPARE(d.QuestionMark[1], QStringLiteral("T"));
        QCOMPARE(d.QuestionScore[1] & ~1, 4); // solved; the panel may have marked it visited already
        for (const auto &a : prompter.asked)  // no file was reported unreadable on the way
            QVERIFY2(!a.text.contains(QStringLiteral(".rar")), qPrintable(a.text));
    }
};

void TstCoverRun::practiceWithKeysAlone() {
    Fixture f;
    f.install(0, {2}, {QStringLiteral("绘图基础")});
    writeKeyUnit(f);
    ModData d;
    d.AppPath = f.program();
    FakePrompter prompter;
    FakeLauncher launcher;
    FakeInstance instance;
    FakeClock clock;
    platform::FileRegistry registry(f.program() + QStringLiteral("/reg"));
    Trainer trainer(d, {&prompter, &registry, &launcher, &clock, &instance}, QStringLiteral("caddrill"));

    QVERIFY(trainer.start());
    QTRY_VERIFY(topLevel<FrmFengmian>());
    FrmFengmian *cover = topLevel<FrmFengmian>();
    QTRY_VERIFY(cover->PicTiKu);
    cover->activateWindow();
    QTRY_VERIFY(focused() && focused()->window() == cover);

    // cover page: Tab to the unit tab, Space opens the unit panel, Enter enters unit 1
    QVERIFY(tabTo(cover->LblTiKu));
    press(Qt::Key_Space);
    QVERIFY(cover->PicTiKu->isVisible());
    QVERIFY(tabTo(cover->LblJinRuXX[0]));
    press(Qt::Key_Return);
    QTRY_VERIFY(topLevel<FrmMain>());
    QTRY_VERIFY(topLevel<FrmTm>());
    FrmMain *main = topLevel<FrmMain>();
    FrmTm *panel = topLevel<FrmTm>();
    QCOMPARE(d.CurSet, Integer(0));

    // the command line holds the keyboard while the panel is shown beside it
    QTRY_COMPARE(focused(), static_cast<QWidget *>(main->Text1));
    QVERIFY(panel->isVisible());
    QTest::keyClicks(focused(), QStringLiteral("L"));
    press(Qt::Key_Return);
    QCOMPARE(int(d.CurStep), 2);

    // F6 takes the keyboard to the panel and Esc gives it back, costing no step
    QTRY_VERIFY(focused() && focused()->window() == main);
    press(Qt::Key_F6);
    QTRY_VERIFY(focused() && focused()->window() == panel);
    QCOMPARE(focused(), panel->CmdGN[1]); // "上一题" is disabled on question 1
    press(Qt::Key_Escape);
    QTRY_VERIFY(focused() && focused()->window() == main);
    QCOMPARE(int(d.CurStep), 2);

    // the step's shortcut key reaches the simulated window and solves the question
    press(Qt::Key_F4, Qt::ShiftModifier);
    QTRY_COMPARE(d.QuestionMark[1], QStringLiteral("T"));

    // to the panel again, Tab to "结束练习", Enter ends the practice
    press(Qt::Key_F6);
    QTRY_VERIFY(focused() && focused()->window() == panel);
    QVERIFY(tabTo(panel->CmdGN[5]));
    QCOMPARE(panel->CmdGN[5]->spokenName(), QStringLiteral("结束练习"));
    press(Qt::Key_Return);
    QTRY_VERIFY(topLevel<FrmFengmian>());
    QTRY_VERIFY(!topLevel<FrmMain>());
    QVERIFY(!topLevel<FrmTm>());
    QCOMPARE(Fixture::lines(f.records() + QStringLiteral("288893.rar")).value(0), QStringLiteral("TF"));
}

QTEST_MAIN(TstCoverRun)
#include "tst_coverrun.moc"
