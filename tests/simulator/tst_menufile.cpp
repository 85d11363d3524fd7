// sMenu.sys blocks: which block a step reads, how entry lines fill the groups,
// and which choices complete a menu step.
#include "fixture.h"
#include "simulator/menufile.h"

#include <QTest>

using namespace sim::menus;

class TstMenuFile : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void blockOfStep_data();
    void blockOfStep();
    void nonMenuStepShowsEmptyEntries();
    void zeroLinesHideGroups();
    void tenEntriesAtMost();
    void shortFileReadsEmptyLines();
    void missingFileGivesEmptyPopup();
    void choice_data();
    void choice();
};

void TstMenuFile::blockOfStep_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("openMenu");
    QTest::addColumn<int>("firstLine");
    QTest::newRow("A, title 1") << "A123" << 1 << 1;
    QTest::newRow("A, title 9") << "A923" << 9 << 121;
    QTest::newRow("B2 reads title 11") << "B220" << 11 << 151;
    QTest::newRow("context 5") << "3512" << 5 << 226;
    QTest::newRow("context 4xyz") << "4112" << 1 << 166;
    QTest::newRow("second bar") << "C315" << 3 << 331;
}

void TstMenuFile::blockOfStep() {
    QFETCH(QString, code);
    QFETCH(int, openMenu);
    QFETCH(int, firstLine);
    QStringList file;
    for (int i = 1; i <= 465; ++i)
        file << (i == firstLine + 3 ? QStringLiteral("命中") : QStringLiteral("0"));
    const MenuContent m = buildMenu(file, true, sim::bank::stepValue(code), openMenu);
    QCOMPARE(m.groups[2], QStringList{QStringLiteral("命中")});
    QVERIFY(!m.subVisible[1]);
}

void TstMenuFile::nonMenuStepShowsEmptyEntries() {
    QStringList file(465, QStringLiteral("甲|乙"));
    const MenuContent m = buildMenu(file, true, 1, 1);
    for (int s = 1; s <= 5; ++s) {
        QVERIFY(m.subVisible[s]);
        QVERIFY(m.subTitle[s].isEmpty());
    }
    for (int g = 1; g <= 9; ++g)
        QCOMPARE(m.groups[g], QStringList{QString()});
}

void TstMenuFile::zeroLinesHideGroups() {
    QStringList file(465, QStringLiteral("0"));
    file[1] = QStringLiteral("0");         // submenu 1 hidden...
    file[2] = QStringLiteral("不读|不读"); // ...and its entries not read
    file[3] = QStringLiteral("新建(&N)|-|打开(&O)");
    file[4] = QStringLiteral("绘图次序");
    file[5] = QStringLiteral("前置|后置");
    const MenuContent m = buildMenu(file, true, 10123, 1);
    QVERIFY(!m.subVisible[1]);
    QVERIFY(m.groups[1].isEmpty());
    QCOMPARE(m.groups[2],
             (QStringList{QStringLiteral("新建(&N)"), QStringLiteral("-"), QStringLiteral("打开(&O)")}));
    QVERIFY(m.subVisible[2]);
    QCOMPARE(m.subTitle[2], QStringLiteral("绘图次序"));
    QCOMPARE(m.groups[3].size(), 2);
    QVERIFY(m.groups[4].isEmpty());
    QCOMPARE(groupOfSubmenu(4), 7);
    QCOMPARE(groupOfSubmenu(5), 8);
}

void TstMenuFile::tenEntriesAtMost() {
    QStringList twelve;
    for (int i = 1; i <= 12; ++i)
        twelve << QString::number(i);
    const QStringList e = entriesOf(twelve.join(u'|'));
    QCOMPARE(e.size(), 10);
    QCOMPARE(e.last(), QStringLiteral("10"));
    QCOMPARE(entriesOf(QString()), QStringList{QString()});
}

void TstMenuFile::shortFileReadsEmptyLines() {
    const QStringList file{QStringLiteral("文件"), QStringLiteral("0"), QStringLiteral("x"),
                           QStringLiteral("打开")};
    const MenuContent m = buildMenu(file, true, 10120, 1);
    QCOMPARE(m.groups[2], QStringList{QStringLiteral("打开")});
    QCOMPARE(m.groups[4], QStringList{QString()}); // line 7 missing: one empty entry
    QVERIFY(m.subVisible[2]);                      // line 5 missing: "" is no "0"
}

void TstMenuFile::missingFileGivesEmptyPopup() {
    BankFixture f;
    const MenuContent m = readMenu(f.data.programFile(QStringLiteral("sMenu.sys")), 10123, 1);
    QVERIFY(m.fileMissing);
    QVERIFY(m.isEmpty());
    QVERIFY(m.error.contains(QStringLiteral("sMenu.sys")));
    f.writeMenu({{4, QStringLiteral("甲")}});
    const MenuContent read = readMenu(f.data.programFile(QStringLiteral("sMenu.sys")), 10123, 1);
    QVERIFY(!read.fileMissing);
    QCOMPARE(read.groups[2], QStringList{QStringLiteral("甲")});
}

void TstMenuFile::choice_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("openMenu");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("item");
    QTest::addColumn<bool>("match");
    QTest::newRow("A123 title 1 group 2 item 3") << "A123" << 1 << 2 << 3 << true;
    QTest::newRow("A123 from title 2") << "A123" << 2 << 2 << 3 << false;
    QTest::newRow("A123 other group") << "A123" << 1 << 4 << 3 << false;
    QTest::newRow("A123 other item") << "A123" << 1 << 2 << 2 << false;
    QTest::newRow("B220 title 11") << "B220" << 11 << 2 << 0 << true;
    QTest::newRow("B220 title 2") << "B220" << 2 << 2 << 0 << false;
    QTest::newRow("C918") << "C918" << 9 << 1 << 8 << true;
    QTest::newRow("context 3512") << "3512" << 5 << 1 << 2 << true;
    QTest::newRow("key code 6123") << "6123" << 1 << 2 << 3 << false;
    QTest::newRow("click code 0001") << "0001" << 0 << 0 << 1 << false;
}

void TstMenuFile::choice() {
    QFETCH(QString, code);
    QFETCH(int, openMenu);
    QFETCH(int, group);
    QFETCH(int, item);
    QFETCH(bool, match);
    QCOMPARE(choiceMatches(code, sim::bank::stepValue(code), openMenu, group, item), match);
}

QTEST_GUILESS_MAIN(TstMenuFile)
#include "tst_menufile.moc"
