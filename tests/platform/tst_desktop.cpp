// What the trainer asks of the desktop: a second start that reaches the running
// trainer through its local socket, Qt's own Chinese button texts, and the
// launcher put on the desktop, read back the way a desktop reads it.
#include "platform/desktoplauncher.h"
#include "platform/desktopshortcut.h"
#include "platform/localinstance.h"
#include "platform/translations.h"
#include "tempfolder.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLocalServer>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

namespace {

// A desktop entry as a desktop reads it: its lines, the group header, one
// key=value per line, string escapes undone. A line the format does not allow
// is an error, and so is a key given twice.
struct DesktopEntry {
    QMap<QString, QString> keys;
    QString error;
};

// Undoes the escapes of a string value ("\s", "\n", "\t", "\r", "\\").
QString unescapeValue(const QString &raw, QString *error) {
    QString out;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++i == raw.size()) {
            *error = QStringLiteral("a backslash ends the value");
            return out;
        }
        switch (raw.at(i).unicode()) {
        case 's':
            out += u' ';
            break;
        case 'n':
            out += u'\n';
            break;
        case 't':
            out += u'\t';
            break;
        case 'r':
            out += u'\r';
            break;
        case '\\':
            out += u'\\';
            break;
        default:
            *error = QStringLiteral("unknown escape \\%1").arg(raw.at(i));
            return out;
        }
    }
    return out;
}

DesktopEntry readEntry(const QByteArray &bytes) {
    DesktopEntry e;
    const QString text = QString::fromUtf8(bytes);
    if (!text.endsWith(u'\n')) {
        e.error = QStringLiteral("the last line has no line end");
        return e;
    }
    const QStringList lines = text.left(text.size() - 1).split(u'\n');
    bool inGroup = false;
    for (const QString &line : lines) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            if (line != u"[Desktop Entry]" || inGroup) {
                e.error = QStringLiteral("unexpected group %1").arg(line);
                return e;
            }
            inGroup = true;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inGroup || eq <= 0) {
            e.error = QStringLiteral("not a key line: %1").arg(line);
            return e;
        }
        const QString key = line.left(eq).trimmed();
        if (e.keys.contains(key)) {
            e.error = QStringLiteral("key %1 given twice").arg(key);
            return e;
        }
        // blanks after "=" are no part of the value
        QString raw = line.mid(eq + 1);
        while (raw.startsWith(u' ') || raw.startsWith(u'\t'))
            raw.remove(0, 1);
        e.keys.insert(key, unescapeValue(raw, &e.error));
        if (!e.error.isEmpty())
            return e;
    }
    return e;
}

// The arguments of an Exec value (string escapes already undone): blanks part
// them; a quoted argument takes '"', '`', '$', '\\' after a backslash; a
// reserved character outside quotes is an error; then "%%" is a literal '%'
// and any other field code is an error (none is expected here).
QStringList execArguments(const QString &exec, QString *error) {
    static const QString reserved = QStringLiteral("\t\n\"'\\><~|&;$*?#()`");
    QStringList args;
    QString cur;
    bool inArg = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (c == u' ') {
            if (inArg)
                args << cur;
            cur.clear();
            inArg = false;
        } else if (c == u'"') {
            inArg = true;
            for (++i;; ++i) {
                if (i >= exec.size()) {
                    *error = QStringLiteral("unterminated quote");
                    return args;
                }
                const QChar q = exec.at(i);
                if (q == u'"')
                    break;
                if (q == u'\\') {
                    const QChar n = i + 1 < exec.size() ? exec.at(i + 1) : QChar();
                    if (n != u'"' && n != u'`' && n != u'$' && n != u'\\') {
                        *error = QStringLiteral("a backslash before %1 inside quotes").arg(n);
                        return args;
                    }
                    cur += n;
                    ++i;
                } else {
                    cur += q;
                }
            }
        } else if (reserved.contains(c)) {
            *error = QStringLiteral("reserved character %1 outside quotes").arg(c);
            return args;
        } else {
            cur += c;
            inArg = true;
        }
    }
    if (inArg)
        args << cur;
    for (QString &a : args) {
        QString out;
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (a.at(i) != u'%') {
                out += a.at(i);
                continue;
            }
            if (i + 1 < a.size() && a.at(i + 1) == u'%') {
                out += u'%';
                ++i;
                continue;
            }
            *error = QStringLiteral("field code %%1 in %2").arg(a.mid(i + 1, 1), a);
            return args;
        }
        a = out;
    }
    return args;
}

} // namespace

// Takes the addresses the desktop would open, as a registered handler of a scheme.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> caught;
  public Q_SLOTS:
    void open(const QUrl &url) { caught << url; }
};

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

    // The launcher of a trainer in a folder of any name: read back as a desktop
    // reads it, it starts exactly the program, in exactly its folder, and holds
    // no key but its own.
    // Addresses go to the desktop's handler of their scheme (web pages, the
    // messenger's links, folders), as they were written.
    void launcherOpensThroughTheDesktop_data() {
        QTest::addColumn<QString>("address");
        QTest::newRow("web page") << QStringLiteral("http://www.caddrill.example/down.asp?id=01");
        QTest::newRow("secure web page") << QStringLiteral("https://learn.caddrill.example/a b");
        QTest::newRow("messenger link")
            << QStringLiteral("tencent://message/?uin=800000001&Site=caddrill&Menu=yes");
        QTest::newRow("folder with spaces and CJK")
            << QUrl::fromLocalFile(QStringLiteral("/opt/练习 系统/ksdata")).toString();
    }
    void launcherOpensThroughTheDesktop() {
        QFETCH(QString, address);
        UrlCatcher catcher;
        const QStringList schemes = {QStringLiteral("http"), QStringLiteral("https"),
                                     QStringLiteral("tencent"), QStringLiteral("file")};
        for (const QString &scheme : schemes)
            QDesktopServices::setUrlHandler(scheme, &catcher, "open");
        platform::DesktopLauncher launcher;
        const bool opened = launcher.openUrl(address);
        for (const QString &scheme : schemes)
            QDesktopServices::unsetUrlHandler(scheme);
        QVERIFY(opened);
        QCOMPARE(catcher.caught, QList<QUrl>{QUrl(address)});
    }

    // An address without a scheme is nobody's to open: refused, not guessed at.
    void launcherRefusesANonAddress() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        platform::DesktopLauncher launcher;
        const bool opened = launcher.openUrl(QStringLiteral("no address at all"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QVERIFY(!opened);
        QVERIFY(catcher.caught.isEmpty());
    }

    void launcherStartsExactlyTheProgram_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        const QString name = QStringLiteral("AutoCAD 2004模块");
        QTest::newRow("blank") << QStringLiteral("程序 目录") << name;
        QTest::newRow("field code") << QStringLiteral("dir %f") << name;
        QTest::newRow("percent signs") << QStringLiteral("a%Ub%%c%") << name;
        QTest::newRow("backslash") << QStringLiteral("a\\b") << name;
        QTest::newRow("backslash at the end") << QStringLiteral("dir\\") << name;
        QTest::newRow("backslash before a quote") << QStringLiteral("a\\\"b") << name;
        QTest::newRow("backslash before a letter") << QStringLiteral("a\\nb\\s") << name;
        QTest::newRow("double quote") << QStringLiteral("a\"b\"") << name;
        QTest::newRow("dollar") << QStringLiteral("$HOME${x}") << name;
        QTest::newRow("backtick") << QStringLiteral("`id`") << name;
        QTest::newRow("shell characters") << QStringLiteral("it's;a&b|c<d>(e)*?#~") << name;
        QTest::newRow("key text on the same line") << QStringLiteral("x Exec=sh -c id") << name;
        QTest::newRow("blanks at both ends")
            << QStringLiteral(" lead and trail ") << QStringLiteral(" 模块 ");
        QTest::newRow("all at once") << QStringLiteral("\\\\\"$`%%f \\$HOME\\`") << name;
    }
    void launcherStartsExactlyTheProgram() {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        TempFolder tmp;
        const QString dir = tmp.file(folder);
        const QString program = dir + QStringLiteral("/caddrill");
        const QString desktop = tmp.file(QStringLiteral("桌面"));
        QString error;
        QVERIFY2(platform::shortcut::write(desktop, {name, program, dir, QStringLiteral("caddrill")}, &error),
                 qPrintable(error));
        const QStringList files = QDir(desktop).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(files.size(), 1);
        const DesktopEntry e = readEntry(tmp.bytes(QStringLiteral("桌面/") + files.first()));
        QVERIFY2(e.error.isEmpty(), qPrintable(e.error));
        QCOMPARE(e.keys.keys(),
                 (QStringList{QStringLiteral("Categories"), QStringLiteral("Exec"), QStringLiteral("Icon"),
                              QStringLiteral("Name"), QStringLiteral("Path"), QStringLiteral("Terminal"),
                              QStringLiteral("Type"), QStringLiteral("Version")}));
        QString execError;
        const QStringList args = execArguments(e.keys.value(QStringLiteral("Exec")), &execError);
        QVERIFY2(execError.isEmpty(), qPrintable(execError));
        QCOMPARE(args, QStringList{program});
        QCOMPARE(e.keys.value(QStringLiteral("Path")), dir);
        QCOMPARE(e.keys.value(QStringLiteral("Name")), name);
        QCOMPARE(e.keys.value(QStringLiteral("Type")), QStringLiteral("Application"));
    }

    // A line break or another control character cannot be carried by a desktop
    // entry: nothing is written, and the message says why.
    void unwritableLauncherIsRefused_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("icon");
        const QString name = QStringLiteral("AutoCAD 2004模块");
        const QString icon = QStringLiteral("caddrill");
        QTest::newRow("line break and Exec= in the folder")
            << QStringLiteral("x\nExec=sh -c 'touch /tmp/pwned'\n") << name << icon;
        QTest::newRow("carriage return in the folder") << QStringLiteral("x\rExec=id") << name << icon;
        QTest::newRow("tab in the folder") << QStringLiteral("a\tb") << name << icon;
        QTest::newRow("escape character in the folder") << QStringLiteral("a\x1b[2Jb") << name << icon;
        QTest::newRow("delete character in the folder") << QStringLiteral("a\x7f") << name << icon;
        QTest::newRow("line break in the name")
            << QStringLiteral("dir") << QStringLiteral("模块\nExec=id") << icon;
        QTest::newRow("line break in the icon")
            << QStringLiteral("dir") << name << QStringLiteral("i\nExec=id");
    }
    void unwritableLauncherIsRefused() {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, icon);
        TempFolder tmp;
        const QString dir = tmp.file(folder);
        const QString desktop = tmp.file(QStringLiteral("桌面"));
        const platform::shortcut::Launcher l{name, dir + QStringLiteral("/caddrill"), dir, icon};
        QString error;
        QVERIFY(!platform::shortcut::write(desktop, l, &error));
        QVERIFY2(error.contains(QStringLiteral("控制字符")), qPrintable(error));
        QCOMPARE(QDir(desktop).entryList(QDir::Files | QDir::Hidden), QStringList());
        QVERIFY(platform::shortcut::desktopEntry(l).isEmpty());
    }
};

QTEST_MAIN(TstDesktop)
#include "tst_desktop.moc"
