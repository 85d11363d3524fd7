// demobench: the demonstration window playing the longest question of the
// sample module. First every tick is driven by hand and timed together with the
// synchronous repaint of the window it causes (the glide must never drop a frame);
// then the same question plays on the window's own Qt timers and its length is
// compared with the sum of the intervals its ticks stand for.
//   demobench PROGRAM_FOLDER     (the staged program folder with the sample module)
#include "demo/frmyanshi.h"
#include "demo/tickschedule.h"
#include "simulator/picturecache.h"
#include "simulator/screengeometry.h"
#include "start/moddata.h"
#include "start/setfiles.h"
#include "start/verfile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

demo::Intervals normalSpeed() {
    return demo::intervalsOf(sim::demoIntervals(1));
}

bool openQuestion(ModData &d, int unit, int question) {
    QString err;
    d.CurSet = Integer(unit);
    d.SetBase = SetBaseUnit;
    d.WorkMode = WorkPractice;
    start::setfiles::nameSetFiles(d);
    if (!QFileInfo::exists(d.IndexFile))
        return false;
    d.QuestionCount = Integer(start::setfiles::readQuestionOffsets(d, &err));
    d.CurQuestion = Integer(question);
    d.CurStep = 1;
    return question <= d.QuestionCount;
}

// The virtual length of a question's demonstration (ms) and its tick count.
struct Length {
    qint64 ms = 0;
    int ticks = 0;
};

Length virtualLength(ModData &d) {
    auto *probe = new demo::FrmYanShi(d, normalSpeed()); // deletes itself at the end
    d.DemoRunning = True;
    demo::DemoPlayer &p = probe->player();
    p.start();
    demo::TickSchedule s(p, normalSpeed());
    s.runToEnd();
    const Length l{s.now(), s.ticks()};
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return l;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    if (argc < 2) {
        std::fputs("usage: demobench PROGRAM_FOLDER\n", stderr);
        return 2;
    }
    ModData d;
    d.AppPath = QString::fromLocal8Bit(argv[1]);
    QString err;
    if (!start::verfile::readInfo(d, &err)) {
        std::fprintf(stderr, "demobench: %s\n", qPrintable(err));
        return 1;
    }

    // the longest question (by its demonstration's length)
    int bestUnit = -1, bestQuestion = 0;
    Length best;
    for (int u = 0; u < 20; ++u) {
        if (!openQuestion(d, u, 1))
            break;
        const int n = d.QuestionCount;
        for (int q = 1; q <= n && q <= MaxQuestions; ++q) {
            openQuestion(d, u, q);
            const Length l = virtualLength(d);
            if (l.ms > best.ms) {
                best = l;
                bestUnit = u;
                bestQuestion = q;
            }
        }
    }
    if (bestUnit < 0) {
        std::fputs("demobench: no sample module in the program folder\n", stderr);
        return 1;
    }
    std::printf("longest question: unit %d question %d, %d ticks, %.1f s at normal speed\n", bestUnit + 1,
                bestQuestion, best.ticks, best.ms / 1000.0);

    // 1. work per tick, repaint included
    QList<double> perTick;
    for (int run = 0; run < 3; ++run) {
        openQuestion(d, bestUnit, bestQuestion);
        d.DemoRunning = True;
        auto *w = new demo::FrmYanShi(d, normalSpeed());
        w->start();
        // painting needs the window on the screen: let it be exposed first
        for (int i = 0; i < 200 && !(w->windowHandle() && w->windowHandle()->isExposed()); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        w->repaint();
        for (int i = 0; i < demo::TimerCount; ++i)
            w->timer(demo::Timer(i)).stop(); // the ticks come from here
        demo::TickSchedule s(w->player(), normalSpeed());
        s.setTicker([&](demo::Timer t) {
            QElapsedTimer e;
            e.start();
            w->tickNow(t, true);
            if (run > 0) { // the first run also loads fonts
                perTick << e.nsecsElapsed() / 1e6;
                if (perTick.last() > 2)
                    std::printf("  slow tick: %s %.2f ms at step %d (%s)\n", demo::timerName(t),
                                perTick.last(), w->player().step(), qPrintable(w->player().screen().code));
            }
            for (int i = 0; i < demo::TimerCount; ++i)
                w->timer(demo::Timer(i)).stop();
            // the idle time between two ticks, in which the window decodes ahead
            if (!w->player().finished())
                w->prefetch();
        });
        s.runToEnd();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::sort(perTick.begin(), perTick.end());
    const double median = perTick.at(perTick.size() / 2);
    const double p99 = perTick.at(std::min<qsizetype>(perTick.size() - 1, qsizetype(perTick.size() * 0.99)));
    std::printf("per tick with repaint: median %.3f ms, p99 %.3f ms, max %.3f ms (%lld ticks)\n", median, p99,
                perTick.last(), static_cast<long long>(perTick.size()));

    // 2. the whole demonstration on the window's own timers
    openQuestion(d, bestUnit, bestQuestion);
    d.DemoRunning = True;
    auto *w = new demo::FrmYanShi(d, normalSpeed());
    QEventLoop loop;
    QObject::connect(w, &demo::FrmYanShi::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    QElapsedTimer t;
    t.start();
    w->start();
    loop.exec();
    const double real = t.nsecsElapsed() / 1e6;
    const double errorPct = std::abs(real - double(best.ms)) * 100.0 / double(best.ms);
    std::printf("whole demonstration: %.0f ms on the timers, %lld ms by the intervals\n", real,
                static_cast<long long>(best.ms));

    std::printf("figure: tick_median_ms %.3f ms (goal <= 2)\n", median);
    std::printf("figure: tick_p99_ms %.3f ms (goal <= 2)\n", p99);
    std::printf("figure: schedule_error_pct %.2f %% (goal <= 5)\n", errorPct);
    return 0;
}
