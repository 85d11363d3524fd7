#include "start/vb.h"

#include <QTest>

class TstVb : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void val_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("leading zeros") << "00150" << 150.0;
        QTest::newRow("blanks inside") << " 1 2 3" << 123.0;
        QTest::newRow("stops at letter") << "12ab" << 12.0;
        QTest::newRow("letter first") << "A111" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("only blanks") << "     " << 0.0;
        QTest::newRow("negative") << "-45" << -45.0;
        QTest::newRow("decimal") << "72.5" << 72.5;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("exponent") << "1E3" << 1000.0;
        QTest::newRow("dangling exponent") << "5E" << 5.0;
        QTest::newRow("hex") << "&H1F" << 31.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("hex, leading zeros do not count") << "&H0000000000FF" << 255.0;
        QTest::newRow("hex, more than 32 bits") << "&H123456789" << 0.0;
        QTest::newRow("hex, more than 64 bits") << "&H123456789ABCDEF0123" << 0.0;
        QTest::newRow("octal, more than 32 bits") << "&O777777777777" << 0.0;
        QTest::newRow("fullwidth digit is not a digit") << QStringLiteral("１2") << 0.0;
        QTest::newRow("D exponent") << "1D2" << 100.0;
        QTest::newRow("exponent sign") << "25e-1" << 2.5;
        QTest::newRow("beyond the double range") << "9E999" << 0.0;
    }
    void val() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(start::vb::Val(text), expected);
        // read as a field of a longer line, it ends where the field ends
        const QString line = u'9' + text + QStringLiteral("75");
        QCOMPARE(start::vb::Val(QStringView(line).mid(1, text.size())), expected);
    }

    void rounding_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("half to even down") << "2.5" << 2;
        QTest::newRow("half to even up") << "3.5" << 4;
        QTest::newRow("negative half") << "-2.5" << -2;
        QTest::newRow("above half") << "2.51" << 3;
        QTest::newRow("int16 clamp") << "70000" << 32767;
        QTest::newRow("far beyond 64 bits") << "1E99" << 32767;
        QTest::newRow("far below 64 bits") << "-1E99" << -32768;
    }
    void rounding() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(int(start::vb::ValInt(text)), expected);
    }

    void strings() {
        QCOMPARE(start::vb::Mid(QStringLiteral("柏川ABC"), 2, 2), QStringLiteral("川A"));
        QCOMPARE(start::vb::Mid(QStringLiteral("abc"), 5), QString());
        QCOMPARE(start::vb::Mid(QStringLiteral("abc"), 2), QStringLiteral("bc"));
        QCOMPARE(start::vb::Trim(QStringLiteral("\t a b  ")), QStringLiteral("\t a b"));
        QCOMPARE(start::vb::Str(5), QStringLiteral(" 5"));
        QCOMPARE(start::vb::Str(-5), QStringLiteral("-5"));
        QCOMPARE(start::vb::twoDigits(5), QStringLiteral("05"));
        QCOMPARE(start::vb::twoDigits(0), QStringLiteral("00"));
        QCOMPARE(start::vb::twoDigits(123), QStringLiteral("23"));
        QCOMPARE(start::vb::InStr(1, QStringLiteral("a|b|c"), QStringLiteral("|")), 2);
        QCOMPARE(start::vb::InStr(3, QStringLiteral("a|b|c"), QStringLiteral("|")), 4);
        QCOMPARE(start::vb::InStr(5, QStringLiteral("a|b|c"), QStringLiteral("|")), 0);
    }
};

QTEST_APPLESS_MAIN(TstVb)
#include "tst_vb.moc"
