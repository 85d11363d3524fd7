// The ground floor under stress: the atomic writer on a full disk, temporary
// files left by a kill, the registry file shared with other programs, and the
// single-instance lock of a program folder.
#include "platform/keyboardlayout.h"
#include "platform/places.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "tempfolder.h"

#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QThread>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList allEntries(const QString &folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QByteArray fileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void putBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class TstPlatform : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void cleanup() { platform::textfile::setSpaceLeftForTesting(-1); }

    // A disk that fills up while the new content is written: the write fails,
    // names the file, and the old content stays whole with nothing left beside it.
    void fullDiskKeepsOldFile_data() {
        QTest::addColumn<qint64>("space");
        QTest::newRow("no room at all") << qint64(0);
        QTest::newRow("room for a few bytes") << qint64(3);
        QTest::newRow("one byte short") << qint64(2 * 40 + 2 * 40 - 1); // 40 lines of "TF" + CR LF
    }
    void fullDiskKeepsOldFile() {
        QFETCH(qint64, space);
        TempFolder tmp;
        tmp.write(QStringLiteral("288893.rar"), {QStringLiteral("TTTF")});
        const QByteArray before = tmp.bytes(QStringLiteral("288893.rar"));
        platform::textfile::setSpaceLeftForTesting(space);
        QString error;
        const QStringList lines(40, QStringLiteral("TF"));
        QVERIFY(!platform::textfile::writeLinesAtomic(tmp.file(QStringLiteral("288893.rar")), lines, &error));
        QVERIFY2(error.contains(QStringLiteral("288893.rar")), qPrintable(error));
        QCOMPARE(tmp.bytes(QStringLiteral("288893.rar")), before);
        QCOMPARE(allEntries(tmp.path()), QStringList{QStringLiteral("288893.rar")});
        // with room again the same write lands whole
        platform::textfile::setSpaceLeftForTesting(-1);
        QVERIFY(platform::textfile::writeLinesAtomic(tmp.file(QStringLiteral("288893.rar")), lines, &error));
        QCOMPARE(tmp.read(QStringLiteral("288893.rar")), lines);
    }

    // The same on a real disk that is full: a small memory disk, filled up.
    void realFullDisk() {
        if (::geteuid() != 0)
            QSKIP("mounting a small disk needs root");
        TempFolder tmp;
        const QString mount = tmp.file(QStringLiteral("disk"));
        QDir().mkpath(mount);
        if (QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=64k"), QStringLiteral("tmpfs"), mount}) != 0)
            QSKIP("this machine does not let the test mount a memory disk");
        const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {mount}); });
        const QString target = mount + QStringLiteral("/288893.rar");
        QVERIFY(
            platform::textfile::writeLinesAtomic(target, {QStringLiteral("TTTF"), QStringLiteral("TFTF")}));
        const QByteArray before = fileBytes(target);
        {
            // fill the disk to the last byte
            QFile filler(mount + QStringLiteral("/filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
            filler.write("x");
            filler.flush();
        }
        QString error;
        const QStringList lines(200, QStringLiteral("0000000000000000000000000000000000000000"));
        QVERIFY(!platform::textfile::writeLinesAtomic(target, lines, &error));
        QVERIFY2(error.contains(QStringLiteral("288893.rar")), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("磁盘已满")), qPrintable(error));
        QCOMPARE(fileBytes(target), before);
        QCOMPARE(allEntries(mount), (QStringList{QStringLiteral("288893.rar"), QStringLiteral("filler")}));
    }

    // A damaged file with a line of megabytes: the line is cut when read, the
    // lines after it come as they are.
    void longLinesCutWhenRead_data() {
        QTest::addColumn<qsizetype>("length");
        QTest::addColumn<qsizetype>("kept");
        QTest::newRow("a line of the longest kept length")
            << platform::textfile::MaxLineChars << platform::textfile::MaxLineChars;
        QTest::newRow("one character more")
            << platform::textfile::MaxLineChars + 1 << platform::textfile::MaxLineChars;
        QTest::newRow("10 MiB") << qsizetype(10 << 20) << platform::textfile::MaxLineChars;
    }
    void longLinesCutWhenRead() {
        QFETCH(qsizetype, length);
        QFETCH(qsizetype, kept);
        TempFolder tmp;
        const QString path = tmp.file(QStringLiteral("288890.rar"));
        putBytes(path, "001" + QByteArray(length - 3, 'x') + "\r\n002y\r\n" + QByteArray(length, 'z'));
        QStringList lines;
        QVERIFY(platform::textfile::readLines(path, lines));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0].size(), kept);
        QVERIFY(lines[0].startsWith(QStringLiteral("001x")));
        QCOMPARE(lines[1], QStringLiteral("002y"));
        QCOMPARE(lines[2], QString(kept, u'z'));
    }

    // Only regular files of a sane size are read; everything else is refused at
    // once with a message that names the file, and nothing waits on a pipe.
    void readOnlyRegularFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason"); // "" when the file is read
        QTest::newRow("a record") << "file"
                                  << "";
        QTest::newRow("a link to a record") << "link"
                                            << "";
        QTest::newRow("a record of the largest size") << "largest"
                                                      << "";
        QTest::newRow("one byte past the largest size") << "toolarge"
                                                        << "toolarge";
        QTest::newRow("a link to an endless device") << "device"
                                                     << "notafile";
        QTest::newRow("a pipe named like a record") << "fifo"
                                                    << "notafile";
        QTest::newRow("a folder named like a record") << "folder"
                                                      << "notafile";
        QTest::newRow("a link to nothing") << "dangling"
                                           << "missing";
    }
    void readOnlyRegularFiles() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        TempFolder tmp;
        const QString path = tmp.file(QStringLiteral("288892.rar"));
        const QByteArray name = QFile::encodeName(path);
        const QByteArray expected = "2026-02-01 09:00:00\r\n72.5\r\n";
        if (kind == u"file")
            putBytes(path, expected);
        else if (kind == u"link") {
            putBytes(tmp.file(QStringLiteral("real.rar")), expected);
            QVERIFY(QFile::link(tmp.file(QStringLiteral("real.rar")), path));
        } else if (kind == u"largest" || kind == u"toolarge") {
            // a sparse file: the length without the disk space
            putBytes(path, expected);
            const qint64 size = platform::textfile::MaxFileBytes + (kind == u"toolarge" ? 1 : 0);
            QVERIFY(QFile::resize(path, size));
        } else if (kind == u"device")
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        else if (kind == u"fifo")
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        else if (kind == u"folder")
            QVERIFY(QDir().mkpath(path));
        else if (kind == u"dangling")
            QVERIFY(QFile::link(tmp.file(QStringLiteral("gone.rar")), path));

        platform::textfile::ReadError error;
        QStringList lines;
        QCOMPARE(platform::textfile::readLines(path, lines, &error), reason.isEmpty());
        if (reason.isEmpty()) {
            QCOMPARE(lines.mid(0, 2),
                     (QStringList{QStringLiteral("2026-02-01 09:00:00"), QStringLiteral("72.5")}));
            return;
        }
        QCOMPARE(error.reason, reason);
        QVERIFY(lines.isEmpty());
        QVERIFY2(error.message().contains(path), qPrintable(error.message()));
    }

    // A write that fails says why: a full disk is named as such, other
    // failures are not blamed on the disk.
    void writeFailureSaysWhy_data() {
        QTest::addColumn<qint64>("space"); // -1: room enough, the target is a folder
        QTest::addColumn<bool>("full");
        QTest::newRow("no room at all") << qint64(0) << true;
        QTest::newRow("room for a few bytes") << qint64(3) << true;
        QTest::newRow("a folder in the file's place") << qint64(-1) << false;
    }
    void writeFailureSaysWhy() {
        QFETCH(qint64, space);
        QFETCH(bool, full);
        TempFolder tmp;
        const QString path = tmp.file(QStringLiteral("288892.rar"));
        if (space < 0)
            QVERIFY(QDir().mkpath(path));
        platform::textfile::setSpaceLeftForTesting(space);
        QString error;
        QVERIFY(!platform::textfile::writeLinesAtomic(path, {QStringLiteral("2026-02-01 09:00:00")}, &error));
        QVERIFY2(error.contains(path), qPrintable(error));
        QCOMPARE(error.contains(QStringLiteral("磁盘已满")), full);
    }

    // The converters are kept between calls: a call that ends in the middle of
    // a character must leave nothing behind for the next one, in any thread.
    void gbkCallsIndependent_data() {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lone lead byte, then a letter")
            << QByteArray("ab\xb5") << QByteArray("A") << QStringLiteral("A");
        QTest::newRow("lone lead byte, then a whole character")
            << QByteArray("\xb5") << QByteArray("\xb5\xa5") << QStringLiteral("单");
        QTest::newRow("lone lead byte, then a trail byte alone")
            << QByteArray("\xb5") << QByteArray("\xa5") << QString();
    }
    void gbkCallsIndependent() {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(QString, expected);
        platform::gbk::decode(first);
        QCOMPARE(platform::gbk::decode(second), expected);
        // the same in a thread whose converter saw the first call
        QString inThread;
        std::unique_ptr<QThread> t(QThread::create([&] {
            platform::gbk::decode(first);
            inThread = platform::gbk::decode(second);
        }));
        t->start();
        QVERIFY(t->wait(10000));
        QCOMPARE(inThread, expected);
        // an unpaired surrogate left at the end of one text is not in the next
        platform::gbk::encode(QString(QChar(0xD800)));
        QCOMPARE(platform::gbk::encode(QStringLiteral("A单")), QByteArray("A\xb5\xa5"));
    }

    void staleTemporariesRemoved() {
        TempFolder tmp;
        tmp.write(QStringLiteral("288893.rar"), {QStringLiteral("T")});
        const QString stale = platform::textfile::temporaryPrefix(tmp.file(QStringLiteral("288893.rar"))) +
                              QStringLiteral("a1B2c3");
        putBytes(stale, "half a recor");
        putBytes(tmp.file(QStringLiteral(".hidden-but-ours-to-keep")), "x");
        QCOMPARE(platform::textfile::removeStaleTemporaries(tmp.path()), 1);
        QCOMPARE(allEntries(tmp.path()),
                 (QStringList{QStringLiteral(".hidden-but-ours-to-keep"), QStringLiteral("288893.rar")}));
    }

    // Two processes setting values in the shared store at the same moment (two
    // modules' trainers, or a trainer and its update checker): every value of
    // both survives; none is lost to the other's rewrite.
    void registryTwoWritersAtOnce() {
        TempFolder tmp;
        const int each = 40;
        QList<QProcess *> writers;
        for (const char *prefix : {"A", "B"}) {
            auto *p = new QProcess(this);
            p->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--registry-writer"), tmp.path(), QString::fromLatin1(prefix),
                      QString::number(each)});
            writers << p;
        }
        for (QProcess *p : writers) {
            QVERIFY(p->waitForFinished(120000));
            QCOMPARE(p->exitCode(), 0);
        }
        platform::FileRegistry reg(tmp.path());
        int found = 0;
        for (const char *prefix : {"A", "B"}) {
            for (int i = 0; i < each; ++i) {
                platform::RegValue v;
                const QString name = QString::fromLatin1(prefix) + QString::number(i);
                if (reg.queryValue(platform::HKEY_CURRENT_USER, QStringLiteral("Software\\Microsoft"), name,
                                   v) == platform::ERROR_SUCCESS &&
                    v.value.toString() == name)
                    ++found;
            }
        }
        QCOMPARE(found, 2 * each);
        QVERIFY(!QFileInfo::exists(reg.fileFor(platform::HKEY_CURRENT_USER) + QStringLiteral(".lock")));
    }

    // Other modules' trainers share the registry file: a value set by us changes
    // its own line and nothing else, byte for byte, whatever the file holds.
    void registryKeepsForeignLines() {
        TempFolder tmp;
        platform::FileRegistry reg(tmp.path());
        const QString file = reg.fileFor(platform::HKEY_CURRENT_USER);
        const QByteArray foreign = QByteArray("[Software\\Microsoft]\n"
                                              "\"ProPath03\"=sz:\"/opt/\xb0\xd8\xb4\xa8****\"\n" // GBK bytes
                                              "\"ProName03\"=sz:\"no closing quote\n"
                                              "; a comment from another program\r\n"
                                              "\"Odd\"=qword:1\n"
                                              "[Software\\Other]\n"
                                              "\"Count\"=dword:0000002a\n");
        putBytes(file, foreign);
        platform::RegValue v;
        QCOMPARE(reg.queryValue(platform::HKEY_CURRENT_USER, QStringLiteral("Software\\Microsoft"),
                                QStringLiteral("ProName03"), v),
                 platform::ERROR_SUCCESS);
        QCOMPARE(v.value.toString(), QStringLiteral("no closing quote"));

        const QString withBreaks = QStringLiteral("a\rb\nc\\d\"e");
        QCOMPARE(reg.setValue(platform::HKEY_CURRENT_USER, QStringLiteral("Software\\Microsoft"),
                              QStringLiteral("ProPath05"), {platform::REG_SZ, withBreaks}),
                 platform::ERROR_SUCCESS);
        QCOMPARE(reg.setValue(platform::HKEY_CURRENT_USER, QStringLiteral("Software\\Other"),
                              QStringLiteral("Count"), {platform::REG_DWORD, qint32(43)}),
                 platform::ERROR_SUCCESS);
        const QByteArray after = fileBytes(file);
        QCOMPARE(after, QByteArray("[Software\\Microsoft]\n"
                                   "\"ProPath03\"=sz:\"/opt/\xb0\xd8\xb4\xa8****\"\n"
                                   "\"ProName03\"=sz:\"no closing quote\n"
                                   "; a comment from another program\r\n"
                                   "\"Odd\"=qword:1\n"
                                   "\"ProPath05\"=sz:\"a\\rb\\nc\\\\d\\\"e\"\n"
                                   "[Software\\Other]\n"
                                   "\"Count\"=dword:0000002b\n"));
        QCOMPARE(reg.queryValue(platform::HKEY_CURRENT_USER, QStringLiteral("software\\microsoft"),
                                QStringLiteral("propath05"), v),
                 platform::ERROR_SUCCESS);
        QCOMPARE(v.value.toString(), withBreaks);
        // a new key goes at the end
        QCOMPARE(reg.setValue(platform::HKEY_CURRENT_USER, QStringLiteral("Software\\New"),
                              QStringLiteral("X"), {platform::REG_DWORD, qint32(1)}),
                 platform::ERROR_SUCCESS);
        QVERIFY(fileBytes(file).startsWith(after));
        QVERIFY(fileBytes(file).endsWith("[Software\\New]\n\"X\"=dword:00000001\n"));
    }

    // One program folder, one trainer: whatever the runtime folder of each start.
    void oneInstancePerProgramFolder() {
        TempFolder tmp;
        const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        const auto restore = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", oldRuntime); });
        qputenv("XDG_RUNTIME_DIR", tmp.file(QStringLiteral("run1")).toUtf8());
        platform::LockFileInstance first(tmp.path());
        QVERIFY(first.acquire());
        qunsetenv("XDG_RUNTIME_DIR");
        platform::LockFileInstance second(tmp.path());
        QVERIFY(!second.acquire());
        // the same folder by another spelling
        platform::LockFileInstance third(tmp.path() + QStringLiteral("/./"));
        QVERIFY(!third.acquire());
        TempFolder other;
        platform::LockFileInstance elsewhere(other.path());
        QVERIFY(elsewhere.acquire());
    }

    // An installed program folder is shared by the machine's users: each has a
    // lock of their own in their runtime folder, so one user's trainer (or the
    // lock its crash left) never refuses another's start.
    void installedFolderLocksPerUser() {
        TempFolder tmp;
        QDir(tmp.path()).mkdir(QStringLiteral("program"));
        const QString program = tmp.file(QStringLiteral("program"));
        putBytes(program + u'/' + platform::RecordPlaces::installMarker(), "installed\n");
        const QString runA = tmp.file(QStringLiteral("runA")), runB = tmp.file(QStringLiteral("runB"));
        for (const QString &run : {runA, runB}) {
            QDir().mkpath(run);
            QFile::setPermissions(run,
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        }
        const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        const auto restore = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", oldRuntime); });

        qputenv("XDG_RUNTIME_DIR", runA.toUtf8());
        platform::LockFileInstance userA(program);
        QVERIFY2(userA.lockPath().startsWith(runA + u'/'), qPrintable(userA.lockPath()));
        QVERIFY(userA.acquire());
        platform::LockFileInstance userAAgain(program);
        QVERIFY(!userAAgain.acquire()); // the same user's second start is refused

        qputenv("XDG_RUNTIME_DIR", runB.toUtf8());
        platform::LockFileInstance userB(program);
        QVERIFY(userB.acquire());
        QVERIFY(allEntries(program).contains(platform::RecordPlaces::installMarker()));
        QCOMPARE(allEntries(program).size(), 1); // nothing written into the installed folder
    }

    // What the desktop tells about its input: the plain keyboard first, then each
    // input method the session names once, the one Qt uses with its language.
    void desktopLayouts_data() {
        QTest::addColumn<QString>("qt");
        QTest::addColumn<QString>("gtk");
        QTest::addColumn<QString>("xmodifiers");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("descriptions"); // after the keyboard's empty one
        QTest::newRow("no input method")
            << QString() << QString() << QString() << QStringLiteral("en_US") << QStringList{};
        QTest::newRow("one method named three times")
            << QStringLiteral("fcitx") << QStringLiteral("fcitx") << QStringLiteral("@im=fcitx")
            << QStringLiteral("zh_CN") << QStringList{QStringLiteral("fcitx - 简体中文")};
        QTest::newRow("two methods, English input")
            << QStringLiteral("ibus") << QStringLiteral("xim") << QStringLiteral("@im=fcitx5")
            << QStringLiteral("en_GB") << QStringList{QStringLiteral("ibus"), QStringLiteral("fcitx5")};
        QTest::newRow("only the X method")
            << QString() << QStringLiteral("simple") << QStringLiteral("@im=ibus") << QStringLiteral("zh_CN")
            << QStringList{QStringLiteral("ibus")};
        QTest::newRow("none named") << QStringLiteral("compose") << QString() << QStringLiteral("@im=none")
                                    << QStringLiteral("zh_CN") << QStringList{};
    }
    void desktopLayouts() {
        QFETCH(QString, qt);
        QFETCH(QString, gtk);
        QFETCH(QString, xmodifiers);
        QFETCH(QString, locale);
        QFETCH(QStringList, descriptions);
        const QList<platform::InstalledLayout> layouts =
            platform::DesktopKeyboardLayout::fromEnvironment(qt, gtk, xmodifiers, locale);
        QCOMPARE(layouts.size(), descriptions.size() + 1);
        QCOMPARE(layouts.first(),
                 (platform::InstalledLayout{platform::DesktopKeyboardLayout::KeyboardHandle, {}}));
        for (int i = 0; i < descriptions.size(); ++i)
            QCOMPARE(layouts[i + 1], (platform::InstalledLayout{int32_t(i + 2), descriptions[i]}));
    }

    // Activation: the keyboard's handle gives plain keys, an input method's lets
    // it compose, anything else keeps what the box had.
    void desktopActivation() {
        const QByteArray old = qgetenv("QT_IM_MODULE");
        const auto restore = qScopeGuard([&] { qputenv("QT_IM_MODULE", old); });
        qputenv("QT_IM_MODULE", "ibus");
        platform::DesktopKeyboardLayout k;
        using T = platform::KeyboardLayout::TextInput;
        QCOMPARE(k.activate(2, 1), T::InputMethod);
        QCOMPARE(k.active(), 2);
        QCOMPARE(k.activate(1, 1), T::Keyboard);
        QCOMPARE(k.active(), 1);
        QCOMPARE(k.activate(0, 1), T::Keep);
        QCOMPARE(k.activate(0x0804, 1), T::Keep);
        QCOMPARE(k.active(), 1);
    }
};

// The child of registryTwoWritersAtOnce: sets COUNT values PREFIX0, PREFIX1, ...
// in the store of FOLDER, one call each.
static int registryWriter(const QString &folder, const QString &prefix, int count) {
    platform::FileRegistry reg(folder);
    for (int i = 0; i < count; ++i) {
        const QString name = prefix + QString::number(i);
        if (reg.setValue(platform::HKEY_CURRENT_USER, QStringLiteral("Software\\Microsoft"), name,
                         {platform::REG_SZ, name}) != platform::ERROR_SUCCESS)
            return 1;
    }
    return 0;
}

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args.at(1) == QLatin1String("--registry-writer"))
        return registryWriter(args.at(2), args.at(3), args.at(4).toInt());
    TstPlatform tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_platform.moc"
