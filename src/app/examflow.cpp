// The end of an exam: the two hand-in dialogs, the score report and the ways on
// from it (both reviews, the cover page).
#include "app/trainer.h"
#include "panel/examrules.h"
#include "panel/frmchengji.h"
#include "panel/frmend.h"
#include "panel/frmtm.h"
#include "simulator/frmmain.h"

QDateTime Trainer::now() const {
    return m_services.clock ? m_services.clock->now() : QDateTime::currentDateTime();
}

QWidget *Trainer::handInDialog() const {
    return m_handIn;
}

void Trainer::handIn() {
    const bool timeUp = m_panel && m_panel->session().timeIsUp();
    if (m_handIn) {
        // the time ran out while the learner was deciding: only "交卷" is left
        if (timeUp)
            m_handIn->setTimeUp(true);
        m_handIn->raise();
        return;
    }
    // "结束考试" has hidden the panel already; the time-up path hides it here
    if (m_panel && m_panel->isVisible()) {
        m_panel->move(0, 0);
        m_panel->hide();
    }
    auto *dialog = new FrmEnd1(m_data, timeUp);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &HandInDialog::handInChosen, this,
            [this, dialog] { secondHandInDialog(dialog->timeUp()); });
    connect(dialog, &HandInDialog::continueChosen, this, &Trainer::continueExam);
    m_handIn = dialog;
    dialog->show();
}

void Trainer::secondHandInDialog(bool timeUp) {
    auto *dialog = new FrmEnd2(timeUp);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &HandInDialog::handInChosen, this, &Trainer::openReport);
    connect(dialog, &HandInDialog::continueChosen, this, &Trainer::continueExam);
    m_handIn = dialog;
    dialog->show();
}

void Trainer::continueExam() {
    m_handIn = nullptr;
    // the countdown went on under the dialog; the panel comes back docked
    if (m_panel)
        m_panel->showDocked();
}

void Trainer::openReport() {
    m_handIn = nullptr;
    // the paper is handed in: its run is over, and a panel left hidden would
    // count the exam's minutes on and announce its end over whatever came next
    if (m_panel) {
        m_panel->stopCountdown();
        const Flag mayClose = m_data.PanelMayClose;
        m_data.PanelMayClose = True;
        m_panel->close();
        m_data.PanelMayClose = mayClose; // an exam leaves it as it was
    }
    if (m_main)
        m_main->closeForRunEnd();
    // both are deleted later; a review opened from the report gets fresh ones
    m_panel = nullptr;
    m_main = nullptr;
    m_mainLink = nullptr;

    const panel::exam::Report result = panel::exam::openReport(m_data, now());
    auto *form = new FrmChengji(m_data, result);
    connect(form, &FrmChengji::paperReviewRequested, this, &Trainer::reviewPaper);
    connect(form, &FrmChengji::wrongReviewRequested, this, &Trainer::reviewWrongQuestions);
    connect(form, &FrmChengji::leaveRequested, this, &Trainer::showCover);
    m_report = form;
    form->show();
    form->raise();
    if (!result.problems.isEmpty() && m_services.prompter)
        m_services.prompter->ask(result.problems.join(QStringLiteral("\r\n")), platform::Prompter::Ok,
                                 platform::Prompter::Warning);
}

void Trainer::reviewPaper() {
    panel::exam::preparePaperReview(m_data);
    openRun(panel::exam::paperReviewEntry());
}

void Trainer::reviewWrongQuestions() {
    QString message;
    if (!panel::exam::prepareWrongReview(m_data, &message)) {
        if (m_services.prompter)
            m_services.prompter->ask(message, platform::Prompter::Ok, platform::Prompter::Warning);
        showCover();
        return;
    }
    openRun(panel::exam::wrongReviewEntry());
}
