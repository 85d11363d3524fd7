// The demonstration on the real windows (offscreen): 操作演示 from the question
// panel opens the demonstration over the hidden simulated window, Esc ends it,
// and the question comes back at step 1 with the learner's records as they were.
#include "app/trainer.h"
#include "cover/frmfengmian.h"
#include "demo/frmyanshi.h"
#include "fakes.h"
#include "fixture.h"
#include "panel/frmtm.h"
#include "platform/registry.h"
#include "records.h"
#include "simulator/frmmain.h"
#include "simulator/steprecord.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

namespace {

template <class T> T *topLevel() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

// Unit 0, one question: a click at (100, 100) px, a click at (400, 300) px, done.
void writeUnit(const Fixture &f) {
    const QStringList steps{Rec(QStringLiteral("0001")).zone(1500, 1500, 600, 600).hint(300, 300, 1).r.line,
                            Rec(QStringLiteral("0001")).zone(6000, 4500, 600, 600).hint(300, 300, 1).r.line,
                            Rec(QStringLiteral("9999")).r.line};
    Fixture::put(f.data() + QStringLiteral("288820.rar"), steps);
    Fixture::put(f.data() + QStringLiteral("288870.rar"), {QStringLiteral("000103单击两个方框。")});
    Fixture::put(f.data() + QStringLiteral("288890.rar"), {QStringLiteral("001单击方框")});
    Fixture::put(f.data() + QStringLiteral("288892.rar"), {QStringLiteral("1")});
    Fixture::put(f.data() + QStringLiteral("288897.rar"), {QStringLiteral("1")});
    Fixture::put(f.program() + QStringLiteral("/refresher.txt"), {QStringLiteral("0")});
    Fixture::put(f.program() + QStringLiteral("/sMenu.sys"), QStringList(465, QStringLiteral("0")));
}

} // namespace

class TstFrmYanShi : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void escEndsItAndTheQuestionComesBack() {
        Fixture f;
        f.install(0, {1}, {QStringLiteral("绘图基础")});
        writeUnit(f);
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
        QTest::mouseClick(cover->LblTiKu, Qt::LeftButton);
        QTest::mouseClick(cover->LblJinRuXX[0], Qt::LeftButton);
        QTRY_VERIFY(topLevel<FrmMain>());
        QTRY_VERIFY(topLevel<FrmTm>());
        FrmMain *main = topLevel<FrmMain>();
        FrmTm *panel = topLevel<FrmTm>();
        QTRY_COMPARE(main->Label1->geometry(), QRect(100, 100, 40, 40));

        const auto saved = d.SavedStep;
        const auto score = d.QuestionScore;
        const auto mark = d.QuestionMark;
        const auto screen = d.QuestionScreen;

        // 操作演示: both windows hide, the demonstration covers the simulated window
        QTest::mouseClick(panel->CmdGN[7], Qt::LeftButton);
        QTRY_VERIFY(topLevel<demo::FrmYanShi>());
        demo::FrmYanShi *demoWindow = topLevel<demo::FrmYanShi>();
        QVERIFY(main->isHidden());
        QVERIFY(panel->isHidden());
        if (!main->isMaximized())
            QCOMPARE(demoWindow->pos(), main->pos());
        QCOMPARE(demoWindow->size(), QSize(800, 600));
        QVERIFY(demoWindow->screen()->availableGeometry().contains(demoWindow->frameGeometry()));
        QVERIFY(d.DemoRunning);
        // it plays: the first click is shown and the second step begins
        QTRY_VERIFY_WITH_TIMEOUT(demoWindow->player().step() == 2, 5000);
        QCOMPARE(d.CurStep, Integer(1));

        QPointer<demo::FrmYanShi> watch(demoWindow);
        QTest::keyClick(demoWindow, Qt::Key_Escape);
        QTRY_VERIFY(watch.isNull()); // gone within the end's ticks
        QCOMPARE(int(d.DemoRunning), int(False));
        QTRY_VERIFY(topLevel<FrmMain>());
        QTRY_VERIFY(topLevel<FrmTm>());
        // the question is shown afresh at its first step
        QCOMPARE(d.CurStep, Integer(1));
        QTRY_COMPARE(main->Label1->geometry(), QRect(100, 100, 40, 40));
        QCOMPARE(d.SavedStep, saved);
        QCOMPARE(d.QuestionScore, score);
        QCOMPARE(d.QuestionMark, mark);
        QCOMPARE(d.QuestionScreen, screen);
    }
};

QTEST_MAIN(TstFrmYanShi)
#include "tst_frmyanshi.moc"
