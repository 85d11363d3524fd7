// Where the written files land: beside the program when its folder can be
// written, in the per-user folder when it cannot; what stays where it was
// shipped; and what a restart reads back.
#include "cover/covermodel.h"
#include "fakes.h"
#include "panel/progress.h"
#include "platform/places.h"
#include "platform/registry.h"
#include "simulator/bankreader.h"
#include "start/setfiles.h"
#include "start/startup.h"
#include "start/verfile.h"
#include "tempfolder.h"

#include <QDirIterator>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

#include <unistd.h>

namespace {

const auto Writable = [](const QString &) { return true; };
const auto ReadOnly = [](const QString &) { return false; };

struct MemoryRegistry : platform::Registry {
    int writes = 0;
    int32_t setValue(int32_t, const QString &, const QString &, const platform::RegValue &) override {
        ++writes;
        return 0;
    }
    int32_t queryValue(int32_t, const QString &, const QString &, platform::RegValue &) override {
        return platform::ERROR_FILE_NOT_FOUND;
    }
};

// A shipped module: ver.txt naming the data folder "cad2004", the first-run
// marker still "0", a start counter and the update switch.
void shipModule(const TempFolder &program) {
    program.write(QStringLiteral("ver.txt"), {start::verfile::encodeLine(QStringLiteral("测试")),
                                              start::verfile::encodeLine(QStringLiteral("中文版")),
                                              start::verfile::encodeLine(QStringLiteral("cad2004")),
                                              start::verfile::encodeLine(QStringLiteral("7"))});
    program.write(QStringLiteral("cad2004/288892.rar"), {QStringLiteral("0")});
    program.write(QStringLiteral("cad2004/288897.rar"), {QStringLiteral("5")});
    program.write(QStringLiteral("refresher.txt"), {QStringLiteral("1")});
    QDir(program.path()).mkdir(QStringLiteral("ksdata"));
}

// Every file below folder with its bytes.
QMap<QString, QByteArray> snapshot(const QString &folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        files[QDir(folder).relativeFilePath(path)] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    return files;
}

// The path the trainer uses for one of its files, by the routine that names it.
QString pathOf(ModData &d, const QString &which) {
    if (which == u"update switch")
        return d.programFile(QStringLiteral("refresher.txt"));
    if (which == u"first-run marker")
        return d.dataFile(QStringLiteral("288892.rar"));
    if (which == u"start counter")
        return d.dataFile(QStringLiteral("288897.rar"));
    if (which == u"assembly log")
        return panel::progress::assemblyLogFile(d);
    if (which.startsWith(u"paper ") || which.startsWith(u"review") || which.startsWith(u"unit 0 ")) {
        d.CurSet = which.startsWith(u"paper 13") ? 13 : which.startsWith(u"review") ? CurSetReview : 0;
        d.SetBase = which.startsWith(u"paper") ? SetBaseExamPaper : SetBaseUnit;
        start::setfiles::nameSetFiles(d);
        return which.endsWith(u"index") ? d.IndexFile : which.endsWith(u"texts") ? d.TextFile : d.StepFile;
    }
    if (which == u"unit status")
        return panel::progress::unitStatusFile(d);
    if (which == u"unit results")
        return panel::progress::unitResultFile(d, 3);
    if (which == u"exam marks")
        return panel::progress::examMarksFile(d, 1);
    if (which == u"wrong list")
        return panel::progress::wrongListFile(d, 2);
    if (which == u"exam records")
        return panel::progress::examRecordFile(d);
    if (which == u"version file")
        return d.programFile(QStringLiteral("ver.txt"));
    if (which == u"menus")
        return d.programFile(QStringLiteral("sMenu.sys"));
    if (which == u"pointer")
        return sim::bank::pointerPath(d, QStringLiteral("01"));
    if (which == u"picture")
        return sim::bank::picturePath(d, QStringLiteral("100001"));
    if (which == u"set table")
        return d.dataFile(QStringLiteral("288891.rar"));
    if (which == u"bank version")
        return d.dataFile(QStringLiteral("288895.rar"));
    return QStringLiteral("(unknown row)");
}

} // namespace

class TstPlaces : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // shipped: the path below the program folder; own: below the user root when
    // the program folder is read-only, empty when the file stays where it was shipped
    void landing_data() {
        QTest::addColumn<QString>("shipped");
        QTest::addColumn<QString>("own");
        const QString written[][3] = {
            {"update switch", "refresher.txt", "cad2004/refresher.txt"},
            {"first-run marker", "cad2004/288892.rar", "cad2004/288892.rar"},
            {"start counter", "cad2004/288897.rar", "cad2004/288897.rar"},
            {"assembly log", "cad2004/288894.rar", "cad2004/288894.rar"},
            {"paper 0 steps", "cad2004/288800.rar", "cad2004/288800.rar"},
            {"paper 13 index", "cad2004/288863.rar", "cad2004/288863.rar"},
            {"review steps", "cad2004/288819.rar", "cad2004/288819.rar"},
            {"review index", "cad2004/288869.rar", "cad2004/288869.rar"},
            {"unit status", "ksdata/288893.rar", "cad2004/ksdata/288893.rar"},
            {"unit results", "ksdata/208803.rar", "cad2004/ksdata/208803.rar"},
            {"exam marks", "ksdata/218801.rar", "cad2004/ksdata/218801.rar"},
            {"wrong list", "ksdata/182402.rar", "cad2004/ksdata/182402.rar"},
            {"exam records", "ksdata/288892.rar", "cad2004/ksdata/288892.rar"},
        };
        for (const auto &row : written)
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2];
        const QString shippedOnly[][2] = {
            {"version file", "ver.txt"},
            {"menus", "sMenu.sys"},
            {"pointer", "ico01.CUR"},
            {"picture", "cad2004/100001.rar"},
            {"unit 0 steps", "cad2004/288820.rar"},
            {"unit 0 index", "cad2004/288870.rar"},
            {"unit 0 texts", "cad2004/288890.rar"},
            {"set table", "cad2004/288891.rar"},
            {"bank version", "cad2004/288895.rar"},
        };
        for (const auto &row : shippedOnly)
            QTest::newRow(qPrintable(row[0])) << row[1] << QString();
    }
    void landing() {
        QFETCH(QString, shipped);
        QFETCH(QString, own);
        const QString which = QString::fromLatin1(QTest::currentDataTag());
        TempFolder program, user;
        ModData d;
        d.AppPath = program.path();
        d.DataDir = program.file(QStringLiteral("cad2004/"));

        d.Places = platform::RecordPlaces::decide(d.AppPath, Writable, user.path());
        QVERIFY(!d.Places.perUser());
        QCOMPARE(QDir::cleanPath(pathOf(d, which)), program.file(shipped));

        d.Places = platform::RecordPlaces::decide(d.AppPath, ReadOnly, user.path());
        QVERIFY(d.Places.perUser());
        QCOMPARE(QDir::cleanPath(pathOf(d, which)), own.isEmpty() ? program.file(shipped) : user.file(own));
    }

    // The whole start-up's writes with a read-only program folder: the shipped
    // files seed the user's copies and stay untouched; a restart reads the
    // user's copies back.
    void restartReadsTheUsersCopies() {
        TempFolder program, user;
        shipModule(program);
        program.write(QStringLiteral("ksdata/288893.rar"), {QStringLiteral("TTF")});
        program.write(QStringLiteral("cad2004/288897.rar"), {QStringLiteral("10")});
        const auto shipped = snapshot(program.path());

        int installRecords = 0;
        for (int start = 1; start <= 2; ++start) {
            ModData d;
            d.AppPath = program.path();
            d.Places = platform::RecordPlaces::decide(d.AppPath, ReadOnly, user.path());
            QString error;
            QVERIFY2(start::verfile::readInfo(d, &error), qPrintable(error));
            MemoryRegistry registry;
            QVERIFY(start::startup::recordInstall(d, registry, QStringLiteral("caddrill"), &error));
            installRecords += registry.writes;
            FakeLauncher launcher;
            start::startup::refresherExe(d, launcher);
            QCOMPARE(launcher.started.isEmpty(),
                     start == 2); // counter 10: the checker starts, 11: it does not
            if (start == 1) {
                // the learner switches the automatic check off and finishes a question
                QVERIFY(cover::writeAutoUpdate(d, false));
                QStringList status;
                QVERIFY(platform::textfile::readLines(panel::progress::unitStatusFile(d), status));
                QCOMPARE(status, QStringList{QStringLiteral("TTF")}); // seeded from the shipped record
                QVERIFY(platform::textfile::writeLinesAtomic(panel::progress::unitStatusFile(d),
                                                             {QStringLiteral("TTT")}));
            } else {
                QVERIFY(!cover::readAutoUpdate(d));
            }
        }
        QCOMPARE(installRecords, 2); // ProPath and ProName once, on the first start only
        QCOMPARE(user.read(QStringLiteral("cad2004/288892.rar")), QStringList{QStringLiteral("1")});
        QCOMPARE(user.read(QStringLiteral("cad2004/288897.rar")), QStringList{QStringLiteral("12")});
        QCOMPARE(user.read(QStringLiteral("cad2004/refresher.txt")), QStringList{QStringLiteral("0")});
        QCOMPARE(user.read(QStringLiteral("cad2004/ksdata/288893.rar")), QStringList{QStringLiteral("TTT")});
        QCOMPARE(snapshot(program.path()), shipped);
    }

    // A writable program folder keeps working as a portable copy: nothing is
    // written anywhere else.
    void writableFolderWritesNothingElsewhere() {
        TempFolder program, user;
        shipModule(program);
        ModData d;
        d.AppPath = program.path();
        d.Places = platform::RecordPlaces::decide(d.AppPath, Writable, user.path());
        QString error;
        QVERIFY2(start::verfile::readInfo(d, &error), qPrintable(error));
        MemoryRegistry registry;
        QVERIFY(start::startup::recordInstall(d, registry, QStringLiteral("caddrill"), &error));
        FakeLauncher launcher;
        start::startup::refresherExe(d, launcher);
        QVERIFY(
            platform::textfile::writeLinesAtomic(panel::progress::unitStatusFile(d), {QStringLiteral("T")}));
        QCOMPARE(program.read(QStringLiteral("cad2004/288892.rar")), QStringList{QStringLiteral("1")});
        QCOMPARE(program.read(QStringLiteral("cad2004/288897.rar")), QStringList{QStringLiteral("6")});
        QCOMPARE(program.read(QStringLiteral("ksdata/288893.rar")), QStringList{QStringLiteral("T")});
        QVERIFY(snapshot(user.path()).isEmpty());
    }

    // An installed program folder is shared by every user of the machine: it is
    // never written, even by one who could (root), and a portable copy without
    // the install marker keeps its records beside the program.
    void installedFolderIsNeverWritten_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("perUser");
        QTest::newRow("portable copy") << false << true << false;
        QTest::newRow("read-only copy") << false << false << true;
        QTest::newRow("installed, run by root") << true << true << true;
        QTest::newRow("installed, run by a user") << true << false << true;
    }
    void installedFolderIsNeverWritten() {
        QFETCH(bool, installed);
        QFETCH(bool, writable);
        QFETCH(bool, perUser);
        TempFolder program, user;
        shipModule(program);
        if (installed)
            program.write(platform::RecordPlaces::installMarker(), {QStringLiteral("installed")});
        const auto shipped = snapshot(program.path());
        ModData d;
        d.AppPath = program.path();
        const auto probe = [writable](const QString &) { return writable; };
        d.Places = platform::RecordPlaces::decide(d.AppPath, probe, user.path());
        QCOMPARE(d.Places.perUser(), perUser);
        QString error;
        QVERIFY2(start::verfile::readInfo(d, &error), qPrintable(error));
        MemoryRegistry registry;
        QVERIFY(start::startup::recordInstall(d, registry, QStringLiteral("caddrill"), &error));
        QVERIFY(
            platform::textfile::writeLinesAtomic(panel::progress::unitStatusFile(d), {QStringLiteral("T")}));
        QCOMPARE(snapshot(program.path()) == shipped, perUser);
        QCOMPARE(snapshot(user.path()).isEmpty(), !perUser);
    }

    // Each module's data folder gets its own per-user folder.
    void modulesStayApart() {
        TempFolder program, user;
        const auto places = platform::RecordPlaces::decide(program.path(), ReadOnly, user.path());
        const QString a = places.recordFile(program.path(), program.file(QStringLiteral("cad2004/")),
                                            QStringLiteral("288893.rar"));
        const QString b = places.recordFile(program.path(), program.file(QStringLiteral("word2003/")),
                                            QStringLiteral("288893.rar"));
        QCOMPARE(a, user.file(QStringLiteral("cad2004/ksdata/288893.rar")));
        QCOMPARE(b, user.file(QStringLiteral("word2003/ksdata/288893.rar")));
    }

    // The real probe: a folder that refuses new files, and one that does not exist.
    void probe() {
        TempFolder tmp;
        QVERIFY(platform::RecordPlaces::folderWritable(tmp.path()));
        QVERIFY(!platform::RecordPlaces::folderWritable(tmp.file(QStringLiteral("missing"))));
        QVERIFY(snapshot(tmp.path()).isEmpty()); // the probe leaves nothing behind
        QDir(tmp.path()).mkdir(QStringLiteral("locked"));
        const QString locked = tmp.file(QStringLiteral("locked"));
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(locked,
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        });
        if (::geteuid() == 0)
            QSKIP("root writes through permission bits; the install test runs the trainer as an unprivileged "
                  "user instead");
        QVERIFY(!platform::RecordPlaces::folderWritable(locked));
        QVERIFY(platform::RecordPlaces::decide(locked).perUser());
    }
};

QTEST_GUILESS_MAIN(TstPlaces)
#include "tst_places.moc"
