// The bank tools: the compiled sample module reads back through the trainer's
// own readers, two builds are byte-identical, check finds each kind of fault on
// small broken banks, and dump lists a small bank as expected.
#include "checker.h"
#include "compiler.h"
#include "cursors.h"

#include "platform/textfile.h"
#include "simulator/bankreader.h"
#include "simulator/steprecord.h"
#include "start/moddata.h"
#include "start/setfiles.h"
#include "start/vb.h"
#include "start/verfile.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QImageReader>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace cadbank;

namespace {

QString problemsText(const QVector<Problem> &problems) {
    QStringList out;
    for (const Problem &p : problems)
        out << p.text();
    return out.join(u'\n');
}

QMap<QString, QByteArray> folderHashes(const QString &root) {
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        out.insert(QDir(root).relativeFilePath(path),
                   QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256));
    }
    return out;
}

bool copyFolder(const QString &from, const QString &to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(path));
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(path, target))
            return false;
    }
    QDir().mkpath(QDir(to).filePath(QStringLiteral("ksdata")));
    return true;
}

void writeUtf8(const QString &path, const QString &text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
}

// A tiny module source: one unit of two questions, one paper, 17 pages.
void writeTinySource(const QString &dir) {
    QStringList paper;
    for (int i = 0; i < 20; ++i)
        paper << QStringLiteral("1.1 1.2");
    writeUtf8(dir + QStringLiteral("/module.txt"),
              QStringLiteral("name AutoCAD 2004\ntitle 中文版\nfolder cad\nnumber 7\nversion 1.0\n"
                             "unit u1.txt\npaper %1\nmenus menus.txt\npages pages.txt\n")
                  .arg(paper.join(u' ')));
    writeUtf8(dir + QStringLiteral("/u1.txt"), QStringLiteral("title 绘图\n"
                                                              "q 画一条直线。\n"
                                                              "click 绘图.直线\n= prompt 指定第一点:\n"
                                                              "menu 绘图(&D) > 圆(&C) > 圆心、半径(&R)\n"
                                                              "q 输入命令。\n= circle 100,100 40\n"
                                                              "type LINE|L\n= prompt 指定第一点:\n"
                                                              "click 图形.1 [back=1@标准.新建]\n"));
    writeUtf8(dir + QStringLiteral("/menus.txt"),
              QStringLiteral("menu 文件(&F)\n  新建(&N)\n  打开(&O)\n"
                             "menu 绘图(&D)\n  直线(&L)\n  > 圆(&C)\n    圆心、半径(&R)\n    两点(&2)\n"));
    QString pages;
    for (int i = 1; i <= 17; ++i)
        pages += QStringLiteral("page 第%1页\n说明文字。\n").arg(i);
    writeUtf8(dir + QStringLiteral("/pages.txt"), pages);
}

QStringList readGbk(const QString &path) {
    QStringList lines;
    platform::textfile::readLines(path, lines);
    return lines;
}

void writeGbk(const QString &path, const QStringList &lines) {
    QVERIFY(platform::textfile::writeLinesAtomic(path, lines));
}

} // namespace

class TstCadbank : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_sample; // the whole sample module, built once
    QString m_tiny;   // the tiny module, built once

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_tmp.isValid());
        m_sample = m_tmp.filePath(QStringLiteral("sample"));
        QVector<Problem> problems;
        QVERIFY2(buildModule(QStringLiteral(CADDRILL_BANK_SOURCE), m_sample, problems),
                 qPrintable(problemsText(problems)));
        const QString src = m_tmp.filePath(QStringLiteral("tinysrc"));
        writeTinySource(src);
        m_tiny = m_tmp.filePath(QStringLiteral("tiny"));
        QVERIFY2(buildModule(src, m_tiny, problems), qPrintable(problemsText(problems)));
    }

    void sampleReadsBackThroughTheTrainersReaders() {
        ModData data;
        data.AppPath = m_sample;
        QString error;
        QVERIFY2(start::verfile::readInfo(data, &error), qPrintable(error));
        QCOMPARE(data.ModuleName, QStringLiteral("AutoCAD 2004"));
        QCOMPARE(start::vb::Trim(data.VerLines[3]), QStringLiteral("cad2004"));
        QCOMPARE(platform::textfile::firstLine(data.DataDir + QStringLiteral("288899.rar")).toInt(),
                 int(data.ModuleNo));

        const QStringList table = readGbk(data.DataDir + QStringLiteral("288891.rar"));
        const int papers = table.at(0).left(2).toInt();
        const int units = table.at(0).mid(2, 2).toInt();
        QVERIFY(units >= 5);
        QCOMPARE(papers, 2);
        QSet<QString> codes;
        QSet<QString> distinctQuestions;
        bool picture = false, back = false, twoTargets = false, atPointer = false, alternatives = false;
        int questions = 0;
        for (int u = 0; u < units; ++u) {
            data.CurSet = qint16(u);
            data.SetBase = SetBaseUnit;
            start::setfiles::nameSetFiles(data);
            const int n = start::setfiles::readQuestionOffsets(data, &error);
            QCOMPARE(n, table.at(1).mid(2 * u, 2).toInt());
            QVERIFY(n <= 40);
            questions += n;
            QCOMPARE(start::vb::Trim(data.unitTitle(u)).isEmpty(), false);
            sim::bank::BankReader reader(data);
            for (int q = 1; q <= n; ++q) {
                bool ok = true;
                const sim::bank::IndexEntry e = reader.index(q, &ok);
                QVERIFY(ok);
                distinctQuestions.insert(e.text);
                if (e.hasPicture) {
                    picture = true;
                    QVERIFY(!QImage(sim::bank::picturePath(data, e.pictureId)).isNull());
                }
                for (int s = 1; s <= e.steps; ++s) {
                    const sim::bank::StepRecord r = reader.record(q, s, &ok);
                    QVERIFY2(ok, qPrintable(reader.lastError()));
                    QCOMPARE(r.isClosing(), s == e.steps);
                    const QString code = r.StepCode();
                    codes.insert(code);
                    back |= r.hasBackMarker() && s - r.backSteps() >= 1;
                    twoTargets |= r.MenuBarY().startsWith(u'X') && r.MenuBarY().at(2) != r.MenuBarY().at(3);
                    atPointer |= (code.startsWith(u'3') || code.startsWith(u'4')) && r.MenuBarY() == u"00000";
                    if (r.boxPresent())
                        alternatives |= reader.text(r.answerLine()).contains(u'|');
                    if (s == 1)
                        QVERIFY(r.ScreenPicture() != sim::bank::KeepId);
                    QVERIFY(sim::bank::stepValue(code) != 0 || code == u"0000");
                }
            }
        }
        QVERIFY(questions >= 50);
        QVERIFY(distinctQuestions.size() >= 50);
        QVERIFY(picture);
        QVERIFY(back);
        QVERIFY(twoTargets);
        QVERIFY(atPointer);
        QVERIFY(alternatives);
        // every step code of the format occurs
        const QStringList exact = {"0001", "0002", "0003", "2000", "0020", "0021", "0022", "0023",
                                   "0026", "0030", "3420", "3220", "6002", "6003", "6015", "6020",
                                   "6091", "6099", "8001", "8002", "8003", "8004", "8006", "8007",
                                   "8008", "8009", "8888", "A111", "9999"};
        for (const QString &c : exact)
            QVERIFY2(codes.contains(c), qPrintable(c));
        auto hasPrefix = [&](const QString &p, int len = 1) {
            for (const QString &c : codes)
                if (c.left(len) == p && c != u"9999" && c != u"A111")
                    return true;
            return false;
        };
        for (const QString &p : {QStringLiteral("004"), QStringLiteral("005")})
            QVERIFY2(hasPrefix(p, 3), qPrintable(p));
        for (const QString &p : {QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("9"),
                                 QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
            QVERIFY2(hasPrefix(p), qPrintable(p));
        // the papers name existing questions, 40 each
        for (int k = 0; k < papers; ++k)
            QCOMPARE(table.at(2 + k).size(), 160);
    }

    void sampleChecksClean() {
        QVector<Problem> problems;
        CheckStats stats;
        QVERIFY(checkBank(m_sample, problems, &stats));
        QVERIFY2(problems.isEmpty(), qPrintable(problemsText(problems)));
        // every question was played to its closing record
        QVERIFY(stats.questions >= 50);
        QCOMPARE(stats.solved, stats.questions);
    }

    void twoBuildsAreByteIdentical() {
        const QString again = m_tmp.filePath(QStringLiteral("again"));
        QVector<Problem> problems;
        QVERIFY(buildModule(QStringLiteral(CADDRILL_BANK_SOURCE), again, problems));
        const auto a = folderHashes(m_sample), b = folderHashes(again);
        QCOMPARE(a.keys(), b.keys());
        for (const QString &k : a.keys())
            QVERIFY2(a.value(k) == b.value(k), qPrintable(k));
    }

    void cursorsLoadWithTheirHotSpots() {
        for (const CursorDef &c : cursorDefs()) {
            const QString path =
                m_sample + QStringLiteral("/ico%1.CUR").arg(c.number, 2, 10, QLatin1Char('0'));
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray b = f.readAll();
            QCOMPARE(quint8(b.at(2)), quint8(2)); // cursor, not icon
            QCOMPARE(quint8(b.at(10)) | (quint8(b.at(11)) << 8), c.hotX);
            QCOMPARE(quint8(b.at(12)) | (quint8(b.at(13)) << 8), c.hotY);
            QImageReader r(path);
            r.setDecideFormatFromContent(true);
            const QImage img = r.read();
            QVERIFY2(!img.isNull(), qPrintable(r.errorString()));
            QCOMPARE(img.size(), QSize(32, 32));
        }
    }

    void menusPackIntoBlocks_data() {
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("fits");
        // items: entries separated by ",", a submenu as ">title:a;b"
        QTest::newRow("direct entries go to group 2") << "新建,打开"
                                                      << "打开" << 21 << true;
        QTest::newRow("a leading submenu is group 1") << ">圆:圆心;两点,点"
                                                      << "圆 > 两点" << 11 << true;
        QTest::newRow("entries after a submenu take group 4") << "直线,>圆:圆心,点"
                                                              << "点" << 40 << true;
        QTest::newRow("eleven entries spill into the next group") << "1,2,3,4,5,6,7,8,9,10,11"
                                                                  << "11" << 40 << true;
        QTest::newRow("access keys are optional in paths") << "保存(&S)"
                                                           << "保存(S)" << 20 << true;
        QTest::newRow("six submenus do not fit") << ">a:1,>b:1,>c:1,>d:1,>e:1,>f:1"
                                                 << "" << -1 << false;
        QTest::newRow("five entry groups do not fit") << "1,>a:x,>b:x,2,>c:x,3,>d:x,>e:x,4,>f:x,5"
                                                      << "" << -1 << false;
    }
    void menusPackIntoBlocks() {
        QFETCH(QString, items);
        QFETCH(QString, path);
        QFETCH(int, slot);
        QFETCH(bool, fits);
        MenuDef m;
        m.name = QStringLiteral("测试");
        for (const QString &item : items.split(u',')) {
            MenuItem it;
            if (item.startsWith(u'>')) {
                it.submenu = true;
                it.text = item.mid(1).section(u':', 0, 0);
                it.entries = item.section(u':', 1).split(u';');
            } else {
                it.text = item;
            }
            m.items << it;
        }
        MenuBlock b;
        QString why;
        QCOMPARE(packMenu(m, b, &why), fits);
        if (!fits) {
            QVERIFY(!why.isEmpty());
            return;
        }
        QCOMPARE(b.lines.size(), 15);
        QCOMPARE(b.where.value(path, -1), slot);
    }

    void sourceErrorsNameFileAndLine_data() {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unknown element") << "title t\nq x\nclick 绘图.不存在\n"
                                         << "u1.txt:3:";
        QTest::newRow("unknown menu entry") << "title t\nq x\nmenu 绘图(&D) > 椭圆(&E)\n"
                                            << "u1.txt:3:";
        QTest::newRow("unknown action") << "title t\nq x\nfly drawing\n"
                                        << "u1.txt:3:";
        QTest::newRow("object that is not drawn") << "title t\nq x\nclick 图形.3\n"
                                                  << "u1.txt:3:";
        QTest::newRow("back before step 1") << "title t\nq x\nclick drawing [back=1@标准.新建]\n"
                                            << "u1.txt:3:";
        QTest::newRow("bad effect") << "title t\nq x\nclick drawing\n= circle 1,1\n"
                                    << "u1.txt:4:";
        QTest::newRow("key out of range") << "title t\nq x\nkey F12\n"
                                          << "u1.txt:3:";
        QTest::newRow("dialog that is not open") << "title t\nq x\nclick 图层.新建\n"
                                                 << "u1.txt:3:";
    }
    void sourceErrorsNameFileAndLine() {
        QFETCH(QString, unit);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        writeTinySource(dir.path());
        writeUtf8(dir.filePath(QStringLiteral("u1.txt")), unit + QStringLiteral("q y\nclick drawing\n"));
        QVector<Problem> problems;
        QVERIFY(!buildModule(dir.path(), dir.filePath(QStringLiteral("out")), problems));
        QVERIFY2(problemsText(problems).contains(expected), qPrintable(problemsText(problems)));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("out/ver.txt"))));
    }

    void checkFindsEachFault_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("expected");
        QTest::newRow("record shorter than 196")
            << "short"
            << "cad/288820.rar:1: record: 150 characters, shorter than 196";
        QTest::newRow("no closing 9999") << "noclose"
                                         << "cad/288820.rar:3: StepCode: question 1 has no closing";
        QTest::newRow("9999 before the step count is used up")
            << "early"
            << "cad/288820.rar:1: StepCode: question 1 closes with";
        QTest::newRow("step counts disagree with the index")
            << "count"
            << "the index's step counts add up to 5 records, the step file has 6";
        // a count below 1 would start the question inside another's records
        QTest::newRow("index line of 0 steps") << "zero"
                                               << "cad/288870.rar:2: steps: step count 00 is not 1 to 99";
        QTest::newRow("index line of -9 steps") << "negative"
                                                << "cad/288870.rar:1: steps: step count -9 is not 1 to 99";
        QTest::newRow("text line out of range")
            << "text"
            << "cad/288820.rar:1: HintLine: text line 999 is out of range";
        QTest::newRow("missing picture") << "nopic"
                                         << "ScreenPicture: picture cad/100001.rar is missing";
        QTest::newRow("unloadable picture")
            << "badpic"
            << "ScreenPicture: picture cad/100001.rar is missing or cannot be loaded";
        QTest::newRow("zone outside the screen") << "zone"
                                                 << "cad/288820.rar:1: ZoneX: (11990,";
        QTest::newRow("menu group that sMenu.sys lacks") << "menu"
                                                         << "cad/288820.rar:2: StepCode: “A791”";
        QTest::newRow("menu item beyond the group") << "item"
                                                    << "item 5 does not exist";
        QTest::newRow("composition naming a missing question") << "paper"
                                                               << "cad/288891.rar:3: paper 1: code “0009”";
        QTest::newRow("more than 40 questions in a unit") << "forty"
                                                          << "cad/288891.rar:2: unit 1: 41 questions";
        QTest::newRow("more than 20 units") << "units"
                                            << "cad/288891.rar:1: UnitCount: 21 units";
        QTest::newRow("more than 40 questions in a paper") << "long"
                                                           << "more than 40 questions in a set";
        QTest::newRow("ver.txt that does not decode") << "ver"
                                                      << "ver.txt:2: line: does not decode";
        QTest::newRow("module check differs")
            << "module"
            << "cad/288899.rar:1: module number: 13 differs from ver.txt's 7";
        QTest::newRow("back marker leaving the question")
            << "back"
            << "cad/288820.rar:1: MenuBarX: the back marker goes back 2";
        QTest::newRow("wrong list naming a missing question")
            << "wrong"
            << "ksdata/182400.rar:1: wrong list: code “0150”";
        QTest::newRow("missing information page") << "page"
                                                  << "cad/9l0005.rar";
        QTest::newRow("missing pointer file") << "pointer"
                                              << "pointer file ico01.CUR is missing";
        QTest::newRow("back button over zone 1")
            << "cover"
            << "cad/288820.rar:5: TargetX: the back button covers part of zone 1";
        // played through the step engine
        QTest::newRow("click step without zone 1")
            << "nozone"
            << "cad/288820.rar:1: StepCode: no action completes step 1 (“0001”): zone 1 is absent";
        QTest::newRow("menu entry missing from sMenu.sys")
            << "noentry"
            << "cad/288820.rar:2: StepCode: no action completes step 2 (“A730”): group 3 of the pop-up has "
               "no item 1";
        QTest::newRow("typing step without input box") << "nobox"
                                                       << "cad/288820.rar:4: StepCode: no action completes "
                                                          "step 1 (“A111”): a typing step with no input box";
        QTest::newRow("drop point never inside zone 1")
            << "nodrop"
            << "cad/288820.rar:1: StepCode: no action completes step 1 (“0050”): no point of the window lies "
               "inside zone 1";
        QTest::newRow("picture 5 target out of reach")
            << "noslide"
            << "cad/288820.rar:1: StepCode: no action completes step 1 (“8002”): its target (11990, 1500) "
               "lies where";
        QTest::newRow("picture 5 under zone 1") << "hidden5"
                                                << "cad/288820.rar:1: StepCode: no action completes step 1 "
                                                   "(“8002”): picture 5 lies entirely under zone 1";
        QTest::newRow("key step while the input box has the keyboard")
            << "boxkey"
            << "cad/288820.rar:1: StepCode: no action completes step 1 (“6015”): the input box has the "
               "keyboard";
        QTest::newRow("input box over part of zone 1")
            << "boxcover"
            << "cad/288820.rar:5: BoxX: the input box covers part of zone 1";
        QTest::newRow("menu titles over part of zone 2")
            << "titlecover"
            << "cad/288820.rar:1: MenuBarX: the menu title “文件(F)” covers part of zone 2";
        QTest::newRow("zone 1 entirely under zone 2") << "z2cover"
                                                      << "cad/288820.rar:1: StepCode: no action completes "
                                                         "step 1 (“0003”): zone 1 lies entirely under zone 2";
        QTest::newRow("double click completes the next step too")
            << "double"
            << "cad/288820.rar:2: StepCode: step 2 is completed together with step 1 (a double click on zone "
               "1)";
        QTest::newRow("picture whose header reads but whose data is cut off")
            << "cutpic"
            << "cad/288820.rar:1: record: the trainer cannot set step 1 up: ";
        QTest::newRow("question playing past its steps")
            << "past"
            << "cad/288820.rar:3: StepCode: question 1 goes past its 3 steps without reaching its closing "
               "record";
    }
    void checkFindsEachFault() {
        QFETCH(QString, fault);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(copyFolder(m_tiny, dir.path()));
        const QString data = dir.filePath(QStringLiteral("cad/"));
        const QString steps = data + QStringLiteral("288820.rar");
        QStringList s = readGbk(steps);
        QStringList table = readGbk(data + QStringLiteral("288891.rar"));
        auto setField = [&](int line, int start, const QString &value) {
            s[line - 1].replace(start - 1, value.size(), value);
            writeGbk(steps, s);
        };
        if (fault == u"short")
            s[0] = s[0].left(150), writeGbk(steps, s);
        else if (fault == u"noclose")
            setField(3, 8, QStringLiteral("0001"));
        else if (fault == u"early")
            setField(1, 8, QStringLiteral("9999"));
        else if (fault == u"count") {
            QStringList idx = readGbk(data + QStringLiteral("288870.rar"));
            idx[1].replace(4, 2, QStringLiteral("02"));
            writeGbk(data + QStringLiteral("288870.rar"), idx);
        } else if (fault == u"zero" || fault == u"negative") {
            QStringList idx = readGbk(data + QStringLiteral("288870.rar"));
            if (fault == u"zero")
                idx[1].replace(4, 2, QStringLiteral("00"));
            else
                idx[0].replace(4, 2, QStringLiteral("-9"));
            writeGbk(data + QStringLiteral("288870.rar"), idx);
        } else if (fault == u"text")
            setField(1, 122, QStringLiteral("999"));
        else if (fault == u"nopic")
            QVERIFY(QFile::remove(data + QStringLiteral("100001.rar")));
        else if (fault == u"badpic")
            QVERIFY(platform::textfile::writeBytesAtomic(data + QStringLiteral("100001.rar"),
                                                         QByteArray("not a picture")));
        else if (fault == u"zone")
            setField(1, 66, QStringLiteral("11990"));
        else if (fault == u"menu")
            setField(2, 8, QStringLiteral("A791"));
        else if (fault == u"item")
            setField(2, 8, QStringLiteral("A725"));
        else if (fault == u"paper")
            table[2].replace(0, 4, QStringLiteral("0009")),
                writeGbk(data + QStringLiteral("288891.rar"), table);
        else if (fault == u"forty")
            table[1] = QStringLiteral("41"), writeGbk(data + QStringLiteral("288891.rar"), table);
        else if (fault == u"units")
            table[0] = QStringLiteral("0121"), writeGbk(data + QStringLiteral("288891.rar"), table);
        else if (fault == u"long")
            table[2] += QStringLiteral("0001"), writeGbk(data + QStringLiteral("288891.rar"), table);
        else if (fault == u"ver") {
            QStringList ver = readGbk(dir.filePath(QStringLiteral("ver.txt")));
            ver[1] += QStringLiteral("abc");
            writeGbk(dir.filePath(QStringLiteral("ver.txt")), ver);
        } else if (fault == u"module")
            writeGbk(data + QStringLiteral("288899.rar"), {QStringLiteral("13")});
        else if (fault == u"back")
            setField(1, 125, QStringLiteral("Q0002"));
        else if (fault == u"wrong")
            writeGbk(dir.filePath(QStringLiteral("ksdata/182400.rar")), {QStringLiteral("00010150")});
        else if (fault == u"cover") {
            // the back button of question 2, step 2 moved onto its zone 1
            setField(5, 167, s[4].mid(65, 5));
            setField(5, 172, s[4].mid(70, 5));
        } else if (fault == u"page")
            QVERIFY(QFile::remove(data + QStringLiteral("9l0005.rar")));
        else if (fault == u"nozone")
            setField(1, 66, QStringLiteral("00000000000000000000"));
        else if (fault == u"noentry") {
            // 绘图 > 圆 loses its entries: the menu bar shows the submenu empty
            QStringList menu = readGbk(dir.filePath(QStringLiteral("sMenu.sys")));
            for (int i = 90; i < 105; ++i)
                if (menu.at(i).startsWith(QStringLiteral("圆心")))
                    menu[i] = QString();
            writeGbk(dir.filePath(QStringLiteral("sMenu.sys")), menu);
        } else if (fault == u"nobox")
            setField(4, 86, QStringLiteral("00000000000000000000"));
        else if (fault == u"nodrop") {
            setField(1, 6, QStringLiteral("EE0050"));
            setField(1, 66, QStringLiteral("03001030010001000010"));
            setField(1, 177, QStringLiteral("01500115000060000600"));
        } else if (fault == u"noslide" || fault == u"hidden5") {
            setField(1, 8, QStringLiteral("8002"));
            setField(1, 151, QStringLiteral("0150001500100001"));
            setField(1, 167, QStringLiteral("1199001500"));
            if (fault == u"noslide")
                setField(1, 66, QStringLiteral("00000000000000000000"));
            else
                setField(1, 66, QStringLiteral("00000000001200009000"));
        } else if (fault == u"titlecover") {
            // a drag whose zone 2 starts under the menu bar shown at the top left
            setField(1, 6, QStringLiteral("EE0050"));
            setField(1, 66, QStringLiteral("03000030000300003000"));
            setField(1, 125, QStringLiteral("0012000375"));
            setField(1, 177, QStringLiteral("00000100000150001500"));
        } else if (fault == u"boxkey") {
            setField(1, 8, QStringLiteral("6015"));
            setField(1, 86, s[3].mid(85, 25));
        } else if (fault == u"boxcover")
            setField(5, 86, s[4].mid(65, 10) + QStringLiteral("0015000150"));
        else if (fault == u"z2cover") {
            setField(1, 8, QStringLiteral("0003"));
            setField(1, 177, QStringLiteral("00000100001200009000"));
        } else if (fault == u"double")
            setField(1, 8, QStringLiteral("0002"));
        else if (fault == u"cutpic") {
            QFile f(data + QStringLiteral("100001.rar"));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray all = f.readAll();
            f.close();
            QVERIFY(platform::textfile::writeBytesAtomic(data + QStringLiteral("100001.rar"),
                                                         all.left(all.size() / 3)));
        } else if (fault == u"past")
            setField(3, 8, QStringLiteral("0001"));
        else if (fault == u"pointer") {
            setField(1, 101, QStringLiteral("M0001"));
            QVERIFY(QFile::remove(dir.filePath(QStringLiteral("ico01.CUR"))));
        }
        QVector<Problem> problems;
        QVERIFY(checkBank(dir.path(), problems));
        QVERIFY2(problemsText(problems).contains(expected), qPrintable(problemsText(problems)));
    }

    // Each row: the code given to the first step of the fixture, a key step on
    // a screen without input box, and the problem the check reports (none for a
    // key a keyboard has).
    void checkJudgesKeySteps_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("expected");
        const QString none;
        QTest::newRow("Shift+1") << "6149" << none;
        QTest::newRow("Ctrl+/") << "6291" << none;
        QTest::newRow("Shift+F4") << "6115" << none;
        QTest::newRow("Tab") << "6009" << none;
        QTest::newRow("key code 10")
            << "6010"
            << "cad/288820.rar:1: StepCode: no action completes step 1 (“6010”): no key of a keyboard gives "
               "key code 10";
        QTest::newRow("key code 0") << "6100"
                                    << "cad/288820.rar:1: StepCode: no action completes step 1 (“6100”): no "
                                       "key of a keyboard gives key code 0";
        QTest::newRow("key code 93") << "6293"
                                     << "cad/288820.rar:1: StepCode: no action completes step 1 (“6293”): no "
                                        "key of a keyboard gives key code 93";
    }
    void checkJudgesKeySteps() {
        QFETCH(QString, code);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(copyFolder(m_tiny, dir.path()));
        const QString steps = dir.filePath(QStringLiteral("cad/288820.rar"));
        QStringList s = readGbk(steps);
        s[0].replace(7, 4, code);
        writeGbk(steps, s);
        QVector<Problem> problems;
        QVERIFY(checkBank(dir.path(), problems));
        if (expected.isEmpty())
            QVERIFY2(problems.isEmpty(), qPrintable(problemsText(problems)));
        else
            QVERIFY2(problemsText(problems).contains(expected), qPrintable(problemsText(problems)));
    }

    void checkOfTheUntouchedFixtureIsClean() {
        QVector<Problem> problems;
        QVERIFY(checkBank(m_tiny, problems));
        QVERIFY2(problems.isEmpty(), qPrintable(problemsText(problems)));
    }

    void checkRefusesAFolderWithoutBank() {
        QTemporaryDir dir;
        QVector<Problem> problems;
        QVERIFY(!checkBank(dir.path(), problems));
        QVERIFY(problemsText(problems).contains(QStringLiteral("ver.txt")));
    }

    void checkExitCodes_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("output");
        QTest::newRow("clean bank") << "tiny" << 0 << "no problems found";
        QTest::newRow("broken bank") << "broken" << 1 << "cad/288899.rar:1: module number";
        QTest::newRow("folder without bank") << "empty" << 2 << "ver.txt";
    }
    void checkExitCodes() {
        QFETCH(QString, folder);
        QFETCH(int, code);
        QFETCH(QString, output);
        QTemporaryDir dir;
        QString path = dir.path();
        if (folder == u"tiny") {
            path = m_tiny;
        } else if (folder == u"broken") {
            QVERIFY(copyFolder(m_tiny, dir.path()));
            writeGbk(dir.filePath(QStringLiteral("cad/288899.rar")), {QStringLiteral("99")});
        }
        QProcess p;
        p.start(QStringLiteral(CADBANK_EXE), {QStringLiteral("check"), path});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), code);
        const QString all = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        QVERIFY2(all.contains(output), qPrintable(all));
    }

    void dumpListsAPaper() {
        // a paper naming two questions of unit 1, one of unit 2 and one that does not exist
        QTemporaryDir dir;
        writeGbk(dir.filePath(QStringLiteral("ver.txt")),
                 {start::verfile::encodeLine(QStringLiteral("AutoCAD 2004")),
                  start::verfile::encodeLine(QStringLiteral("中文版")),
                  start::verfile::encodeLine(QStringLiteral("d")),
                  start::verfile::encodeLine(QStringLiteral("5")),
                  start::verfile::encodeLine(QStringLiteral("绘图")),
                  start::verfile::encodeLine(QStringLiteral("编辑"))});
        const QString d = dir.filePath(QStringLiteral("d/"));
        QDir().mkpath(d);
        writeGbk(d + QStringLiteral("288891.rar"),
                 {QStringLiteral("0202"), QStringLiteral("0201"), QStringLiteral("0001"),
                  QStringLiteral("0002010100030201")});
        writeGbk(d + QStringLiteral("288870.rar"),
                 {QStringLiteral("000103画一条线。"), QStringLiteral("000204画一个圆。")});
        writeGbk(d + QStringLiteral("288871.rar"), {QStringLiteral("000102删除圆。")});
        QStringList out;
        QString error;
        QVERIFY2(dumpPapers(dir.path(), 2, out, &error), qPrintable(error));
        const QStringList expected = {
            QStringLiteral("AutoCAD 2004 中文版  （模块 5）"),
            QString(),
            QStringLiteral("第2套试卷（4题）"),
            QStringLiteral("   1. 0002  第1单元 绘图  第2题  画一个圆。"),
            QStringLiteral("   2. 0101  第2单元 编辑  第1题  删除圆。"),
            QStringLiteral("   3. 0003  （没有这道题）"),
            QStringLiteral("   4. 0201  （没有这道题）"),
        };
        QCOMPARE(out, expected);
        QVERIFY(!dumpPapers(dir.path(), 3, out, &error));
        QVERIFY(error.contains(QStringLiteral("2 exam papers")));
    }

    void dumpListsASmallBank() {
        // written by hand, so the listing does not depend on the compiler
        QTemporaryDir dir;
        writeGbk(dir.filePath(QStringLiteral("ver.txt")),
                 {start::verfile::encodeLine(QStringLiteral("AutoCAD 2004")),
                  start::verfile::encodeLine(QStringLiteral("中文版")),
                  start::verfile::encodeLine(QStringLiteral("d")),
                  start::verfile::encodeLine(QStringLiteral("5")),
                  start::verfile::encodeLine(QStringLiteral("绘图"))});
        QStringList menu(465, QStringLiteral("0"));
        menu[90] = QStringLiteral("绘图(&D)");
        menu[93] = QStringLiteral("直线(&L)|射线(&R)");
        menu[165 + 15] = QStringLiteral("命令进行中");
        menu[165 + 18] = QStringLiteral("确认(&E)|取消(&C)");
        writeGbk(dir.filePath(QStringLiteral("sMenu.sys")), menu);
        const QString d = dir.filePath(QStringLiteral("d/"));
        QDir().mkpath(d);
        writeGbk(d + QStringLiteral("288891.rar"), {QStringLiteral("0001"), QStringLiteral("01")});
        writeGbk(d + QStringLiteral("288870.rar"), {QStringLiteral("000104picture500001画一条线。")});
        writeGbk(d + QStringLiteral("288890.rar"),
                 {QStringLiteral("001LINE|L"), QStringLiteral("002单击直线")});
        sim::bank::StepRecord a = sim::bank::StepRecord::blank();
        a.setStepCode(QStringLiteral("A721"));
        a.setScreenPicture(QStringLiteral("100001"));
        a.setHint(300, 600, 2);
        a.setMenuBar(120, 420);
        sim::bank::StepRecord b = sim::bank::StepRecord::blank();
        b.setStepCode(QStringLiteral("A111"));
        b.setScreenPicture(QStringLiteral("888888"));
        b.setBox(1500, 8295, 9000, 240);
        b.setAnswerLine(1);
        sim::bank::StepRecord c = sim::bank::StepRecord::blank();
        c.setStepCode(QStringLiteral("3220"));
        c.setScreenPicture(QStringLiteral("888888"));
        c.setZone1(450, 1470, 11100, 5550);
        c.setMenuBarText(QStringLiteral("Q0001"), QStringLiteral("X0100"));
        c.setTarget(3000, 4500);
        sim::bank::StepRecord e = sim::bank::StepRecord::blank();
        e.setStepCode(QStringLiteral("9999"));
        e.setScreenPicture(QStringLiteral("100002"));
        writeGbk(d + QStringLiteral("288820.rar"), {a.line, b.line, c.line, e.line});
        QStringList out;
        QString error;
        QVERIFY2(dumpBank(dir.path(), 1, 0, out, &error), qPrintable(error));
        const QStringList expected = {
            QStringLiteral("AutoCAD 2004 中文版  （模块 5）"),
            QString(),
            QStringLiteral("第1单元 绘图"),
            QStringLiteral("  第1题（4步）[图片 500001] 画一条线。"),
            QStringLiteral("    1. A721  菜单 7 第2组第2项"),
            QStringLiteral("       画面 100001；菜单栏 @8,28；菜单项“绘图(&D) > 射线(&R)”；提示“单击直线”"),
            QStringLiteral("    2. A111  在输入框中输入答案并按回车键或空格键（或菜单 1 第1组第1项）"),
            QStringLiteral("       画面 888888；输入框 (100,553 600x16)；答案“LINE|L”"),
            QStringLiteral("    3. 3220  右击区域1打开快捷菜单 2，选择第2组第1项；或按回车/空格/Esc"),
            QStringLiteral("       画面 888888；区域1 (30,98 740x370)；返回按钮 @200,300 "
                           "退1步；演示两个目标；菜单项“命令进行中 > 确认(&E)”"),
            QStringLiteral("    4. 9999  结束：本题完成"),
            QStringLiteral("       画面 100002"),
        };
        QCOMPARE(out, expected);
    }
};

QTEST_MAIN(TstCadbank)
#include "tst_cadbank.moc"
