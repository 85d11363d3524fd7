// The update checker: versions compared, the addresses it asks, its run from
// load to verdict on a scripted page, and the real fetch against a small HTTP
// server on loopback (current, newer, missing page, silent server, garbage,
// a page far too large, a body that never ends), the hand-off file's name, and
// the window showing whatever the files and the site hold as plain text.
#include "fakes.h"
#include "platform/textfile.h"
#include "refresher/frmrefresher.h"
#include "refresher/httppage.h"
#include "refresher/session.h"
#include "refresher/versioncheck.h"
#include "start/verfile.h"
#include "tempfolder.h"

#include <QDeadlineTimer>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <atomic>

using refresher::Verdict;

namespace {

struct ScriptedPage : refresher::PageSource {
    QStringList asked;
    State now = Idle;
    QString body, why;
    void start(const QString &url) override {
        asked << url;
        now = Pending;
    }
    State state() const override { return now; }
    QString text() const override { return body; }
    QString reason() const override { return why; }
};

// A one-page-per-path HTTP server: "/ver/km05.htm" and friends answer from the table.
class LoopbackServer : public QObject {
  public:
    QHash<QString, QByteArray> responses; // path -> whole response; "silent" answers nothing
    LoopbackServer() {
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = m_server.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    const QByteArray request = s->readAll();
                    const QByteArray path = request.split(' ').value(1);
                    const QByteArray response = responses.value(QString::fromLatin1(path));
                    if (response == "silent")
                        return;
                    s->write(response.isEmpty() ? ok("") : response);
                    s->disconnectFromHost();
                });
            }
        });
    }
    QString site() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    static QByteArray ok(const QByteArray &body, const QByteArray &type = "text/html") {
        return "HTTP/1.1 200 OK\r\nContent-Type: " + type +
               "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" +
               body;
    }

  private:
    QTcpServer m_server;
};

// A program folder with ver.txt (module 12, AutoCAD 2004) and the bank version.
void installModule(const TempFolder &tmp, const QString &version) {
    tmp.write(QStringLiteral("ver.txt"), {start::verfile::encodeLine(QStringLiteral("AutoCAD 2004")),
                                          start::verfile::encodeLine(QStringLiteral("中文版")),
                                          start::verfile::encodeLine(QStringLiteral("cad2004")),
                                          start::verfile::encodeLine(QStringLiteral("12"))});
    if (!version.isNull())
        tmp.write(QStringLiteral("cad2004/288895.rar"), {version});
}

// A server on its own thread that answers the first request with a chunked body
// that never ends, as fast as the other end takes it. sent counts the bytes the
// connection has taken; it stops pouring when the other end goes away (or at
// Cap, or after a minute).
class EndlessServer : public QThread {
  public:
    static constexpr qint64 Cap = 256 * 1024 * 1024;
    std::atomic<quint16> port{0};
    std::atomic<bool> pouring{false};
    std::atomic<qint64> sent{0};

  protected:
    void run() override {
        QTcpServer server;
        if (!server.listen(QHostAddress::LocalHost))
            return;
        port = server.serverPort();
        if (!server.waitForNewConnection(30000))
            return;
        QTcpSocket *s = server.nextPendingConnection();
        QByteArray request;
        while (!request.contains("\r\n\r\n") && s->waitForReadyRead(30000))
            request += s->readAll();
        s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nTransfer-Encoding: chunked\r\n\r\n");
        const QByteArray chunk =
            QByteArray::number(32 * 1024, 16) + "\r\n" + QByteArray(32 * 1024, '2') + "\r\n";
        qint64 written = 0;
        pouring = true;
        const QDeadlineTimer minute(60000);
        while (s->state() == QAbstractSocket::ConnectedState && sent < Cap && !minute.hasExpired()) {
            if (s->bytesToWrite() < 4 * chunk.size()) {
                s->write(chunk);
                written += chunk.size();
            } else {
                s->waitForBytesWritten(50);
            }
            sent = written - s->bytesToWrite();
        }
    }
};

// Every label of the window shows its text as plain text.
void verifyPlainLabels(const QWidget *form) {
    for (const QLabel *l : form->findChildren<QLabel *>())
        QVERIFY2(l->textFormat() == Qt::PlainText,
                 qPrintable(l->objectName() + QStringLiteral(": ") + l->text()));
}

} // namespace

class TstRefresher : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void verdict_data() {
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("kind");
        QTest::newRow("equal: current") << "2013.0.0.1"
                                        << "2013.0.0.1" << int(Verdict::Current);
        QTest::newRow("last number higher: newer") << "2013.0.0.1"
                                                   << "2013.0.0.2" << int(Verdict::Newer);
        QTest::newRow("two-digit last number") << "2013.0.0.15"
                                               << "2013.0.0.2" << int(Verdict::Current);
        // the old rule compared only the characters from the tenth on (9 against 1)
        QTest::newRow("new year, lower last number") << "2013.0.0.9"
                                                     << "2014.0.0.1" << int(Verdict::Newer);
        QTest::newRow("leading blanks") << "2013.0.0.1"
                                        << "   2013.0.0.2" << int(Verdict::Newer);
        QTest::newRow("after 2019, equal") << "2026.12.1"
                                           << "2026.12.1" << int(Verdict::Current);
        QTest::newRow("after 2019, newer") << "2026.12.1"
                                           << "2026.12.2" << int(Verdict::Newer);
        QTest::newRow("after 2019, next year") << "2026.12.1"
                                               << "2027.1" << int(Verdict::Newer);
        QTest::newRow("site older") << "2026.12.1"
                                    << "2026.9.5" << int(Verdict::Current);
        QTest::newRow("missing numbers count 0") << "2026.12"
                                                 << "2026.12.0" << int(Verdict::Current);
        QTest::newRow("words after the version") << "2026.12.1"
                                                 << "2026.12.3 发布" << int(Verdict::Newer);
        QTest::newRow("empty page") << "2026.12.1"
                                    << "" << int(Verdict::NotAVersion);
        QTest::newRow("text page") << "2026.12.1"
                                   << "暂停服务" << int(Verdict::NotAVersion);
        QTest::newRow("year only three digits") << "2026.12.1"
                                                << "201" << int(Verdict::NotAVersion);
        QTest::newRow("letters in it") << "2026.12.1"
                                       << "2026.12a" << int(Verdict::NotAVersion);
        QTest::newRow("installed unreadable") << "abc"
                                              << "2013.0.0.1" << int(Verdict::InstalledUnknown);
        // a version is a year 20dd and at least one dotted number after it
        QTest::newRow("four digits and words") << "2026.12.1"
                                               << "5003 服务器维护中" << int(Verdict::NotAVersion);
        QTest::newRow("a year alone") << "2026.12.1"
                                      << "2027" << int(Verdict::NotAVersion);
        QTest::newRow("a year and a dot") << "2026.12.1"
                                          << "2027." << int(Verdict::NotAVersion);
        QTest::newRow("not this century") << "2026.12.1"
                                          << "3026.1" << int(Verdict::NotAVersion);
        QTest::newRow("last century") << "2026.12.1"
                                      << "1999.1" << int(Verdict::NotAVersion);
        QTest::newRow("far year, one number") << "2026.12.1"
                                              << "2099.1" << int(Verdict::Newer);
        QTest::newRow("installed four digits only") << "5003"
                                                    << "2026.12.1" << int(Verdict::InstalledUnknown);
    }
    void verdict() {
        QFETCH(QString, installed);
        QFETCH(QString, page);
        QFETCH(int, kind);
        const Verdict v = refresher::judge(installed, page);
        QCOMPARE(int(v.kind), kind);
        // shown as the page has it, blanks and all
        QCOMPARE(v.siteVersion, kind == Verdict::NotAVersion ? QString() : page);
    }

    void addresses() {
        const QString site = QStringLiteral("http://up.example");
        QCOMPARE(refresher::versionPageUrl(site, 3), QStringLiteral("http://up.example/ver/km03.htm"));
        QCOMPARE(refresher::versionPageUrl(site, 12), QStringLiteral("http://up.example/ver/km12.htm"));
        QCOMPARE(refresher::downloadUrl(site, QStringLiteral("cad2004")),
                 QStringLiteral("http://up.example/updown.asp?km=cad2004"));
        QCOMPARE(refresher::siteHost(site), QStringLiteral("up.example"));
    }

    void moduleCodes() {
        QSet<QString> seen;
        for (int n = 0; n < refresher::ModuleCodes; ++n) {
            const QString code = refresher::moduleCode(n, QString());
            QVERIFY2(!code.isEmpty() && code == code.toLower(), qPrintable(code));
            QVERIFY2(!seen.contains(code), qPrintable(code));
            seen << code;
        }
        QCOMPARE(refresher::moduleCode(12, QStringLiteral("AutoCAD 2004")), QStringLiteral("cad2004"));
        // the second code goes only with exactly that module name
        QCOMPARE(refresher::moduleCode(8, QStringLiteral("Photoshop")), QStringLiteral("photoshop"));
        QCOMPARE(refresher::moduleCode(8, QStringLiteral("Photoshop CS")), QStringLiteral("ps"));
        QCOMPARE(refresher::moduleCode(22, QString()), QString());
        QCOMPARE(refresher::moduleCode(-1, QString()), QString());
    }

    // The run on a scripted page: waiting, then each verdict and its end.
    void sessionRun_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("offer");
        QTest::addColumn<int>("closeTicks"); // Timer3 ticks to the end; -1: waits for the learner
        QTest::newRow("current") << "2026.12.1" << false << 3;
        QTest::newRow("newer") << "2026.12.2" << true << -1;
    }
    void sessionRun() {
        QFETCH(QString, page);
        QFETCH(bool, offer);
        QFETCH(int, closeTicks);
        TempFolder tmp;
        installModule(tmp, QStringLiteral("2026.12.1"));
        ScriptedPage source;
        FakePrompter prompter;
        FakeLauncher launcher;
        refresher::Session s(source, prompter, launcher, QStringLiteral("http://up.example"));
        s.load(tmp.path());
        QCOMPARE(s.view().lblVer, QStringLiteral("2026.12.1"));
        QCOMPARE(s.view().label4, QStringLiteral("中文版"));
        s.tickStart();
        QCOMPARE(source.asked, QStringList{QStringLiteral("http://up.example/ver/km12.htm")});
        s.tickPoll();
        QCOMPARE(s.view().label1, QStringLiteral("正在检测新版本，请稍候……"));
        source.now = refresher::PageSource::Done;
        source.body = page;
        s.tickPoll();
        QCOMPARE(s.view().label1, QStringLiteral("题库最新版本是：") + page);
        QVERIFY(!s.view().timer2);
        QCOMPARE(s.view().command2Visible, offer);
        QCOMPARE(s.view().command3Visible, offer);
        QCOMPARE(s.view().label2, offer ? QStringLiteral(" ") : QStringLiteral("已是最新版本，无需升级"));
        for (int i = 1; i <= 5; ++i) {
            s.tickClose();
            QCOMPARE(s.view().finished, closeTicks > 0 && i >= closeTicks);
        }
    }

    // A page that is no version: the status line says so, the reason stays
    // readable, and the program ends after the sixth poll, not before.
    void sessionFailure() {
        TempFolder tmp;
        installModule(tmp, QStringLiteral("2026.12.1"));
        ScriptedPage source;
        FakePrompter prompter;
        FakeLauncher launcher;
        refresher::Session s(source, prompter, launcher, QStringLiteral("http://up.example"));
        s.load(tmp.path());
        s.tickStart();
        source.now = refresher::PageSource::Failed;
        source.why = QStringLiteral("找不到版本页（HTTP 404）");
        for (int i = 1; i <= 5; ++i) {
            s.tickPoll();
            QVERIFY(!s.view().timer3);
        }
        QCOMPARE(s.view().label1, QStringLiteral("暂时无法检测新版本，请稍候重试。"));
        QCOMPARE(s.view().label2, source.why);
        QVERIFY(s.view().label2Visible);
        s.tickPoll();
        QVERIFY(s.view().timer3 && !s.view().timer2);
        int ticks = 0;
        while (!s.view().finished && ticks < 100) {
            s.tickClose();
            ++ticks;
        }
        QCOMPARE(ticks, 10); // about three seconds to read why
    }

    void sessionMissingFiles_data() {
        QTest::addColumn<bool>("withVer");
        QTest::addColumn<QString>("named");
        QTest::newRow("no ver.txt") << false << "ver.txt";
        QTest::newRow("no bank version") << true << "288895.rar";
    }
    void sessionMissingFiles() {
        QFETCH(bool, withVer);
        QFETCH(QString, named);
        TempFolder tmp;
        if (withVer)
            installModule(tmp, QString());
        ScriptedPage source;
        FakePrompter prompter;
        FakeLauncher launcher;
        refresher::Session s(source, prompter, launcher, QStringLiteral("http://up.example"));
        s.load(tmp.path());
        QVERIFY2(s.view().label1.contains(named), qPrintable(s.view().label1));
        s.tickStart();
        s.tickPoll();
        QVERIFY(source.asked.isEmpty());
        QVERIFY(!s.view().timer1 && !s.view().timer2 && !s.view().finished);
    }

    void download() {
        TempFolder tmp;
        installModule(tmp, QStringLiteral("2026.12.1"));
        ScriptedPage source;
        FakePrompter prompter;
        FakeLauncher launcher;
        refresher::Session s(source, prompter, launcher, QStringLiteral("http://up.example"));
        s.setHandOffFolder(tmp.file(QStringLiteral("handoff")));
        s.load(tmp.path());
        s.download();
        QCOMPARE(launcher.opened, QStringList{QStringLiteral("http://up.example/updown.asp?km=cad2004")});
        QCOMPARE(prompter.asked.size(), 1); // the launcher opened it: no second box
        QCOMPARE(prompter.asked.first().title, QStringLiteral("请仔细阅读下列说明"));
        QVERIFY(s.view().finished);
        QStringList lines;
        QVERIFY(platform::textfile::readLines(s.handOffFile(), lines));
        QCOMPARE(lines, (QStringList{tmp.path(), QStringLiteral("refresher")}));
        QVERIFY(s.handOffFile().endsWith(QStringLiteral("/bcAutoCAD 2004.txt")));
    }

    // The fetch against a real server: every outcome arrives within the bound.
    void fetch_data() {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("expect"); // the text, or a word of the reason
        const QByteArray big(2 * 1024 * 1024, '2');
        QTest::newRow("version page") << LoopbackServer::ok("<html><body>\r\n 2026.12.2\r\n</body></html>")
                                      << int(refresher::PageSource::Done) << " 2026.12.2";
        QTest::newRow("plain text") << LoopbackServer::ok("2026.12.1", "text/plain")
                                    << int(refresher::PageSource::Done) << "2026.12.1";
        QTest::newRow("404")
            << QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n")
            << int(refresher::PageSource::Failed) << "404";
        QTest::newRow("silent server")
            << QByteArray("silent") << int(refresher::PageSource::Failed) << "应答";
        QTest::newRow("garbage") << QByteArray("\x01\x02garbage that is no HTTP\r\n\r\n")
                                 << int(refresher::PageSource::Failed) << "";
        QTest::newRow("several megabytes")
            << LoopbackServer::ok(big) << int(refresher::PageSource::Failed) << "过大";
    }
    void fetch() {
        QFETCH(QByteArray, response);
        QFETCH(int, state);
        QFETCH(QString, expect);
        LoopbackServer server;
        server.responses.insert(QStringLiteral("/ver/km12.htm"), response);
        refresher::HttpPage page(800);
        QElapsedTimer t;
        t.start();
        page.start(refresher::versionPageUrl(server.site(), 12));
        QTRY_VERIFY_WITH_TIMEOUT(page.state() != refresher::PageSource::Pending, 5000);
        QVERIFY2(t.elapsed() < 4000, "the fetch outlived its bound");
        QCOMPARE(int(page.state()), state);
        if (state == refresher::PageSource::Done)
            QCOMPARE(page.text(), expect);
        else
            QVERIFY2(page.reason().contains(expect), qPrintable(page.reason()));
    }

    // The hand-off file stays inside its folder whatever the module is called:
    // a name that would reach another folder (or cannot name a file) leaves no
    // file at all, and the download goes on as before.
    void handOffFile_data() {
        QTest::addColumn<QString>("moduleName");
        QTest::addColumn<bool>("written");
        QTest::newRow("ordinary") << "AutoCAD 2004" << true;
        QTest::newRow("Chinese") << "计算机辅助设计" << true;
        QTest::newRow("dots inside a word") << "v1.2 模块" << true;
        QTest::newRow("up two folders") << "/../../escaped" << false;
        QTest::newRow("into a subfolder") << "sub/name" << false;
        QTest::newRow("backslash") << "..\\..\\escaped" << false;
        QTest::newRow("two dots alone") << ".." << false;
        QTest::newRow("tab") << "Auto\tCAD" << false;
        QTest::newRow("escape character") << "Auto\x1b[2JCAD" << false;
        QTest::newRow("longer than a file name") << QString(300, u'a') << false;
    }
    void handOffFile() {
        QFETCH(QString, moduleName);
        QFETCH(bool, written);
        TempFolder tmp;
        installModule(tmp, QStringLiteral("2026.12.1"));
        // the module's name as ver.txt line 1
        QStringList ver = tmp.read(QStringLiteral("ver.txt"));
        ver[0] = start::verfile::encodeLine(moduleName);
        tmp.write(QStringLiteral("ver.txt"), ver);
        ScriptedPage source;
        FakePrompter prompter;
        FakeLauncher launcher;
        refresher::Session s(source, prompter, launcher, QStringLiteral("http://up.example"));
        const QString folder = tmp.file(QStringLiteral("share/caddrill"));
        s.setHandOffFolder(folder);
        s.load(tmp.path());
        QCOMPARE(s.moduleName(), moduleName);
        s.download();
        QVERIFY(s.view().finished);
        QCOMPARE(launcher.opened.size(), 1);
        // every file the download left
        QStringList left;
        for (QDirIterator it(tmp.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
             it.hasNext();) {
            const QString f = it.next();
            if (f != tmp.file(QStringLiteral("ver.txt")) &&
                f != tmp.file(QStringLiteral("cad2004/288895.rar")))
                left << f;
        }
        if (written) {
            QCOMPARE(s.handOffFile(), folder + QStringLiteral("/bc") + moduleName + QStringLiteral(".txt"));
            QCOMPARE(left, QStringList{s.handOffFile()});
        } else {
            QCOMPARE(s.handOffFile(), QString());
            QVERIFY2(left.isEmpty(), qPrintable(left.join(u' ')));
        }
    }

    // A server that pours out a chunked body without end, while the window is
    // busy for a moment: the fetch fails as too large, and the server could
    // hand over no more than the read buffer and the sockets hold.
    void endlessBody() {
        EndlessServer server;
        server.start();
        QTRY_VERIFY(server.port != 0);
        refresher::HttpPage page(30000);
        page.start(
            refresher::versionPageUrl(QStringLiteral("http://127.0.0.1:%1").arg(server.port.load()), 12));
        QTRY_VERIFY_WITH_TIMEOUT(server.pouring, 10000);
        QThread::msleep(1500); // the event loop is held (a repaint, a box): the body keeps coming
        QTRY_VERIFY_WITH_TIMEOUT(page.state() != refresher::PageSource::Pending, 20000);
        QCOMPARE(page.state(), refresher::PageSource::Failed);
        QVERIFY2(page.reason().contains(QStringLiteral("过大")), qPrintable(page.reason()));
        QVERIFY(server.wait(70000)); // the connection was closed: the pouring stopped
        QVERIFY2(server.sent < 32 * 1024 * 1024, qPrintable(QString::number(server.sent.load())));
    }

    // What the files and the site hold reaches the window's labels as plain
    // text: a tag in it is shown as written, never laid out.
    void windowShowsDataAsWritten_data() {
        QTest::addColumn<QString>("subtitle");  // ver.txt line 2
        QTest::addColumn<QString>("installed"); // the bank version file's line 1
        QTest::addColumn<QByteArray>("page");   // the version page as served
        QTest::addColumn<QString>("label");     // the label that shows it
        QTest::addColumn<QString>("shown");     // its text
        const QByteArray current = "<html><body>2026.12.1</body></html>";
        QTest::newRow("version page with an escaped tag")
            << "中文版"
            << "2026.12.1" << QByteArray("<html><body>2099.1 &lt;img src=nothere.png&gt;</body></html>")
            << "Label1"
            << "题库最新版本是：2099.1 <img src=nothere.png>";
        QTest::newRow("version page with a bold tag")
            << "中文版"
            << "2026.12.1" << QByteArray("2099.1 &lt;b&gt;新&lt;/b&gt;") << "Label1"
            << "题库最新版本是：2099.1 <b>新</b>";
        QTest::newRow("bank version file") << "中文版"
                                           << "2026.12.1 <img src=nothere.png>" << current << "LblVer"
                                           << "2026.12.1 <img src=nothere.png>";
        QTest::newRow("module subtitle") << "<b>中文版</b><img src=nothere.png>"
                                         << "2026.12.1" << current << "Label4"
                                         << "<b>中文版</b><img src=nothere.png>";
    }
    void windowShowsDataAsWritten() {
        QFETCH(QString, subtitle);
        QFETCH(QString, installed);
        QFETCH(QByteArray, page);
        QFETCH(QString, label);
        QFETCH(QString, shown);
        TempFolder tmp;
        installModule(tmp, installed);
        QStringList ver = tmp.read(QStringLiteral("ver.txt"));
        ver[1] = start::verfile::encodeLine(subtitle);
        tmp.write(QStringLiteral("ver.txt"), ver);
        LoopbackServer server;
        server.responses.insert(QStringLiteral("/ver/km12.htm"), LoopbackServer::ok(page));
        refresher::HttpPage source(5000);
        FakePrompter prompter;
        FakeLauncher launcher;
        refresher::Session s(source, prompter, launcher, server.site());
        s.load(tmp.path());
        QPointer<refresher::FrmRefresher1> window = new refresher::FrmRefresher1(s);
        window->show();
        window->Timer1.stop(); // the test drives the ticks
        window->Timer2.stop();
        s.tickStart();
        QTRY_VERIFY_WITH_TIMEOUT(source.state() != refresher::PageSource::Pending, 5000);
        s.tickPoll();
        auto *l = window->findChild<QLabel *>(label);
        QVERIFY(l);
        QCOMPARE(l->text(), shown);
        verifyPlainLabels(window);
        delete window.data();
    }

    void noServer() {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close(); // nothing listens there now
        refresher::HttpPage page(800);
        page.start(QStringLiteral("http://127.0.0.1:%1/ver/km05.htm").arg(port));
        QTRY_VERIFY_WITH_TIMEOUT(page.state() != refresher::PageSource::Pending, 5000);
        QCOMPARE(page.state(), refresher::PageSource::Failed);
        QVERIFY(!page.reason().isEmpty());
    }
};

QTEST_MAIN(TstRefresher)
#include "tst_refresher.moc"
