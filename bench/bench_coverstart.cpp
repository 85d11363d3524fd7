// Cold start to the cover page painted, against a bare Qt Widgets window of the
// same size shown and painted by a trivial program. Both are started as fresh
// processes, alternately, and timed from the start of the process to the line
// the process prints after its window's first paint.
//
//   bench_coverstart [runs]          runs both, prints medians and the ratio
//   bench_coverstart bare            one bare window (child)
//   bench_coverstart cover FOLDER    one cover page of the module in FOLDER (child)
#include "app/trainer.h"
#include "cover/frmfengmian.h"
#include "platform/messagebox.h"
#include "platform/textfile.h"
#include "start/verfile.h"

#include "childtiming.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

QElapsedTimer s_main;

// Reports the first paint of a window, once it has been painted.
class PaintWatch : public QObject {
  public:
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, [] {
                if (qEnvironmentVariableIsSet("BENCH_PHASES"))
                    std::fprintf(stderr, "painted at %lld ms in main\n", s_main.elapsed());
                std::puts("painted");
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

  private:
    bool m_seen = false;
};

class BareWindow : public QWidget {
  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0xee, 0xf3, 0xf8));
    }
};

int bare(int argc, char **argv) {
    QApplication app(argc, argv);
    BareWindow w;
    w.setFixedSize(800, 600);
    PaintWatch watch;
    w.installEventFilter(&watch);
    w.show();
    return app.exec();
}

int coverPage(int argc, char **argv, const QString &folder) {
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    ModData data;
    data.AppPath = folder;
    platform::MessageBoxPrompter prompter([&data] { return data.appTitle(); });
    Trainer trainer(data, {&prompter, nullptr, nullptr, nullptr, nullptr}, QStringLiteral("caddrill"));
    if (qEnvironmentVariableIsSet("BENCH_PHASES"))
        std::fprintf(stderr, "application at %lld ms\n", s_main.elapsed());
    trainer.showCover();
    if (qEnvironmentVariableIsSet("BENCH_PHASES"))
        std::fprintf(stderr, "cover shown at %lld ms\n", s_main.elapsed());
    if (!trainer.cover())
        return 1;
    PaintWatch watch;
    trainer.cover()->installEventFilter(&watch);
    return app.exec();
}

// A full module: 14 papers, 20 units of 12 questions, records for every paper.
void makeModule(const QString &folder) {
    const QString data = folder + QStringLiteral("/cad2004/");
    QDir().mkpath(data);
    QDir().mkpath(folder + QStringLiteral("/ksdata"));
    QStringList ver = {start::verfile::encodeLine(QStringLiteral("AutoCAD 2004")),
                       start::verfile::encodeLine(QStringLiteral("中文版")),
                       start::verfile::encodeLine(QStringLiteral("cad2004")),
                       start::verfile::encodeLine(QStringLiteral("12"))};
    for (int u = 0; u < 21; ++u)
        ver << start::verfile::encodeLine(QStringLiteral("第%1单元").arg(u + 1));
    platform::textfile::writeLinesAtomic(folder + QStringLiteral("/ver.txt"), ver);
    platform::textfile::writeLinesAtomic(
        data + QStringLiteral("288891.rar"),
        {QStringLiteral("1420"), QString(20, u'0').replace(u'0', QStringLiteral("12"))});
    platform::textfile::writeLinesAtomic(data + QStringLiteral("288895.rar"), {QStringLiteral("2026.12")});
    platform::textfile::writeLinesAtomic(data + QStringLiteral("288899.rar"), {QStringLiteral("12")});
    QStringList record;
    for (int k = 0; k < 14; ++k)
        record << QStringLiteral("2026-12-01 10:00:00") << QStringLiteral("87.5") << QString();
    platform::textfile::writeLinesAtomic(folder + QStringLiteral("/ksdata/288892.rar"), record);
}

} // namespace

int main(int argc, char **argv) {
    s_main.start();
    if (argc >= 2 && QByteArray(argv[1]) == "bare")
        return bare(argc, argv);
    if (argc >= 3 && QByteArray(argv[1]) == "cover")
        return coverPage(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
    const int runs = argc >= 2 ? std::max(3, atoi(argv[1])) : 15;
    QTemporaryDir dir;
    makeModule(dir.path());
    // one warm-up of each so that both start from the same file cache
    bench::timeChild({QStringLiteral("bare")}, "painted");
    bench::timeChild({QStringLiteral("cover"), dir.path()}, "painted");
    QList<double> bareMs, coverMs;
    for (int i = 0; i < runs; ++i) {
        bareMs << bench::timeChild({QStringLiteral("bare")}, "painted");
        coverMs << bench::timeChild({QStringLiteral("cover"), dir.path()}, "painted");
    }
    if (bareMs.contains(-1) || coverMs.contains(-1)) {
        std::fputs("a child did not paint its window\n", stderr);
        return 1;
    }
    const double b = bench::median(bareMs), c = bench::median(coverMs);
    std::printf("platform: %s, runs: %d\n",
                qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default"))), runs);
    std::printf("bare 800x600 window shown and painted: %.1f ms (median)\n", b);
    std::printf("cover page shown and painted:          %.1f ms (median)\n", c);
    std::printf("ratio: %.2f (target <= 1.5)\n", c / b);
    // headline figures, last, one per line
    std::printf("figure: cover_start %.1f ms (goal <= %.1f)\n", c, 1.5 * b);
    std::printf("figure: cover_vs_bare %.2f x (goal <= 1.5)\n", c / b);
    return 0;
}
