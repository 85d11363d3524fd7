// The step vocabulary: what each step code asks for, and the record's field
// table (every named field written and read back through the same columns).
#include "records.h"
#include "simulator/inputcodes.h"
#include "simulator/stepcode.h"
#include "simulator/steprecord.h"

#include <QTest>

using namespace sim;

Q_DECLARE_METATYPE(sim::StepKind)
Q_DECLARE_METATYPE(sim::menus::Bank)
Q_DECLARE_METATYPE(sim::bank::Field)

class TstStepCode : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void decode_data();
    void decode();
    void menuFields_data();
    void menuFields();
    void confirmKeys_data();
    void confirmKeys();
    void keyEvents_data();
    void keyEvents();
    void pictureDirections_data();
    void pictureDirections();
    void commandLineTyping();
    void fieldRoundTrip_data();
    void fieldRoundTrip();
    void fieldTableCoversTheRecord();
    void namedSettersUseTheTable();
};

// Each row: the code, its kind, value, button, modifiers and key.
void TstStepCode::decode_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<StepKind>("kind");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("key");
    using K = StepKind;
    QTest::newRow("left click") << "0001" << K::Click << 1 << 0 << 0 << 0;
    QTest::newRow("double click") << "0002" << K::DoubleClick << 2 << 0 << 0 << 0;
    QTest::newRow("right click") << "0003" << K::RightClick << 3 << 0 << 0 << 0;
    QTest::newRow("right click or Enter") << "2000" << K::RightClickOrEnter << 2000 << 0 << 0 << 0;
    QTest::newRow("hover") << "0030" << K::Hover << 30 << 0 << 0 << 0;
    QTest::newRow("typing completes at once") << "0020" << K::TypeNow << 20 << 0 << 0 << 0;
    QTest::newRow("overlay box") << "0021" << K::TypeOverlay << 21 << 0 << 0 << 0;
    QTest::newRow("type and Enter 0022") << "0022" << K::TypeEnter << 22 << 0 << 0 << 0;
    QTest::newRow("type and Enter 0023") << "0023" << K::TypeEnter << 23 << 0 << 0 << 0;
    QTest::newRow("type and Enter 0026") << "0026" << K::TypeEnter << 26 << 0 << 0 << 0;
    QTest::newRow("command line A111") << "A111" << K::TypeEnter << 10111 << 0 << 0 << 0;
    QTest::newRow("drag-select with Shift") << "0041" << K::DragSelect << 41 << 0 << 1 << 0;
    QTest::newRow("drag-drop plain") << "0050" << K::DragDrop << 50 << 0 << 0 << 0;
    QTest::newRow("drag-drop Ctrl+Alt") << "0056" << K::DragDrop << 56 << 0 << 6 << 0;
    QTest::newRow("picture drag left") << "8001" << K::PictureDrag << 8001 << 0 << 0 << 0;
    QTest::newRow("8005 is no direction") << "8005" << K::Unknown << 8005 << 0 << 0 << 0;
    QTest::newRow("timer") << "8888" << K::Timer << 8888 << 0 << 0 << 0;
    QTest::newRow("closing") << "9999" << K::Closing << 9999 << 0 << 0 << 0;
    QTest::newRow("press Shift+left") << "9101" << K::Press << 9101 << 1 << 1 << 0;
    QTest::newRow("press Ctrl+middle") << "9204" << K::Press << 9204 << 4 << 2 << 0;
    QTest::newRow("press lowest") << "9000" << K::Press << 9000 << 0 << 0 << 0;
    QTest::newRow("press highest") << "9998" << K::Press << 9998 << 98 << 9 << 0;
    QTest::newRow("key Enter") << "6002" << K::Key << 6002 << 0 << 0 << 13;
    QTest::newRow("key F2") << "6003" << K::Key << 6003 << 0 << 0 << 113;
    QTest::newRow("key Shift+F4") << "6115" << K::Key << 6115 << 0 << 1 << 115;
    QTest::newRow("key F9") << "6020" << K::Key << 6020 << 0 << 0 << 120;
    QTest::newRow("key Ctrl+/") << "6291" << K::Key << 6291 << 0 << 2 << 191;
    QTest::newRow("key Ctrl+.") << "6299" << K::Key << 6299 << 0 << 2 << 190;
    QTest::newRow("key Ctrl+A") << "6265" << K::Key << 6265 << 0 << 2 << 65;
    QTest::newRow("key lowest") << "6000" << K::Key << 6000 << 0 << 0 << 0;
    QTest::newRow("context menu") << "3512" << K::ContextMenu << 3512 << 0 << 0 << 0;
    QTest::newRow("context menu, demonstration variant") << "4512" << K::ContextMenu << 4512 << 0 << 0 << 0;
    QTest::newRow("context edge 4999") << "4999" << K::ContextMenu << 4999 << 0 << 0 << 0;
    QTest::newRow("menu bar A") << "A123" << K::BarMenu << 10123 << 0 << 0 << 0;
    QTest::newRow("menu bar B") << "B220" << K::BarMenu << 11220 << 0 << 0 << 0;
    QTest::newRow("second menu bar C") << "C315" << K::BarMenu << 50315 << 0 << 0 << 0;
    QTest::newRow("A000 is a menu code") << "A000" << K::BarMenu << 10000 << 0 << 0 << 0;
    QTest::newRow("demonstration menu D") << "D123" << K::DemoMenu << 0 << 0 << 0 << 0;
    QTest::newRow("blank code") << "0000" << K::Unknown << 0 << 0 << 0 << 0;
    QTest::newRow("empty code") << "" << K::Unknown << 0 << 0 << 0 << 0;
    QTest::newRow("other letter") << "E123" << K::Unknown << 0 << 0 << 0 << 0;
    QTest::newRow("between ranges 5000") << "5000" << K::Unknown << 5000 << 0 << 0 << 0;
    QTest::newRow("between ranges 7000") << "7000" << K::Unknown << 7000 << 0 << 0 << 0;
    QTest::newRow("value 1 with blanks is a click") << "   1" << K::Click << 1 << 0 << 0 << 0;
    QTest::newRow("letter code in the press range") << "A-12" << K::Press << 9988 << 88 << 9 << 0;
}

void TstStepCode::decode() {
    QFETCH(QString, code);
    QFETCH(StepKind, kind);
    QFETCH(int, value);
    QFETCH(int, button);
    QFETCH(int, modifiers);
    QFETCH(int, key);
    const StepCode c = decodeStepCode(code);
    QCOMPARE(c.code, code);
    QCOMPARE(c.kind, kind);
    QCOMPARE(int(c.value), value);
    QCOMPARE(c.button, button);
    QCOMPARE(c.modifiers, modifiers);
    QCOMPARE(c.key, key);
}

// Each row: the code, the pop-up bank it reads, menu number, group, item.
void TstStepCode::menuFields_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<sim::menus::Bank>("bank");
    QTest::addColumn<int>("menu");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("item");
    using B = sim::menus::Bank;
    QTest::newRow("A: menu bar") << "A721" << B::MenuBar << 7 << 2 << 1;
    QTest::newRow("B: menus 10 and 11") << "B220" << B::MenuBar << 11 << 2 << 0;
    QTest::newRow("C: second menu bar") << "C315" << B::SecondMenuBar << 3 << 1 << 5;
    QTest::newRow("context 3") << "3512" << B::Context << 5 << 1 << 2;
    QTest::newRow("context 4") << "4420" << B::Context << 4 << 2 << 0;
    QTest::newRow("command line A111") << "A111" << B::MenuBar << 1 << 1 << 1;
    QTest::newRow("key code has no menu") << "6123" << B::None << 0 << 0 << 0;
    QTest::newRow("click has no menu") << "0001" << B::None << 0 << 0 << 0;
    QTest::newRow("D has no menu") << "D123" << B::None << 0 << 0 << 0;
}

void TstStepCode::menuFields() {
    QFETCH(QString, code);
    QFETCH(sim::menus::Bank, bank);
    QFETCH(int, menu);
    QFETCH(int, group);
    QFETCH(int, item);
    const StepCode c = decodeStepCode(code);
    QCOMPARE(c.bank, bank);
    QCOMPARE(c.isMenu(), bank != sim::menus::Bank::None);
    QCOMPARE(c.menu, menu);
    QCOMPARE(c.group, group);
    QCOMPARE(c.item, item);
}

// Each row: code, key, whether it completes the step sent to the window.
void TstStepCode::confirmKeys_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("vk");
    QTest::addColumn<bool>("confirms");
    QTest::newRow("2000 Enter") << "2000" << 13 << true;
    QTest::newRow("2000 Space") << "2000" << 32 << true;
    QTest::newRow("2000 Esc") << "2000" << 27 << false;
    QTest::newRow("3420 Esc") << "3420" << 27 << true;
    QTest::newRow("3220 Space") << "3220" << 32 << true;
    QTest::newRow("3512 Enter") << "3512" << 13 << false;
    QTest::newRow("0001 Enter") << "0001" << 13 << false;
}

void TstStepCode::confirmKeys() {
    QFETCH(QString, code);
    QFETCH(int, vk);
    QFETCH(bool, confirms);
    QCOMPARE(decodeStepCode(code).confirmKey(vk), confirms);
}

// Each row: a key event as Qt reports it (key, modifiers, text) and the key
// code and modifier state the simulated window stores for it.
void TstStepCode::keyEvents_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("shift");
    const Qt::KeyboardModifiers none, shift(Qt::ShiftModifier);
    // Shift with the digit row: Qt names the character, the key is the digit's
    const int shifted[] = {Qt::Key_ParenRight, Qt::Key_Exclam,   Qt::Key_At,          Qt::Key_NumberSign,
                           Qt::Key_Dollar,     Qt::Key_Percent,  Qt::Key_AsciiCircum, Qt::Key_Ampersand,
                           Qt::Key_Asterisk,   Qt::Key_ParenLeft};
    for (int d = 0; d < 10; ++d)
        QTest::addRow("Shift+%d", d) << shifted[d] << shift << QString(QChar(shifted[d])) << '0' + d << 1;
    QTest::newRow("Ctrl+Shift+1 without text")
        << int(Qt::Key_Exclam) << (shift | Qt::ControlModifier) << QString() << 49 << 3;
    QTest::newRow("1 alone") << int(Qt::Key_1) << none << QStringLiteral("1") << 49 << 0;
    QTest::newRow("[") << int(Qt::Key_BracketLeft) << none << QStringLiteral("[") << 219 << 0;
    QTest::newRow("Shift+[ types {") << int(Qt::Key_BraceLeft) << shift << QStringLiteral("{") << 219 << 1;
    QTest::newRow("\\") << int(Qt::Key_Backslash) << none << QStringLiteral("\\") << 220 << 0;
    QTest::newRow("Shift+\\ types |") << int(Qt::Key_Bar) << shift << QStringLiteral("|") << 220 << 1;
    QTest::newRow("]") << int(Qt::Key_BracketRight) << none << QStringLiteral("]") << 221 << 0;
    QTest::newRow("Ctrl+]") << int(Qt::Key_BracketRight) << Qt::KeyboardModifiers(Qt::ControlModifier)
                            << QStringLiteral("\x1d") << 221 << 2;
    QTest::newRow("Shift+] types }") << int(Qt::Key_BraceRight) << shift << QStringLiteral("}") << 221 << 1;
    QTest::newRow("'") << int(Qt::Key_Apostrophe) << none << QStringLiteral("'") << 222 << 0;
    QTest::newRow("Shift+' types \"") << int(Qt::Key_QuoteDbl) << shift << QStringLiteral("\"") << 222 << 1;
    QTest::newRow("`") << int(Qt::Key_QuoteLeft) << none << QStringLiteral("`") << 192 << 0;
    QTest::newRow("Shift+` types ~") << int(Qt::Key_AsciiTilde) << shift << QStringLiteral("~") << 192 << 1;
    QTest::newRow("Shift+; types :") << int(Qt::Key_Colon) << shift << QStringLiteral(":") << 186 << 1;
    QTest::newRow("Shift+/ types ?") << int(Qt::Key_Question) << shift << QStringLiteral("?") << 191 << 1;
    QTest::newRow("Shift+A") << int(Qt::Key_A) << shift << QStringLiteral("A") << 65 << 1;
    QTest::newRow("Shift+F4") << int(Qt::Key_F4) << shift << QString() << 115 << 1;
    QTest::newRow("keypad * is not Shift+8")
        << int(Qt::Key_Asterisk) << Qt::KeyboardModifiers(Qt::KeypadModifier) << QStringLiteral("*") << 106
        << 0;
    QTest::newRow("a key Qt cannot name, read by its text")
        << int(Qt::Key_unknown) << none << QStringLiteral("[") << 219 << 0;
    QTest::newRow("a letter of another script has no key code")
        << 0x0419 << none << QStringLiteral("\u0439") << 0 << 0;
}

void TstStepCode::keyEvents() {
    QFETCH(int, qtKey);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(int, shift);
    const KeyCode c = keyOfEvent(qtKey, mods, text);
    QCOMPARE(c.key, key);
    QCOMPARE(c.shift, shift);
    // a code the window stores is one the bank checker knows a keyboard gives
    QCOMPARE(keyboardHasKey(c.key), key != 0);
}

// Each row: the code and the way picture 5 must go on each axis.
void TstStepCode::pictureDirections_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::newRow("8001 left") << "8001" << -1 << 0;
    QTest::newRow("8002 right") << "8002" << 1 << 0;
    QTest::newRow("8003 up") << "8003" << 0 << -1;
    QTest::newRow("8004 down") << "8004" << 0 << 1;
    QTest::newRow("8006 left and down") << "8006" << -1 << 1;
    QTest::newRow("8007 right and down") << "8007" << 1 << 1;
    QTest::newRow("8008 left and up") << "8008" << -1 << -1;
    QTest::newRow("8009 right and up") << "8009" << 1 << -1;
}

void TstStepCode::pictureDirections() {
    QFETCH(QString, code);
    QFETCH(int, dx);
    QFETCH(int, dy);
    const StepCode c = decodeStepCode(code);
    QCOMPARE(c.kind, StepKind::PictureDrag);
    QCOMPARE(c.dx, dx);
    QCOMPARE(c.dy, dy);
}

void TstStepCode::commandLineTyping() {
    QVERIFY(decodeStepCode(QStringLiteral("A112")).commandLineTyping(true));
    QVERIFY(!decodeStepCode(QStringLiteral("A112")).commandLineTyping(false));
    QVERIFY(!decodeStepCode(QStringLiteral("A121")).commandLineTyping(true));
    QVERIFY(decodeStepCode(QStringLiteral("A121")).showsMenuBar(true));
    QVERIFY(!decodeStepCode(QStringLiteral("A111")).showsMenuBar(true));
    QVERIFY(decodeStepCode(QStringLiteral("A111")).showsMenuBar(false));
    QVERIFY(decodeStepCode(QStringLiteral("B220")).showsMenuBar(true));
    QVERIFY(!decodeStepCode(QStringLiteral("3512")).showsMenuBar(false));
}

// Each row: a field, the number or text written, and what reading it gives back.
void TstStepCode::fieldRoundTrip_data() {
    QTest::addColumn<sim::bank::Field>("field");
    QTest::addColumn<int>("number"); // -1: write text instead
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    using F = sim::bank::Field;
    QTest::newRow("number padded with zeros") << F::ZoneX << 1500 << QString() << "01500";
    QTest::newRow("number cut to its last digits") << F::HintLine << 12345 << QString() << "345";
    QTest::newRow("negative number stored as 0") << F::TargetY << -30 << QString() << "00000";
    QTest::newRow("four-column number") << F::Zone2Y << 4500 << QString() << "4500";
    QTest::newRow("picture 4 left") << F::Pic4X << 7 << QString() << "00007";
    QTest::newRow("picture 5 id") << F::Pic5Id << -1 << "123456"
                                  << "123456";
    QTest::newRow("text padded with blanks") << F::Prefix << -1 << "AB"
                                             << "AB   ";
    QTest::newRow("text cut to the width") << F::StepCode << -1 << "A1234"
                                           << "A123";
    QTest::newRow("one-column flag") << F::Zone2Click << -1 << "0"
                                     << "0";
    QTest::newRow("pointer shares the box height") << F::PointerSpec << -1 << "S0011"
                                                   << "S0011";
    QTest::newRow("back marker in the menu bar's left") << F::MenuBarX << -1 << "Q0003"
                                                        << "Q0003";
}

void TstStepCode::fieldRoundTrip() {
    QFETCH(sim::bank::Field, field);
    QFETCH(int, number);
    QFETCH(QString, text);
    QFETCH(QString, stored);
    sim::bank::StepRecord r = sim::bank::StepRecord::blank();
    if (number >= 0 || text.isNull())
        r.set(field, number);
    else
        r.set(field, text);
    QCOMPARE(r.get(field), stored);
    QCOMPARE(r.line.size(), sim::bank::RecordLength);
    // Only the field's own columns changed.
    const sim::bank::FieldSpec &f = sim::bank::fieldSpec(field);
    QCOMPARE(r.line.left(f.start - 1), QString(f.start - 1, u'0'));
    QCOMPARE(r.line.mid(f.start - 1 + f.width),
             QString(sim::bank::RecordLength - f.start + 1 - f.width, u'0'));
}

// The table's fields tile the record: in column order, no gap and no overlap,
// except the pointer that shares the box height's columns.
void TstStepCode::fieldTableCoversTheRecord() {
    int next = 1;
    for (const sim::bank::FieldSpec &f : sim::bank::FieldTable) {
        if (f.field == sim::bank::Field::PointerSpec) {
            QCOMPARE(f.start, sim::bank::fieldSpec(sim::bank::Field::BoxH).start);
            continue;
        }
        QVERIFY2(f.start == next, f.name);
        next = f.start + f.width;
    }
    QCOMPARE(next, sim::bank::RecordLength + 1);
}

// The named setters and the fixture builder write the same columns the named
// getters and the group rules read.
void TstStepCode::namedSettersUseTheTable() {
    const sim::bank::StepRecord r = Rec(QStringLiteral("0050"))
                                        .zone(1500, 1515, 600, 615)
                                        .zone2(3000, 3015, 300, 315, u'0')
                                        .box(300, 8500, 3000, 300, 4, 5)
                                        .hint(120, 135, 6)
                                        .pic(4, 45, 60, QStringLiteral("654321"))
                                        .back(QStringLiteral("Q0002"), 90, 105);
    QCOMPARE(r.StepCode(), QStringLiteral("0050"));
    QCOMPARE(r.ScreenPicture(), sim::bank::KeepId);
    QCOMPARE(r.zoneX(), 1500);
    QCOMPARE(r.zoneY(), 1515);
    QCOMPARE(r.zoneW(), 600);
    QCOMPARE(r.zoneH(), 615);
    QVERIFY(r.zone1Present());
    QCOMPARE(r.zone2X(), 3000);
    QCOMPARE(r.zone2Y(), 3015);
    QCOMPARE(r.zone2W(), 300);
    QCOMPARE(r.zone2H(), 315);
    QVERIFY(r.zone2Present());
    QVERIFY(r.zone2PlainClick());
    QCOMPARE(r.boxX(), 300);
    QCOMPARE(r.boxH(), 300);
    QCOMPARE(r.boxTextLine(), 4);
    QCOMPARE(r.answerLine(), 5);
    QVERIFY(r.boxPresent());
    QCOMPARE(r.hintX(), 120);
    QCOMPARE(r.hintY(), 135);
    QCOMPARE(r.hintLine(), 6);
    QVERIFY(r.hintPlaced());
    QCOMPARE(r.picX(4), 45);
    QCOMPARE(r.picY(4), 60);
    QCOMPARE(r.PicId(4), QStringLiteral("654321"));
    QVERIFY(r.picturePlaced(4));
    QVERIFY(!r.picturePlaced(5));
    QVERIFY(r.hasBackMarker());
    QCOMPARE(r.backSteps(), 2);
    QCOMPARE(r.targetX(), 90);
    QCOMPARE(r.targetY(), 105);
    sim::bank::StepRecord locked = r;
    locked.setLocked(true);
    QCOMPARE(locked.Zone2Lock(), QStringLiteral("EE"));
    QVERIFY(!locked.zone2PlainClick());
}

QTEST_GUILESS_MAIN(TstStepCode)
#include "tst_stepcode.moc"
