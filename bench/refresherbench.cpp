// Update checker start: from the start of the process to the newest version
// shown in its window, against a bare Qt window of the same size shown and
// painted, both as fresh processes started alternately. The version page comes
// from an HTTP server on loopback run by this benchmark.
//
//   refresherbench [runs]             runs both, prints medians and the ratio
//   refresherbench bare               one bare window (child)
//   refresherbench check FOLDER SITE  one checker on the module in FOLDER (child)
//
// Then, in this process, the cover page's information pages: from a click on
// "下一页" to the next page painted, over all 17 pages.
#include "app/trainer.h"
#include "cover/frmfengmian.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "refresher/frmrefresher.h"
#include "refresher/httppage.h"
#include "refresher/session.h"
#include "start/verfile.h"

#include "childtiming.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

struct NoPrompts : platform::Prompter {
    Answer ask(const QString &, Buttons, Icon, const QString &, Answer) override { return AnswerOk; }
};
struct NoLauncher : platform::Launcher {
    bool startDetached(const QString &, const QStringList &) override { return false; }
    bool openUrl(const QString &) override { return false; }
};

void say(const char *line) {
    std::puts(line);
    std::fflush(stdout);
}

int bare(int argc, char **argv) {
    QApplication app(argc, argv);
    QLabel w(QStringLiteral("题库升级"));
    w.setFixedSize(420, 200);
    struct Watch : QObject {
        bool eventFilter(QObject *, QEvent *e) override {
            if (e->type() == QEvent::Paint)
                QTimer::singleShot(0, [] {
                    say("shown");
                    QCoreApplication::exit(0);
                });
            return false;
        }
    } watch;
    w.installEventFilter(&watch);
    w.show();
    return app.exec();
}

int check(int argc, char **argv, const QString &folder, const QString &site) {
    QApplication app(argc, argv);
    refresher::HttpPage page;
    NoPrompts prompter;
    NoLauncher launcher;
    refresher::Session session(page, prompter, launcher, site);
    session.load(folder);
    // the verdict as soon as the page is in, without waiting for the next poll
    QObject::connect(&page, &refresher::HttpPage::settled, &session, &refresher::Session::tickPoll,
                     Qt::QueuedConnection);
    auto *window = new refresher::FrmRefresher1(session);
    QObject::connect(&session, &refresher::Session::changed, [&session] {
        if (session.view().label1.startsWith(QStringLiteral("题库最新版本是：2"))) {
            QTimer::singleShot(0, [] {
                say("shown");
                QCoreApplication::exit(0);
            });
        }
    });
    window->show();
    return app.exec();
}

// Serves the version page on loopback from a thread of its own.
class PageServer : public QObject {
  public:
    QTcpServer server;
    void serve() {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = server.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, s, [s] {
                    s->readAll();
                    const QByteArray body = "<html><body>2026.12.1</body></html>";
                    s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                             QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                    s->disconnectFromHost();
                });
        });
    }
};

// A module folder with 17 page pictures of the size the bank's pages have.
void writePages(const QString &folder) {
    for (int n = 1; n <= 17; ++n) {
        QImage page(780, 460, QImage::Format_RGB32);
        page.fill(QColor(250, 250, 244));
        QPainter p(&page);
        p.drawText(QRect(0, 0, 780, 460), Qt::AlignCenter, QStringLiteral("第 %1 页").arg(n));
        p.end();
        page.save(folder + QStringLiteral("/cad2004/9l00%1.rar").arg(n, 2, 10, QLatin1Char('0')), "PNG");
    }
    platform::textfile::writeLinesAtomic(folder + QStringLiteral("/cad2004/288899.rar"),
                                         {QStringLiteral("12")});
    platform::textfile::writeLinesAtomic(folder + QStringLiteral("/cad2004/288891.rar"),
                                         {QStringLiteral("0101"), QStringLiteral("01")});
}

// Click on "下一页" to the next page painted, in milliseconds, for pages 1 .. 16.
QList<double> pageTurns(const QString &folder) {
    ModData data;
    data.AppPath = folder;
    NoPrompts prompter;
    Trainer trainer(data, {&prompter, nullptr, nullptr, nullptr, nullptr}, QStringLiteral("caddrill"));
    trainer.showCover();
    auto *cover = qobject_cast<FrmFengmian *>(trainer.cover());
    QList<double> ms;
    if (!cover)
        return ms;
    cover->buildPanels();
    for (int round = 0; round < 5; ++round) {
        cover->LblPro_Click(1);
        cover->repaint();
        for (int n = 1; n < 17; ++n) {
            QElapsedTimer t;
            t.start();
            cover->LblNext_Click();
            cover->PicPro->repaint();
            ms << t.nsecsElapsed() / 1e6;
        }
    }
    return ms;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 2 && QByteArray(argv[1]) == "bare")
        return bare(argc, argv);
    if (argc >= 4 && QByteArray(argv[1]) == "check")
        return check(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    QApplication app(argc, argv); // the page turns below need widgets
    const int runs = argc >= 2 ? std::max(3, atoi(argv[1])) : 15;
    QTemporaryDir dir;
    const QString folder = dir.path();
    platform::textfile::writeLinesAtomic(folder + QStringLiteral("/ver.txt"),
                                         {start::verfile::encodeLine(QStringLiteral("AutoCAD 2004")),
                                          start::verfile::encodeLine(QStringLiteral("中文版")),
                                          start::verfile::encodeLine(QStringLiteral("cad2004")),
                                          start::verfile::encodeLine(QStringLiteral("12"))});
    QDir().mkpath(folder + QStringLiteral("/cad2004"));
    platform::textfile::writeLinesAtomic(folder + QStringLiteral("/cad2004/288895.rar"),
                                         {QStringLiteral("2026.12.1")});

    QThread serverThread;
    PageServer server;
    server.moveToThread(&serverThread);
    server.server.moveToThread(&serverThread);
    serverThread.start();
    QMetaObject::invokeMethod(
        &server, [&server] { server.serve(); }, Qt::BlockingQueuedConnection);
    const QString site = QStringLiteral("http://127.0.0.1:%1").arg(server.server.serverPort());

    bench::timeChild({QStringLiteral("bare")}, "shown"); // warm both up from the same file cache
    bench::timeChild({QStringLiteral("check"), folder, site}, "shown");
    QList<double> bareMs, checkMs;
    for (int i = 0; i < runs; ++i) {
        bareMs << bench::timeChild({QStringLiteral("bare")}, "shown");
        checkMs << bench::timeChild({QStringLiteral("check"), folder, site}, "shown");
    }
    QMetaObject::invokeMethod(
        &server, [&server] { server.server.close(); }, Qt::BlockingQueuedConnection);
    serverThread.quit();
    serverThread.wait();
    if (bareMs.contains(-1) || checkMs.contains(-1)) {
        std::fputs("a child did not show its window\n", stderr);
        return 1;
    }
    writePages(folder);
    const QList<double> turns = pageTurns(folder);
    if (turns.isEmpty()) {
        std::fputs("the cover page did not open\n", stderr);
        return 1;
    }
    const double b = bench::median(bareMs), c = bench::median(checkMs);
    std::printf("platform: %s, runs: %d\n",
                qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default"))), runs);
    std::printf("bare 420x200 window shown and painted:      %.1f ms (median)\n", b);
    std::printf("checker started to the site's version shown: %.1f ms (median)\n", c);
    // headline figures, last, one per line
    std::printf("figure: refresher_shown %.1f ms (goal <= %.1f)\n", c, 1.5 * b);
    std::printf("information page turns: %lld, slowest %.2f ms\n", static_cast<long long>(turns.size()),
                *std::max_element(turns.begin(), turns.end()));
    std::printf("figure: start_ratio %.2f x (goal <= 1.5)\n", c / b);
    std::printf("figure: page_turn_ms %.2f ms (goal <= 16)\n", bench::median(turns));
    return 0;
}
