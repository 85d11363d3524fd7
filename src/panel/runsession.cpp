#include "panel/runsession.h"
#include "panel/examrules.h"
#include "panel/progress.h"
#include "panel/simwindow.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "simulator/bankreader.h"
#include "start/setassembly.h"

#include <algorithm>

namespace panel {

RunSession::RunSession(ModData &data, platform::Prompter &prompter, platform::Clock &clock, QObject *parent)
    : QObject(parent), m_data(data), m_prompter(prompter), m_clock(clock) {}

void RunSession::load() {
    m_demoSpeed = 1;
    m_kind = loadKind(m_data);
    m_data.QuestionScore[1] = withVisited(m_data.QuestionScore[1]);
    startCountdown();
}

int RunSession::current() const {
    return std::clamp<int>(m_data.CurQuestion, 1, MaxQuestions);
}

// ---- showing a question ----------------------------------------------------------

void RunSession::readQuestionLine() {
    QStringList lines;
    platform::textfile::ReadError err;
    if (!platform::textfile::readLines(m_data.IndexFile, lines, &err)) {
        // the question cannot be read: say which file instead of leaving a stale text
        m_line = {err.message(), QString(), false};
    } else {
        m_data.IndexLine = platform::textfile::lineAt(lines, m_data.CurQuestion);
        const start::setfiles::IndexEntry e = start::setfiles::parseIndexLine(m_data.IndexLine);
        m_line = {platform::textfile::shownText(e.text),
                  e.hasPicture ? sim::bank::picturePath(m_data, e.pictureId) : QString(), true};
    }
    Q_EMIT questionLineRead();
}

NavState RunSession::navigation() const {
    return navState(current(), m_data.QuestionCount);
}

void RunSession::showQuestion() {
    const int q = current();
    m_data.CurQuestion = Integer(q);
    // the text and the picture
    readQuestionLine();
    // the question's remembered screen, then Timer2
    if (m_sim) {
        m_sim->restoreQuestion(q);
        m_sim->startTimer2();
    }
    m_data.QuestionScore[q] = withVisited(m_data.QuestionScore[q]);
    // resume at the step reached earlier
    m_data.CurStep = m_data.SavedStep[q];
    // guided teaching ends with the question
    if (m_data.WorkMode != WorkExam)
        m_data.WorkMode = WorkPractice;
    Q_EMIT questionShown();
    Q_EMIT returnToMainRequested();
}

void RunSession::previous() {
    m_data.CurQuestion = Integer(previousQuestion(m_data.CurQuestion));
    showQuestion();
}

void RunSession::next() {
    m_data.CurQuestion = Integer(nextQuestion(m_data.CurQuestion, m_data.QuestionCount));
    showQuestion();
}

void RunSession::redo() {
    m_data.SavedStep[current()] = 1;
    showQuestion();
}

void RunSession::toggleMark() {
    const int q = current();
    m_data.QuestionScore[q] = panel::toggleMark(m_data.QuestionScore[q]);
    Q_EMIT returnToMainRequested();
}

void RunSession::choose(int i) {
    m_data.CurQuestion = Integer(std::clamp(i, 1, MaxQuestions));
    showQuestion();
}

void RunSession::startGuidedTeaching() {
    m_data.WorkMode = WorkGuided;
    if (m_sim)
        m_sim->setGuided(true);
    Q_EMIT returnToMainRequested();
}

// ---- the demonstration -------------------------------------------------------------

void RunSession::releasedOn(int hotSpot, bool rightButton, bool modifierHeld) {
    m_demoSpeed = demoSpeedAfterRelease(hotSpot, rightButton, modifierHeld);
}

void RunSession::prepareDemonstration() {
    m_data.DemoRunning = True;
    readQuestionLine();
}

bool RunSession::tickDemoDelay() {
    ++m_startTicks;
    if (m_startTicks < 2)
        return false;
    m_startTicks = 0;
    return true;
}

DemoIntervals RunSession::startDemonstration() {
    m_data.DemoRunning = True;
    return demoIntervals(m_demoSpeed);
}

void RunSession::demonstrationEnded() {
    m_data.DemoRunning = False;
}

// ---- the exam's hint dialog --------------------------------------------------------

PanelButtons RunSession::buttons() const {
    PanelButtons b = panelButtons(m_kind);
    if (m_answersOpened) {
        const PanelButtons practice = panelButtons(RunKind::Practice);
        b.guide = practice.guide;
        b.demonstration = practice.demonstration;
        b.guideShowsCandidate = practice.guideShowsCandidate;
        b.demonstrationIsHint = practice.demonstrationIsHint;
        b.chooserShowsSolved = practice.chooserShowsSolved; // the answers are open anyway
    }
    return b;
}

void RunSession::openAnswers() {
    m_answersOpened = true;
    m_data.WorkMode = WorkPractice;
    m_data.PanelMayClose = False;
    m_data.ExamStartTime = QStringLiteral("-1");
    m_data.DemoRunning = True;
    m_data.CurStep = 1;
    m_startTicks = 0;
}

// ---- the exam countdown --------------------------------------------------------------

void RunSession::startCountdown() {
    m_minuteMark = m_clock.steadyMs();
    m_counting = true;
}

bool RunSession::tickCountdown() {
    if (m_data.SetBase != SetBaseExamPaper || m_kind != RunKind::Exam || !m_counting)
        return false;
    // the time used, not the wall clock's reading: a clock set back would
    // freeze the countdown, one set forward would end the exam at once
    constexpr qint64 Minute = 60 * 1000;
    const qint64 now = m_clock.steadyMs();
    while (m_counting && now - m_minuteMark >= Minute) {
        m_minuteMark += Minute;
        m_data.ExamMinutesLeft = Integer(m_data.ExamMinutesLeft - 1);
        Q_EMIT timeChanged();
        if (m_data.ExamMinutesLeft == 0) {
            // the box is modal and the timer keeps firing under it: the minute
            // is counted already, so a tick meanwhile cannot show it again
            m_prompter.ask(panel::exam::timeUpText(), platform::Prompter::Ok, platform::Prompter::NoIcon,
                           m_data.ModuleName);
            Q_EMIT handInRequested();
        }
    }
    return m_counting;
}

// ---- the end button -----------------------------------------------------------------

void RunSession::end() {
    switch (m_kind) {
    case RunKind::Practice:
        endPractice();
        break;
    case RunKind::Exam:
        Q_EMIT hideRequested(true);
        Q_EMIT handInRequested();
        break;
    case RunKind::Review:
        endReview();
        break;
    }
}

void RunSession::questionSolved(int q) {
    if (m_kind != RunKind::Practice || m_data.SetBase != SetBaseUnit || m_data.CurSet < 0 || q < 1 ||
        q > MaxQuestions)
        return;
    // the same two files, in the same order, as the end writes them (see
    // progress::endUnitPractice for why a kill between the two loses nothing);
    // no message box here: this runs while the simulated window sets a step up
    QString error;
    if (!panel::progress::endUnitPractice(m_data, &error))
        m_saveError = error;
}

void RunSession::endPractice() {
    QStringList errors;
    QString error;
    m_data.PanelMayClose = True;
    for (int i = 1; i <= MaxQuestions; ++i)
        m_data.QuestionScore[i] = withoutVisited(m_data.QuestionScore[i]);
    // the result file before the status file, as every write of the pair
    // (progress::endUnitPractice says why)
    if (!panel::progress::writeUnitResult(m_data, &error))
        errors << error;
    if (!panel::progress::writeUnitStatus(m_data, &error))
        errors << error;
    if (!errors.isEmpty())
        m_prompter.ask(errors.join(QStringLiteral("\r\n")), platform::Prompter::Ok,
                       platform::Prompter::Warning);
    Q_EMIT closeRequested();
}

void RunSession::endReview() {
    if (m_data.CurSet == CurSetReview) {
        Q_EMIT hideRequested(false);
        const auto answer = m_prompter.ask(
            tr("本次答对的题目要从“错题复习”中去掉吗？\r\n"
               "如果你认为掌握的还不太好，建议你点“否”，把它们保留在错题记录中。"),
            platform::Prompter::YesNo, platform::Prompter::Question, QString(), platform::Prompter::AnswerNo);
        if (answer == platform::Prompter::AnswerYes) {
            QString error;
            if (!panel::progress::pruneWrongList(m_data, &error))
                m_prompter.ask(error, platform::Prompter::Ok, platform::Prompter::Warning);
        }
    }
    m_data.PanelMayClose = True;
    Q_EMIT closeRequested();
}

} // namespace panel
