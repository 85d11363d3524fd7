// cadshots demo: frames of the demonstration window, for looking at it: the
// pointer in mid-glide, a drawn menu with its submenu open, and text being typed
// into the command line. The questions of the module are played in turn on a
// virtual clock until each of the three has been caught.
//   cadshots demo PROGRAM_FOLDER OUTPUT_FOLDER
#include "demo/frmyanshi.h"
#include "demo/tickschedule.h"
#include "shots.h"
#include "start/moddata.h"
#include "start/setfiles.h"
#include "start/verfile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int demoShots(const QStringList &args) {
    if (args.size() != 3) {
        std::fputs("usage: cadshots demo PROGRAM_FOLDER OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    ModData d;
    d.AppPath = QDir(args.at(1)).absolutePath();
    QString error;
    if (!start::verfile::readInfo(d, &error)) {
        std::fprintf(stderr, "cadshots: %s\n", qPrintable(error));
        return 1;
    }
    const QString out = args.at(2);
    QDir().mkpath(out);
    const demo::Intervals speed = demo::intervalsOf(sim::demoIntervals(1));
    bool glide = false, cascade = false, typing = false;
    for (int u = 0; u < 20 && !(glide && cascade && typing); ++u) {
        d.CurSet = Integer(u);
        d.SetBase = SetBaseUnit;
        start::setfiles::nameSetFiles(d);
        if (!QFileInfo::exists(d.IndexFile))
            break;
        const int n = start::setfiles::readQuestionOffsets(d, &error);
        d.QuestionCount = Integer(n);
        for (int q = 1; q <= n && q <= MaxQuestions && !(glide && cascade && typing); ++q) {
            d.CurQuestion = Integer(q);
            d.CurStep = 1;
            d.DemoRunning = True;
            auto *w = new demo::FrmYanShi(d, speed);
            w->start();
            demo::DemoPlayer &p = w->player();
            demo::TickSchedule s(p, speed);
            int glideTicks = 0, subTicks = 0;
            auto shoot = [&](const char *name) {
                const QString path = out + u'/' + QLatin1String(name);
                w->grab().save(path);
                std::printf("%s (unit %d question %d step %d, code %s)\n", qPrintable(path), u + 1, q,
                            p.step(), qPrintable(p.screen().code));
            };
            s.setTicker([&](demo::Timer t) {
                w->tickNow(t);
                for (int i = 0; i < demo::TimerCount; ++i)
                    w->timer(demo::Timer(i)).stop();
                if (p.finished())
                    return;
                glideTicks = t == demo::Timer::Timer2 ? glideTicks + 1 : glideTicks;
                if (!glide && t == demo::Timer::Timer2 && glideTicks == 6 && p.step() > 1) {
                    glide = true;
                    shoot("demo-glide.png");
                }
                subTicks = t == demo::Timer::TimerRS ? subTicks + 1 : 0;
                if (!cascade && subTicks == 5) {
                    cascade = true;
                    shoot("demo-cascade.png");
                }
                if (!typing && t == demo::Timer::Timer1 && p.runs(demo::Timer::Timer1) &&
                    p.typedLength() >= 3) {
                    typing = true;
                    shoot("demo-typing.png");
                }
            });
            s.runToEnd();
            if (!p.finished())
                w->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    return glide && cascade && typing ? 0 : 1;
}
