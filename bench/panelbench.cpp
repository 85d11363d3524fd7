// panelbench: opening a unit of 40 questions to question 1 laid out — the
// question panel and the simulated window created and shown, the panel's
// DqExam, the window's first setData, and both painted. The deliberate one-shot
// timer waits (TimerREDO, Timer2: 100 ms each) are not counted: their ticks are
// called directly. Prints the median and the spread of 21 openings.
//   panelbench PROGRAM_FOLDER     (a folder with cad2004/ holding unit 0)
#include "app/trainer.h"
#include "panel/frmtm.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "simulator/frmmain.h"
#include "start/setfiles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
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
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    if (argc < 2) {
        std::fputs("usage: panelbench PROGRAM_FOLDER\n", stderr);
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/cad2004/");
    QTemporaryDir dir;
    ModData d;
    d.AppPath = dir.path();
    d.DataDir = dir.path() + QStringLiteral("/cad2004/");
    QDir().mkpath(d.DataDir);
    QDir().mkpath(d.recordDir());
    for (const QString &f : QDir(source).entryList(QDir::Files))
        QFile::copy(source + f, d.DataDir + f);
    // a unit of 40 questions: the unit's lines repeated
    QStringList index;
    if (!platform::textfile::readLines(d.DataDir + QStringLiteral("288870.rar"), index) || index.isEmpty()) {
        std::fprintf(stderr, "panelbench: no unit 0 in %s\n", qPrintable(source));
        return 1;
    }
    QStringList forty;
    for (int i = 0; forty.size() < 40; ++i)
        forty << index.at(i % index.size());
    platform::textfile::writeLinesAtomic(d.DataDir + QStringLiteral("288870.rar"), forty);
    d.ModuleName = QStringLiteral("AutoCAD 2004");

    SilentPrompter prompter;
    platform::SystemClock clock;
    NoLock lock;
    Trainer trainer(d, {&prompter, nullptr, nullptr, &clock, &lock}, QStringLiteral("caddrill"));
    QList<double> ms;
    for (int run = 0; run < 22; ++run) {
        d.SetBase = SetBaseUnit;
        d.CurSet = 0;
        d.WorkMode = WorkPractice;
        d.QuestionCount = 40;
        d.CurQuestion = 1;
        d.CurStep = 1;
        d.PanelMayClose = False;
        start::setfiles::nameSetFiles(d);
        start::setfiles::readQuestionOffsets(d);
        for (int q = 1; q <= 40; ++q) {
            d.QuestionMark[q] = QStringLiteral("F");
            d.QuestionScore[q] = 0;
        }
        QElapsedTimer t;
        t.start();
        trainer.openRun({panel::RunKind::Practice, QStringLiteral("单元练习-"), std::nullopt});
        FrmTm *tm = trainer.panel();
        FrmMain *main = trainer.simulatedWindow();
        tm->TimerREDO_Timer();
        main->Timer2.stop();
        main->setData();
        tm->repaint();
        main->repaint();
        const double elapsed = t.nsecsElapsed() / 1e6;
        if (run > 0) // the first opening also loads fonts and styles
            ms << elapsed;
        d.PanelMayClose = True;
        tm->close();
        main->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::sort(ms.begin(), ms.end());
    std::printf(
        "unit of 40 questions to question 1 laid out: median %.1f ms (min %.1f, max %.1f, %lld runs)\n",
        ms.at(ms.size() / 2), ms.first(), ms.last(), static_cast<long long>(ms.size()));
    // headline figure, last: a learner notices a wait from about a tenth of a second
    std::printf("figure: panel_open_median %.1f ms (goal <= 100)\n", ms.at(ms.size() / 2));
    return 0;
}
