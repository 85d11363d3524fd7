// Progress and score records: layouts and the read-modify-write sequences of
// their writers, on real files in a temporary program folder.
#include "panel/progress.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray bytesOf(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void putBytes(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QStringList linesOf(const QString &path) {
    QStringList l;
    platform::textfile::readLines(path, l);
    return l;
}

// Status words from "q:w q:w" pairs.
void setWords(ModData &d, const QString &pairs) {
    d.QuestionScore.fill(0);
    for (const QString &p : pairs.split(u' ', Qt::SkipEmptyParts)) {
        const auto qw = p.split(u':');
        d.QuestionScore[qw[0].toInt()] = Integer(qw[1].toInt());
    }
}

QString codes40() {
    // paper question i has code 00ii, except questions 4 and 9
    QString s;
    for (int i = 1; i <= 40; ++i)
        s += i == 4   ? QStringLiteral("0105")
             : i == 9 ? QStringLiteral("0312")
                      : QStringLiteral("00%1").arg(i, 2, 10, QChar(u'0'));
    return s;
}

} // namespace

class TstProgress : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    ModData d;

  private Q_SLOTS:
    void init() {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path() + QStringLiteral("/ksdata"));
        QDir().mkpath(m_dir.path() + QStringLiteral("/data"));
        d = ModData{};
        d.AppPath = m_dir.path();
        d.DataDir = m_dir.path() + QStringLiteral("/data/");
    }

    void fileNames() {
        QVERIFY(panel::progress::unitResultFile(d, 3).endsWith(QStringLiteral("ksdata/208803.rar")));
        QVERIFY(panel::progress::examMarksFile(d, 13).endsWith(QStringLiteral("ksdata/218813.rar")));
        QVERIFY(panel::progress::wrongListFile(d, 0).endsWith(QStringLiteral("ksdata/182400.rar")));
        QVERIFY(panel::progress::unitStatusFile(d).endsWith(QStringLiteral("ksdata/288893.rar")));
        QVERIFY(panel::progress::examRecordFile(d).endsWith(QStringLiteral("ksdata/288892.rar")));
        QCOMPARE(panel::progress::assemblyLogFile(d), d.DataDir + QStringLiteral("288894.rar"));
    }

    // End of unit practice: only the current unit's line changes, the file keeps
    // UnitCount lines, and a trailing empty line written by older versions is read
    // as nothing.
    void unitStatusWriter_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("unitCount");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("middle unit, extra empty line") << QByteArray("TTT\r\nFFFFFFFFFFFF\r\nFF\r\n\r\n") << 3
                                                       << QByteArray("TTT\r\nTFTFFFFFFFFF\r\nFF\r\n");
        QTest::newRow("missing file") << QByteArray() << 3 << QByteArray("\r\nTFTFFFFFFFFF\r\n\r\n");
        QTest::newRow("more lines than units are dropped")
            << QByteArray("A\r\nB\r\nC\r\nD\r\n") << 2 << QByteArray("A\r\nTFTFFFFFFFFF\r\n");
        QTest::newRow("unit count unknown keeps the current line")
            << QByteArray("A\r\n") << 0 << QByteArray("A\r\nTFTFFFFFFFFF\r\n");
    }
    void unitStatusWriter() {
        QFETCH(QByteArray, before);
        QFETCH(int, unitCount);
        QFETCH(QByteArray, after);
        if (!before.isEmpty())
            putBytes(panel::progress::unitStatusFile(d), before);
        d.CurSet = 1;
        d.UnitCount = Integer(unitCount);
        d.QuestionCount = 12;
        for (int q = 1; q <= 12; ++q)
            d.QuestionMark[q] = (q == 1 || q == 3) ? QStringLiteral("T") : QStringLiteral("F");
        QString error;
        QVERIFY2(panel::progress::writeUnitStatus(d, &error), qPrintable(error));
        QCOMPARE(bytesOf(panel::progress::unitStatusFile(d)), after);
    }

    void statusFileLimitedTo26Lines() {
        QByteArray many;
        for (int i = 0; i < 30; ++i)
            many += "L" + QByteArray::number(i) + "\r\n";
        putBytes(panel::progress::unitStatusFile(d), many);
        d.CurSet = 0;
        d.UnitCount = 40;
        d.QuestionCount = 1;
        d.QuestionMark[1] = QStringLiteral("T");
        QVERIFY(panel::progress::writeUnitStatus(d));
        const QStringList l = linesOf(panel::progress::unitStatusFile(d));
        QCOMPARE(l.size(), 26);
        QCOMPARE(l.first(), QStringLiteral("T"));
        QCOMPARE(l.last(), QStringLiteral("L25"));
    }

    // An unreadable status file is left alone: rewriting it would lose every other unit.
    void unreadableStatusFileIsKept() {
        QDir().mkpath(panel::progress::unitStatusFile(d)); // a folder where the file should be
        d.CurSet = 0;
        d.UnitCount = 2;
        d.QuestionCount = 1;
        d.QuestionMark[1] = QStringLiteral("T");
        QString error;
        QVERIFY(!panel::progress::writeUnitStatus(d, &error));
        QVERIFY(error.contains(QStringLiteral("288893.rar")));
        QVERIFY(QFileInfo(panel::progress::unitStatusFile(d)).isDir());
    }

    void digits_data() {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("marks");
        const QString z40(40, u'0');
        QTest::newRow("marked+solved 2, solved 5")
            << "2:7 5:5" << QString(z40).replace(1, 1, u'6').replace(4, 1, u'4')
            << QString(z40).replace(1, 1, u'2');
        QTest::newRow("visited only is not stored")
            << "1:1 40:3" << QString(z40).replace(39, 1, u'2') << QString(z40).replace(39, 1, u'2');
        QTest::newRow("exam 3 marked+solved, 7 marked")
            << "3:7 7:3" << QString(z40).replace(2, 1, u'6').replace(6, 1, u'2')
            << QString(z40).replace(2, 1, u'2').replace(6, 1, u'2');
        QTest::newRow("nothing") << "" << z40 << z40;
        // words no question reaches (a damaged marks file read whole): only the
        // marked and solved bits are stored, only the marked bit carried
        QTest::newRow("words 9, 8 and 15")
            << "1:9 2:8 3:15" << QString(z40).replace(2, 1, u'6') << QString(z40).replace(2, 1, u'2');
    }
    void digits() {
        QFETCH(QString, words);
        QFETCH(QString, result);
        QFETCH(QString, marks);
        setWords(d, words);
        QCOMPARE(panel::progress::resultDigits(d), result);
        QCOMPARE(panel::progress::marksDigits(d), marks);
    }

    // Writer and reader of the unit result file and the exam marks file agree;
    // the writers touch only their kind of set.
    void resultAndMarksRoundTrip() {
        setWords(d, QStringLiteral("2:7 5:5 12:3"));
        d.CurSet = 4;
        d.SetBase = SetBaseUnit;
        QVERIFY(panel::progress::writeUnitResult(d));
        QVERIFY(panel::progress::writeExamMarks(d)); // not a paper: nothing written
        QVERIFY(!QFile::exists(panel::progress::examMarksFile(d, 4)));
        QCOMPARE(bytesOf(panel::progress::unitResultFile(d, 4)),
                 QByteArray("0600400000020000000000000000000000000000\r\n"));

        d.QuestionCount = 0;
        d.QuestionMark[1] = QStringLiteral("X");
        putBytes(panel::progress::unitStatusFile(d), "T\r\nT\r\nT\r\nT\r\nTFFT\r\n\r\n");
        QVERIFY(panel::progress::loadUnitProgress(d, 7));
        QCOMPARE(d.QuestionCount, Integer(4));
        QCOMPARE(d.QuestionMark[1], QStringLiteral("T"));
        QCOMPARE(d.QuestionMark[2], QStringLiteral("F"));
        QCOMPARE(d.QuestionMark[4], QStringLiteral("T"));
        QCOMPARE(d.QuestionMark[5], QString());
        QCOMPARE(d.QuestionScore[2], Integer(6));
        QCOMPARE(d.QuestionScore[5], Integer(4));
        QCOMPARE(d.QuestionScore[12], Integer(2));
        QCOMPARE(d.QuestionScore[1], Integer(0));

        d.SetBase = SetBaseExamPaper;
        setWords(d, QStringLiteral("3:7 7:3"));
        QVERIFY(panel::progress::writeExamMarks(d));
        setWords(d, QStringLiteral("1:5"));
        QVERIFY(panel::progress::readExamMarks(d));
        QCOMPARE(d.QuestionScore[1], Integer(0));
        QCOMPARE(d.QuestionScore[3], Integer(2));
        QCOMPARE(d.QuestionScore[7], Integer(2));
    }

    // Unit entry without records: the unit's questions, all not done, all 0.
    void unitEntryWithoutRecords() {
        d.CurSet = 2;
        setWords(d, QStringLiteral("1:7"));
        QVERIFY(panel::progress::loadUnitProgress(d, 5));
        QCOMPARE(d.QuestionCount, Integer(5));
        QCOMPARE(d.QuestionMark[5], QStringLiteral("F"));
        QCOMPARE(d.QuestionScore[1], Integer(0));
        // a status file too short for the unit does not lend it another unit's line
        putBytes(panel::progress::unitStatusFile(d), "TTTTTTTTTT\r\n");
        QVERIFY(panel::progress::loadUnitProgress(d, 3));
        QCOMPARE(d.QuestionCount, Integer(3));
        QCOMPARE(d.QuestionMark[1], QStringLiteral("F"));
    }

    // A status line with garbage: only "T" is a solved question.
    void unitEntryReadsGarbageAsNotDone() {
        d.CurSet = 0;
        putBytes(panel::progress::unitStatusFile(d), "T#x F?T\r\n");
        QVERIFY(panel::progress::loadUnitProgress(d, 3));
        QCOMPARE(d.QuestionCount, Integer(7));
        QStringList marks;
        for (int q = 1; q <= 7; ++q)
            marks << d.QuestionMark[q];
        QCOMPARE(marks.join(QString()), QStringLiteral("TFFFFFT"));
    }

    void wrongLists() {
        setWords(d, QString());
        for (int i = 1; i <= 40; ++i)
            d.QuestionScore[i] = (i == 4 || i == 9) ? 1 : 5;
        QCOMPARE(panel::progress::wrongCodes(d, codes40()), QStringLiteral("01050312"));
        d.CurSet = 1;
        QVERIFY(panel::progress::writeWrongList(d, codes40()));
        QCOMPARE(bytesOf(panel::progress::wrongListFile(d, 1)), QByteArray("01050312\r\n"));
        // every question solved: an empty line
        for (int i = 1; i <= 40; ++i)
            d.QuestionScore[i] = 4;
        QVERIFY(panel::progress::writeWrongList(d, codes40()));
        QCOMPARE(bytesOf(panel::progress::wrongListFile(d, 1)), QByteArray("\r\n"));
        QString list = QStringLiteral("x");
        QVERIFY(panel::progress::readWrongList(d, 1, list));
        QCOMPARE(list, QString());
    }

    void pruneAfterReview_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("kept");
        QTest::newRow("10 codes, 2 and 5 solved") << "0101010201030104010501060107010801090110"
                                                  << "2:5 5:4 3:3 1:1"
                                                  << "01010103010401060107010801090110";
        QTest::newRow("partial code dropped") << "010203"
                                              << ""
                                              << "0102";
        QTest::newRow("all solved") << "01010102"
                                    << "1:4 2:7"
                                    << "";
    }
    void pruneAfterReview() {
        QFETCH(QString, list);
        QFETCH(QString, words);
        QFETCH(QString, kept);
        putBytes(panel::progress::wrongListFile(d, 2), list.toLatin1() + "\r\n");
        d.ReviewSet = 2;
        d.CurSet = CurSetReview;
        setWords(d, words);
        QVERIFY(panel::progress::pruneWrongList(d));
        QString now;
        QVERIFY(panel::progress::readWrongList(d, 2, now));
        QCOMPARE(now, kept);
    }

    // 72.5, then 60, then 80 on paper 1; then an exam with the answers viewed.
    void examRecordSequence() {
        putBytes(panel::progress::examRecordFile(d), "2026-01-01 08:00:00\r\n90\r\nnote0\r\n\r\n");
        d.CurSet = 1;
        d.PaperCount = 2;
        const QDateTime now(QDate(2026, 3, 4), QTime(5, 6, 7));
        struct Exam {
            const char *start;
            double score;
            const char *line4;
            const char *line5;
        };
        const Exam exams[] = {
            {"2026-02-01 09:00:00", 72.5, "2026-02-01 09:00:00", "72.5"},
            {"2026-02-02 09:00:00", 60, "2026-02-02 09:00:00", "72.5"},
            {"2026-02-03 09:00:00", 80, "2026-02-03 09:00:00", "80"},
            {"-1", 100, "2026-03-04 05:06:07", "80"},
        };
        for (const Exam &e : exams) {
            d.ExamStartTime = QString::fromLatin1(e.start);
            QString error;
            QVERIFY2(panel::progress::writeExamRecord(d, e.score, now, &error), qPrintable(error));
            QCOMPARE(d.ExamStartTime, QStringLiteral("-1"));
            const QStringList l = linesOf(panel::progress::examRecordFile(d));
            QCOMPARE(l.size(), 6);
            QCOMPARE(l.at(0), QStringLiteral("2026-01-01 08:00:00")); // paper 0 untouched
            QCOMPARE(l.at(1), QStringLiteral("90"));
            QCOMPARE(l.at(2), QStringLiteral("note0"));
            QCOMPARE(l.at(3), QString::fromLatin1(e.line4));
            QCOMPARE(l.at(4), QString::fromLatin1(e.line5));
            QCOMPARE(l.at(5), QString());
            QCOMPARE(panel::progress::lastExamTime(l, 1), QString::fromLatin1(e.line4));
            QCOMPARE(panel::progress::bestScore(l, 1), QString::fromLatin1(e.line5));
        }
    }

    void bestScoreRule_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("score");
        QTest::addColumn<QString>("best");
        QTest::newRow("empty counts as 0") << "" << 0.0 << "";
        QTest::newRow("non-numeric counts as 0") << "abc" << 2.5 << "2.5";
        QTest::newRow("equal is not higher") << "97.5" << 97.5 << "97.5";
        QTest::newRow("full marks") << "97.5" << 100.0 << "100";
    }
    void bestScoreRule() {
        QFETCH(QString, stored);
        QFETCH(double, score);
        QFETCH(QString, best);
        d.CurSet = 0;
        d.PaperCount = 1;
        d.ExamStartTime = QStringLiteral("2026-01-01 00:00:00");
        const QStringList l =
            panel::progress::updatedRecord(d, {QString(), stored, QString()}, score, QDateTime());
        QCOMPARE(l.size(), 3);
        QCOMPARE(l.at(1), best);
    }

    void scoreFromWords() {
        setWords(d, QString());
        QCOMPARE(panel::progress::scoreText(panel::progress::examScore(d)), QStringLiteral("0"));
        for (int i = 1; i <= 39; ++i)
            d.QuestionScore[i] = Integer(4 + (i % 4));
        d.QuestionScore[40] = 3;
        QCOMPARE(panel::progress::scoreText(panel::progress::examScore(d)), QStringLiteral("97.5"));
        d.QuestionScore[40] = 4;
        QCOMPARE(panel::progress::scoreText(panel::progress::examScore(d)), QStringLiteral("100"));
    }

    void assemblyLog() {
        putBytes(panel::progress::assemblyLogFile(d), "2026-01-01 00:00:00\r\n\r\n");
        d.CurSet = 2;
        d.PaperCount = 4;
        QVERIFY(panel::progress::writeAssemblyLog(d, QDateTime(QDate(2026, 5, 6), QTime(7, 8, 9))));
        QCOMPARE(bytesOf(panel::progress::assemblyLogFile(d)),
                 QByteArray("2026-01-01 00:00:00\r\n\r\n2026-05-06 07:08:09\r\n\r\n"));
        QString t;
        QVERIFY(panel::progress::readAssemblyTime(d, 2, t));
        QCOMPARE(t, QStringLiteral("2026-05-06 07:08:09"));
    }

    // A fresh installation without its record folder still keeps the work.
    void missingRecordFolderIsCreated() {
        QDir(d.recordDir()).removeRecursively();
        d.CurSet = 0;
        d.SetBase = SetBaseUnit;
        d.UnitCount = 1;
        d.QuestionCount = 2;
        d.QuestionMark[1] = QStringLiteral("T");
        d.QuestionMark[2] = QStringLiteral("F");
        QVERIFY(panel::progress::endUnitPractice(d));
        QCOMPARE(bytesOf(panel::progress::unitStatusFile(d)), QByteArray("TF\r\n"));
        QVERIFY(QFile::exists(panel::progress::unitResultFile(d, 0)));
    }
};

QTEST_GUILESS_MAIN(TstProgress)
#include "tst_progress.moc"
