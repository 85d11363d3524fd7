#pragma once
// The rules of a run behind the question panel, without a window: the order of
// showing a question (DqExam), what the toolbar's buttons do in each kind of
// run, the start of the demonstration, the exam countdown and the three ends
// (practice, review, exam).
//
// The panel form owns one session and forwards its events to it; its Qt timers
// call the tick methods (tickDemoDelay for TimStartYS, tickCountdown for TimeKS)
// and it draws what the session holds when the session says so. The session
// reaches the simulated window through the SimulatedWindow port, message boxes
// through platform::Prompter and the time through platform::Clock, so tests
// drive it with fakes of all three.
//
// Typical use (the panel's load):
//   RunSession s(data, prompter, clock);
//   s.setSimulatedWindow(&window);
//   s.load();           // kind from WorkMode, question 1 visited, countdown from now
//   s.showQuestion();   // DqExam
//   ... s.next(), s.toggleMark(), s.tickCountdown() every second ...
//   s.end();            // the end button: records, then closeRequested

#include "panel/panelrules.h"
#include "start/moddata.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <array>

class SimulatedWindow;
namespace platform {
class Clock;
class Prompter;
} // namespace platform

namespace panel {

class RunSession : public QObject {
    Q_OBJECT
  public:
    RunSession(ModData &data, platform::Prompter &prompter, platform::Clock &clock,
               QObject *parent = nullptr);

    // The simulated window beside the panel; null while there is none (it may
    // have been closed under the panel: the run goes on without it).
    void setSimulatedWindow(SimulatedWindow *window) { m_sim = window; }
    SimulatedWindow *simulatedWindow() const { return m_sim; }

    // The panel's load: the kind of run from WorkMode, question 1 visited, the
    // countdown counted from now.
    void load();

    // The kind of run, named by the opener; the toolbar follows it.
    void setKind(RunKind kind) {
        m_kind = kind;
        m_answersOpened = false;
    }
    RunKind kind() const { return m_kind; }
    // The toolbar of the kind; an exam whose answers were opened teaches and
    // demonstrates as a practice does and still ends with the hand-in.
    PanelButtons buttons() const;

    // ---- showing a question
    // DqExam: CurQuestion kept inside 1 ... 40; the question line read; the
    // question's remembered screen and Timer2 on the simulated window; visited
    // bit; CurStep from SavedStep; guided teaching ends with the question. Emits
    // questionLineRead, questionShown and returnToMainRequested, in this order.
    void showQuestion();
    void previous();
    void next();
    // Back to the question's first step.
    void redo();
    // The mark button on CurQuestion.
    void toggleMark();
    // Number button i of the chooser.
    void choose(int i);
    // Guided teaching (WorkMode 1) until the question changes: the simulated
    // window shows the hint and the outlines.
    void startGuidedTeaching();

    // The question line as the panel shows it.
    struct QuestionLine {
        QString text; // the question text (cut at MaxShownChars), or the message naming an unreadable file
        QString picturePath; // DataDir + picture id + DataExt; empty without a picture or
                             // when the id would lead outside the data folder
        bool readable = false;
    };
    const QuestionLine &questionLine() const { return m_line; }
    // Reads line CurQuestion of IndexFile into IndexLine (an unreadable file
    // leaves IndexLine as it was) and emits questionLineRead.
    void readQuestionLine();
    NavState navigation() const;
    QString title() const { return titleLine(m_data); }
    QString unfinished() const { return unfinishedList(m_data); }

    // ---- the demonstration
    // DemoSpeed after a release on toolbar hot spot k (2 for a slow demonstration).
    void releasedOn(int hotSpot, bool rightButton, bool modifierHeld);
    int demoSpeed() const { return m_demoSpeed; }
    // The demonstration button: DemoRunning, the question line read again; the
    // panel then ticks tickDemoDelay every 100 ms.
    void prepareDemonstration();
    // TimStartYS: true on the second tick, when the demonstration is due.
    bool tickDemoDelay();
    // DemoRunning and the demonstration's timer intervals at the chosen speed.
    DemoIntervals startDemonstration();
    // The demonstration window has closed.
    void demonstrationEnded();

    // ---- the exam's hint dialog
    // "我想立即看答案" confirmed: the exam becomes a practice (WorkMode 2, guided
    // teaching and the demonstration on the toolbar, the end still the hand-in),
    // the panel may close, ExamStartTime "-1" keeps the paper's best score as it
    // was, and the demonstration of the current question is prepared from its
    // first step (the panel then ticks tickDemoDelay). The countdown goes on.
    void openAnswers();
    bool answersOpened() const { return m_answersOpened; }

    // ---- the exam countdown
    // Counts from now on.
    void startCountdown();
    // Counts no more: the paper was handed in, or the run is over. A hidden
    // panel that kept counting would announce the end of an exam long gone.
    void stopCountdown() { m_counting = false; }
    bool countdownRunning() const { return m_counting; }
    // The exam's time is used up (at 0 or below); only the hand-in is left.
    bool timeIsUp() const { return m_data.ExamMinutesLeft <= 0; }
    // "剩余m分钟" and the filled part of a time bar of the given width.
    QString timeText() const { return timeCaption(m_data.ExamMinutesLeft); }
    int timeBar(int barWidth) const { return timeBarFill(m_data.ExamMinutesLeft, barWidth); }
    // TimeKS: for each whole minute the steady clock has moved on since the
    // last counted one, ExamMinutesLeft goes down by 1 (timeChanged); the wall
    // clock set back or forward changes nothing. At 0 the
    // box "时间已到，自动交卷！" (titled with the module's name) is shown once and
    // the paper is handed in (handInRequested). Returns false, counting nothing,
    // outside an exam run on an exam paper (SetBase not 0, another kind of run)
    // and once the countdown was stopped: the timer then stops.
    bool tickCountdown();

    // ---- keeping progress
    // Question q has just been solved: a unit practice writes the unit's status
    // and result files at once (as the end does), so that a crash loses at most
    // the question in hand. Other runs write nothing here. A failed write is
    // kept in saveError(); the end writes both files again and says what fails.
    void questionSolved(int q);
    const QString &saveError() const { return m_saveError; }

    // ---- the end button
    // Practice: the visited bits cleared, the unit's result and status files
    // written (a failure is shown, the run still ends), then closeRequested. Exam:
    // hideRequested(true), then handInRequested. Review: in the wrong-question
    // review the panel hides and asks whether the solved questions leave the
    // list, then closeRequested.
    void end();

  Q_SIGNALS:
    void questionLineRead();
    void questionShown();
    void returnToMainRequested();
    void timeChanged();
    void handInRequested();
    // The panel hides; toOrigin: it first moves to the screen's top left corner.
    void hideRequested(bool toOrigin);
    // The run is over: the panel and the simulated window close.
    void closeRequested();

  private:
    int current() const;
    void endPractice();
    void endReview();

    ModData &m_data;
    platform::Prompter &m_prompter;
    platform::Clock &m_clock;
    SimulatedWindow *m_sim = nullptr;
    RunKind m_kind = RunKind::Practice;
    bool m_answersOpened = false;
    QuestionLine m_line;
    int m_demoSpeed = 1;
    int m_startTicks = 0;
    qint64 m_minuteMark = 0; // the countdown's last counted minute, on the steady clock
    bool m_counting = false;
    QString m_saveError; // the last per-question write that failed
};

} // namespace panel
