// Opening a run: the question panel beside the simulated window.
#include "app/trainer.h"
#include "demo/frmyanshi.h"
#include "panel/frmczts.h"
#include "panel/frmtm.h"
#include "panel/simwindow.h"
#include "platform/keyboardlayout.h"
#include "platform/screenplace.h"
#include "simulator/frmmain.h"

#include <QLineEdit>
#include <QPointer>
#include <QScreen>

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
    void focusCommandLine() override {
        // a box that has the focus already gets it anew, so the layout is activated
        QLineEdit *box = m_main->Text1;
        if (!box->isVisible())
            return;
        if (box->hasFocus())
            box->clearFocus();
        box->setFocus(Qt::OtherFocusReason);
    }

    void closeForRunEnd() override { m_main->closeForRunEnd(); }

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
        // the demonstration over the hidden simulated window; its end brings the
        // question back
        FrmTm *tm = m_panel;
        connect(tm, &FrmTm::demonstrationRequested, this, [this, tm](const panel::DemoIntervals &intervals) {
            auto *w = new demo::FrmYanShi(m_data, demo::intervalsOf(intervals), m_main);
            connect(w, &demo::FrmYanShi::finished, tm, &FrmTm::demonstrationEnded);
            w->start();
        });
        // the exam's hint dialog, modal over the panel; its answer choice
        // turns the exam into a practice with the demonstration starting
        connect(tm, &FrmTm::hintRequested, this, [this, tm] {
            auto *dialog = new FrmCZTS(*m_services.prompter, tm);
            dialog->setAttribute(Qt::WA_DeleteOnClose);
            dialog->setWindowModality(Qt::ApplicationModal);
            connect(dialog, &FrmCZTS::answersChosen, tm, &FrmTm::openAnswers);
            // centred on the screen: the docked panel sits in a corner
            if (const QScreen *screen = tm->screen())
                platform::placeOnScreen(dialog,
                                        screen->availableGeometry().center() - dialog->rect().center());
            dialog->show();
        });
        m_panel->setKeyboardLayout(keyboard());
        if (m_main)
            m_panel->setSimulatedWindow(m_mainLink);
    }
    return m_panel;
}

platform::KeyboardLayout &Trainer::keyboard() {
    static platform::DesktopKeyboardLayout desktop;
    return m_services.keyboard ? *m_services.keyboard : desktop;
}

FrmMain *Trainer::simulatedWindow() {
    if (!m_main) {
        m_main = new FrmMain(m_data, &keyboard());
        m_main->setAttribute(Qt::WA_DeleteOnClose);
        m_mainLink = new MainWindowLink(m_main);
        // closing the window (Alt+F4) ends the run as the panel's end button does
        connect(m_main, &FrmMain::endOfRunAsked, this, &Trainer::endOfRunAsked);
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

void Trainer::endOfRunAsked() {
    if (m_panel) {
        m_panel->CmdEnd_Click();
        return;
    }
    // no run left to end: the window goes, and the cover page is the way on
    if (m_main)
        m_main->closeForRunEnd();
    showCover();
}
