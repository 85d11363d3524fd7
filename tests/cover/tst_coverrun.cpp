// A practice run from start to finish on the real windows (offscreen): start,
// cover page, unit 1, question 1 solved by clicking the simulated window, end of
// the practice, and the records and the fresh cover page that follow.
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

} // namespace

class TstCoverRun : public QObject {
    Q_OBJECT
  private Q_SLOTS:
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

QTEST_MAIN(TstCoverRun)
#include "tst_coverrun.moc"
