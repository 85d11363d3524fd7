// A whole exam on the sample module, on the real windows (offscreen): the cover
// page's 开始考试 and the login to paper 1, two questions solved on the simulated window,
// the hand-in through both dialogs, the score report and its records, the
// wrong-question review, and the fresh cover page with the score and the time.
// A second run lets the time run out.
#include "app/trainer.h"
#include "cover/entries.h"
#include "cover/frmfengmian.h"
#include "fakes.h"
#include "panel/frmchengji.h"
#include "panel/frmend.h"
#include "panel/frmlogon.h"
#include "panel/frmtm.h"
#include "panel/logonrules.h"
#include "panel/progress.h"
#include "platform/textfile.h"
#include "simulator/bankreader.h"
#include "simulator/frmmain.h"
#include "simulator/solver.h"
#include "start/setfiles.h"
#include "start/vb.h"
#include "start/verfile.h"

#include <QApplication>
#include <QDirIterator>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

template <class T> T *topLevel() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

bool copyFolder(const QString &from, const QString &to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(file, target))
            return false;
    }
    return true;
}

QStringList linesOf(const QString &path) {
    QStringList l;
    platform::textfile::readLines(path, l);
    return l;
}

} // namespace

class TstExamRun : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    ModData d;
    FakePrompter prompter;
    FakeClock clock;
    QString m_composition;

    // The program folder as the login leaves it for paper 1: WorkMode 3, SetBase
    // 0, the paper's files assembled from its composition, 50 minutes, no marks.
    bool openPaper() {
        QDir(m_dir.path()).removeRecursively();
        if (!copyFolder(QStringLiteral(CADDRILL_PROGRAM_DIR), m_dir.path()))
            return false;
        d = ModData();
        d.AppPath = m_dir.path();
        if (!start::verfile::readInfo(d, nullptr))
            return false;
        const QStringList table = linesOf(d.dataFile(QStringLiteral("288891.rar")));
        d.PaperCount = start::vb::ValInt(start::vb::Left(table.value(0), 2));
        m_composition = table.value(2);
        d.CandidateName = QStringLiteral("柏川1");
        cover::entries::enterExam(d, 0);
        panel::logon::prepare(d);
        if (!panel::logon::logIn(d, QStringLiteral("18"), QStringLiteral("110101198001011234"), clock.at) ||
            !panel::logon::startExam(d, clock.at))
            return false;
        prompter.asked.clear();
        prompter.answers.clear();
        return true;
    }

    // Plays the current question on the simulated window's engine to its
    // closing record, one solved step after the other.
    static void solveCurrent(FrmMain *main, ModData &data) {
        QTRY_VERIFY(!main->Timer2.isActive());
        sim::StepEngine &e = main->engine();
        sim::bank::BankReader texts(data);
        for (int guard = 0; guard < 60 && !e.record().isClosing(); ++guard) {
            QVERIFY(!e.blocked());
            const sim::Solution s =
                sim::solveStep(sim::situationOf(e, [&] { return texts.text(e.record().answerLine()); }));
            QVERIFY2(s.solvable(), qPrintable(s.why));
            sim::playSolution(e, s);
        }
        QVERIFY(e.record().isClosing());
    }

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        if (!QFileInfo::exists(QStringLiteral(CADDRILL_PROGRAM_DIR "/ver.txt")))
            QSKIP("the sample module is not staged in the program folder");
    }

    void wholeExam() {
        QVERIFY(openPaper());
        FakeLauncher launcher;
        FakeInstance instance;
        Trainer trainer(d, {&prompter, nullptr, &launcher, &clock, &instance}, QStringLiteral("caddrill"));
        // the way in: the cover page's 开始考试 for paper 1, then the login
        trainer.showCover();
        FrmFengmian *entry = topLevel<FrmFengmian>();
        QVERIFY(entry);
        QTest::mouseClick(entry->LblKaCH, Qt::LeftButton);
        QTest::mouseClick(entry->LblStartKs[0], Qt::LeftButton);
        QTRY_VERIFY(topLevel<FrmLogon>());
        FrmLogon *logon = topLevel<FrmLogon>();
        QTRY_VERIFY(logon->Picture1->isVisible());
        QTest::mouseClick(logon->CmdLog, Qt::LeftButton);
        QVERIFY2(prompter.asked.isEmpty(), qPrintable(prompter.asked.value(0).text));
        QTRY_VERIFY(topLevel<FrmTm>());
        QTRY_VERIFY(!topLevel<FrmLogon>());
        FrmTm *tm = trainer.panel();
        FrmMain *main = trainer.simulatedWindow();
        QVERIFY(tm && main);
        QTRY_VERIFY(!tm->TimerREDO.isActive());
        QCOMPARE(d.SeatNo, QStringLiteral("18"));
        QCOMPARE(tm->CmdEnd->text(), QStringLiteral("结束考试"));
        QCOMPARE(tm->LblTime->text(), QStringLiteral("剩余50分钟"));
        QVERIFY(tm->TimeKS.isActive());

        // two questions solved on the simulated window
        solveCurrent(main, d);
        QTest::mouseClick(tm->CmdGN[1], Qt::LeftButton); // 下一题
        QCOMPARE(int(d.CurQuestion), 2);
        solveCurrent(main, d);
        QVERIFY(panel::isSolved(d.QuestionScore[1]) && panel::isSolved(d.QuestionScore[2]));
        QVERIFY(!panel::isSolved(d.QuestionScore[3]));

        // 结束考试 -> 交卷 -> 交卷
        QPointer<FrmTm> examPanel(tm);
        QTest::mouseClick(tm->CmdGN[5], Qt::LeftButton);
        QVERIFY(!tm->isVisible());
        auto *end1 = qobject_cast<FrmEnd1 *>(trainer.handInDialog());
        QVERIFY(end1 && end1->isVisible());
        QVERIFY(end1->Label1->text().startsWith(QStringLiteral("您还有题目未做")));
        QVERIFY(end1->Command2->isEnabled());
        QTest::mouseClick(end1->Command1, Qt::LeftButton);
        auto *end2 = qobject_cast<FrmEnd2 *>(trainer.handInDialog());
        QVERIFY(end2 && end2->isVisible());
        QTest::mouseClick(end2->Command1, Qt::LeftButton);

        // the score report and its three records
        auto *report = qobject_cast<FrmChengji *>(trainer.report());
        QVERIFY(report && report->isVisible());
        QCOMPARE(report->Label1->text(), QStringLiteral("第1套得分：5分"));
        QVERIFY(report->CmTNO[1]->property("solved").toBool());
        QVERIFY(report->CmTNO[2]->property("solved").toBool());
        QVERIFY(!report->CmTNO[3]->property("solved").toBool());
        QVERIFY(report->CmTNO[3]->toolTip().startsWith(QStringLiteral("第3题： ")));
        QVERIFY(report->Command3->isEnabled());
        QCOMPARE(linesOf(panel::progress::wrongListFile(d, 0)), QStringList{m_composition.mid(8)});
        const QStringList record = linesOf(panel::progress::examRecordFile(d));
        QCOMPARE(record.value(0), QStringLiteral("2026-12-10 09:30:00"));
        QCOMPARE(record.value(1), QStringLiteral("5"));
        QCOMPARE(linesOf(panel::progress::examMarksFile(d, 0)), QStringList{QString(40, u'0')});
        QCOMPARE(d.ExamStartTime, QStringLiteral("-1"));
        QVERIFY(prompter.asked.isEmpty());

        // the handed-in exam's panel is gone with its countdown: hours later
        // nothing announces the end of that exam
        QTRY_VERIFY(!examPanel);
        clock.pass(3 * 3600);
        QTest::qWait(1200); // more than one tick of a countdown, had one survived
        QVERIFY(prompter.asked.isEmpty());

        // 本次错题复习: the 38 questions not solved
        QTest::mouseClick(report->Command3, Qt::LeftButton);
        QTRY_VERIFY(trainer.panel() && trainer.panel()->isVisible());
        FrmTm *review = trainer.panel();
        QTRY_VERIFY(!review->TimerREDO.isActive());
        QCOMPARE(int(d.QuestionCount), 38);
        QCOMPARE(int(d.CurSet), int(CurSetReview));
        int shown = 0;
        for (int i = 1; i <= MaxQuestions; ++i)
            shown += review->CmTNO[i]->isVisibleTo(review->FrmSelect);
        QCOMPARE(shown, 38);
        QCOMPARE(review->CmdEnd->text(), QStringLiteral("结束复习"));
        QCOMPARE(review->LblBiao->text(), QStringLiteral("错题复习  第1/38题"));
        QVERIFY(!review->LblTime->isVisible());
        QVERIFY(!review->TimeKS.isActive());
        QCOMPARE(linesOf(d.IndexFile).size(), 38);

        // end of the review, keeping the list, and the cover page
        prompter.answers = {platform::Prompter::AnswerNo};
        QTest::mouseClick(review->CmdGN[5], Qt::LeftButton);
        QTRY_VERIFY(topLevel<FrmFengmian>());
        QCOMPARE(prompter.asked.size(), 1); // the review's question about the list
        QCOMPARE(linesOf(panel::progress::wrongListFile(d, 0)), QStringList{m_composition.mid(8)});
        FrmFengmian *cover = topLevel<FrmFengmian>();
        QTRY_VERIFY(cover->LblKSInFo[0]);
        QCOMPARE(cover->LblKSInFo[0]->text(), QStringLiteral("最后考试时间 2026-12-10 09:30:00  最好成绩 5"));
    }

    // "继续考试" returns to the exam with the panel docked; when the time runs
    // out the box comes once and only the hand-in is left.
    void timeRunsOut() {
        QVERIFY(openPaper());
        d.ExamMinutesLeft = 2;
        FakeInstance instance;
        Trainer trainer(d, {&prompter, nullptr, nullptr, &clock, &instance}, QStringLiteral("caddrill"));
        trainer.openRun({panel::RunKind::Exam, QString(), std::nullopt});
        FrmTm *tm = trainer.panel();
        FrmMain *main = trainer.simulatedWindow();
        QTRY_VERIFY(!tm->TimerREDO.isActive());

        QTest::mouseClick(tm->CmdGN[5], Qt::LeftButton);
        auto *end1 = qobject_cast<FrmEnd1 *>(trainer.handInDialog());
        QVERIFY(end1);
        QTest::mouseClick(end1->Command2, Qt::LeftButton);
        QVERIFY(!trainer.handInDialog());
        QVERIFY(tm->isVisible());
        QCOMPARE(tm->frameGeometry().bottomRight(), main->frameGeometry().bottomRight());

        clock.pass(60);
        QTRY_COMPARE(tm->LblTime->text(), QStringLiteral("剩余1分钟"));
        QVERIFY(!trainer.handInDialog());
        clock.pass(60);
        QTRY_VERIFY(trainer.handInDialog());
        QCOMPARE(prompter.asked.size(), 1);
        QCOMPARE(prompter.asked.first().text, QStringLiteral("时间已到，自动交卷！"));
        QCOMPARE(prompter.asked.first().title, d.ModuleName);
        end1 = qobject_cast<FrmEnd1 *>(trainer.handInDialog());
        QVERIFY(end1 && !end1->Command2->isEnabled());
        QVERIFY(!tm->isVisible());
        end1->close(); // refused: the paper can only be handed in
        QVERIFY(end1->isVisible());
        QTest::mouseClick(end1->Command1, Qt::LeftButton);
        auto *end2 = qobject_cast<FrmEnd2 *>(trainer.handInDialog());
        QVERIFY(end2 && !end2->Command2->isEnabled());
        clock.pass(120); // the minutes under the dialog bring no second box
        QTest::qWait(1200);
        QCOMPARE(prompter.asked.size(), 1);
        QTest::mouseClick(end2->Command1, Qt::LeftButton);
        auto *report = qobject_cast<FrmChengji *>(trainer.report());
        QVERIFY(report);
        QCOMPARE(report->Label1->text(), QStringLiteral("第1套得分：0分"));
        QCOMPARE(linesOf(panel::progress::wrongListFile(d, 0)), QStringList{m_composition});
        QTest::mouseClick(report->Command2, Qt::LeftButton);
        QTRY_VERIFY(topLevel<FrmFengmian>());
        QTRY_VERIFY(!topLevel<FrmMain>());
        QVERIFY(!topLevel<FrmTm>());
    }
};

QTEST_MAIN(TstExamRun)
#include "tst_examrun.moc"
