// logonbench: the exam login's "登录" to question 1 of the paper laid out: the
// paper assembled and written with the assembly log, the candidate stored, the
// first-step table, the carried marks, the login closed, the question panel and
// the simulated window created and shown, the panel's DqExam, the window's
// first setData, and both painted. The deliberate waits (the bar's seven 100 ms
// ticks, TimerREDO, Timer2) are not counted: their ticks are called directly.
// Prints the median and the spread of 21 logins on a copy of the program folder.
//   logonbench PROGRAM_FOLDER
#include "app/trainer.h"
#include "panel/frmlogon.h"
#include "panel/frmtm.h"
#include "platform/fonts.h"
#include "platform/services.h"
#include "simulator/frmmain.h"
#include "start/verfile.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QPointer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {
class NoLock : public platform::InstanceLock {
  public:
    bool acquire() override { return true; }
};
class SilentPrompter : public platform::Prompter {
  public:
    Answer ask(const QString &, Buttons, Icon, const QString &, Answer) override { return AnswerOk; }
};
} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setFont(platform::fonts::ui(9));
    if (argc < 2) {
        std::fputs("usage: logonbench PROGRAM_FOLDER\n", stderr);
        return 2;
    }
    const QString source = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QTemporaryDir dir;
    QDirIterator it(source, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = dir.path() + QStringLiteral("/") + QDir(source).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(file, target);
    }
    ModData d;
    d.AppPath = dir.path();
    if (!start::verfile::readInfo(d, nullptr)) {
        std::fprintf(stderr, "logonbench: no installed module in %s\n", qPrintable(source));
        return 1;
    }
    d.CandidateName = QStringLiteral("柏川1");

    SilentPrompter prompter;
    platform::SystemClock clock;
    NoLock lock;
    Trainer trainer(d, {&prompter, nullptr, nullptr, &clock, &lock}, QStringLiteral("caddrill"));
    QList<double> ms;
    for (int run = 0; run < 22; ++run) {
        // the cover page's exam entry for paper 1
        d.QuestionCount = 40;
        d.SetBase = SetBaseExamPaper;
        d.WorkMode = WorkExam;
        d.CurSet = 0;
        trainer.openLogon();
        QPointer<FrmLogon> logon = trainer.logon();
        if (!logon) {
            std::fputs("logonbench: the login did not open\n", stderr);
            return 1;
        }
        logon->Timer1_Timer();
        bool started = false;
        QObject::connect(logon, &FrmLogon::examStarted, logon, [&started] { started = true; });

        QElapsedTimer t;
        t.start();
        logon->CmdLog_Click();
        logon->Timer2.stop();
        for (int tick = 0; tick < 50 && logon && !started; ++tick)
            logon->Timer2_Timer();
        FrmTm *tm = trainer.panel();
        FrmMain *main = trainer.simulatedWindow();
        tm->TimerREDO_Timer();
        main->Timer2.stop();
        main->setData();
        tm->repaint();
        main->repaint();
        const double elapsed = t.nsecsElapsed() / 1e6;
        if (!started) {
            std::fputs("logonbench: the exam did not start\n", stderr);
            return 1;
        }
        if (run > 0) // the first login also loads fonts and styles
            ms << elapsed;
        tm->TimeKS.stop();
        d.PanelMayClose = True;
        tm->close();
        main->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("login to question 1 of the paper laid out: median %.1f ms (min %.1f, max %.1f, %lld runs)\n",
                ms.at(ms.size() / 2), ms.first(), ms.last(), static_cast<long long>(ms.size()));
    std::printf("figure: login_ms %.1f ms (goal <= 30)\n", ms.at(ms.size() / 2));
    return 0;
}
