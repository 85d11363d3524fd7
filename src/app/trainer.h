#pragma once
// The application object and the one place that decides which window shows next:
// it owns the platform services, runs the start-up sequence, hands out the forms
// (each created on first use and gone after it closes) and connects what they ask
// for (a run, the exam login, the cover page again) to the window that answers.
// No form includes this file: forms emit signals, and the trainer connects them.

#include "panel/panelentry.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "start/moddata.h"

#include "start/frmstart.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <memory>

class QWidget;
class FrmTm;
class FrmMain;
class FrmLogon;
class SimulatedWindow;
class HandInDialog;
namespace platform {
class KeyboardLayout;
} // namespace platform

struct TrainerServices {
    platform::Prompter *prompter = nullptr;
    platform::Registry *registry = nullptr;
    platform::Launcher *launcher = nullptr;
    platform::Clock *clock = nullptr;
    platform::InstanceLock *instance = nullptr;
    platform::KeyboardLayout *keyboard = nullptr; // nullptr: the desktop's
};

class Trainer : public QObject {
    Q_OBJECT
  public:
    // appPath: the program folder; exeName: the executable's name without extension.
    Trainer(ModData &data, TrainerServices services, QString exeName, QObject *parent = nullptr);
    ~Trainer() override;

    ModData &data() { return m_data; }
    const TrainerServices &services() const { return m_services; }

    // The start form's load: previous-instance refusal, scale, readInfo, shared
    // defaults, then the start picture with its 100 ms hand-over armed. Returns
    // false when the program must end (second instance, unreadable ver.txt or
    // first-run marker); the reason has then been shown.
    bool start();

    // A fresh cover page (the main menu), shown modeless.
    void showCover();
    QWidget *cover() const { return m_cover; }
    FrmStart *startForm() const { return m_start; }

    // A new cover page with its requests connected; nullptr, and the program
    // ends, when the data folder belongs to another module.
    QWidget *createCover();

    // The simulated exam login for the paper in CurSet (the exam entry has set
    // WorkMode and SetBase already). A paper whose files cannot be read is named
    // in a message and the cover page shows again; otherwise the login opens and,
    // once the learner has logged in, the exam run (openRun with the exam's
    // captions). Leaving the login shows the cover page.
    void openLogon();
    FrmLogon *logon() const;

    // Opens a practice, review or exam run: the question panel with the captions
    // the opener chose, then the simulated window; the panel's TimerREDO is
    // switched on last. The shared variables describe the set already.
    void openRun(const PanelEntry &entry);

    // The question panel and the simulated window of the current run, each
    // created on first use and gone after it closes.
    FrmTm *panel();
    FrmMain *simulatedWindow();
    // The input layouts the panel lists and the command line activates.
    platform::KeyboardLayout &keyboard();

    // A second start of this program folder called: the current top window
    // (an open modal dialog, else the window the learner had last, else the
    // run's simulated window, the cover page or the start picture) is raised,
    // restored when minimised, and activated.
    void bringToFront();
    QWidget *topWindow() const;

    // ---- the end of an exam (examflow.cpp)
    // "结束考试" or the time run out: the first hand-in dialog over the hidden
    // panel; when one is open already (the time ran out under it) it only loses
    // its "继续考试".
    void handIn();
    // The score report after the second "交卷": the countdown stopped, the run's
    // windows closed, the paper scored and its records stored, the report shown.
    void openReport();
    QWidget *report() const { return m_report; }
    QWidget *handInDialog() const;

    // The learner closed the simulated window (Alt+F4): the run ends as the
    // panel's end button ends it, with its questions; when the learner goes on
    // with the exam both windows stay.
    void endOfRunAsked();

  Q_SIGNALS:
    void coverShown();

  private:
    void handOver();
    void secondHandInDialog(bool timeUp);
    void continueExam();
    void reviewPaper();
    void reviewWrongQuestions();
    QDateTime now() const;

    ModData &m_data;
    TrainerServices m_services;
    QString m_exeName;
    QPointer<FrmStart> m_start;
    QPointer<QWidget> m_cover;
    QPointer<FrmTm> m_panel;
    QPointer<FrmMain> m_main;
    QPointer<FrmLogon> m_logon;
    SimulatedWindow *m_mainLink = nullptr; // what the panel drives, dies with the window
    QPointer<QWidget> m_lastActive;
    QPointer<HandInDialog> m_handIn; // the hand-in dialog on the screen, if any
    QPointer<QWidget> m_report;
};
