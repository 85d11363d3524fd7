// Handing in and scoring an exam paper without a window: the first dialog's
// text, the score line, the report's grid and tooltips, the three records the
// report stores (and what a failing one leaves), and the two reviews' sets.
#include "panel/examrules.h"
#include "panel/logonrules.h"
#include "panel/progress.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList linesOf(const QString &path) {
    QStringList l;
    platform::textfile::readLines(path, l);
    return l;
}

// Status words: every question visited and unsolved, then "q:w" pairs.
void setWords(ModData &d, const QString &pairs, Integer others = StatusVisited) {
    for (int i = 1; i <= MaxQuestions; ++i)
        d.QuestionScore[i] = others;
    for (const QString &p : pairs.split(u' ', Qt::SkipEmptyParts)) {
        const auto qw = p.split(u':');
        d.QuestionScore[qw[0].toInt()] = Integer(qw[1].toInt());
    }
}

// Paper question i is question i of unit 0 ("00ii"), except 4 and 9.
QString composition() {
    QString s;
    for (int i = 1; i <= 40; ++i)
        s += i == 4   ? QStringLiteral("0105")
             : i == 9 ? QStringLiteral("0312")
                      : QStringLiteral("00%1").arg(i, 2, 10, QChar(u'0'));
    return s;
}

} // namespace

class TstExamRules : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    ModData d;

    // Paper 2 (CurSet 1) of a module with three papers; the set table holds the
    // composition on line 4.
    void paper() {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path() + QStringLiteral("/ksdata"));
        QDir().mkpath(m_dir.path() + QStringLiteral("/cad2004"));
        d = ModData{};
        d.AppPath = m_dir.path();
        d.DataDir = m_dir.path() + QStringLiteral("/cad2004/");
        d.CurSet = 1;
        d.SetBase = SetBaseExamPaper;
        d.WorkMode = WorkExam;
        d.PaperCount = 3;
        d.QuestionCount = 40;
        d.ExamStartTime = QStringLiteral("2026-12-10 09:00:00");
        d.IndexFile = d.DataDir + QStringLiteral("288851.rar");
        QVERIFY(platform::textfile::writeLinesAtomic(
            d.dataFile(QStringLiteral("288891.rar")),
            {QStringLiteral("0302"), QStringLiteral("1212"), QString(160, u'0'), composition()}));
    }

  private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // FrmEnd1 warns when a question was never shown (even word) or is shown and
    // still marked (3, 7); a marked question that was never shown is even.
    void firstDialogText_data() {
        QTest::addColumn<QString>("words");
        QTest::addColumn<int>("others");
        QTest::addColumn<bool>("warns");
        QTest::newRow("every question shown, none marked") << QString() << 1 << false;
        QTest::newRow("solved and shown") << QStringLiteral("1:5 40:5") << 1 << false;
        QTest::newRow("one never shown") << QStringLiteral("17:0") << 1 << true;
        QTest::newRow("solved but not shown (4)") << QStringLiteral("2:4") << 1 << true;
        QTest::newRow("marked, never shown (2)") << QStringLiteral("40:2") << 1 << true;
        QTest::newRow("shown and marked (3)") << QStringLiteral("5:3") << 1 << true;
        QTest::newRow("solved, shown and marked (7)") << QStringLiteral("1:7") << 5 << true;
        QTest::newRow("nothing shown at all") << QString() << 0 << true;
    }
    void firstDialogText() {
        QFETCH(QString, words);
        QFETCH(int, others);
        QFETCH(bool, warns);
        setWords(d, words, Integer(others));
        QCOMPARE(panel::exam::paperIncomplete(d), warns);
        QCOMPARE(panel::exam::firstDialogText(d),
                 warns ? QStringLiteral("您还有题目未做或仍处于标识状态！\r\n\r\n您是否确定交卷?")
                       : QStringLiteral("\r\n您是否确定交卷?"));
    }

    // 2.5 points per word of 4 or more, in the shortest decimal form.
    void scoreLine_data() {
        QTest::addColumn<int>("curSet");
        QTest::addColumn<int>("solved");
        QTest::addColumn<int>("word");
        QTest::addColumn<QString>("line");
        QTest::newRow("none") << 0 << 0 << 5 << QStringLiteral("第1套得分：0分");
        QTest::newRow("two") << 0 << 2 << 5 << QStringLiteral("第1套得分：5分");
        QTest::newRow("37 of paper 1") << 0 << 37 << 4 << QStringLiteral("第1套得分：92.5分");
        QTest::newRow("39, marked too") << 4 << 39 << 7 << QStringLiteral("第5套得分：97.5分");
        QTest::newRow("all 40") << 13 << 40 << 6 << QStringLiteral("第14套得分：100分");
    }
    void scoreLine() {
        QFETCH(int, curSet);
        QFETCH(int, solved);
        QFETCH(int, word);
        QFETCH(QString, line);
        d.CurSet = Integer(curSet);
        setWords(d, QString(), 3); // shown and marked, not solved
        for (int i = 1; i <= solved; ++i)
            d.QuestionScore[i] = Integer(word);
        QCOMPARE(panel::exam::scoreLine(d, panel::progress::examScore(d)), line);
    }

    void strictSeat_data() {
        QTest::addColumn<QString>("seat");
        QTest::addColumn<bool>("strict");
        QTest::newRow("upper") << QStringLiteral("Z01") << true;
        QTest::newRow("lower") << QStringLiteral("z7") << true;
        QTest::newRow("full-width upper") << QStringLiteral("Ｚ12") << true;
        QTest::newRow("full-width lower") << QStringLiteral("ｚ") << true;
        QTest::newRow("blank first") << QStringLiteral(" Z1") << true;
        QTest::newRow("digits") << QStringLiteral("05") << false;
        QTest::newRow("later Z") << QStringLiteral("1Z") << false;
        QTest::newRow("another letter") << QStringLiteral("Y1") << false;
        QTest::newRow("empty") << QString() << false;
    }
    void strictSeat() {
        QFETCH(QString, seat);
        QFETCH(bool, strict);
        QCOMPARE(panel::logon::isStrictSeat(seat), strict);
    }

    // The grid, the tooltips (the text after a picture id) and whether the wrong
    // review is offered.
    void grade() {
        paper();
        setWords(d, QStringLiteral("1:5 2:7 3:4 5:3"));
        const QStringList index = {QStringLiteral("000102画一条直线。"),
                                   QStringLiteral("000203picture288801按图中尺寸绘制矩形。")};
        panel::exam::Report r = panel::exam::grade(d, composition(), index);
        QCOMPARE(r.score, 7.5);
        QCOMPARE(r.scoreLine, QStringLiteral("第2套得分：7.5分"));
        QVERIFY(r.solved[1] && r.solved[2] && r.solved[3]);
        QVERIFY(!r.solved[4] && !r.solved[5] && !r.solved[40]);
        QCOMPARE(r.wrongList.size(), 37 * 4);
        QVERIFY(r.wrongList.startsWith(QStringLiteral("01050005")));
        QCOMPARE(r.tooltips[1], QStringLiteral("第1题： 画一条直线。"));
        QCOMPARE(r.tooltips[2], QStringLiteral("第2题： 按图中尺寸绘制矩形。"));
        QCOMPARE(r.tooltips[3], QStringLiteral("第3题： ")); // the index file ends before it
        QVERIFY(r.wrongReview);
        d.SeatNo = QStringLiteral("Z18");
        QVERIFY(!panel::exam::grade(d, composition(), index).wrongReview);
        d.SeatNo = QStringLiteral("18");
        setWords(d, QString(), 5); // all solved: nothing to review
        r = panel::exam::grade(d, composition(), index);
        QVERIFY(r.wrongList.isEmpty());
        QVERIFY(!r.wrongReview);
    }

    // The report's three records: the wrong list replaces the old one, the exam
    // record keeps the best score unless the answers were viewed, the marks keep
    // only the mark bit; the words lose their visited bits in place.
    void storeRecords_data() {
        QTest::addColumn<QString>("startTime");
        QTest::addColumn<QString>("storedBest");
        QTest::addColumn<QString>("recordedTime");
        QTest::addColumn<QString>("best");
        QTest::newRow("first exam") << QStringLiteral("2026-12-10 09:00:00") << QString()
                                    << QStringLiteral("2026-12-10 09:00:00") << QStringLiteral("7.5");
        QTest::newRow("lower than the best") << QStringLiteral("2026-12-10 09:00:00") << QStringLiteral("80")
                                             << QStringLiteral("2026-12-10 09:00:00") << QStringLiteral("80");
        QTest::newRow("higher than the best")
            << QStringLiteral("2026-12-10 09:00:00") << QStringLiteral("5")
            << QStringLiteral("2026-12-10 09:00:00") << QStringLiteral("7.5");
        QTest::newRow("answers viewed: the report's time, the best kept")
            << QStringLiteral("-1") << QStringLiteral("2.5") << QStringLiteral("2026-12-10 09:47:13")
            << QStringLiteral("2.5");
    }
    void storeRecords() {
        QFETCH(QString, startTime);
        QFETCH(QString, storedBest);
        QFETCH(QString, recordedTime);
        QFETCH(QString, best);
        paper();
        d.ExamStartTime = startTime;
        QVERIFY(platform::textfile::writeLinesAtomic(
            panel::progress::examRecordFile(d),
            {QStringLiteral("2026-01-01 08:00:00"), QStringLiteral("60"), QStringLiteral("kept"),
             QStringLiteral("2026-02-02 08:00:00"), storedBest, QStringLiteral("kept too")}));
        QVERIFY(platform::textfile::writeLinesAtomic(panel::progress::wrongListFile(d, 1),
                                                     {QStringLiteral("00010002")}));
        // 1 solved, 2 solved and marked, 3 solved but never shown, 5 shown and
        // marked, 7 marked and never shown; the rest shown and unsolved
        setWords(d, QStringLiteral("1:5 2:7 3:4 5:3 7:2"));
        const QDateTime now(QDate(2026, 12, 10), QTime(9, 47, 13));
        const QStringList problems = panel::exam::storeRecords(d, composition(), 7.5, now);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));

        // 1. the 37 unsolved codes in paper order
        QString wrong;
        for (int i = 4; i <= 40; ++i)
            wrong += composition().mid(4 * (i - 1), 4);
        QCOMPARE(linesOf(panel::progress::wrongListFile(d, 1)), QStringList{wrong});
        // 2. paper 2's lines, the others as they were, three papers written
        QCOMPARE(
            linesOf(panel::progress::examRecordFile(d)),
            (QStringList{QStringLiteral("2026-01-01 08:00:00"), QStringLiteral("60"), QStringLiteral("kept"),
                         recordedTime, best, QStringLiteral("kept too"), QString(), QString(), QString()}));
        QCOMPARE(d.ExamStartTime, QStringLiteral("-1"));
        // 3. only the marks, and the words without the visited bit
        QCOMPARE(linesOf(panel::progress::examMarksFile(d, 1)),
                 QStringList{QStringLiteral("0200202") + QString(33, u'0')});
        QCOMPARE(int(d.QuestionScore[1]), 4);
        QCOMPARE(int(d.QuestionScore[2]), 6);
        QCOMPARE(int(d.QuestionScore[3]), 4);
        QCOMPARE(int(d.QuestionScore[5]), 2);
        QCOMPARE(int(d.QuestionScore[7]), 2);
        QCOMPARE(int(d.QuestionScore[8]), 0);
    }

    // A record that cannot be written does not stop the others; each failure
    // names its file. A set table without the paper's whole composition leaves
    // the old wrong list alone instead of shrinking it.
    void failuresAreNamedAndOthersWritten() {
        paper();
        setWords(d, QStringLiteral("1:5"));
        QVERIFY(QDir().mkpath(panel::progress::examRecordFile(d))); // a folder where the file goes
        QStringList problems = panel::exam::storeRecords(d, composition(), 2.5, QDateTime::currentDateTime());
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems.first().contains(QStringLiteral("288892.rar")), qPrintable(problems.first()));
        QCOMPARE(linesOf(panel::progress::wrongListFile(d, 1)).value(0).size(), 39 * 4);
        QCOMPARE(linesOf(panel::progress::examMarksFile(d, 1)).value(0), QString(40, u'0'));
        QCOMPARE(d.ExamStartTime, QStringLiteral("-1"));

        paper();
        QVERIFY(platform::textfile::writeLinesAtomic(panel::progress::wrongListFile(d, 1),
                                                     {QStringLiteral("00010002")}));
        QVERIFY(platform::textfile::writeLinesAtomic(d.dataFile(QStringLiteral("288891.rar")),
                                                     {QStringLiteral("0302"), QStringLiteral("1212")}));
        setWords(d, QStringLiteral("1:5"));
        const panel::exam::Report r = panel::exam::openReport(d, QDateTime::currentDateTime());
        QCOMPARE(r.problems.size(), 1);
        QVERIFY2(r.problems.first().contains(QStringLiteral("288891.rar")), qPrintable(r.problems.first()));
        QCOMPARE(linesOf(panel::progress::wrongListFile(d, 1)), QStringList{QStringLiteral("00010002")});
        QCOMPARE(r.scoreLine, QStringLiteral("第2套得分：2.5分"));
        QCOMPARE(linesOf(panel::progress::examRecordFile(d)).value(4), QStringLiteral("2.5"));
    }

    // "本次考题复习": the paper again, status kept, every mark "F".
    void paperReview() {
        paper();
        setWords(d, QStringLiteral("1:4 2:6"), 0);
        d.QuestionMark[3] = QStringLiteral("T");
        d.PanelMayClose = True;
        panel::exam::preparePaperReview(d);
        QCOMPARE(int(d.WorkMode), int(WorkPractice));
        QCOMPARE(int(d.PanelMayClose), int(False));
        QCOMPARE(int(d.ReviewSet), 1);
        QCOMPARE(int(d.CurSet), 1);
        QCOMPARE(int(d.SetBase), int(SetBaseExamPaper));
        QCOMPARE(d.QuestionMark[3], QStringLiteral("F"));
        QCOMPARE(int(d.QuestionScore[2]), 6);
        QCOMPARE(panel::exam::paperReviewEntry().LblBiao, QStringLiteral("考题复习-"));
        QCOMPARE(panel::exam::paperReviewEntry().kind, panel::RunKind::Review);
    }

    // "本次错题复习": the review set from the list's whole codes, in order; a
    // list without a whole code or a code past its unit opens nothing.
    void wrongReview_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QStringList>("index");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("three codes, one twice")
            << QStringLiteral("010200010102") << true
            << QStringList{QStringLiteral("000201一单元二题"), QStringLiteral("000101零单元一题"),
                           QStringLiteral("000201一单元二题")}
            << QStringList{QStringLiteral("u1q2s1"), QStringLiteral("u0q1s1"), QStringLiteral("u1q2s1")};
        QTest::newRow("a cut code at the end is dropped")
            << QStringLiteral("000101") << true << QStringList{QStringLiteral("000101零单元一题")}
            << QStringList{QStringLiteral("u0q1s1")};
        QTest::newRow("no whole code") << QStringLiteral("01") << false << QStringList() << QStringList();
        // assembled as the exam login assembles a paper: the unit's last question
        QTest::newRow("past the unit's end: its last question")
            << QStringLiteral("0009") << true << QStringList{QStringLiteral("000101零单元一题")}
            << QStringList{QStringLiteral("u0q1s1")};
    }
    void wrongReview() {
        QFETCH(QString, list);
        QFETCH(bool, opens);
        QFETCH(QStringList, index);
        QFETCH(QStringList, steps);
        paper();
        QVERIFY(platform::textfile::writeLinesAtomic(d.dataFile(QStringLiteral("288870.rar")),
                                                     {QStringLiteral("000101零单元一题")}));
        QVERIFY(platform::textfile::writeLinesAtomic(d.dataFile(QStringLiteral("288820.rar")),
                                                     {QStringLiteral("u0q1s1")}));
        QVERIFY(platform::textfile::writeLinesAtomic(
            d.dataFile(QStringLiteral("288871.rar")),
            {QStringLiteral("000102一单元一题"), QStringLiteral("000201一单元二题")}));
        QVERIFY(platform::textfile::writeLinesAtomic(
            d.dataFile(QStringLiteral("288821.rar")),
            {QStringLiteral("u1q1s1"), QStringLiteral("u1q1s2"), QStringLiteral("u1q2s1")}));
        QVERIFY(platform::textfile::writeLinesAtomic(panel::progress::wrongListFile(d, 1), {list}));
        setWords(d, QStringLiteral("1:5"));
        QString message;
        QCOMPARE(panel::exam::prepareWrongReview(d, &message), opens);
        QCOMPARE(int(d.ReviewSet), 1);
        QCOMPARE(int(d.WorkMode), int(WorkPractice));
        if (!opens) {
            QVERIFY(!message.isEmpty());
            QCOMPARE(int(d.CurSet), 1); // still the paper
            QCOMPARE(int(d.QuestionScore[1]), 5);
            QVERIFY(!QFile::exists(d.dataFile(QStringLiteral("288869.rar"))));
            return;
        }
        QCOMPARE(int(d.CurSet), int(CurSetReview));
        QCOMPARE(int(d.SetBase), int(SetBaseUnit));
        QCOMPARE(int(d.QuestionCount), index.size());
        QCOMPARE(d.IndexFile, d.dataFile(QStringLiteral("288869.rar")));
        QCOMPARE(d.StepFile, d.dataFile(QStringLiteral("288819.rar")));
        QCOMPARE(linesOf(d.IndexFile), index);
        QCOMPARE(linesOf(d.StepFile), steps);
        QCOMPARE(int(d.ExamMinutesLeft), 50);
        QCOMPARE(int(d.QuestionFirstStep[2]), 2);
        QCOMPARE(int(d.QuestionScore[1]), 0);
        QCOMPARE(d.QuestionMark[index.size()], QStringLiteral("F"));
        QVERIFY(d.QuestionMark[index.size() + 1].isEmpty());
        QFile::remove(d.dataFile(QStringLiteral("288869.rar")));
        QFile::remove(d.dataFile(QStringLiteral("288819.rar")));
    }
};

QTEST_MAIN(TstExamRules)
#include "tst_examrules.moc"
