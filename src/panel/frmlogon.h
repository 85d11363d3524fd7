#pragma once
// The simulated exam login: the login page asks for the seat and the
// identity-card number, the confirmation page shows the candidate's data with a
// growing bar, and then the exam run opens. The rules live in panel::logon; this
// form lays the two pages out and forwards the learner's input.
//
// The form says what comes next with its signals: examStarted() once the bar is
// full and the shared variables describe the exam (the opener then shows the
// simulated window and the panel in exam mode), left() when the learner leaves
// or the paper cannot be assembled (the opener shows the cover page again). The
// form closes itself (and is deleted) before either signal.

#include "platform/services.h"
#include "start/moddata.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <array>

namespace platform {
class ClickLabel;
}

class FrmLogon : public QWidget {
    Q_OBJECT
  public:
    FrmLogon(ModData &data, platform::Prompter &prompter, platform::Clock &clock, QWidget *parent = nullptr);

    // The controls, by their names in the exam client.
    QLabel *Picture1 = nullptr; // the login page
    QLineEdit *TxtZwh = nullptr;
    QLineEdit *TxtSFZ = nullptr;
    platform::ClickLabel *CmdLog = nullptr;
    platform::ClickLabel *CmdExit = nullptr;
    QLabel *Picture2 = nullptr; // the confirmation page
    QLabel *LblName = nullptr;
    QLabel *LblZwh = nullptr;
    QLabel *LblCC = nullptr;
    QLabel *LblKm = nullptr;
    QLabel *LblSfz = nullptr;
    QLabel *LblDah = nullptr;
    QLabel *LblDate = nullptr;
    QWidget *P2 = nullptr; // the bar's frame
    QLabel *LJD = nullptr; // the growing bar

    QTimer Timer1; // centres the pages once
    QTimer Timer2; // the bar, then the exam

    // The timers' ticks (tests call them directly).
    void Timer1_Timer();
    void Timer2_Timer();
    // The two buttons.
    void CmdLog_Click();
    void CmdExit_Click();

  Q_SIGNALS:
    void examStarted();
    void left();

  protected:
    void paintEvent(QPaintEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

  private:
    void buildLoginPage();
    void buildConfirmPage();
    platform::ClickLabel *pageButton(QWidget *page, const QString &name, const QString &text, const QRect &r,
                                     bool accent);
    // A message naming what went wrong, then back to the cover page.
    void fail(const QString &message);

    ModData &m_data;
    platform::Prompter &m_prompter;
    platform::Clock &m_clock;
    bool m_loggedIn = false; // the confirmation page is up
    bool m_finished = false;
};
