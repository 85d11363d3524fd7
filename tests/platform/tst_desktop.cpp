// What the trainer asks of the desktop: a second start that reaches the running
// trainer through its local socket, and Qt's own Chinese button texts.
#include "platform/localinstance.h"
#include "platform/translations.h"
#include "tempfolder.h"

#include <QApplication>
#include <QLocalServer>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

class TstDesktop : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // The first start listens; a second start of the same folder is refused and
    // reaches it; a start of another folder reaches nobody.
    void secondStartCallsTheRunningOne() {
        TempFolder folder;
        int handled = 0;
        platform::LocalInstance running(folder.path());
        QVERIFY(running.acquire());
        QVERIFY(running.listening());
        running.whenCalled([&handled] { ++handled; });
        QSignalSpy called(&running, &platform::LocalInstance::called);

        // the same folder by another spelling
        platform::LocalInstance second(folder.path() + QStringLiteral("/./"));
        QCOMPARE(second.serverName(), running.serverName());
        QVERIFY(!second.acquire());
        QVERIFY(!second.listening());
        QVERIFY(second.callRunning());
        QTRY_COMPARE(called.count(), 1);
        QCOMPARE(handled, 1);
        QVERIFY(second.callRunning()); // and again, each call answered once
        QTRY_COMPARE(called.count(), 2);

        TempFolder other;
        platform::LocalInstance elsewhere(other.path());
        QVERIFY(elsewhere.serverName() != running.serverName());
        QVERIFY(!elsewhere.callRunning());
        QTest::qWait(50);
        QCOMPARE(called.count(), 2);
    }

    // A socket left behind (a crashed trainer) does not keep the next one from listening.
    void leftOverSocketIsReplaced() {
        TempFolder folder;
        const QString name = platform::LocalInstance(folder.path()).serverName();
        QLocalServer orphan;
        QVERIFY(orphan.listen(name)); // stands in for the socket file a crash leaves
        platform::LocalInstance next(folder.path());
        QVERIFY(next.acquire());
        QVERIFY(next.listening());
        QSignalSpy called(&next, &platform::LocalInstance::called);
        platform::LocalInstance second(folder.path());
        QVERIFY(second.callRunning());
        QTRY_COMPARE(called.count(), 1);
    }

    // Message-box buttons read Chinese once the loader ran.
    void messageBoxButtonsReadChinese_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Yes") << int(QMessageBox::Yes) << QStringLiteral("是");
        QTest::newRow("No") << int(QMessageBox::No) << QStringLiteral("否");
        QTest::newRow("OK") << int(QMessageBox::Ok) << QStringLiteral("确定");
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << QStringLiteral("取消");
    }
    void messageBoxButtonsReadChinese() {
        QFETCH(int, button);
        QFETCH(QString, caption);
        if (platform::translations::qtChineseFile().isEmpty())
            QSKIP("Qt's Chinese translations are not installed (scripts/setup installs them)");
        static const bool installed = platform::translations::installQtChinese(*qApp);
        QVERIFY(installed);
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("t"), QStringLiteral("x"),
                        QMessageBox::StandardButton(button));
        QString text = box.button(QMessageBox::StandardButton(button))->text();
        // the mnemonic, "(&Y)" or a bare "&", is no part of the caption
        text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
        QCOMPARE(text, caption);
    }
};

QTEST_MAIN(TstDesktop)
#include "tst_desktop.moc"
