// ver.txt decoding, folders, set-file naming, question offsets, GBK files and
// the registry store.
#include "platform/registry.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "start/modzcb.h"
#include "start/setfiles.h"
#include "start/vb.h"
#include "start/verfile.h"
#include "tempfolder.h"

#include <QTest>

class TstConfig : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void decodeLine_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty line") << ""
                                    << "";
        QTest::newRow("ascii above 500000") << "500065500066"
                                            << "AB";
        QTest::newRow("ascii below 500000") << "200065"
                                            << "A";
        // 柏 is B0D8 in GBK: signed 16-bit -20264
        QTest::newRow("negative code") << "179736" << QStringLiteral("柏");
        QTest::newRow("double byte above 500000") << "545272" << QStringLiteral("柏");
        QTest::newRow("zero group skipped, line goes on") << "500065000000500066"
                                                          << "AB";
        QTest::newRow("group that is not a number") << "500065abcdef500066"
                                                    << "AB";
        QTest::newRow("short last group, code out of range") << "5000655"
                                                             << "A";
        QTest::newRow("code beyond 16 bits") << "499999500066"
                                             << "B";
        QTest::newRow("group far below any code") << "-1E99 500065"
                                                  << "A";
        QTest::newRow("group far above any code") << "9E99  500065"
                                                  << "A";
        QTest::newRow("blanks kept before trim") << "500032500065500032"
                                                 << " A ";
    }
    void decodeLine() {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        QCOMPARE(start::verfile::decodeLine(stored), expected);
    }

    void encodeRoundTrip() {
        const QString text = QStringLiteral("AutoCAD 2004 绘图与编辑（第1单元）");
        const QString stored = start::verfile::encodeLine(text);
        QCOMPARE(stored.size(), text.size() * 6);
        QCOMPARE(start::verfile::decodeLine(stored), text);
    }

    void readInfo_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("moduleNo");
        QTest::addColumn<QString>("folder");
        QTest::newRow("full") << QStringList{QStringLiteral("AutoCAD 2004"), QStringLiteral("中文版"),
                                             QStringLiteral("cad"), QStringLiteral("5"),
                                             QStringLiteral("第一单元")}
                              << "AutoCAD 2004" << 5 << "cad";
        QTest::newRow("blanks around the folder")
            << QStringList{QStringLiteral(" M "), QString(), QStringLiteral("  data  "), QStringLiteral("12")}
            << "M" << 12 << "data";
        QTest::newRow("three lines") << QStringList{QStringLiteral("M"), QStringLiteral("T"),
                                                    QStringLiteral("d")}
                                     << "M" << 0 << "d";
    }
    void readInfo() {
        QFETCH(QStringList, lines);
        QFETCH(QString, name);
        QFETCH(int, moduleNo);
        QFETCH(QString, folder);
        TempFolder tmp;
        QStringList stored;
        for (const QString &l : lines)
            stored << start::verfile::encodeLine(l);
        tmp.write(QStringLiteral("ver.txt"), stored);
        ModData d;
        d.AppPath = tmp.path();
        QString error;
        QVERIFY2(start::verfile::readInfo(d, &error), qPrintable(error));
        QCOMPARE(d.ModuleName, name);
        QCOMPARE(int(d.ModuleNo), moduleNo);
        QCOMPARE(d.DataDir, tmp.path() + u'/' + folder + u'/');
        QCOMPARE(d.appTitle(), QStringLiteral("柏川云学职称计算机考试 ") + name + QStringLiteral("模块"));
        QCOMPARE(start::vb::twoDigits(d.ModuleNo),
                 QStringLiteral("%1").arg(moduleNo, 2, 10, QLatin1Char('0')));
    }

    void readInfo_refuses_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("writeFile");
        QTest::newRow("missing ver.txt") << "" << false;
        QTest::newRow("parent folder") << ".." << true;
        QTest::newRow("separator") << "a/b" << true;
        QTest::newRow("backslash") << "..\\x" << true;
        QTest::newRow("empty folder name") << "" << true;
    }
    void readInfo_refuses() {
        QFETCH(QString, folder);
        QFETCH(bool, writeFile);
        TempFolder tmp;
        if (writeFile)
            tmp.write(QStringLiteral("ver.txt"), {start::verfile::encodeLine(QStringLiteral("M")), QString(),
                                                  start::verfile::encodeLine(folder)});
        ModData d;
        d.AppPath = tmp.path();
        QString error;
        QVERIFY(!start::verfile::readInfo(d, &error));
        QVERIFY2(error.contains(tmp.file(QStringLiteral("ver.txt"))), qPrintable(error));
    }

    void naming_data() {
        QTest::addColumn<int>("curSet");
        QTest::addColumn<int>("setBase");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("index");
        QTest::newRow("paper 0") << 0 << 0 << "288800.rar"
                                 << "288850.rar";
        QTest::newRow("paper 13") << 13 << 0 << "288813.rar"
                                  << "288863.rar";
        QTest::newRow("unit 0") << 0 << 20 << "288820.rar"
                                << "288870.rar";
        QTest::newRow("unit 3") << 3 << 20 << "288823.rar"
                                << "288873.rar";
        QTest::newRow("review") << -1 << 20 << "288819.rar"
                                << "288869.rar";
    }
    void naming() {
        QFETCH(int, curSet);
        QFETCH(int, setBase);
        QFETCH(QString, step);
        QFETCH(QString, index);
        ModData d;
        d.DataDir = QStringLiteral("/p/d/");
        d.DataExt = QStringLiteral(".zip");
        d.CurSet = Integer(curSet);
        d.SetBase = Integer(setBase);
        start::setfiles::nameSetFiles(d);
        QCOMPARE(d.StepFile, QStringLiteral("/p/d/") + step);
        QCOMPARE(d.IndexFile, QStringLiteral("/p/d/") + index);
        QCOMPARE(d.TextFile, QStringLiteral("/p/d/288890.rar"));
        QCOMPARE(d.DataExt, QStringLiteral(".rar"));
    }

    void offsets_data() {
        QTest::addColumn<QStringList>("index");
        QTest::addColumn<QList<int>>("firstSteps");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("badLine"); // the line a refusal names, 0 for none
        QTest::newRow("three questions")
            << QStringList{"000103a", "000212b", "0003 5c"} << QList<int>{1, 4, 16, 21} << 3 << 0;
        QTest::newRow("blank second line")
            << QStringList{"000103a", "   ", "000212b"} << QList<int>{1, 4, 0} << 1 << 0;
        QTest::newRow("blank fourth line") << QStringList{"000102a", "000102b", "000102c", "", "000102d"}
                                           << QList<int>{1, 3, 5, 7, 0} << 3 << 0;
        // a count that is not 1 to 99 would start the question inside the next
        // one's records: the set is refused and the table names no question
        QTest::newRow("steps without digits")
            << QStringList{"0001xxa", "000102b"} << QList<int>{1, 0, 0} << -1 << 1;
        QTest::newRow("0 steps") << QStringList{"000102a", "000200b", "000302c"} << QList<int>{1, 0, 0, 0}
                                 << -1 << 2;
        QTest::newRow("-9 steps") << QStringList{"0001-9a", "000212b"} << QList<int>{1, 0, 0} << -1 << 1;
        QTest::newRow("99 steps") << QStringList{"000199a", "000201b"} << QList<int>{1, 100, 101} << 2 << 0;
    }
    void offsets() {
        QFETCH(QStringList, index);
        QFETCH(QList<int>, firstSteps);
        QFETCH(int, count);
        QFETCH(int, badLine);
        TempFolder tmp;
        tmp.write(QStringLiteral("288870.rar"), index);
        ModData d;
        d.IndexFile = tmp.file(QStringLiteral("288870.rar"));
        QString error;
        QCOMPARE(start::setfiles::readQuestionOffsets(d, &error), count);
        if (badLine > 0)
            QVERIFY2(error.contains(QStringLiteral("288870.rar 第 %1 行").arg(badLine)), qPrintable(error));
        else
            QVERIFY2(error.isEmpty(), qPrintable(error));
        for (int k = 0; k < firstSteps.size(); ++k)
            QCOMPARE(int(d.QuestionFirstStep[k + 1]), firstSteps.at(k));
    }

    void offsets_missingFile() {
        ModData d;
        d.IndexFile = QStringLiteral("/nonexistent/288870.rar");
        QString error;
        QCOMPARE(start::setfiles::readQuestionOffsets(d, &error), -1);
        QVERIFY(error.contains(QStringLiteral("288870.rar")));
        QCOMPARE(int(d.QuestionFirstStep[1]), 1);
    }

    void gbkFiles() {
        TempFolder tmp;
        tmp.write(QStringLiteral("t.rar"), {QStringLiteral("柏川"), QString(), QStringLiteral("x")});
        QCOMPARE(tmp.bytes(QStringLiteral("t.rar")), QByteArray("\xB0\xD8\xB4\xA8\r\n\r\nx\r\n"));
        const QStringList lines = tmp.read(QStringLiteral("t.rar"));
        QCOMPARE(lines, (QStringList{QStringLiteral("柏川"), QString(), QStringLiteral("x")}));
        QCOMPARE(platform::textfile::lineAt(lines, 9), QStringLiteral("x"));
        QCOMPARE(platform::textfile::splitLines(QStringLiteral("a\r\nb\nc\rd\r\n")),
                 (QStringList{"a", "b", "c", "d"}));
    }

    void atomicWriteFailureNamesFileAndKeepsOld() {
        TempFolder tmp;
        // a folder standing where the file should be cannot be replaced
        QDir(tmp.path()).mkdir(QStringLiteral("busy.rar"));
        tmp.write(QStringLiteral("busy.rar/inner"), {QStringLiteral("old")});
        QString error;
        QVERIFY(!platform::textfile::writeLinesAtomic(tmp.file(QStringLiteral("busy.rar")), {"new"}, &error));
        QVERIFY2(error.contains(QStringLiteral("busy.rar")), qPrintable(error));
        QCOMPARE(tmp.read(QStringLiteral("busy.rar/inner")), QStringList{QStringLiteral("old")});
        QVERIFY(!platform::textfile::writeLinesAtomic(tmp.file(QStringLiteral("no/such/folder.rar")), {"x"},
                                                      &error));
        QVERIFY(error.contains(QStringLiteral("folder.rar")));
        // no temporary file is left behind
        QCOMPARE(QDir(tmp.path()).entryList(QDir::Files), QStringList());
    }

    void registryRoundTrip() {
        TempFolder tmp;
        platform::FileRegistry reg(tmp.path());
        int32_t bytes = 0;
        const QString key = QStringLiteral("Software\\Microsoft");
        QCOMPARE(start::ModZCB::WriteRegValue(
                     reg, platform::HKEY_CURRENT_USER, key, QStringLiteral("ProPath05"), platform::REG_SZ,
                     QVariant(QString(QStringLiteral("/opt/培训\"x\\y") + QString(72, u'*'))), bytes),
                 0);
        QCOMPARE(bytes, int(QByteArray("/opt/").size() + 4 + 4 + 72));
        QCOMPARE(start::ModZCB::WriteRegValue(reg, platform::HKEY_CURRENT_USER, key, QStringLiteral("Count"),
                                              platform::REG_DWORD, 42, bytes),
                 0);
        // a second store on the same folder (another trainer) sees both values
        platform::FileRegistry other(tmp.path());
        QVariant v = QStringLiteral("unchanged");
        QCOMPARE(start::ModZCB::ReadRegValue(other, platform::HKEY_CURRENT_USER,
                                             QStringLiteral("software\\microsoft"),
                                             QStringLiteral("propath05"), v),
                 0);
        QCOMPARE(v.toString(), QStringLiteral("/opt/培训\"x\\y") + QString(72, u'*'));
        QCOMPARE(
            start::ModZCB::ReadRegValue(other, platform::HKEY_CURRENT_USER, key, QStringLiteral("Count"), v),
            0);
        QCOMPARE(v.toInt(), 42);
        v = QStringLiteral("unchanged");
        QCOMPARE(start::ModZCB::ReadRegValue(other, platform::HKEY_CURRENT_USER, key,
                                             QStringLiteral("ProPath06"), v),
                 platform::ERROR_FILE_NOT_FOUND);
        QCOMPARE(v.toString(), QStringLiteral("unchanged"));
        QCOMPARE(start::ModZCB::ReadRegValue(other, platform::HKEY_CURRENT_USER,
                                             QStringLiteral("Software\\Other"), QStringLiteral("Count"), v),
                 platform::ERROR_FILE_NOT_FOUND);
    }

    void singleInstance() {
        const QString key =
            QStringLiteral("caddrill-test-") + QString::number(QCoreApplication::applicationPid());
        auto first = std::make_unique<platform::LockFileInstance>(key);
        QVERIFY(first->acquire());
        platform::LockFileInstance second(key);
        QVERIFY(!second.acquire());
        platform::LockFileInstance otherProgram(key + QStringLiteral("-other"));
        QVERIFY(otherProgram.acquire());
        first.reset(); // the first instance ends
        platform::LockFileInstance third(key);
        QVERIFY(third.acquire());
    }

    void registryLongStringCutAt255Bytes() {
        TempFolder tmp;
        platform::FileRegistry reg(tmp.path());
        int32_t bytes = 0;
        start::ModZCB::WriteRegValue(reg, platform::HKEY_CURRENT_USER, QStringLiteral("K"),
                                     QStringLiteral("V"), platform::REG_SZ, QString(300, u'a'), bytes);
        QVariant v;
        QCOMPARE(start::ModZCB::ReadRegValue(reg, platform::HKEY_CURRENT_USER, QStringLiteral("K"),
                                             QStringLiteral("V"), v),
                 0);
        QCOMPARE(v.toString().size(), 254);
    }
};

QTEST_GUILESS_MAIN(TstConfig)
#include "tst_config.moc"
