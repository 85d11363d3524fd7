// The exam's hint and the input-method menu without a window: which entries the
// installed layouts fill and which handle each stands for, where the menu opens,
// and what giving up the exam's scoring does to the run.
#include "panel/hintrules.h"
#include "panel/runsession.h"
#include "platform/services.h"

#include <QTest>

using panel::RunKind;
using panel::RunSession;
using platform::InstalledLayout;
using Layouts = QList<InstalledLayout>;
using Handles = QList<int>;

Q_DECLARE_METATYPE(InstalledLayout)

namespace {

class ScriptedPrompter : public platform::Prompter {
  public:
    Answer ask(const QString &, Buttons, Icon, const QString &, Answer) override { return AnswerOk; }
};

// The wall clock (at) and the steady clock (steady, ms) apart: pass() is time
// going by, a change of at alone is the wall clock set back or forward.
class FakeClock : public platform::Clock {
  public:
    QDateTime at = QDateTime(QDate(2026, 3, 2), QTime(9, 0));
    qint64 steady = 0;
    void pass(qint64 secs) {
        at = at.addSecs(secs);
        steady += secs * 1000;
    }
    QDateTime now() const override { return at; }
    qint64 steadyMs() const override { return steady; }
};

InstalledLayout plain(int handle) {
    return {handle, QString()};
}
InstalledLayout ime(int handle, const QString &d) {
    return {handle, d};
}

} // namespace

class TstHintRules : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void inputMenu_data() {
        QTest::addColumn<Layouts>("layouts");
        QTest::addColumn<int>("engHandle");
        QTest::addColumn<QStringList>("shown"); // captions of the visible mCn entries
        QTest::addColumn<Handles>("handles");   // their handles
        QTest::addColumn<int>("count");         // ImeMenuCount

        QTest::newRow("nothing reported: design captions, mCn1 only")
            << Layouts{} << 0 << QStringList{QStringLiteral("中文1")} << Handles{0} << 1;
        QTest::newRow("plain keyboard only")
            << Layouts{plain(0x409)} << 0x409 << QStringList{QStringLiteral("中文1")} << Handles{0} << 1;
        QTest::newRow("plain first, two input methods")
            << Layouts{plain(11), ime(12, QStringLiteral("拼音")), ime(13, QStringLiteral("五笔"))} << 11
            << QStringList{QStringLiteral("拼音"), QStringLiteral("五笔")} << Handles{12, 13} << 3;
        // each entry keeps the handle it describes, whatever the order
        QTest::newRow("input method before the plain keyboard")
            << Layouts{ime(21, QStringLiteral("拼音")), plain(22), ime(23, QStringLiteral("五笔"))} << 22
            << QStringList{QStringLiteral("拼音"), QStringLiteral("五笔")} << Handles{21, 23} << 3;
        QTest::newRow("two plain layouts: the first is mEng")
            << Layouts{plain(31), plain(32), ime(33, QStringLiteral("注音"))} << 31
            << QStringList{QStringLiteral("注音")} << Handles{33} << 2;
        QTest::newRow("description cut at NUL and trimmed; blanks are a plain layout")
            << Layouts{ime(41, QStringLiteral("  ")),
                       ime(42, QStringLiteral(" 拼音 ") + QChar(0) + QStringLiteral("x"))}
            << 41 << QStringList{QStringLiteral("拼音")} << Handles{42} << 2;

        Layouts eleven{plain(1)};
        QStringList ten;
        Handles tenHandles;
        for (int i = 1; i <= 11; ++i) {
            eleven << ime(100 + i, QStringLiteral("输入法%1").arg(i));
            if (i <= 10) {
                ten << QStringLiteral("输入法%1").arg(i);
                tenHandles << 100 + i;
            }
        }
        QTest::newRow("eleven input methods: ten entries, all counted")
            << eleven << 1 << ten << tenHandles << 12;

        // at most sixteen layouts are read
        Layouts twenty;
        for (int i = 1; i <= 20; ++i)
            twenty << ime(200 + i, QStringLiteral("m%1").arg(i));
        QStringList firstTen;
        Handles firstTenHandles;
        for (int i = 1; i <= 10; ++i) {
            firstTen << QStringLiteral("m%1").arg(i);
            firstTenHandles << 200 + i;
        }
        QTest::newRow("twenty layouts: sixteen read") << twenty << 0 << firstTen << firstTenHandles << 17;
    }
    void inputMenu() {
        QFETCH(Layouts, layouts);
        QFETCH(int, engHandle);
        QFETCH(QStringList, shown);
        QFETCH(Handles, handles);
        QFETCH(int, count);
        const panel::inputmenu::Menu m = panel::inputmenu::build(layouts);
        QCOMPARE(m.engCaption, QStringLiteral("英语（美国）"));
        QCOMPARE(m.handle(0), engHandle);
        QCOMPARE(m.count, count);
        QVERIFY(m.cnVisible[0]); // mCn1 is never hidden
        QStringList visible;
        Handles visibleHandles;
        for (int k = 1; k <= panel::inputmenu::CnEntries; ++k) {
            if (!m.cnVisible[k - 1])
                continue;
            visible << m.cnCaption[k - 1];
            visibleHandles << m.handle(k);
        }
        QCOMPARE(visible, shown);
        QCOMPARE(visibleHandles, handles);
        QCOMPARE(m.shownEntries(), 1 + int(shown.size()));
        // hidden entries come only after the shown ones
        for (int k = int(shown.size()) + 1; k <= panel::inputmenu::CnEntries; ++k)
            QVERIFY(!m.cnVisible[k - 1]);
        QCOMPARE(m.handle(panel::inputmenu::CnEntries + 1), 0);
        QCOMPARE(m.handle(-1), 0);
    }

    // The menu's top right corner: at the indicator's left edge, 300 twips per
    // counted entry above its top inside the toolbar frame.
    void popupCorner_data() {
        QTest::addColumn<QPoint>("indicator");
        QTest::addColumn<int>("frameTop");
        QTest::addColumn<int>("count");
        QTest::addColumn<QPoint>("corner");
        QTest::newRow("one entry") << QPoint(4200, 500) << 330 << 1 << QPoint(4200, 530);
        QTest::newRow("three") << QPoint(4200, 500) << 330 << 3 << QPoint(4200, -70);
        QTest::newRow("twelve counted") << QPoint(3900, 600) << 330 << 12 << QPoint(3900, -2670);
    }
    void popupCorner() {
        QFETCH(QPoint, indicator);
        QFETCH(int, frameTop);
        QFETCH(int, count);
        QFETCH(QPoint, corner);
        QCOMPARE(panel::inputmenu::popupCorner(indicator.x(), indicator.y(), frameTop, count), corner);
    }

    // Giving up the exam's scoring: a practice that teaches and demonstrates,
    // still ends with the hand-in, keeps its countdown and the best score.
    void openAnswersTurnsTheExamIntoPractice() {
        ModData d;
        d.SetBase = SetBaseExamPaper;
        d.CurSet = 0;
        d.WorkMode = WorkExam;
        d.ExamMinutesLeft = 30;
        d.ExamStartTime = QStringLiteral("2026-03-02 09:00:00");
        d.PanelMayClose = True;
        d.CurStep = 5;
        d.CurQuestion = 7;
        ScriptedPrompter prompter;
        FakeClock clock;
        RunSession s(d, prompter, clock);
        s.setKind(RunKind::Exam);
        QVERIFY(s.buttons().demonstrationIsHint);
        QVERIFY(s.buttons().guideShowsCandidate);
        s.startCountdown();

        s.openAnswers();
        QVERIFY(s.answersOpened());
        QCOMPARE(int(d.WorkMode), int(WorkPractice));
        QCOMPARE(d.ExamStartTime, QStringLiteral("-1"));
        QCOMPARE(int(d.PanelMayClose), int(False));
        QCOMPARE(int(d.DemoRunning), int(True));
        QCOMPARE(int(d.CurStep), 1);
        QCOMPARE(int(d.CurQuestion), 7);
        const panel::PanelButtons b = s.buttons();
        QCOMPARE(b.guide, QStringLiteral("手把手教"));
        QCOMPARE(b.demonstration, QStringLiteral("操作演示"));
        QCOMPARE(b.end, QStringLiteral("结束考试"));
        QVERIFY(!b.demonstrationIsHint);
        QVERIFY(!b.guideShowsCandidate);
        QCOMPARE(s.kind(), RunKind::Exam);
        // the demonstration is due on the second tick, as from the toolbar
        QVERIFY(!s.tickDemoDelay());
        QVERIFY(s.tickDemoDelay());
        // the countdown goes on
        clock.pass(60);
        QVERIFY(s.tickCountdown());
        QCOMPARE(int(d.ExamMinutesLeft), 29);
        // the next run starts with its own toolbar
        s.setKind(RunKind::Exam);
        QVERIFY(!s.answersOpened());
        QVERIFY(s.buttons().demonstrationIsHint);
    }
};

QTEST_GUILESS_MAIN(TstHintRules)
#include "tst_hintrules.moc"
