// The run session without a window: showing a question through the simulated
// window's port, the toolbar's rules per kind of run, the demonstration's start,
// the countdown on a fake clock and the ends of practice, review and exam.
#include "panel/progress.h"
#include "panel/runsession.h"
#include "panel/simwindow.h"
#include "platform/services.h"
#include "platform/textfile.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using panel::RunKind;
using panel::RunSession;

namespace {

QByteArray bytesOf(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Records the calls in one list, in order.
class FakeSim : public SimulatedWindow {
  public:
    QStringList calls;
    QWidget *window() override { return nullptr; }
    void restoreQuestion(int q) override { calls << QStringLiteral("restore %1").arg(q); }
    void startTimer2() override { calls << QStringLiteral("timer2"); }
    void setGuided(bool on) override { calls << QStringLiteral("guided %1").arg(on); }
    void closeForRunEnd() override { calls << QStringLiteral("close"); }
};

class ScriptedPrompter : public platform::Prompter {
  public:
    QList<Answer> answers;
    QStringList asked;
    QStringList titles;
    Answer ask(const QString &text, Buttons, Icon, const QString &title, Answer) override {
        asked << text;
        titles << title;
        return answers.isEmpty() ? AnswerOk : answers.takeFirst();
    }
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

} // namespace

class TstRunSession : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    ModData d;
    FakeSim sim;
    ScriptedPrompter prompter;
    FakeClock clock;

    // Unit 2 (CurSet 1) of four questions, question 3 with a picture.
    void unit(int count = 4) {
        d = ModData();
        d.AppPath = m_dir.path();
        d.DataDir = m_dir.path() + QStringLiteral("/cad2004/");
        d.SetBase = SetBaseUnit;
        d.CurSet = 1;
        d.WorkMode = WorkPractice;
        d.UnitCount = 3;
        d.QuestionCount = Integer(count);
        d.CurQuestion = 1;
        d.ExamMinutesLeft = 50;
        d.IndexFile = d.DataDir + QStringLiteral("288871.rar");
        for (int q = 1; q <= MaxQuestions; ++q) {
            d.QuestionMark[q] = q <= count ? QStringLiteral("F") : QString();
            d.SavedStep[q] = Integer(q + 1);
        }
        sim.calls.clear();
        prompter.answers.clear();
        prompter.asked.clear();
        prompter.titles.clear();
        clock.at = QDateTime(QDate(2026, 3, 2), QTime(9, 0));
    }

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("cad2004"));
        QDir(m_dir.path()).mkpath(QStringLiteral("ksdata"));
        QVERIFY(platform::textfile::writeLinesAtomic(
            m_dir.path() + QStringLiteral("/cad2004/288871.rar"),
            {QStringLiteral("000102第一题。"), QStringLiteral("000201第二题。"),
             QStringLiteral("000303picture288805第三题。"), QStringLiteral("000401第四题。")}));
    }

    // DqExam: text, the remembered screen and Timer2, visited, the step reached,
    // guided teaching over; the panel is told to draw, then to hand back.
    void showQuestion_data() {
        QTest::addColumn<int>("question");
        QTest::addColumn<int>("workMode");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("workModeAfter");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("picture");
        QTest::newRow("practice, question 2")
            << 2 << int(WorkPractice) << 2 << int(WorkPractice) << QStringLiteral("第二题。") << QString();
        QTest::newRow("guided teaching ends")
            << 1 << int(WorkGuided) << 1 << int(WorkPractice) << QStringLiteral("第一题。") << QString();
        QTest::newRow("an exam stays an exam")
            << 4 << int(WorkExam) << 4 << int(WorkExam) << QStringLiteral("第四题。") << QString();
        QTest::newRow("picture") << 3 << int(WorkPractice) << 3 << int(WorkPractice)
                                 << QStringLiteral("第三题。") << QStringLiteral("288805.rar");
        QTest::newRow("above 40 shows 40, the index's last line")
            << 57 << int(WorkPractice) << 40 << int(WorkPractice) << QStringLiteral("第四题。") << QString();
    }
    void showQuestion() {
        QFETCH(int, question);
        QFETCH(int, workMode);
        QFETCH(int, shown);
        QFETCH(int, workModeAfter);
        QFETCH(QString, text);
        QFETCH(QString, picture);
        unit();
        d.CurQuestion = Integer(question);
        d.WorkMode = Integer(workMode);
        RunSession s(d, prompter, clock);
        s.setSimulatedWindow(&sim);
        QStringList order;
        connect(&s, &RunSession::questionLineRead, this, [&] { order << QStringLiteral("line"); });
        connect(&s, &RunSession::questionShown, this, [&] { order << QStringLiteral("shown"); });
        connect(&s, &RunSession::returnToMainRequested, this, [&] { order << QStringLiteral("main"); });
        s.showQuestion();
        QCOMPARE(int(d.CurQuestion), shown);
        QCOMPARE(sim.calls, (QStringList{QStringLiteral("restore %1").arg(shown), QStringLiteral("timer2")}));
        QCOMPARE(order,
                 (QStringList{QStringLiteral("line"), QStringLiteral("shown"), QStringLiteral("main")}));
        QCOMPARE(s.questionLine().text, text);
        QCOMPARE(s.questionLine().picturePath, picture.isEmpty() ? QString() : d.DataDir + picture);
        QCOMPARE(int(d.QuestionScore[shown]), int(StatusVisited));
        QCOMPARE(int(d.CurStep), shown + 1);
        QCOMPARE(int(d.WorkMode), workModeAfter);
    }

    // Damaged index lines: what the panel lays out is cut at a length no bank
    // reaches, and a picture id that would lead out of the data folder is not used.
    void damagedIndexLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("picture");
        QTest::newRow("1 MiB of text") << QStringLiteral("000102") + QString(1 << 20, u'题')
                                       << QString(platform::textfile::MaxShownChars, u'题') << QString();
        QTest::newRow("picture id with ..")
            << QStringLiteral("000102picture../../第一题。") << QStringLiteral("第一题。") << QString();
        QTest::newRow("picture id with a slash")
            << QStringLiteral("000102picture/etc/p第一题。") << QStringLiteral("第一题。") << QString();
        QTest::newRow("a safe picture id") << QStringLiteral("000102picture288805第一题。")
                                           << QStringLiteral("第一题。") << QStringLiteral("288805.rar");
    }
    void damagedIndexLine() {
        QFETCH(QString, line);
        QFETCH(QString, text);
        QFETCH(QString, picture);
        unit();
        d.IndexFile = d.DataDir + QStringLiteral("288872.rar");
        QVERIFY(platform::textfile::writeLinesAtomic(d.IndexFile, {line, QStringLiteral("000201第二题。")}));
        RunSession s(d, prompter, clock);
        s.showQuestion();
        QVERIFY(s.questionLine().readable);
        QCOMPARE(s.questionLine().text, text);
        QCOMPARE(s.questionLine().picturePath, picture.isEmpty() ? QString() : d.DataDir + picture);
    }

    // Navigation, redo, marks and guided teaching through the session.
    void toolbarActions() {
        unit();
        RunSession s(d, prompter, clock);
        s.setSimulatedWindow(&sim);
        QSignalSpy back(&s, &RunSession::returnToMainRequested);
        s.load();
        QCOMPARE(int(d.QuestionScore[1]), int(StatusVisited));
        s.showQuestion();
        QVERIFY(!s.navigation().previous && s.navigation().next);
        s.previous(); // stays on 1
        QCOMPARE(int(d.CurQuestion), 1);
        s.choose(4);
        QVERIFY(s.navigation().previous && !s.navigation().next);
        s.next(); // stays on the last
        QCOMPARE(int(d.CurQuestion), 4);
        QCOMPARE(s.title(), QStringLiteral("第2单元  第4/4题（未完成）"));
        d.SavedStep[4] = 7;
        s.redo();
        QCOMPARE(int(d.SavedStep[4]), 1);
        QCOMPARE(int(d.CurStep), 1);
        s.toggleMark();
        QCOMPARE(int(d.QuestionScore[4]), StatusVisited | StatusMarked);
        sim.calls.clear();
        s.startGuidedTeaching();
        QCOMPARE(int(d.WorkMode), int(WorkGuided));
        QCOMPARE(sim.calls, QStringList{QStringLiteral("guided 1")});
        QCOMPARE(back.count(), 7); // every action hands the learner back
        // without a simulated window the run goes on
        s.setSimulatedWindow(nullptr);
        s.next();
        s.startGuidedTeaching();
        QCOMPARE(int(d.WorkMode), int(WorkGuided));
    }

    void unreadableIndexIsNamed() {
        unit();
        d.IndexFile = d.DataDir + QStringLiteral("288879.rar");
        d.IndexLine = QStringLiteral("kept");
        RunSession s(d, prompter, clock);
        s.showQuestion();
        QVERIFY(!s.questionLine().readable);
        QVERIFY(s.questionLine().text.contains(QStringLiteral("288879.rar")));
        QVERIFY(s.questionLine().picturePath.isEmpty());
        QCOMPARE(d.IndexLine, QStringLiteral("kept"));
    }

    // The kind loads from WorkMode; an opener's kind replaces it.
    void kindOfRun() {
        unit();
        d.WorkMode = WorkExam;
        RunSession s(d, prompter, clock);
        s.load();
        QCOMPARE(s.kind(), RunKind::Exam);
        QVERIFY(s.buttons().demonstrationIsHint);
        s.setKind(RunKind::Review);
        QCOMPARE(s.buttons().end, QStringLiteral("结束复习"));
    }

    void demonstrationStart_data() {
        QTest::addColumn<int>("hotSpot");
        QTest::addColumn<bool>("right");
        QTest::addColumn<int>("timer1");
        QTest::newRow("normal") << 7 << false << 500;
        QTest::newRow("slow") << 7 << true << 1000;
        QTest::newRow("right button elsewhere") << 2 << true << 500;
    }
    void demonstrationStart() {
        QFETCH(int, hotSpot);
        QFETCH(bool, right);
        QFETCH(int, timer1);
        unit();
        RunSession s(d, prompter, clock);
        QSignalSpy line(&s, &RunSession::questionLineRead);
        s.releasedOn(hotSpot, right, false);
        s.prepareDemonstration();
        QCOMPARE(int(d.DemoRunning), int(True));
        QCOMPARE(line.count(), 1); // the question line is read again
        QVERIFY(!s.tickDemoDelay());
        QVERIFY(s.tickDemoDelay()); // due on the second tick
        QVERIFY(!s.tickDemoDelay());
        QCOMPARE(s.startDemonstration()[0], timer1);
        s.demonstrationEnded();
        QCOMPARE(int(d.DemoRunning), int(False));
    }

    // The countdown counts whole minutes of the clock, whatever the tick rate.
    void countdown() {
        unit();
        d.SetBase = SetBaseExamPaper;
        d.CurSet = 0;
        d.WorkMode = WorkExam;
        d.ExamMinutesLeft = 3;
        RunSession s(d, prompter, clock);
        QSignalSpy time(&s, &RunSession::timeChanged);
        QSignalSpy handIn(&s, &RunSession::handInRequested);
        s.load();
        QCOMPARE(s.timeText(), QStringLiteral("剩余3分钟"));
        clock.pass(59);
        QVERIFY(s.tickCountdown());
        QCOMPARE(time.count(), 0);
        clock.pass(1);
        QVERIFY(s.tickCountdown());
        QCOMPARE(time.count(), 1);
        QCOMPARE(s.timeText(), QStringLiteral("剩余2分钟"));
        QCOMPARE(s.timeBar(100), 96);
        QVERIFY(s.tickCountdown()); // the same minute is not counted twice
        QCOMPARE(time.count(), 1);
        clock.pass(150); // two and a half minutes at once
        QVERIFY(s.tickCountdown());
        QCOMPARE(time.count(), 3);
        QCOMPARE(s.timeText(), QStringLiteral("剩余0分钟"));
        QCOMPARE(handIn.count(), 1);
        clock.pass(30); // the half minute left over counts
        QVERIFY(s.tickCountdown());
        QCOMPARE(int(d.ExamMinutesLeft), -1);
        QCOMPARE(handIn.count(), 1); // handed in once, at 0
    }

    // A whole exam on the fake clock: label and bar each minute, at 0 the
    // time-up box once, titled with the module's name, and the hand-in.
    void countdownFromFifty() {
        unit();
        d.SetBase = SetBaseExamPaper;
        d.CurSet = 0;
        d.WorkMode = WorkExam;
        d.ModuleName = QStringLiteral("AutoCAD 2004");
        RunSession s(d, prompter, clock);
        QSignalSpy handIn(&s, &RunSession::handInRequested);
        s.load();
        QCOMPARE(s.timeText(), QStringLiteral("剩余50分钟"));
        QCOMPARE(s.timeBar(500), 0);
        for (int left = 49; left >= 0; --left) {
            clock.pass(60);
            QVERIFY(s.tickCountdown());
            QCOMPARE(s.timeText(), QStringLiteral("剩余%1分钟").arg(left));
            QCOMPARE(s.timeBar(500), (50 - left) * 10);
            QCOMPARE(s.timeIsUp(), left == 0);
            QCOMPARE(handIn.count(), left == 0 ? 1 : 0);
        }
        QCOMPARE(prompter.asked, QStringList{QStringLiteral("时间已到，自动交卷！")});
        QCOMPARE(prompter.titles, QStringList{QStringLiteral("AutoCAD 2004")});
        clock.pass(5 * 60); // under the dialogs the minutes go on, silently
        QVERIFY(s.tickCountdown());
        QCOMPARE(prompter.asked.size(), 1);
        QCOMPARE(handIn.count(), 1);
    }

    // The countdown measures the time used: the wall clock set back or forward
    // (by hand, by time synchronisation) neither freezes it nor ends the exam.
    // Each move is the wall clock set by jump seconds, then pass seconds gone
    // by; the panel ticks after each.
    void countdownFollowsTimeUsed_data() {
        QTest::addColumn<QList<int>>("moves"); // jump, pass, jump, pass, ...
        QTest::addColumn<int>("left");
        const int hours3 = 3 * 3600;
        QTest::newRow("set back 3 h after a minute") << QList<int>{0, 60, -hours3, 60} << 48;
        QTest::newRow("set back 3 h at the start") << QList<int>{-hours3, 0, 0, 120} << 48;
        QTest::newRow("set forward 3 h") << QList<int>{hours3, 0, 0, 60} << 49;
        QTest::newRow("back, then forward again") << QList<int>{0, 30, -hours3, 45, hours3, 50} << 48;
        QTest::newRow("set back a minute as one ends") << QList<int>{0, 59, -60, 1} << 49;
        QTest::newRow("no time passes, only the wall clock moves")
            << QList<int>{hours3, 0, -2 * hours3, 0, 24 * 3600, 0} << 50;
    }
    void countdownFollowsTimeUsed() {
        QFETCH(QList<int>, moves);
        QFETCH(int, left);
        unit();
        d.SetBase = SetBaseExamPaper;
        d.CurSet = 0;
        d.WorkMode = WorkExam;
        RunSession s(d, prompter, clock);
        QSignalSpy handIn(&s, &RunSession::handInRequested);
        s.load();
        for (int i = 0; i + 1 < moves.size(); i += 2) {
            clock.at = clock.at.addSecs(moves[i]);
            QVERIFY(s.tickCountdown());
            clock.pass(moves[i + 1]);
            QVERIFY(s.tickCountdown());
        }
        QCOMPARE(int(d.ExamMinutesLeft), left);
        QCOMPARE(s.timeText(), QStringLiteral("剩余%1分钟").arg(left));
        QCOMPARE(handIn.count(), 0);
        QVERIFY(prompter.asked.isEmpty());
    }

    // A countdown that was stopped (the paper handed in, the run over) or that
    // belongs to no exam run (a review of the paper runs on SetBase 0) counts
    // nothing, however late it gets: no box over whatever shows next.
    void countdownStoppedCountsNothing_data() {
        QTest::addColumn<bool>("stopped");
        QTest::addColumn<int>("kind");
        QTest::newRow("handed in with 30 minutes left") << true << int(RunKind::Exam);
        QTest::newRow("review of the paper") << false << int(RunKind::Review);
    }
    void countdownStoppedCountsNothing() {
        QFETCH(bool, stopped);
        QFETCH(int, kind);
        unit();
        d.SetBase = SetBaseExamPaper;
        d.CurSet = 0;
        d.WorkMode = WorkExam;
        d.ExamMinutesLeft = 30;
        RunSession s(d, prompter, clock);
        QSignalSpy handIn(&s, &RunSession::handInRequested);
        s.load();
        s.setKind(RunKind(kind));
        QVERIFY(s.countdownRunning());
        if (stopped)
            s.stopCountdown();
        clock.pass(2 * 3600);
        QVERIFY(!s.tickCountdown());
        QCOMPARE(int(d.ExamMinutesLeft), 30);
        QCOMPARE(handIn.count(), 0);
        QVERIFY(prompter.asked.isEmpty());
    }

    void countdownStopsOutsideAnExamPaper_data() {
        QTest::addColumn<int>("setBase");
        QTest::addColumn<int>("curSet");
        QTest::newRow("unit") << int(SetBaseUnit) << 1;
        QTest::newRow("wrong-question review") << int(SetBaseUnit) << int(CurSetReview);
    }
    void countdownStopsOutsideAnExamPaper() {
        QFETCH(int, setBase);
        QFETCH(int, curSet);
        unit();
        d.SetBase = Integer(setBase);
        d.CurSet = Integer(curSet);
        RunSession s(d, prompter, clock);
        s.load();
        clock.pass(600);
        QVERIFY(!s.tickCountdown());
        QCOMPARE(int(d.ExamMinutesLeft), 50);
    }

    // What the end button does in each kind of run.
    void end_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("curSet");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("signals");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QString>("wrongList");
        QTest::addColumn<bool>("mayClose");
        const QString list = QStringLiteral("0507011203040102");
        QTest::newRow("practice writes the unit's records")
            << int(RunKind::Practice) << 1 << 0 << QStringList{QStringLiteral("close")} << 0 << list << true;
        QTest::newRow("exam: hidden at the origin, then the hand-in")
            << int(RunKind::Exam) << 0 << 0
            << QStringList{QStringLiteral("hide 1"), QStringLiteral("hand in")} << 0 << list << false;
        QTest::newRow("wrong-question review, yes: solved codes leave the list")
            << int(RunKind::Review) << int(CurSetReview) << int(platform::Prompter::AnswerYes)
            << QStringList{QStringLiteral("hide 0"), QStringLiteral("close")} << 1
            << QStringLiteral("01120102") << true;
        QTest::newRow("wrong-question review, no: the list stays")
            << int(RunKind::Review) << int(CurSetReview) << int(platform::Prompter::AnswerNo)
            << QStringList{QStringLiteral("hide 0"), QStringLiteral("close")} << 1 << list << true;
        QTest::newRow("an exam's review asks nothing")
            << int(RunKind::Review) << 2 << 0 << QStringList{QStringLiteral("close")} << 0 << list << true;
    }
    void end() {
        QFETCH(int, kind);
        QFETCH(int, curSet);
        QFETCH(int, answer);
        QFETCH(QStringList, signals);
        QFETCH(int, asked);
        QFETCH(QString, wrongList);
        QFETCH(bool, mayClose);
        unit();
        d.CurSet = Integer(curSet);
        d.ReviewSet = 2;
        d.QuestionMark[2] = QStringLiteral("T");
        d.QuestionScore = {0, 5, 3, 4, 1};
        QFile::remove(panel::progress::unitStatusFile(d));
        QFile::remove(panel::progress::unitResultFile(d, 1));
        QVERIFY(platform::textfile::writeLinesAtomic(panel::progress::wrongListFile(d, 2),
                                                     {QStringLiteral("0507011203040102")}));
        RunSession s(d, prompter, clock);
        s.setKind(RunKind(kind));
        if (answer)
            prompter.answers = {platform::Prompter::Answer(answer)};
        QStringList seen;
        connect(&s, &RunSession::hideRequested, this,
                [&](bool toOrigin) { seen << QStringLiteral("hide %1").arg(toOrigin); });
        connect(&s, &RunSession::handInRequested, this, [&] { seen << QStringLiteral("hand in"); });
        connect(&s, &RunSession::closeRequested, this, [&] { seen << QStringLiteral("close"); });
        s.end();
        QCOMPARE(seen, signals);
        QCOMPARE(prompter.asked.size(), asked);
        QCOMPARE(int(d.PanelMayClose), mayClose ? int(True) : int(False));
        QStringList listLines;
        QVERIFY(platform::textfile::readLines(panel::progress::wrongListFile(d, 2), listLines));
        QCOMPARE(listLines, QStringList{wrongList});
        const bool practice = RunKind(kind) == RunKind::Practice;
        QCOMPARE(QFileInfo::exists(panel::progress::unitResultFile(d, 1)), practice);
        if (practice) {
            // the stored words lose the visited bit; the status line is the marks
            QStringList result, status;
            QVERIFY(platform::textfile::readLines(panel::progress::unitResultFile(d, 1), result));
            QCOMPARE(result, QStringList{QStringLiteral("4240") + QString(36, u'0')});
            QCOMPARE(int(d.QuestionScore[1]), 4);
            QVERIFY(platform::textfile::readLines(panel::progress::unitStatusFile(d), status));
            QCOMPARE(status.value(1), QStringLiteral("FTFF"));
        }
    }

    // A unit practice writes each solved question at once, to the same files in
    // the same form as its end; other runs leave them to their own ends.
    void solvedQuestionIsKeptAtOnce_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("curSet");
        QTest::addColumn<bool>("written");
        QTest::newRow("unit practice") << int(RunKind::Practice) << 1 << true;
        QTest::newRow("wrong-question review") << int(RunKind::Review) << int(CurSetReview) << false;
        QTest::newRow("exam") << int(RunKind::Exam) << 1 << false;
    }
    void solvedQuestionIsKeptAtOnce() {
        QFETCH(int, kind);
        QFETCH(int, curSet);
        QFETCH(bool, written);
        unit();
        d.CurSet = Integer(curSet);
        QFile::remove(panel::progress::unitResultFile(d, 1));
        QFile::remove(panel::progress::unitStatusFile(d));
        RunSession s(d, prompter, clock);
        s.setKind(RunKind(kind));
        d.QuestionScore[2] = StatusVisited | StatusSolved;
        d.QuestionMark[2] = QStringLiteral("T");
        s.questionSolved(2);
        QCOMPARE(QFileInfo::exists(panel::progress::unitResultFile(d, 1)), written);
        QCOMPARE(QFileInfo::exists(panel::progress::unitStatusFile(d)), written);
        QVERIFY(prompter.asked.isEmpty());
        if (!written)
            return;
        const QByteArray result = bytesOf(panel::progress::unitResultFile(d, 1));
        const QByteArray status = bytesOf(panel::progress::unitStatusFile(d));
        QCOMPARE(result, "04" + QByteArray(38, '0') + "\r\n");
        QCOMPARE(status, QByteArray("\r\nFTFF\r\n\r\n"));
        // the end writes the same again
        s.end();
        QCOMPARE(bytesOf(panel::progress::unitResultFile(d, 1)), result);
        QCOMPARE(bytesOf(panel::progress::unitStatusFile(d)), status);
    }

    // A per-question write that fails says nothing at once (the simulated window
    // is setting a step up); it is kept, and the end writes and says again.
    void solvedQuestionWriteFailureIsKept() {
        QTemporaryDir other;
        unit();
        d.AppPath = other.path();
        QFile blocker(other.path() + QStringLiteral("/ksdata"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        RunSession s(d, prompter, clock);
        s.questionSolved(1);
        QVERIFY(prompter.asked.isEmpty());
        QVERIFY2(s.saveError().contains(QStringLiteral("208801.rar")), qPrintable(s.saveError()));
    }

    // A record the practice end cannot write is named; the run still ends.
    void practiceEndReportsAFileItCannotWrite() {
        QTemporaryDir other;
        unit();
        d.AppPath = other.path();
        QFile blocker(other.path() + QStringLiteral("/ksdata"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        RunSession s(d, prompter, clock);
        QSignalSpy closed(&s, &RunSession::closeRequested);
        s.end();
        QCOMPARE(prompter.asked.size(), 1);
        QVERIFY(prompter.asked[0].contains(QStringLiteral("288893.rar")));
        QVERIFY(prompter.asked[0].contains(QStringLiteral("208801.rar")));
        QCOMPARE(closed.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TstRunSession)
#include "tst_runsession.moc"
