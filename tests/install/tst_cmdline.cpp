// The command line of every program: --version gives the project's version,
// --help a usage text, and a wrong option exit code 2 with nothing created.
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int code = -1;
    QString out, err;
};

Run run(const QString &program, const QStringList &args, const QString &folder,
        const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setWorkingDirectory(folder);
    p.setProcessEnvironment(env);
    p.start(program, args);
    Run r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("(did not end)");
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

QStringList entries(const QString &folder) {
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

} // namespace

class TstCmdline : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void options_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("expected"); // a text the output must hold
        const QString bin = QStringLiteral(CADDRILL_BINARY_DIR "/bin/");
        const QString program = QStringLiteral(CADDRILL_BINARY_DIR "/program/");
        const QString version = QStringLiteral(CADDRILL_VERSION);
        const QList<QPair<QString, QString>> programs = {
            {QStringLiteral("caddrill"), program}, {QStringLiteral("refresher"), program},
            {QStringLiteral("cadbank"), bin},      {QStringLiteral("cadfixture"), bin},
            {QStringLiteral("cadharness"), bin},   {QStringLiteral("cadkilltest"), bin},
            {QStringLiteral("cadshots"), bin},     {QStringLiteral("cadicons"), bin},
        };
        for (const auto &[name, folder] : programs) {
            const QString path = folder + name;
            QTest::addRow("%s --version", qPrintable(name))
                << path << QStringList{QStringLiteral("--version")} << 0 << name + u' ' + version + u'\n';
            QTest::addRow("%s --help", qPrintable(name))
                << path << QStringList{QStringLiteral("--help")} << 0 << QStringLiteral("--version");
            // an unknown option before and after an argument that would be a folder to write
            QTest::addRow("%s --bogus", qPrintable(name))
                << path << QStringList{QStringLiteral("--bogus")} << 2 << QStringLiteral("bogus");
            QTest::addRow("%s out --bogus", qPrintable(name))
                << path << QStringList{QStringLiteral("out"), QStringLiteral("--bogus")} << 2
                << QStringLiteral("try --help");
        }
        // Qt's own options, as a session manager passes them, are taken before
        // and between the trainer's; the trainer's own still count after them
        const QString trainer = program + QStringLiteral("caddrill");
        QTest::newRow("caddrill -style fusion --help")
            << trainer
            << QStringList{QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("--help")} << 0
            << QStringLiteral("--quit-after-cover");
        QTest::newRow("caddrill -platform offscreen -session s1 --version")
            << trainer
            << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen"),
                           QStringLiteral("-session"), QStringLiteral("s1"), QStringLiteral("--version")}
            << 0 << QStringLiteral("caddrill ") + version + u'\n';
        QTest::newRow("caddrill -display :9 --bogus")
            << trainer
            << QStringList{QStringLiteral("-display"), QStringLiteral(":9"), QStringLiteral("--bogus")} << 2
            << QStringLiteral("bogus");
        QTest::newRow("caddrill -platform without a value")
            << trainer << QStringList{QStringLiteral("-platform")} << 2 << QStringLiteral("platform");
        QTest::newRow("caddrill stray argument")
            << trainer << QStringList{QStringLiteral("stray")} << 2 << QStringLiteral("stray");
        QTest::newRow("refresher --site without a value")
            << program + QStringLiteral("refresher") << QStringList{QStringLiteral("--site")} << 2
            << QStringLiteral("site");
        QTest::newRow("cadkilltest --trials zero")
            << bin + QStringLiteral("cadkilltest")
            << QStringList{QStringLiteral("--trials"), QStringLiteral("0")} << 2 << QStringLiteral("usage");
    }
    void options() {
        QFETCH(QString, program);
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, expected);
        QTemporaryDir cwd;
        QVERIFY(cwd.isValid());
        // no display at all: --help and --version must not need one
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        const Run r = run(program, args, cwd.path(), env);
        QCOMPARE(r.code, code);
        QVERIFY2((code == 0 ? r.out : r.err).contains(expected), qPrintable(r.out + r.err));
        QVERIFY2(entries(cwd.path()).isEmpty(), qPrintable(entries(cwd.path()).join(u' ')));
    }

    // The help of every program opens with the usage line, as manual-page
    // generators expect it.
    void helpStartsWithUsage_data() {
        QTest::addColumn<QString>("program");
        const QString bin = QStringLiteral(CADDRILL_BINARY_DIR "/bin/");
        const QString program = QStringLiteral(CADDRILL_BINARY_DIR "/program/");
        for (const QString &name : {QStringLiteral("caddrill"), QStringLiteral("refresher")})
            QTest::newRow(qPrintable(name)) << program + name;
        for (const QString &name :
             {QStringLiteral("cadbank"), QStringLiteral("cadfixture"), QStringLiteral("cadharness"),
              QStringLiteral("cadkilltest"), QStringLiteral("cadshots"), QStringLiteral("cadicons")})
            QTest::newRow(qPrintable(name)) << bin + name;
    }
    void helpStartsWithUsage() {
        QFETCH(QString, program);
        QTemporaryDir cwd;
        const Run r = run(program, {QStringLiteral("--help")}, cwd.path());
        QCOMPARE(r.code, 0);
        const QString name = QFileInfo(program).fileName();
        QVERIFY2(r.out.startsWith(QStringLiteral("Usage: ") + name + u' '), qPrintable(r.out));
    }

    // An empty DISPLAY names no display either: the same plain message as none.
    void emptyDisplay_data() {
        QTest::addColumn<QString>("program");
        QTest::newRow("caddrill") << QStringLiteral(CADDRILL_BINARY_DIR "/program/caddrill");
        QTest::newRow("refresher") << QStringLiteral(CADDRILL_BINARY_DIR "/program/refresher");
    }
    void emptyDisplay() {
        QFETCH(QString, program);
        QTemporaryDir cwd;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        const Run missing = run(program, {}, cwd.path(), env);
        env.insert(QStringLiteral("DISPLAY"), QString());
        const Run empty = run(program, {}, cwd.path(), env);
        QCOMPARE(missing.code, 2);
        QVERIFY2(missing.err.contains(QLatin1String("no display")), qPrintable(missing.err));
        QCOMPARE(empty.code, missing.code);
        QCOMPARE(empty.err, missing.err);
    }
};

QTEST_GUILESS_MAIN(TstCmdline)
#include "tst_cmdline.moc"
