// The exam login's rules: the fields, the bar, the paper assembly and what the
// login stores, on a small installed module.
#include "fakes.h"
#include "fixture.h"
#include "panel/logonrules.h"
#include "panel/progress.h"

#include <QTest>

#include <sys/stat.h>

namespace logon = panel::logon;

namespace {

// Unit 0: questions of 2, 1 and 3 steps; unit 1: 1 and 2 steps.
const QList<QList<int>> UnitSteps = {{2, 1, 3}, {1, 2}};

// The index line Fixture::unitBank writes for unit u, question q.
QString indexLine(int u, int q) {
    return QStringLiteral("00%1%2第%3单元第%4题")
        .arg(q, 2, 10, QChar(u'0'))
        .arg(UnitSteps[u][q - 1], 2, 10, QChar(u'0'))
        .arg(u)
        .arg(q);
}
QStringList stepLines(int u, int q) {
    QStringList l;
    for (int s = 1; s <= UnitSteps[u][q - 1]; ++s)
        l << QStringLiteral("U%1 Q%2 S%3").arg(u).arg(q).arg(s);
    return l;
}

// 40 codes: the given ones, then "0101" up to the end.
QString composition(const QString &head) {
    QString c = head;
    while (c.size() < 4 * logon::PaperQuestions)
        c += QStringLiteral("0101");
    return c;
}

// Two papers over the two units; paper 1's composition starts with `head`.
void installPapers(Fixture &f, const QString &head) {
    f.install(2, {3, 2});
    f.unitBank(0, UnitSteps[0]);
    f.unitBank(1, UnitSteps[1]);
    Fixture::put(f.data() + QStringLiteral("288891.rar"),
                 {QStringLiteral("0202"), QStringLiteral("0302"), composition(QStringLiteral("0001")),
                  composition(head)});
}

const QDateTime LoginTime(QDate(2026, 12, 10), QTime(9, 30, 5));

} // namespace

class TstLogonRules : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void seatNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("seat");
        QTest::addColumn<bool>("strict");
        QTest::newRow("one digit padded") << "5"
                                          << "05" << false;
        QTest::newRow("three digits keep the last two") << "123"
                                                        << "23" << false;
        QTest::newRow("empty") << ""
                               << "00" << false;
        QTest::newRow("blanks trimmed") << " 7 "
                                        << "07" << false;
        QTest::newRow("another letter is cut like digits") << "A12"
                                                           << "12" << false;
        QTest::newRow("strict, upper case") << "Z12"
                                            << "Z12" << true;
        QTest::newRow("strict, lower case") << "z5"
                                            << "z5" << true;
        QTest::newRow("strict, full-width upper case") << "Ｚ12"
                                                       << "Ｚ12" << true;
        QTest::newRow("strict, full-width lower case") << "ｚ"
                                                       << "ｚ" << true;
        QTest::newRow("strict after blanks") << " Z1"
                                             << "Z1" << true;
        QTest::newRow("full-width other letter") << "Ａ12"
                                                 << "12" << false;
    }
    void seatNumber() {
        QFETCH(QString, text);
        QFETCH(QString, seat);
        QFETCH(bool, strict);
        QCOMPARE(logon::seatNumber(text), seat);
        QCOMPARE(logon::isStrictSeat(text), strict);
    }

    void idCardNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("id");
        QTest::newRow("short entry filled from the left") << "1234"
                                                          << "011980010112341234";
        QTest::newRow("empty gives the default") << ""
                                                 << "110101198001011234";
        QTest::newRow("full entry with its check letter") << "11010219800101123X"
                                                          << "11010219800101123X";
        QTest::newRow("blanks trimmed first") << " 42 "
                                              << "010119800101123442";
    }
    void idCardNumber() {
        QFETCH(QString, text);
        QFETCH(QString, id);
        QCOMPARE(logon::idCardNumber(text), id);
    }

    void idKeyFilter_data() {
        QTest::addColumn<QChar>("key");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("digit") << QChar(u'7') << 0 << true;
        QTest::newRow("backspace") << QChar(logon::Backspace) << 18 << true;
        QTest::newRow("X as the 10th character") << QChar(u'X') << 9 << false;
        QTest::newRow("x as the 17th character") << QChar(u'x') << 16 << false;
        QTest::newRow("X as the 18th character") << QChar(u'X') << 17 << true;
        QTest::newRow("x as the 18th character") << QChar(u'x') << 17 << true;
        QTest::newRow("another letter at the end") << QChar(u'a') << 17 << false;
        QTest::newRow("a sign") << QChar(u'-') << 3 << false;
        QTest::newRow("full-width digit") << QChar(u'５') << 3 << false;
    }
    void idKeyFilter() {
        QFETCH(QChar, key);
        QFETCH(int, length);
        QFETCH(bool, accepted);
        QCOMPARE(logon::idKeyAccepted(key, length), accepted);
    }

    // The bar fills its frame in seven ticks whatever the scale.
    void barTicks_data() {
        QTest::addColumn<double>("scale");
        QTest::newRow("1.0") << 1.0;
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("0.8") << 0.8;
    }
    void barTicks() {
        QFETCH(double, scale);
        int width = 0;
        int ticks = 0;
        logon::BarTick t;
        do {
            t = logon::barTick(width, scale);
            QVERIFY(t.width > width);
            width = t.width;
            ++ticks;
        } while (!t.full && ticks < 100);
        QCOMPARE(ticks, 7);
        QVERIFY(width > logon::barFramePx(scale));
        QVERIFY(width - logon::barStepPx(scale) <= logon::barFramePx(scale));
    }

    // Paper 1 assembled: each code's index line and steps, in order.
    void assembly_data() {
        QTest::addColumn<QString>("head");
        QTest::addColumn<QList<QPoint>>("questions"); // (unit, question) the head's codes stand for
        QTest::newRow("codes in order") << "00010102" << QList<QPoint>{{0, 1}, {1, 2}};
        QTest::newRow("past a unit's end: its last question") << "00070109" << QList<QPoint>{{0, 3}, {1, 2}};
        QTest::newRow("a code used twice is copied twice")
            << "000300030002" << QList<QPoint>{{0, 3}, {0, 3}, {0, 2}};
    }
    void assembly() {
        QFETCH(QString, head);
        QFETCH(QList<QPoint>, questions);
        Fixture f;
        installPapers(f, head);
        ModData d = f.modData();
        d.CurSet = 1;
        d.PaperCount = 2;
        QString message;
        QVERIFY2(logon::assemblePaper(d, LoginTime, &message), qPrintable(message));

        QStringList index, steps;
        for (const QPoint &uq : questions) {
            index << indexLine(uq.x(), uq.y());
            steps << stepLines(uq.x(), uq.y());
        }
        while (index.size() < logon::PaperQuestions) {
            index << indexLine(1, 1);
            steps << stepLines(1, 1);
        }
        QCOMPARE(Fixture::lines(f.data() + QStringLiteral("288851.rar")), index);
        QCOMPARE(Fixture::lines(f.data() + QStringLiteral("288801.rar")), steps);
        // paper 0's files are not touched
        QVERIFY(!QFile::exists(f.data() + QStringLiteral("288800.rar")));
    }

    // The assembly log: line CurSet + 1 is the time of the login, other lines stay.
    void assemblyLog() {
        Fixture f;
        installPapers(f, QStringLiteral("0001"));
        Fixture::put(f.data() + QStringLiteral("288894.rar"), {QStringLiteral("2020-01-02 03:04:05")});
        ModData d = f.modData();
        d.CurSet = 1;
        d.PaperCount = 2;
        QVERIFY(logon::assemblePaper(d, LoginTime));
        QCOMPARE(Fixture::lines(f.data() + QStringLiteral("288894.rar")),
                 (QStringList{QStringLiteral("2020-01-02 03:04:05"), QStringLiteral("2026-12-10 09:30:05")}));
    }

    // An input that is missing or cannot be read: the file is named and nothing is
    // written, neither the paper's two files nor the log.
    void missingInput_data() {
        QTest::addColumn<QString>("damage"); // relative to the program folder
        QTest::addColumn<bool>("asFolder");  // a folder in the file's place: there, but unreadable
        QTest::addColumn<int>("paper");
        QTest::addColumn<QString>("named");
        QTest::newRow("set table") << "cad2004/288891.rar" << false << 1 << "288891.rar";
        QTest::newRow("no composition line") << "" << false << 2 << "288891.rar";
        QTest::newRow("unit index file") << "cad2004/288871.rar" << false << 1 << "288871.rar";
        QTest::newRow("unit step file") << "cad2004/288821.rar" << false << 1 << "288821.rar";
        QTest::newRow("marks file unreadable") << "ksdata/218801.rar" << true << 1 << "218801.rar";
    }
    void missingInput() {
        QFETCH(QString, damage);
        QFETCH(bool, asFolder);
        QFETCH(int, paper);
        QFETCH(QString, named);
        Fixture f;
        installPapers(f, QStringLiteral("00010102"));
        if (!damage.isEmpty()) {
            QFile::remove(f.program() + QStringLiteral("/") + damage);
            if (asFolder)
                QVERIFY(QDir().mkpath(f.program() + QStringLiteral("/") + damage));
        }
        // the paper's files from an earlier login
        for (const QString &name : {QStringLiteral("288801.rar"), QStringLiteral("288851.rar")})
            Fixture::put(f.data() + name, {QStringLiteral("earlier")});
        ModData d = f.modData();
        d.CurSet = Integer(paper);
        d.PaperCount = 3;
        QString message;
        QVERIFY(!logon::checkInputs(d, &message));
        QVERIFY2(message.contains(named), qPrintable(message));
        message.clear();
        d.WorkMode = 0;
        QVERIFY(!logon::logIn(d, QStringLiteral("5"), QStringLiteral("1234"), LoginTime, &message));
        QVERIFY2(message.contains(named), qPrintable(message));
        for (const QString &name : {QStringLiteral("288801.rar"), QStringLiteral("288851.rar")})
            QCOMPARE(Fixture::lines(f.data() + name), QStringList{QStringLiteral("earlier")});
        QVERIFY(!QFile::exists(f.data() + QStringLiteral("288894.rar")));
        QVERIFY(!QFile::exists(f.data() + QStringLiteral("288802.rar")));
        QVERIFY(d.SeatNo.isEmpty()); // nothing stored either
    }

    // A composition line or a unit file the paper cannot be assembled from: the
    // message names the file at fault (and the line), the login writes nothing.
    void paperFaults_data() {
        QTest::addColumn<QString>("paperLine");  // line 4 of the set table
        QTest::addColumn<QString>("unit1Count"); // characters 5-6 of unit 1's first index line
        QTest::addColumn<QStringList>("named");
        QTest::newRow("a cut composition line") << "00010102"
                                                << "01" << QStringList{"288891.rar 第 4 行", "第 2 套试卷"};
        // unit 30's file names are paper 0's: 288800 and 288850
        QTest::newRow("a unit the bank cannot hold")
            << composition(QStringLiteral("3001")) << "01" << QStringList{"288891.rar 第 4 行", "3001"};
        QTest::newRow("question 0") << composition(QStringLiteral("0100")) << "01"
                                    << QStringList{"288891.rar 第 4 行", "0100"};
        QTest::newRow("a step count of 0 before the question")
            << composition(QStringLiteral("0102")) << "00" << QStringList{"288871.rar 第 1 行"};
        QTest::newRow("a negative step count before the question")
            << composition(QStringLiteral("0102")) << "-9" << QStringList{"288871.rar 第 1 行"};
    }
    void paperFaults() {
        QFETCH(QString, paperLine);
        QFETCH(QString, unit1Count);
        QFETCH(QStringList, named);
        Fixture f;
        installPapers(f, QStringLiteral("0001"));
        Fixture::put(
            f.data() + QStringLiteral("288891.rar"),
            {QStringLiteral("0202"), QStringLiteral("0302"), composition(QStringLiteral("0001")), paperLine});
        QStringList index = Fixture::lines(f.data() + QStringLiteral("288871.rar"));
        index[0].replace(4, 2, unit1Count);
        Fixture::put(f.data() + QStringLiteral("288871.rar"), index);
        // paper 0 was assembled before; paper 1's files are from an earlier login
        Fixture::put(f.data() + QStringLiteral("288800.rar"), {QStringLiteral("000101paper 0")});
        Fixture::put(f.data() + QStringLiteral("288850.rar"), {QStringLiteral("paper 0 record")});
        for (const QString &name : {QStringLiteral("288801.rar"), QStringLiteral("288851.rar")})
            Fixture::put(f.data() + name, {QStringLiteral("earlier")});
        ModData d = f.modData();
        d.CurSet = 1;
        d.PaperCount = 2;
        QString message;
        QVERIFY(!logon::logIn(d, QStringLiteral("5"), QStringLiteral("1234"), LoginTime, &message));
        for (const QString &n : named)
            QVERIFY2(message.contains(n), qPrintable(message));
        for (const QString &name : {QStringLiteral("288801.rar"), QStringLiteral("288851.rar")})
            QCOMPARE(Fixture::lines(f.data() + name), QStringList{QStringLiteral("earlier")});
        QVERIFY(!QFile::exists(f.data() + QStringLiteral("288894.rar")));
    }

    // What stands in place of the paper's files is not read as they are: a pipe
    // there is not waited on, and the assembled paper replaces it.
    void pipeInPlaceOfThePaper_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("step file") << "288801.rar";
        QTest::newRow("index file") << "288851.rar";
    }
    void pipeInPlaceOfThePaper() {
        QFETCH(QString, name);
        Fixture f;
        installPapers(f, QStringLiteral("0001"));
        QCOMPARE(::mkfifo(QFile::encodeName(f.data() + name).constData(), 0600), 0);
        ModData d = f.modData();
        d.CurSet = 1;
        d.PaperCount = 2;
        QString message;
        QVERIFY2(logon::logIn(d, QStringLiteral("5"), QStringLiteral("1234"), LoginTime, &message),
                 qPrintable(message));
        QVERIFY(QFileInfo(f.data() + name).isFile());
        QCOMPARE(Fixture::lines(f.data() + QStringLiteral("288851.rar")).value(0), indexLine(0, 1));
    }

    // "登录": the candidate, the run's start values and the first-step table of the
    // paper just assembled; a missing marks file is a paper never handed in.
    void logInStores() {
        Fixture f;
        installPapers(f, QStringLiteral("000300010102"));
        ModData d = f.modData();
        d.CurSet = 1;
        d.SetBase = SetBaseExamPaper;
        d.WorkMode = WorkPractice; // shows whether a strict seat sets the exam mode
        d.PanelMayClose = True;
        d.CandidateName = QStringLiteral("柏川1");
        d.ExamMinutesLeft = 3;
        logon::prepare(d);
        QCOMPARE(d.StepFile, f.data() + QStringLiteral("288801.rar"));
        QCOMPARE(d.IndexFile, f.data() + QStringLiteral("288851.rar"));
        QCOMPARE(d.DataExt, QStringLiteral(".rar"));

        QString message;
        QVERIFY2(logon::logIn(d, QStringLiteral("5"), QStringLiteral("1234"), LoginTime, &message),
                 qPrintable(message));
        QCOMPARE(d.SeatNo, QStringLiteral("05"));
        QCOMPARE(d.ShiftNo, QStringLiteral("18"));
        QCOMPARE(d.IdCardNo, QStringLiteral("011980010112341234"));
        QCOMPARE(d.ArchiveNo, QStringLiteral("888888"));
        QCOMPARE(d.WorkMode, WorkPractice);
        QCOMPARE(d.PanelMayClose, False);
        QCOMPARE(d.CurQuestion, Integer(1));
        QCOMPARE(d.CurStep, Integer(1));
        QCOMPARE(d.ExamMinutesLeft, Integer(50));
        // questions of 3, 2, 2 steps, then 37 of 1
        QCOMPARE(d.QuestionFirstStep[1], Integer(1));
        QCOMPARE(d.QuestionFirstStep[2], Integer(4));
        QCOMPARE(d.QuestionFirstStep[3], Integer(6));
        QCOMPARE(d.QuestionFirstStep[4], Integer(8));
        QCOMPARE(d.QuestionFirstStep[41], Integer(45));

        const logon::Confirmation c = logon::confirmation(d, LoginTime.date());
        QCOMPARE(c.name, QStringLiteral("柏川1"));
        QCOMPARE(c.seat, QStringLiteral("05"));
        QCOMPARE(c.shift, QStringLiteral("18"));
        QCOMPARE(c.module, d.ModuleName);
        QCOMPARE(c.idCard, QStringLiteral("011980010112341234"));
        QCOMPARE(c.archive, QStringLiteral("888888"));
        QCOMPARE(c.date, QStringLiteral("2026年12月10日"));

        // a strict candidate keeps the whole seat and sits the exam
        d.WorkMode = WorkPractice;
        QVERIFY(logon::logIn(d, QStringLiteral("ｚ07"), QString(), LoginTime));
        QCOMPARE(d.SeatNo, QStringLiteral("ｚ07"));
        QCOMPARE(d.WorkMode, WorkExam);
        QCOMPARE(d.IdCardNo, QStringLiteral("110101198001011234"));
    }

    // The bar is full: the marks of the last attempt (and nothing else) carried,
    // the start time, question 1.
    void startExam_data() {
        QTest::addColumn<QString>("marks"); // "" for no marks file
        QTest::addColumn<int>("markedQuestion");
        QTest::newRow("no marks file") << "" << 0;
        QTest::newRow("question 5 marked") << "0000200000000000000000000000000000000000" << 5;
        QTest::newRow("short line") << "02" << 2;
        // only the mark bit of a digit is carried, never a visit or a solution
        QTest::newRow("every digit 9") << QString(40, u'9') << 0;
        QTest::newRow("every digit 8") << QString(40, u'8') << 0;
        QTest::newRow("every digit 4") << QString(40, u'4') << 0;
        QTest::newRow("question 3 marked and solved")
            << QStringLiteral("0060000000000000000000000000000000000000") << 3;
        QTest::newRow("question 7 visited, marked and solved")
            << QStringLiteral("0000007000000000000000000000000000000000") << 7;
    }
    void startExam() {
        QFETCH(QString, marks);
        QFETCH(int, markedQuestion);
        Fixture f;
        installPapers(f, QStringLiteral("0001"));
        if (!marks.isEmpty())
            Fixture::put(f.records() + QStringLiteral("218801.rar"), {marks});
        ModData d = f.modData();
        d.CurSet = 1;
        d.CurQuestion = 9;
        d.QuestionScore.fill(StatusSolved | StatusVisited); // left over from an earlier run
        QString message;
        QVERIFY2(logon::startExam(d, LoginTime, &message), qPrintable(message));
        for (int q = 1; q <= MaxQuestions; ++q)
            QCOMPARE(d.QuestionScore[q], Integer(q == markedQuestion ? StatusMarked : 0));
        // nothing done, nothing scored; the marks written back are the marks read
        QCOMPARE(panel::progress::examScore(d), 0.0);
        const QString written = panel::progress::marksDigits(d);
        QCOMPARE(written.count(u'2'), markedQuestion > 0 ? 1 : 0);
        QCOMPARE(written.count(u'0'), markedQuestion > 0 ? 39 : 40);
        QCOMPARE(d.ExamStartTime, QStringLiteral("2026-12-10 09:30:05"));
        QCOMPARE(d.CurQuestion, Integer(1));
    }
};

QTEST_GUILESS_MAIN(TstLogonRules)
#include "tst_logonrules.moc"
