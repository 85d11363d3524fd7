// Start-up: the previous-instance refusal, the install record, the start
// counter and the update checker, and the hand-over to the cover page.
#include "app/trainer.h"
#include "fakes.h"
#include "platform/registry.h"
#include "start/startup.h"
#include "start/verfile.h"
#include "tempfolder.h"

#include <QApplication>
#include <QTest>

#include <unistd.h>

namespace {
void writeModule(const TempFolder &tmp, const QString &marker) {
    tmp.write(QStringLiteral("ver.txt"), {start::verfile::encodeLine(QStringLiteral("AutoCAD 2004")),
                                          start::verfile::encodeLine(QStringLiteral("中文版")),
                                          start::verfile::encodeLine(QStringLiteral("data")),
                                          start::verfile::encodeLine(QStringLiteral("5"))});
    if (!marker.isNull())
        tmp.write(QStringLiteral("data/288892.rar"), {marker});
}
// Values kept in memory: only the install marker goes to the disk.
struct MemoryRegistry : platform::Registry {
    QMap<QString, platform::RegValue> values;
    int32_t setValue(int32_t, const QString &subKey, const QString &name,
                     const platform::RegValue &v) override {
        values[subKey + u'\\' + name] = v;
        return 0;
    }
    int32_t queryValue(int32_t, const QString &subKey, const QString &name,
                       platform::RegValue &out) override {
        const auto it = values.constFind(subKey + u'\\' + name);
        if (it == values.constEnd())
            return platform::ERROR_FILE_NOT_FOUND;
        out = *it;
        return 0;
    }
};
} // namespace

class TstStartup : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void refresher_data() {
        QTest::addColumn<QString>("counter"); // null: no counter file
        QTest::addColumn<QString>("sw");      // null: no switch file
        QTest::addColumn<bool>("started");
        QTest::addColumn<QString>("after");
        QTest::newRow("0, on") << "0"
                               << "1" << true << "1";
        QTest::newRow("9, on") << "9"
                               << "1" << false << "10";
        QTest::newRow("10, on") << "10"
                                << "1" << true << "11";
        QTest::newRow("10, switch with blanks") << "10"
                                                << " 1 " << true << "11";
        QTest::newRow("10, off") << "10"
                                 << "0" << false << "11";
        QTest::newRow("missing counter, on") << QString() << "1" << true << "1";
        QTest::newRow("0, missing switch") << "0" << QString() << false << "1";
        QTest::newRow("garbage counter") << "abc"
                                         << "1" << true << "1";
    }
    void refresher() {
        QFETCH(QString, counter);
        QFETCH(QString, sw);
        QFETCH(bool, started);
        QFETCH(QString, after);
        TempFolder tmp;
        ModData d;
        d.AppPath = tmp.path();
        d.DataDir = tmp.path() + QStringLiteral("/data/");
        QDir(tmp.path()).mkdir(QStringLiteral("data"));
        if (!counter.isNull())
            tmp.write(QStringLiteral("data/288897.rar"), {counter});
        if (!sw.isNull())
            tmp.write(QStringLiteral("refresher.txt"), {sw});
        FakeLauncher launcher;
        QCOMPARE(start::startup::refresherExe(d, launcher), started);
        QCOMPARE(launcher.started.size(), started ? 1 : 0);
        if (started)
            QCOMPARE(launcher.started.first(), tmp.file(QStringLiteral("refresher")));
        QCOMPARE(tmp.read(QStringLiteral("data/288897.rar")), QStringList{after});
    }

    void installRecordOnFirstStartOnly() {
        TempFolder tmp;
        writeModule(tmp, QStringLiteral("0"));
        ModData d;
        d.AppPath = tmp.path();
        QVERIFY(start::verfile::readInfo(d, nullptr));
        platform::FileRegistry reg(tmp.file(QStringLiteral("reg")));
        QVERIFY(start::startup::recordInstall(d, reg, QStringLiteral("caddrill"), nullptr));
        platform::RegValue v;
        QCOMPARE(reg.queryValue(platform::HKEY_CURRENT_USER, QStringLiteral("Software\\Microsoft"),
                                QStringLiteral("ProPath05"), v),
                 0);
        QCOMPARE(v.value.toString(), tmp.path() + QString(72, u'*'));
        QCOMPARE(v.type, platform::REG_SZ);
        QCOMPARE(reg.queryValue(platform::HKEY_CURRENT_USER, QStringLiteral("Software\\Microsoft"),
                                QStringLiteral("ProName05"), v),
                 0);
        QCOMPARE(v.value.toString(), QStringLiteral("caddrill") + QString(36, u'*'));
        QCOMPARE(tmp.read(QStringLiteral("data/288892.rar")), QStringList{QStringLiteral("1")});

        // the second start leaves the registry alone
        QFile::remove(reg.fileFor(platform::HKEY_CURRENT_USER));
        QVERIFY(start::startup::recordInstall(d, reg, QStringLiteral("caddrill"), nullptr));
        QVERIFY(!QFile::exists(reg.fileFor(platform::HKEY_CURRENT_USER)));
    }

    // The first start on a data folder that cannot be written: the install is
    // recorded, the marker stays "0" (it is recorded again next time) and the
    // start goes on.
    void firstStartOnReadOnlyDataFolder_data() {
        QTest::addColumn<bool>("chmod"); // a real read-only folder, or a write that fails
        QTest::newRow("writes fail") << false;
        QTest::newRow("read-only folder") << true;
    }
    void firstStartOnReadOnlyDataFolder() {
        QFETCH(bool, chmod);
        if (chmod && ::geteuid() == 0)
            QSKIP("root writes into a read-only folder");
        TempFolder tmp;
        writeModule(tmp, QStringLiteral("0"));
        ModData d;
        d.AppPath = tmp.path();
        QVERIFY(start::verfile::readInfo(d, nullptr));
        const QString data = tmp.file(QStringLiteral("data"));
        const auto restore = qScopeGuard([&] {
            platform::textfile::setSpaceLeftForTesting(-1);
            QFile::setPermissions(data, QFile::permissions(data) | QFileDevice::WriteOwner);
        });
        if (chmod)
            QVERIFY(QFile::setPermissions(data, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        else
            platform::textfile::setSpaceLeftForTesting(0);
        MemoryRegistry reg;
        QString error;
        QVERIFY2(start::startup::recordInstall(d, reg, QStringLiteral("caddrill"), &error),
                 qPrintable(error));
        QCOMPARE(reg.values.value(QStringLiteral("Software\\Microsoft\\ProPath05")).value.toString(),
                 tmp.path() + QString(72, u'*'));
        QCOMPARE(tmp.read(QStringLiteral("data/288892.rar")), QStringList{QStringLiteral("0")});
    }

    void secondInstanceTouchesNothing() {
        TempFolder tmp;
        writeModule(tmp, QStringLiteral("0"));
        tmp.write(QStringLiteral("data/288897.rar"), {QStringLiteral("0")});
        ModData d;
        d.AppPath = tmp.path();
        FakePrompter prompter;
        FakeLauncher launcher;
        FakeInstance instance;
        instance.free = false;
        platform::FileRegistry reg(tmp.file(QStringLiteral("reg")));
        Trainer trainer(d, {&prompter, &reg, &launcher, nullptr, &instance}, QStringLiteral("caddrill"));
        QVERIFY(!trainer.start());
        QCOMPARE(prompter.asked.size(), 1);
        QCOMPARE(prompter.asked.first().title, QStringLiteral("系统提示"));
        QCOMPARE(prompter.asked.first().icon, platform::Prompter::Information);
        QVERIFY(prompter.asked.first().text.startsWith(QStringLiteral("考试练习系统已在运行。")));
        QVERIFY(d.ModuleName.isEmpty()); // ver.txt was not even read
        QCOMPARE(tmp.read(QStringLiteral("data/288892.rar")), QStringList{QStringLiteral("0")});
        QCOMPARE(tmp.read(QStringLiteral("data/288897.rar")), QStringList{QStringLiteral("0")});
        QVERIFY(!QFile::exists(reg.fileFor(platform::HKEY_CURRENT_USER)));
        QVERIFY(launcher.started.isEmpty());
        QCOMPARE(instance.calls, 1); // the running trainer was asked to show itself
    }

    // Called by a second start, the running trainer raises and activates the
    // window the learner had last, restoring it when minimised.
    void secondStartBringsTheWindowBack() {
        TempFolder tmp;
        writeModule(tmp, QStringLiteral("1"));
        tmp.write(QStringLiteral("data/288897.rar"), {QStringLiteral("20")});
        tmp.write(QStringLiteral("data/288899.rar"), {QStringLiteral("5")});
        tmp.write(QStringLiteral("data/288895.rar"), {QStringLiteral("2026.12")});
        ModData d;
        d.AppPath = tmp.path();
        FakePrompter prompter;
        FakeLauncher launcher;
        FakeInstance instance;
        platform::FileRegistry reg(tmp.file(QStringLiteral("reg")));
        Trainer trainer(d, {&prompter, &reg, &launcher, nullptr, &instance}, QStringLiteral("caddrill"));
        QVERIFY(trainer.start());
        QVERIFY(instance.handler);
        QTRY_VERIFY_WITH_TIMEOUT(trainer.cover() && trainer.cover()->isVisible(), 2000);
        QWidget *cover = trainer.cover();
        cover->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), cover);
        QCOMPARE(instance.calls, 0);

        // a window that had the focus and is gone since is passed over
        QWidget other;
        other.show();
        other.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &other);
        other.hide();
        cover->showMinimized();
        QTRY_VERIFY(cover->isMinimized());
        instance.handler();
        QTRY_VERIFY(!cover->isMinimized());
        QTRY_COMPARE(QApplication::activeWindow(), cover);
    }

    void unreadableStartFilesAreNamed_data() {
        QTest::addColumn<bool>("withVer");
        QTest::addColumn<QString>("named");
        QTest::newRow("no ver.txt") << false << "ver.txt";
        QTest::newRow("no first-run marker") << true << "288892.rar";
    }
    void unreadableStartFilesAreNamed() {
        QFETCH(bool, withVer);
        QFETCH(QString, named);
        TempFolder tmp;
        if (withVer)
            writeModule(tmp, QString());
        ModData d;
        d.AppPath = tmp.path();
        FakePrompter prompter;
        FakeLauncher launcher;
        FakeInstance instance;
        platform::FileRegistry reg(tmp.file(QStringLiteral("reg")));
        Trainer trainer(d, {&prompter, &reg, &launcher, nullptr, &instance}, QStringLiteral("caddrill"));
        QVERIFY(!trainer.start());
        QCOMPARE(prompter.asked.size(), 1);
        QVERIFY2(prompter.asked.first().text.contains(named), qPrintable(prompter.asked.first().text));
        QVERIFY(launcher.started.isEmpty());
    }

    void handOverShowsCoverThenChecksForUpdates() {
        TempFolder tmp;
        writeModule(tmp, QStringLiteral("1"));
        tmp.write(QStringLiteral("refresher.txt"), {QStringLiteral("1")});
        tmp.write(QStringLiteral("data/288897.rar"), {QStringLiteral("20")});
        tmp.write(QStringLiteral("data/288899.rar"),
                  {QStringLiteral("5")}); // the data folder is this module's
        tmp.write(QStringLiteral("data/288895.rar"), {QStringLiteral("2026.12")});
        ModData d;
        d.AppPath = tmp.path();
        FakePrompter prompter;
        FakeLauncher launcher;
        FakeInstance instance;
        platform::FileRegistry reg(tmp.file(QStringLiteral("reg")));
        Trainer trainer(d, {&prompter, &reg, &launcher, nullptr, &instance}, QStringLiteral("caddrill"));
        QVERIFY(trainer.start());
        QVERIFY(prompter.asked.isEmpty());
        QCOMPARE(d.CandidateName, QStringLiteral("柏川1"));
        QCOMPARE(d.DataExt, QStringLiteral(".rar"));
        QVERIFY(trainer.startForm());
        QCOMPARE(trainer.startForm()->size(), QSize(440, 99));
        QVERIFY(!trainer.cover());
        QTRY_VERIFY_WITH_TIMEOUT(trainer.cover() && trainer.cover()->isVisible(), 2000);
        QCOMPARE(trainer.cover()->windowTitle(),
                 QStringLiteral("柏川云学职称计算机考试——AutoCAD 2004模块  题库版本：2026.12"));
        QTRY_VERIFY(!trainer.startForm());
        QCOMPARE(launcher.started.size(), 1);
        QCOMPARE(tmp.read(QStringLiteral("data/288897.rar")), QStringList{QStringLiteral("21")});
    }
};

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
