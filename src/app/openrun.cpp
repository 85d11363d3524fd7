// Opening a run: the question panel beside the simulated window.
#include "app/trainer.h"
#include "demo/demostandin.h"
#include "panel/frmtm.h"
#include "panel/simwindow.h"
#include "simulator/frmmain.h"

#include <QPointer>

namespace {

// What the panel uses of the simulated window, on the real one.
class MainWindowLink : public QObject, public SimulatedWindow {
  public:
    explicit MainWindowLink(FrmMain *main) : QObject(main), m_main(main) {}
    QWidget *window() override { return m_main; }
    void restoreQuestion(int q) override { m_main->restoreQuestion(q); }
    void startTimer2() override { m_main->Timer2.start(); }
    void setGuided(bool on) override {
        // the hint and both outlines at once; setData keeps them from then on
        m_main->setGuided(on);
        m_main->showGuides(on);
    }

  private:
    FrmMain *m_main;
};

} // namespace

FrmTm *Trainer::panel() {
    if (!m_panel) {
        static platform::SystemClock systemClock;
        m_panel = new FrmTm(m_data, *m_services.prompter, m_services.clock ? *m_services.clock : systemClock);
        // a practice or review has ended: a fresh cover page, rebuilt from the files
        connect(m_panel, &FrmTm::runEnded, this, &Trainer::showCover);
        // "结束考试" and the end of the exam's time: the hand-in dialogs
        connect(m_panel, &FrmTm::handInRequested, this, &Trainer::handIn);
        // until the demonstration window exists a stand-in says what would be
        // played and returns to the question as the demonstration's end does
        FrmTm *tm = m_panel;
        connect(tm, &FrmTm::demonstrationRequested, this, [this, tm](const panel::DemoIntervals &intervals) {
            auto *w = new demo::DemoStandIn(m_data.CurQuestion, intervals[0] > panel::DemoTimers[0].interval);
            connect(w, &demo::DemoStandIn::finished, tm, &FrmTm::demonstrationEnded);
            w->show();
        });
        // the exam's hint dialog: a stand-in message until it exists
        connect(tm, &FrmTm::hintRequested, this, [this] {
            m_services.prompter->ask(QStringLiteral("操作提示：请按题目要求在模拟窗口中完成操作。"));
        });
        if (m_main)
            m_panel->setSimulatedWindow(m_mainLink);
    }
    return m_panel;
}

FrmMain *Trainer::simulatedWindow() {
    if (!m_main) {
        m_main = new FrmMain(m_data);
        m_main->setAttribute(Qt::WA_DeleteOnClose);
        m_mainLink = new MainWindowLink(m_main);
        if (m_panel)
            m_panel->setSimulatedWindow(m_mainLink);
    }
    return m_main;
}

void Trainer::openRun(const PanelEntry &entry) {
    FrmTm *tm = panel(); // the first touch loads it
    FrmMain *main = simulatedWindow();
    tm->setSimulatedWindow(m_mainLink);
    main->setPanel(tm);
    // each solved question goes to the disk at once (a unit practice)
    main->learner().setSolvedKeeper([session = QPointer<FrmTm>(tm)](int q) {
        if (session)
            session->session().questionSolved(q);
    });
    tm->applyEntry(entry);
    tm->showNumberButtons();
    tm->show();
    main->showForm();
    tm->raise();
    tm->TimerREDO.start();
}
