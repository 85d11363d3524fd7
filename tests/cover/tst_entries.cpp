// The cover page's load rules (module check, slot texts, status normalisation)
// and the three entries into a question set.
#include "cover/covermodel.h"
#include "cover/entries.h"
#include "fixture.h"
#include "panel/progress.h"
#include "start/setassembly.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

class TstEntries : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Status normalisation: padded with "F" or cut to the unit's count; counts shown.
    void normalisation_data() {
        QTest::addColumn<QByteArray>("stored"); // unit 1's line, absent when empty
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("questions");
        QTest::addColumn<QString>("unfinished");
        QTest::addColumn<int>("donePercent"); // the unit's completion bar
        QTest::addColumn<int>("count");       // unit 1's question count in the set table
        QTest::newRow("12 questions, TTF") << QByteArray("TTF") << true << "TTFFFFFFFFFF"
                                           << "12"
                                           << "10" << 16 << 12;
        QTest::newRow("long line cut") << QByteArray("TTTTTTTTTTTTTTTFF") << true << "TTTTTTTTTTTT"
                                       << "12"
                                       << "0" << 100 << 12;
        QTest::newRow("garbage is no solved question") << QByteArray("TT#x\x01T") << true << "TTFFFTFFFFFF"
                                                       << "12"
                                                       << "9" << 25 << 12;
        QTest::newRow("missing file") << QByteArray() << false << "FFFFFFFFFFFF"
                                      << "12"
                                      << "12" << 0 << 12;
        // the panel has 40 questions: the cover page shows no more
        QTest::newRow("a set table count of 99")
            << QByteArray("TTF") << true << "TTF" + QString(37, u'F') << "40"
            << "38" << 5 << 99;
    }
    void normalisation() {
        QFETCH(QByteArray, stored);
        QFETCH(bool, fileExists);
        QFETCH(QString, line);
        QFETCH(QString, questions);
        QFETCH(QString, unfinished);
        QFETCH(int, donePercent);
        QFETCH(int, count);
        Fixture f;
        f.install(2, {3, count, 0, 2});
        if (fileExists)
            Fixture::putBytes(f.records() + QStringLiteral("288893.rar"),
                              "TFT\r\n" + stored + "\r\nXYZ\r\nTT\r\n\r\n");
        ModData d = f.modData();
        const cover::CoverState s = cover::load(d, QStringLiteral("V3.0.1"));
        QVERIFY(!s.moduleMismatch);
        QVERIFY(s.errors.isEmpty());
        QCOMPARE(s.units[1].questions, questions);
        QCOMPARE(s.units[1].unfinished, unfinished);
        QCOMPARE(s.units[1].donePercent, donePercent);
        QCOMPARE(s.units[2].donePercent, 0); // a unit without questions
        const QStringList file = Fixture::lines(f.records() + QStringLiteral("288893.rar"));
        QCOMPARE(file.size(), 25);
        QCOMPARE(file.at(0), fileExists ? QStringLiteral("TFT") : QStringLiteral("FFF"));
        QCOMPARE(file.at(1), line);
        QCOMPARE(file.at(2), QString()); // a unit without questions
        QCOMPARE(file.at(3), fileExists ? QStringLiteral("TT") : QStringLiteral("FF"));
        QCOMPARE(file.at(24), QString());
        QCOMPARE(s.units[2].questions, QStringLiteral("0"));
    }

    void slotsAndTitles() {
        Fixture f;
        f.install(3, {4, 4, 4, 4, 4}, {QStringLiteral("绘图基础"), QStringLiteral("图层与线型")});
        Fixture::put(f.records() + QStringLiteral("288892.rar"),
                     {QStringLiteral("2026-02-01 09:00:00"), QStringLiteral("72.5"), QString(), QString(),
                      QStringLiteral("abc"), QString()});
        ModData d = f.modData();
        const cover::CoverState s = cover::load(d, cover::versionText());
        QCOMPARE(d.PaperCount, Integer(3));
        QCOMPARE(d.UnitCount, Integer(5));
        for (int i = 0; i < cover::PaperSlots; ++i) {
            QCOMPARE(s.papers[i].visible, i < 3);
            QCOMPARE(s.papers[i].number, QString::number(i + 1));
        }
        for (int i = 0; i < cover::UnitSlots; ++i)
            QCOMPARE(s.units[i].visible, i < 5);
        QCOMPARE(s.papers[0].info, QStringLiteral("最后考试时间 2026-02-01 09:00:00  最好成绩 72.5"));
        QCOMPARE(s.papers[1].info, QStringLiteral("最后考试时间   最好成绩 abc"));
        QCOMPARE(s.papers[2].info, QStringLiteral("最后考试时间   最好成绩 "));
        QCOMPARE(s.units[0].tooltip, QStringLiteral("绘图基础"));
        QCOMPARE(s.units[1].tooltip, QStringLiteral("图层与线型"));
        QCOMPARE(s.units[2].tooltip, QString());
        QCOMPARE(s.caption, QStringLiteral("V3.0.1──AutoCAD 2004模块(题库版本：2026.12)"));
        QCOMPARE(s.windowTitle,
                 QStringLiteral("柏川云学职称计算机考试——AutoCAD 2004模块  题库版本：2026.12"));
        QCOMPARE(s.subtitle, QStringLiteral("── 中文版 计算机辅助设计"));
    }

    void moduleCheck_data() {
        QTest::addColumn<QByteArray>("check");
        QTest::addColumn<bool>("mismatch");
        QTest::newRow("same module") << QByteArray("12\r\n") << false;
        QTest::newRow("leading zero") << QByteArray("012\r\n") << false;
        QTest::newRow("other module") << QByteArray("7\r\n") << true;
    }
    void moduleCheck() {
        QFETCH(QByteArray, check);
        QFETCH(bool, mismatch);
        Fixture f;
        f.install(1, {2});
        QFile::remove(f.data() + QStringLiteral("288899.rar"));
        if (!check.isEmpty())
            Fixture::putBytes(f.data() + QStringLiteral("288899.rar"), check);
        ModData d = f.modData();
        QCOMPARE(cover::load(d, cover::versionText()).moduleMismatch, mismatch);
        // a mismatch stops before anything is written
        QCOMPARE(QFile::exists(f.records() + QStringLiteral("288893.rar")), !mismatch);
    }

    // A check file that cannot be read is no mismatch: the learner is told which
    // file, and nothing is written.
    void moduleCheckFileUnusable_data() {
        QTest::addColumn<QByteArray>("check"); // null: no file
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("no digits") << QByteArray("\xff\xfe garbage\r\n");
    }
    void moduleCheckFileUnusable() {
        QFETCH(QByteArray, check);
        Fixture f;
        f.install(1, {2});
        QFile::remove(f.data() + QStringLiteral("288899.rar"));
        if (!check.isNull())
            Fixture::putBytes(f.data() + QStringLiteral("288899.rar"), check);
        ModData d = f.modData();
        const cover::CoverState s = cover::load(d, cover::versionText());
        QVERIFY(!s.moduleMismatch);
        QVERIFY2(s.fatal.contains(QStringLiteral("288899.rar")), qPrintable(s.fatal));
        QVERIFY(!QFile::exists(f.records() + QStringLiteral("288893.rar")));
    }

    void missingSetTableHidesEverySlot() {
        Fixture f;
        f.install(2, {3});
        QFile::remove(f.data() + QStringLiteral("288891.rar"));
        Fixture::put(f.records() + QStringLiteral("288893.rar"), {QStringLiteral("TTT")});
        ModData d = f.modData();
        const cover::CoverState s = cover::load(d, cover::versionText());
        for (const auto &u : s.units)
            QVERIFY(!u.visible);
        for (const auto &p : s.papers)
            QVERIFY(!p.visible);
        // the learner's progress survives a data folder without its set table
        QCOMPARE(Fixture::lines(f.records() + QStringLiteral("288893.rar")),
                 QStringList{QStringLiteral("TTT")});
        QVERIFY(s.errors.isEmpty());
    }

    // A set table that cannot be read as one shows no slot, says which file is
    // wrong and leaves every record of the learner alone.
    void setTableThatIsNotOne_data() {
        QTest::addColumn<QByteArray>("table");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("blank lines") << QByteArray("\r\n\r\n");
        QTest::newRow("counts line missing") << QByteArray("0203\r\n");
        QTest::newRow("text") << QByteArray("hello\r\nworld\r\n");
        QTest::newRow("counts that are not numbers") << QByteArray("0203\r\n03ab05\r\n");
        QTest::newRow("binary garbage") << QByteArray("\x00\xff\x13\x80\r\n\x01\x02", 8);
    }
    void setTableThatIsNotOne() {
        QFETCH(QByteArray, table);
        Fixture f;
        f.install(2, {3, 5, 4});
        Fixture::putBytes(f.data() + QStringLiteral("288891.rar"), table);
        const QStringList status = {QStringLiteral("TTF"), QStringLiteral("TFTFT"), QStringLiteral("FFFF")};
        Fixture::put(f.records() + QStringLiteral("288893.rar"), status);
        ModData d = f.modData();
        const cover::CoverState s = cover::load(d, cover::versionText());
        QCOMPARE(Fixture::lines(f.records() + QStringLiteral("288893.rar")), status);
        QCOMPARE(s.errors.size(), 1);
        QVERIFY2(s.errors.first().contains(QStringLiteral("288891.rar")), qPrintable(s.errors.first()));
        for (const auto &u : s.units)
            QVERIFY(!u.visible);
        for (const auto &p : s.papers)
            QVERIFY(!p.visible);
    }

    // An unreadable status file is named and left as it is; the page still loads.
    void unreadableStatusFile() {
        Fixture f;
        f.install(1, {3});
        QDir().mkpath(f.records() + QStringLiteral("288893.rar"));
        ModData d = f.modData();
        const cover::CoverState s = cover::load(d, cover::versionText());
        QCOMPARE(s.errors.size(), 1);
        QVERIFY(s.errors.first().contains(QStringLiteral("288893.rar")));
        QVERIFY(QFileInfo(f.records() + QStringLiteral("288893.rar")).isDir());
        QVERIFY(s.units[0].visible);
        QVERIFY(s.papers[0].visible);
    }

    void autoUpdateSwitch() {
        Fixture f;
        f.install(0, {1});
        ModData d = f.modData();
        QVERIFY(!cover::readAutoUpdate(d));
        QVERIFY(cover::writeAutoUpdate(d, true));
        QCOMPARE(Fixture::lines(f.program() + QStringLiteral("/refresher.txt")),
                 QStringList{QStringLiteral("1")});
        QVERIFY(cover::load(d, cover::versionText()).autoUpdate);
        QVERIFY(cover::writeAutoUpdate(d, false));
        QCOMPARE(Fixture::lines(f.program() + QStringLiteral("/refresher.txt")),
                 QStringList{QStringLiteral("0")});
    }

    void slotGrids() {
        QCOMPARE(cover::unitSlotTwips(0), QPoint(480, 120));
        QCOMPARE(cover::unitSlotTwips(5), QPoint(480 + 2 * 3720, 120 + 1080));
        QCOMPARE(cover::unitSlotTwips(20), QPoint(480 + 2 * 3720, 120 + 6 * 1080));
        QCOMPARE(cover::paperSlotTwips(13), QPoint(390 + 5700, 120 + 6 * 1080));
    }

    // Unit entry: files by the naming rule, status line u + 1, result file of unit u.
    void unitEntry_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("stepFile");
        QTest::addColumn<QString>("indexFile");
        QTest::newRow("unit 0") << 0 << "288820.rar"
                                << "288870.rar";
        QTest::newRow("unit 3") << 3 << "288823.rar"
                                << "288873.rar";
    }
    void unitEntry() {
        QFETCH(int, unit);
        QFETCH(QString, stepFile);
        QFETCH(QString, indexFile);
        Fixture f;
        f.install(0, {3, 3, 3, 4});
        f.unitBank(unit, {2, 5, 3, 1});
        Fixture::put(
            f.records() + QStringLiteral("288893.rar"),
            {QStringLiteral("TTT"), QStringLiteral("FFF"), QStringLiteral("FTF"), QStringLiteral("TFTF")});
        Fixture::put(f.records() + QStringLiteral("2088%1.rar").arg(unit, 2, 10, QChar(u'0')),
                     {QStringLiteral("6040") + QString(36, u'0')});
        ModData d = f.modData();
        d.DataExt = QStringLiteral(".bak");
        d.WorkMode = WorkGuided;
        QVERIFY(cover::entries::enterUnit(d, unit));
        QCOMPARE(d.CurSet, Integer(unit));
        QCOMPARE(d.SetBase, Integer(20));
        QCOMPARE(d.WorkMode, Integer(2));
        QCOMPARE(d.DataExt, QStringLiteral(".rar"));
        QCOMPARE(d.StepFile, f.data() + stepFile);
        QCOMPARE(d.IndexFile, f.data() + indexFile);
        QCOMPARE(d.TextFile, f.data() + QStringLiteral("288890.rar"));
        QCOMPARE(d.CurQuestion, Integer(1));
        QCOMPARE(d.CurStep, Integer(1));
        QCOMPARE(d.ExamMinutesLeft, Integer(50));
        QCOMPARE(d.QuestionFirstStep[1], Integer(1));
        QCOMPARE(d.QuestionFirstStep[2], Integer(3));
        QCOMPARE(d.QuestionFirstStep[3], Integer(8));
        QCOMPARE(d.QuestionFirstStep[5], Integer(12));
        const QString line = unit == 0 ? QStringLiteral("TTT") : QStringLiteral("TFTF");
        QCOMPARE(d.QuestionCount, Integer(line.size()));
        for (int q = 1; q <= line.size(); ++q)
            QCOMPARE(d.QuestionMark[q], line.mid(q - 1, 1));
        QCOMPARE(d.QuestionScore[1], Integer(6));
        QCOMPARE(d.QuestionScore[2], Integer(0));
        QCOMPARE(d.QuestionScore[3], Integer(4));
    }

    // A unit whose records exist but cannot be read is not opened: its end would
    // write over them. The learner is told which file.
    void unitEntryWithUnreadableRecords_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("status file") << "288893.rar";
        QTest::newRow("result file") << "208800.rar";
    }
    void unitEntryWithUnreadableRecords() {
        QFETCH(QString, file);
        Fixture f;
        f.install(0, {3});
        f.unitBank(0, {2, 5, 3});
        QVERIFY(QDir().mkpath(f.records() + file));
        ModData d = f.modData();
        QString error;
        QVERIFY(!cover::entries::enterUnit(d, 0, &error));
        QVERIFY2(error.contains(file), qPrintable(error));
        QVERIFY(QFileInfo(f.records() + file).isDir());
    }

    // A practice killed between the two writes of a solved question: the result
    // file is written first, so only "result new, status old" can be left; the
    // unit's entry reads that question as solved, and the next write of the pair
    // makes the files agree again.
    void killBetweenTheTwoWrites() {
        Fixture f;
        f.install(0, {3});
        f.unitBank(0, {2, 5, 3});
        Fixture::put(f.records() + QStringLiteral("288893.rar"), {QStringLiteral("FFF")});
        ModData d = f.modData();
        QVERIFY(cover::entries::enterUnit(d, 0));
        d.QuestionScore[2] = StatusSolved;
        d.QuestionMark[2] = QStringLiteral("T");
        // room for the result file only: the status file's write fails as a kill
        // after the first rename would leave it
        platform::textfile::setSpaceLeftForTesting(42);
        const auto restore = qScopeGuard([] { platform::textfile::setSpaceLeftForTesting(-1); });
        QVERIFY(!panel::progress::endUnitPractice(d));
        platform::textfile::setSpaceLeftForTesting(-1);
        QCOMPARE(Fixture::lines(f.records() + QStringLiteral("208800.rar")),
                 QStringList{QStringLiteral("04") + QString(38, u'0')});
        QCOMPARE(Fixture::lines(f.records() + QStringLiteral("288893.rar")).value(0), QStringLiteral("FFF"));

        ModData again = f.modData();
        QVERIFY(cover::entries::enterUnit(again, 0));
        QCOMPARE(again.QuestionMark[2], QStringLiteral("T"));
        QCOMPARE(int(again.QuestionScore[2]), int(StatusSolved));
        QCOMPARE(again.QuestionMark[1], QStringLiteral("F"));
        QVERIFY(panel::progress::endUnitPractice(again));
        QCOMPARE(Fixture::lines(f.records() + QStringLiteral("288893.rar")).value(0), QStringLiteral("FTF"));
    }

    // An index line whose step count is not 1 to 99 would start its question's
    // steps inside another question's records: the unit is not opened, and the
    // learner is told the file and the line.
    void unitEntryWithBadStepCount_data() {
        QTest::addColumn<QString>("count"); // characters 5-6 of index line 2
        QTest::newRow("0 steps") << "00";
        QTest::newRow("-9 steps") << "-9";
        QTest::newRow("no digits") << "xx";
        QTest::newRow("blanks") << "  ";
    }
    void unitEntryWithBadStepCount() {
        QFETCH(QString, count);
        Fixture f;
        f.install(0, {3});
        f.unitBank(0, {2, 5, 3});
        QStringList index = Fixture::lines(f.data() + QStringLiteral("288870.rar"));
        index[1].replace(4, 2, count);
        Fixture::put(f.data() + QStringLiteral("288870.rar"), index);
        ModData d = f.modData();
        QString error;
        QVERIFY(!cover::entries::enterUnit(d, 0, &error));
        QVERIFY2(error.contains(QStringLiteral("288870.rar 第 2 行")), qPrintable(error));
        // no question starts inside another's records
        QCOMPARE(int(d.QuestionFirstStep[2]), 0);
    }

    void unitEntryWithoutIndexFile() {
        Fixture f;
        f.install(0, {3});
        ModData d = f.modData();
        QString error;
        QVERIFY(!cover::entries::enterUnit(d, 0, &error));
        QVERIFY(error.contains(QStringLiteral("288870.rar")));
    }

    void examEntry() {
        ModData d;
        d.QuestionCount = 3;
        d.SetBase = SetBaseUnit;
        cover::entries::enterExam(d, 4);
        QCOMPARE(d.SetBase, Integer(0));
        QCOMPARE(d.WorkMode, Integer(3));
        QCOMPARE(d.CurSet, Integer(4));
        QCOMPARE(d.QuestionCount, Integer(40));
    }

    // Paper 2's list 0507 0112: question 7 of unit 5, then question 12 of unit 1.
    void reviewAssembly() {
        Fixture f;
        f.install(3, {12, 12, 0, 0, 0, 8});
        QList<int> unit1(12, 2);
        unit1[10] = 3; // question 11
        unit1[11] = 4; // question 12
        f.unitBank(1, unit1);
        f.unitBank(5, {1, 2, 1, 1, 1, 1, 3, 1});
        Fixture::put(f.records() + QStringLiteral("182402.rar"), {QStringLiteral("05070112")});
        ModData d = f.modData();
        d.QuestionScore.fill(7);
        QString message;
        QCOMPARE(cover::entries::initShiTI(d, 2, &message), cover::entries::Review::Opened);
        QCOMPARE(d.QuestionCount, Integer(2));
        QCOMPARE(d.ReviewSet, Integer(2));
        QCOMPARE(d.CurSet, Integer(-1));
        QCOMPARE(d.SetBase, Integer(20));
        QCOMPARE(d.WorkMode, Integer(2));
        QCOMPARE(d.StepFile, f.data() + QStringLiteral("288819.rar"));
        QCOMPARE(d.IndexFile, f.data() + QStringLiteral("288869.rar"));
        QCOMPARE(Fixture::lines(d.IndexFile),
                 (QStringList{QStringLiteral("000703第5单元第7题"), QStringLiteral("001204第1单元第12题")}));
        QCOMPARE(
            Fixture::lines(d.StepFile),
            (QStringList{QStringLiteral("U5 Q7 S1"), QStringLiteral("U5 Q7 S2"), QStringLiteral("U5 Q7 S3"),
                         QStringLiteral("U1 Q12 S1"), QStringLiteral("U1 Q12 S2"),
                         QStringLiteral("U1 Q12 S3"), QStringLiteral("U1 Q12 S4")}));
        QCOMPARE(d.QuestionFirstStep[1], Integer(1));
        QCOMPARE(d.QuestionFirstStep[2], Integer(4));
        QCOMPARE(d.QuestionFirstStep[3], Integer(8));
        QCOMPARE(d.QuestionScore[1], Integer(0));
        QCOMPARE(d.QuestionScore[40], Integer(0));
        QCOMPARE(d.QuestionMark[2], QStringLiteral("F"));
        QCOMPARE(d.CurQuestion, Integer(1));
        QCOMPARE(d.CurStep, Integer(1));
        QCOMPARE(d.ExamMinutesLeft, Integer(50));
    }

    void reviewWithoutList_data() {
        QTest::addColumn<QByteArray>("list"); // "-" for a missing file
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("steps");         // records of the review set when it opens
        QTest::addColumn<QStringList>("named"); // what a failure's message names
        const QStringList none;
        QTest::newRow("missing") << QByteArray("-") << int(cover::entries::Review::NoWrongQuestions) << 0 << 0
                                 << none;
        QTest::newRow("empty line") << QByteArray("\r\n") << int(cover::entries::Review::NoWrongQuestions)
                                    << 0 << 0 << none;
        QTest::newRow("three characters")
            << QByteArray("050\r\n") << int(cover::entries::Review::NoWrongQuestions) << 0 << 0 << none;
        QTest::newRow("six characters: one question")
            << QByteArray("050705\r\n") << int(cover::entries::Review::Opened) << 1 << 3 << none;
        // as the exam login assembles a paper: the unit's last question
        QTest::newRow("question beyond the unit: its last question")
            << QByteArray("0509\r\n") << int(cover::entries::Review::Opened) << 1 << 1 << none;
        QTest::newRow("question 0") << QByteArray("0500\r\n") << int(cover::entries::Review::Failed) << 0 << 0
                                    << QStringList{"182401.rar", "0500"};
        QTest::newRow("unit without files") << QByteArray("0401\r\n") << int(cover::entries::Review::Failed)
                                            << 0 << 0 << QStringList{"288874.rar", "182401.rar", "0401"};
        // unit 99's files would be the review's own, unit 30's paper 0's
        QTest::newRow("code 9999") << QByteArray("05019999\r\n") << int(cover::entries::Review::Failed) << 0
                                   << 0 << QStringList{"182401.rar", "9999"};
        QTest::newRow("code 3001") << QByteArray("3001\r\n") << int(cover::entries::Review::Failed) << 0 << 0
                                   << QStringList{"182401.rar", "3001"};
    }
    void reviewWithoutList() {
        QFETCH(QByteArray, list);
        QFETCH(int, result);
        QFETCH(int, questions);
        QFETCH(int, steps);
        QFETCH(QStringList, named);
        Fixture f;
        f.install(3, {0, 0, 0, 0, 0, 8});
        f.unitBank(5, {1, 2, 1, 1, 1, 1, 3, 1});
        if (list != "-")
            Fixture::putBytes(f.records() + QStringLiteral("182401.rar"), list);
        Fixture::put(f.data() + QStringLiteral("288819.rar"), {QStringLiteral("old steps")});
        // what code 3001 would read as its index file
        Fixture::put(f.data() + QStringLiteral("288800.rar"), {QStringLiteral("000101paper 0")});
        ModData d = f.modData();
        d.QuestionCount = 9;
        QString message;
        QCOMPARE(int(cover::entries::initShiTI(d, 1, &message)), result);
        if (result == int(cover::entries::Review::NoWrongQuestions))
            QCOMPARE(message, QStringLiteral(
                                  "本套试题没有生成错题！\r\n你可能是还没有做本套试题，或者上次得分为0。\r\n"
                                  "请点“开始考试”做本套试题。"));
        if (result == int(cover::entries::Review::Failed))
            QVERIFY(message.contains(QStringLiteral(".rar")));
        for (const QString &n : named)
            QVERIFY2(message.contains(n), qPrintable(message));
        if (result == int(cover::entries::Review::Opened)) {
            QCOMPARE(d.QuestionCount, Integer(questions));
            QCOMPARE(Fixture::lines(f.data() + QStringLiteral("288819.rar")).size(), steps);
        } else {
            // nothing was opened and the old review files are untouched
            QCOMPARE(d.QuestionCount, Integer(9));
            QCOMPARE(Fixture::lines(f.data() + QStringLiteral("288819.rar")),
                     QStringList{QStringLiteral("old steps")});
        }
    }

    // One routine assembles a set from question codes uuqq (the review entry
    // above, the exam login): index lines and step runs in the order of the codes.
    void assembleSet_data() {
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<bool>("lastQuestion"); // PastEnd::LastQuestion, else Refuse
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("index");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("named"); // what a failure's message names
        const QStringList oldIndex{QStringLiteral("old index")};
        const QStringList oldSteps{QStringLiteral("old steps")};
        QTest::newRow("in the order of the codes")
            << QList<int>{507, 102} << false << true
            << QStringList{QStringLiteral("000703第5单元第7题"), QStringLiteral("000202第1单元第2题")}
            << QStringList{QStringLiteral("U5 Q7 S1"), QStringLiteral("U5 Q7 S2"), QStringLiteral("U5 Q7 S3"),
                           QStringLiteral("U1 Q2 S1"), QStringLiteral("U1 Q2 S2")}
            << QString();
        QTest::newRow("a code used twice is copied twice")
            << QList<int>{502, 502} << false << true
            << QStringList{QStringLiteral("000202第5单元第2题"), QStringLiteral("000202第5单元第2题")}
            << QStringList{QStringLiteral("U5 Q2 S1"), QStringLiteral("U5 Q2 S2"), QStringLiteral("U5 Q2 S1"),
                           QStringLiteral("U5 Q2 S2")}
            << QString();
        QTest::newRow("past the unit's end: its last question")
            << QList<int>{509, 101} << true << true
            << QStringList{QStringLiteral("000801第5单元第8题"), QStringLiteral("000102第1单元第1题")}
            << QStringList{QStringLiteral("U5 Q8 S1"), QStringLiteral("U1 Q1 S1"), QStringLiteral("U1 Q1 S2")}
            << QString();
        QTest::newRow("past the unit's end, refused")
            << QList<int>{101, 509} << false << false << oldIndex << oldSteps << "288875.rar";
        QTest::newRow("question 0 is refused either way")
            << QList<int>{500} << true << false << oldIndex << oldSteps << "题号 0500";
        QTest::newRow("a unit without files")
            << QList<int>{101, 401} << true << false << oldIndex << oldSteps << "288874.rar";
        // unit 30's file names are 288800 and 288850: the set's own files here
        QTest::newRow("a unit the bank cannot hold")
            << QList<int>{101, 3001} << true << false << oldIndex << oldSteps << "题号 3001";
        QTest::newRow("a negative step count before the question")
            << QList<int>{202} << true << false << oldIndex << oldSteps << "288872.rar 第 1 行";
        QTest::newRow("a step count of 0 before the question")
            << QList<int>{302} << true << false << oldIndex << oldSteps << "288873.rar 第 1 行";
        QTest::newRow("a negative step count of the question")
            << QList<int>{201} << true << false << oldIndex << oldSteps << "288872.rar 第 1 行";
        QTest::newRow("a bad count after the question is not read")
            << QList<int>{601} << true << true << QStringList{QStringLiteral("000102第6单元第1题")}
            << QStringList{QStringLiteral("U6 Q1 S1"), QStringLiteral("U6 Q1 S2")} << QString();
    }
    void assembleSet() {
        QFETCH(QList<int>, codes);
        QFETCH(bool, lastQuestion);
        QFETCH(bool, ok);
        QFETCH(QStringList, index);
        QFETCH(QStringList, steps);
        QFETCH(QString, named);
        Fixture f;
        f.install(3, {3, 0, 0, 0, 8, 0, 2});
        f.unitBank(1, {2, 2, 1});
        f.unitBank(2, {-9, 2});
        f.unitBank(3, {0, 2});
        f.unitBank(5, {1, 2, 1, 1, 1, 1, 3, 1});
        f.unitBank(6, {2, 0});
        const QString stepFile = f.data() + QStringLiteral("288800.rar");
        const QString indexFile = f.data() + QStringLiteral("288850.rar");
        Fixture::put(stepFile, {QStringLiteral("old steps")});
        Fixture::put(indexFile, {QStringLiteral("old index")});
        const ModData d = f.modData();
        QString message;
        const auto pastEnd =
            lastQuestion ? start::setfiles::PastEnd::LastQuestion : start::setfiles::PastEnd::Refuse;
        QCOMPARE(start::setfiles::assembleSet(d, codes, stepFile, indexFile, pastEnd, &message), ok);
        QCOMPARE(message.isEmpty(), ok);
        QVERIFY2(message.contains(named), qPrintable(message));
        QCOMPARE(Fixture::lines(indexFile), index);
        QCOMPARE(Fixture::lines(stepFile), steps);
    }

    // A write that fails leaves both set files as they were.
    void assembleSetWriteFails_data() {
        QTest::addColumn<bool>("indexBlocked"); // else the step file cannot be written
        QTest::newRow("the index file") << true;
        QTest::newRow("the step file") << false;
    }
    void assembleSetWriteFails() {
        QFETCH(bool, indexBlocked);
        Fixture f;
        f.install(1, {3});
        f.unitBank(0, {2, 2, 1});
        const QString stepFile = f.data() + QStringLiteral("288800.rar");
        const QString indexFile = f.data() + QStringLiteral("288850.rar");
        // a folder in place of one file makes its rename fail
        const QString blocked = indexBlocked ? indexFile : stepFile;
        QVERIFY(QDir().mkpath(blocked));
        Fixture::put(indexBlocked ? stepFile : indexFile, {QStringLiteral("old")});
        const ModData d = f.modData();
        QString message;
        QVERIFY(!start::setfiles::assembleSet(d, {2, 3}, stepFile, indexFile,
                                              start::setfiles::PastEnd::Refuse, &message));
        QVERIFY(message.contains(QFileInfo(blocked).fileName()));
        QCOMPARE(Fixture::lines(indexBlocked ? stepFile : indexFile), QStringList{QStringLiteral("old")});
        QVERIFY(QFileInfo(blocked).isDir());
    }
};

QTEST_GUILESS_MAIN(TstEntries)
#include "tst_entries.moc"
