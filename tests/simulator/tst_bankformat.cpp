// The question-bank formats: step records, step codes, index lines, the text
// table and answers, and reading a set through BankReader.
#include "simulator/bankreader.h"
#include "simulator/steprecord.h"
#include "start/setfiles.h"
#include "tempfolder.h"

#include <QTest>

using namespace sim::bank;

namespace {
// A record whose every character tells its own position modulo 10, so that a
// field read from the wrong column shows at once.
QString ruler() {
    QString s;
    for (int i = 1; i <= RecordLength; ++i)
        s += QChar(u'0' + i % 10);
    return s;
}
} // namespace

class TstBankFormat : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void fieldPositions_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("value");
        const StepRecord r = parseRecord(ruler());
        auto row = [&](const char *name, int start, int width, const QString &v) {
            QTest::newRow(name) << start << width << v;
        };
        row("Prefix", 1, 5, r.Prefix());
        row("Zone2Lock", 6, 2, r.Zone2Lock());
        row("StepCode", 8, 4, r.StepCode());
        row("ScreenPicture", 12, 6, r.ScreenPicture());
        row("Pic1X", 18, 5, r.PicX(1));
        row("Pic1Y", 23, 5, r.PicY(1));
        row("Pic1Id", 28, 6, r.PicId(1));
        row("Pic2Id", 44, 6, r.PicId(2));
        row("Pic3X", 50, 5, r.PicX(3));
        row("Pic3Id", 60, 6, r.PicId(3));
        row("ZoneX", 66, 5, r.ZoneX());
        row("ZoneH", 81, 5, r.ZoneH());
        row("BoxX", 86, 5, r.BoxX());
        row("BoxH/PointerSpec", 101, 5, r.PointerSpec());
        row("BoxTextLine", 106, 3, r.BoxTextLine());
        row("AnswerLine", 109, 3, r.AnswerLine());
        row("HintX", 112, 5, r.HintX());
        row("HintY", 117, 5, r.HintY());
        row("HintLine", 122, 3, r.HintLine());
        row("MenuBarX", 125, 5, r.MenuBarX());
        row("MenuBarY", 130, 5, r.MenuBarY());
        row("Pic4X", 135, 5, r.PicX(4));
        row("Pic4Id", 145, 6, r.PicId(4));
        row("Pic5X", 151, 5, r.PicX(5));
        row("Pic5Y", 156, 5, r.PicY(5));
        row("Pic5Id", 161, 6, r.PicId(5));
        row("TargetX", 167, 5, r.TargetX());
        row("TargetY", 172, 5, r.TargetY());
        row("Zone2X", 177, 5, r.Zone2X());
        row("Zone2Click", 182, 1, r.Zone2Click());
        row("Zone2Y", 183, 4, r.Zone2Y());
        row("Zone2W", 187, 5, r.Zone2W());
        row("Zone2H", 192, 5, r.Zone2H());
    }
    void fieldPositions() {
        QFETCH(int, start);
        QFETCH(int, width);
        QFETCH(QString, value);
        QCOMPARE(value, ruler().mid(start - 1, width));
    }

    void zone2YIsFourCharacters() {
        StepRecord r = StepRecord::blank();
        r.setText(182, 1, QStringLiteral("1"));
        r.setNum(183, 4, 4500);
        QCOMPARE(r.zone2Y(), 4500);
        QVERIFY(!r.zone2PlainClick());
        r.setText(182, 1, QStringLiteral("0"));
        QVERIFY(r.zone2PlainClick());
        r.setText(6, 2, QStringLiteral("EE"));
        QVERIFY(!r.zone2PlainClick());
    }

    void absentGroups() {
        StepRecord r = StepRecord::blank();
        r.setText(28, 6, QStringLiteral("123456")); // picture 1 has an id but no position
        QVERIFY(!r.picturePlaced(1));
        r.setNum(18, 5, 15);
        QVERIFY(r.picturePlaced(1));
        r.setText(18, 10, QStringLiteral("0000 00000")); // a blank is not a zero
        QVERIFY(r.picturePlaced(1));

        QVERIFY(!r.zone1Present());
        r.setNum(81, 5, 1);
        QVERIFY(r.zone1Present());

        QVERIFY(!r.boxPresent());
        r.setText(101, 5, QStringLiteral("S0011")); // a pointer, not a box: the number reads 0
        QVERIFY(!r.boxPresent());
        r.setText(101, 5, QStringLiteral("00300"));
        QVERIFY(r.boxPresent());

        QVERIFY(!r.hintPlaced());
        r.setNum(117, 5, 1);
        QVERIFY(r.hintPlaced());

        QVERIFY(!r.menuBarShown());
        r.setText(125, 5, QStringLiteral("MMMMM"));
        QVERIFY(!r.menuBarShown());
        r.setText(125, 5, QStringLiteral("Q0003"));
        QVERIFY(!r.menuBarShown());
        QVERIFY(r.hasBackMarker());
        QCOMPARE(r.backSteps(), 3);
        r.setText(125, 5, QStringLiteral("Q0000"));
        QCOMPARE(r.backSteps(), 1);
        r.setNum(125, 5, 120);
        QVERIFY(r.menuBarShown());

        QVERIFY(!r.zone2Present());
        r.setNum(192, 5, 300);
        QVERIFY(r.zone2Present());
    }

    void stepValue_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("value");
        QTest::newRow("click") << "0001" << 1;
        QTest::newRow("closing") << "9999" << 9999;
        QTest::newRow("A111") << "A111" << 10111;
        QTest::newRow("B220") << "B220" << 11220;
        QTest::newRow("C123") << "C123" << 50123;
        QTest::newRow("D menu of the demonstration") << "D123" << 0;
        QTest::newRow("other letter") << "Z001" << 0;
        QTest::newRow("context menu") << "3512" << 3512;
        QTest::newRow("key") << "6115" << 6115;
        QTest::newRow("blank inside") << "0 21" << 21;
        // a letter code whose digits read as a huge number stays at the Long's end
        QTest::newRow("A with exponent") << "A9e9" << 2147483647;
        QTest::newRow("C with negative exponent") << "C-9e9" << 50000 - 9;
        QTest::newRow("plain exponent") << "9e99" << 2147483647;
    }
    void stepValue() {
        QFETCH(QString, code);
        QFETCH(int, value);
        QCOMPARE(sim::bank::stepValue(code), value);
    }

    void shortRecordRefused() {
        bool ok = true;
        const StepRecord r = parseRecord(QStringLiteral("00000  0001"), &ok);
        QVERIFY(!ok);
        QCOMPARE(r.line.size(), RecordLength);
        QCOMPARE(r.StepCode(), QStringLiteral("0001"));
        parseRecord(ruler() + QStringLiteral("tail ignored"), &ok);
        QVERIFY(ok);
    }

    void indexLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pictureId");
        QTest::newRow("plain") << QStringLiteral("000105绘制一条直线。") << 5
                               << QStringLiteral("绘制一条直线。") << QString();
        QTest::newRow("picture") << QStringLiteral("000212picture123456按图绘制。") << 12
                                 << QStringLiteral("按图绘制。") << QStringLiteral("123456");
        QTest::newRow("blank step count")
            << QStringLiteral("0001 9x") << 9 << QStringLiteral("x") << QString();
    }
    void indexLines() {
        QFETCH(QString, line);
        QFETCH(int, steps);
        QFETCH(QString, text);
        QFETCH(QString, pictureId);
        const IndexEntry e = parseIndexLine(line);
        QCOMPARE(e.steps, steps);
        QCOMPARE(e.text, text);
        QCOMPARE(e.hasPicture, !pictureId.isEmpty());
        QCOMPARE(e.pictureId, pictureId);
    }

    void answers_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("one") << "LINE"
                             << "LINE"
                             << "LINE";
        QTest::newRow("two") << "LINE|L"
                             << "LINE"
                             << "L";
        QTest::newRow("third part belongs to the second") << "a|b|c"
                                                          << "a"
                                                          << "b|c";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }
    void answers() {
        QFETCH(QString, answer);
        QFETCH(QString, first);
        QFETCH(QString, second);
        const Alternatives a = splitAnswer(answer);
        QCOMPARE(a.first, first);
        QCOMPARE(a.second, second);
        QCOMPARE(normalForm(QStringLiteral("  LiNe ")), QStringLiteral("line"));
        QCOMPARE(hintPrompt(QStringLiteral("直线命令|LINE")), QStringLiteral("直线命令"));
    }

    void paths() {
        ModData d;
        d.AppPath = QStringLiteral("/p");
        d.DataDir = QStringLiteral("/p/d/");
        QCOMPARE(picturePath(d, QStringLiteral("123456")), QStringLiteral("/p/d/123456.rar"));
        QCOMPARE(picturePath(d, QStringLiteral("../../x")), QString());
        QCOMPARE(picturePath(d, QStringLiteral("a/b")), QString());
        QCOMPARE(pointerPath(d, QStringLiteral("07")), QStringLiteral("/p/ico07.CUR"));
    }

    // A set read through the trainer's own reader: records by (question, step),
    // texts by line, a line beyond the end, a file rewritten while open.
    void readerOnASet() {
        TempFolder tmp;
        ModData d;
        d.DataDir = tmp.path() + u'/';
        d.CurSet = 0;
        d.SetBase = SetBaseUnit;
        start::setfiles::nameSetFiles(d);
        StepRecord a = StepRecord::blank(), b = StepRecord::blank(), c = StepRecord::blank();
        a.setText(8, 4, QStringLiteral("0001"));
        b.setText(8, 4, QStringLiteral("9999"));
        c.setText(8, 4, QStringLiteral("0020"));
        tmp.write(QStringLiteral("288820.rar"), {a.line, b.line, c.line, b.line});
        tmp.write(QStringLiteral("288870.rar"),
                  {QStringLiteral("000102第一题"), QStringLiteral("000202第二题")});
        tmp.write(QStringLiteral("288890.rar"), {QStringLiteral("001LINE|L"), QStringLiteral("002圆")});
        QCOMPARE(start::setfiles::readQuestionOffsets(d), 2);
        BankReader reader(d);
        bool ok = false;
        QCOMPARE(reader.record(2, 1, &ok).StepCode(), QStringLiteral("0020"));
        QVERIFY(ok);
        QCOMPARE(reader.record(1, 2).StepCode(), QStringLiteral("9999"));
        QCOMPARE(reader.text(0), QString());
        QCOMPARE(reader.text(1), QStringLiteral("LINE|L"));
        QCOMPARE(reader.text(7), QStringLiteral("圆"));
        QCOMPARE(reader.index(2).text, QStringLiteral("第二题"));

        // the review set is rewritten while the program runs: the reader sees it
        tmp.write(QStringLiteral("288890.rar"), {QStringLiteral("001CIRCLE|C")});
        QCOMPARE(reader.text(1), QStringLiteral("CIRCLE|C"));

        // a short record names the file and its line
        tmp.write(QStringLiteral("288820.rar"), {a.line, QStringLiteral("short")});
        reader.record(1, 2, &ok);
        QVERIFY(!ok);
        QVERIFY(reader.lastError().contains(QStringLiteral("288820.rar")));
        QVERIFY(reader.lastError().contains(QStringLiteral("2")));

        QFile::remove(tmp.file(QStringLiteral("288820.rar")));
        reader.record(1, 1, &ok);
        QVERIFY(!ok);
        QVERIFY(reader.lastError().contains(QStringLiteral("288820.rar")));
    }
};

QTEST_GUILESS_MAIN(TstBankFormat)
#include "tst_bankformat.moc"
